// The text area of a binary row: the row's bytes decoded in one of four
// character codes into one CP932 byte per cell, so that each glyph sits in
// the cells of the bytes it came from.
//
// Every cell holds a glyph that stands on its own: control bytes become ".",
// and a byte that would start a double-byte glyph without a valid second
// byte is shown as "." instead of fusing with its neighbour's cell.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/common/BinarySettings.h"

namespace quarn {

struct CharColumnOptions {
  StrCode code = StrCode::kSjis;
  bool ignore8bit = false;  // SJIS only: bytes of 0x80 and above as dummy
  char dummy = '.';
};

// How far before a row the decoders look for their starting state.
constexpr std::size_t kCharColumnLookBack = 4096;
// Bytes after a row a decoder may read: the rest of a pair or escape.
constexpr std::size_t kCharColumnLookAhead = 2;

// bytes[0..size) is a stretch of the document; the row is
// bytes[row..row + length). Up to kCharColumnLookBack bytes before the row
// and kCharColumnLookAhead after it are consulted when the stretch holds
// them (its start counts as the start of the document, its end as the end).
// Returns length + 1 cells: the row's bytes and the spare cell, which holds
// the second half of a double-byte character that begins in the last byte.
std::string DecodeCharColumn(const std::uint8_t* bytes, std::size_t size, std::size_t row, std::size_t length,
                             const CharColumnOptions& options);

// The Shift_JIS pair of a JIS X 0208 pair (both bytes 0x21..0x7E).
void JisToSjis(std::uint8_t j1, std::uint8_t j2, std::uint8_t& s1, std::uint8_t& s2);

}  // namespace quarn
