// The texts of the binary window's header row and of the address and hex
// areas of a data row, one byte per cell. The screen, the printer and the
// screen copy lay out the same texts.
#pragma once

#include <cstdint>
#include <string>

#include "core/binaryview/BinaryLayout.h"

namespace quarn {

// Eight characters: "%08X" (hex) or "%08u" (decimal, the first eight digits).
std::string AddressText(std::uint32_t address, bool hex);

// The hex area of a row of n bytes (n >= 1): cells from HexStart to the
// second digit of the last byte, blanks between.
std::string HexAreaText(const BinaryLayout& layout, const std::uint8_t* bytes, int n);

// The header: "ADDRESS " and two blanks, up to HexStart.
std::string HeaderAddressText();
// Column numbers in the hex cells of each byte column, two more blank cells
// after the last one (up to TextStart).
std::string HeaderHexText(const BinaryLayout& layout, bool hex);
// The last digit of each column number, one cell per byte column.
std::string HeaderCharText(const BinaryLayout& layout, bool hex);

// The two upper-case hex digits of a byte.
inline char HexDigit(unsigned v) { return "0123456789ABCDEF"[v & 0xF]; }

}  // namespace quarn
