// Character folding for searches on Shift_JIS (code page 932) text: the
// half-width form of a full-width character, and a comparison that ignores
// the case of Latin letters.
#pragma once

#include <cstddef>
#include <cstdint>

namespace quarn {

// c is a character value: a single byte, or lead << 8 | trail. Returns the
// single-byte form of a two-byte character that has one (full-width ASCII,
// the ideographic space, unvoiced full-width katakana and the kana
// punctuation); every other value comes back unchanged.
std::uint16_t ToSingleByte(std::uint16_t c);

// The lower-case form of a character value: ASCII letters and the
// full-width Latin letters fold; nothing else changes.
std::uint16_t FoldCase(std::uint16_t c);

// Compares the first n bytes of a and b character by character, ignoring
// case. A lead byte in the last of the n bytes is taken as a byte of its
// own. A two-byte character orders above every single byte. Returns <0, 0
// or >0 as a is lower than, equal to or higher than b.
int CompareNoCase(const std::uint8_t* a, const std::uint8_t* b, std::size_t n);

}  // namespace quarn
