#include "core/binaryview/BinaryRowText.h"

#include <cstdio>

namespace quarn {

std::string AddressText(std::uint32_t address, bool hex) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, hex ? "%08X" : "%08u", unsigned(address));
  return std::string(buffer, 8);
}

std::string HexAreaText(const BinaryLayout& layout, const std::uint8_t* bytes, int n) {
  if (n <= 0) return std::string();
  const int start = BinaryLayout::kHexStart;
  std::string cells(std::size_t(layout.HexCell(n - 1) + 2 - start), ' ');
  for (int i = 0; i < n; ++i) {
    const auto at = std::size_t(layout.HexCell(i) - start);
    cells[at] = HexDigit(bytes[i] >> 4);
    cells[at + 1] = HexDigit(bytes[i]);
  }
  return cells;
}

std::string HeaderAddressText() { return "ADDRESS   "; }

std::string HeaderHexText(const BinaryLayout& layout, bool hex) {
  const int start = BinaryLayout::kHexStart;
  const int b = layout.BytesPerLine();
  std::string cells(std::size_t(layout.HexCell(b - 1) + 4 - start), ' ');
  for (int i = 0; i < b; ++i) {
    char digits[8];
    std::snprintf(digits, sizeof digits, hex ? "%02X" : "%02d", i);
    const auto at = std::size_t(layout.HexCell(i) - start);
    cells[at] = digits[0];
    cells[at + 1] = digits[1];
  }
  return cells;
}

std::string HeaderCharText(const BinaryLayout& layout, bool hex) {
  std::string cells;
  for (int i = 0; i < layout.BytesPerLine(); ++i) cells += hex ? HexDigit(unsigned(i)) : char('0' + i % 10);
  return cells;
}

}  // namespace quarn
