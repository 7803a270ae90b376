// Classification of Shift_JIS (code page 932) bytes as the program's
// behaviour depends on them, byte for byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/Cp932Bytes.h"

namespace quarn::cp932 {

// 0xA1..0xDF: half-width katakana and punctuation, single-byte characters.
constexpr bool IsHalfWidthKana(std::uint8_t b) { return b >= 0xA1 && b <= 0xDF; }

// isgraph of the C locale: 0x21..0x7E. Space, control bytes and every byte
// of a double-byte character are not printable.
constexpr bool IsPrintable(std::uint8_t b) { return b >= 0x21 && b <= 0x7E; }

// Bytes of the character that starts with b: 2 for a lead byte, else 1.
constexpr std::size_t CharLength(std::uint8_t b) { return IsLeadByte(b) ? 2 : 1; }

// Start of the character after the one at i; a lead byte at the very end
// counts as one byte so that walking never runs past n.
inline std::size_t NextChar(const std::uint8_t* s, std::size_t n, std::size_t i) {
  if (i >= n) return n;
  return (IsLeadByte(s[i]) && i + 1 < n) ? i + 2 : i + 1;
}
inline std::size_t NextChar(const std::string& s, std::size_t i) {
  return NextChar(reinterpret_cast<const std::uint8_t*>(s.data()), s.size(), i);
}

// Start of the character that ends at i, walking from 0 (Shift_JIS cannot be
// walked backwards safely: a trail byte may look like a lead byte).
std::size_t PrevChar(const std::uint8_t* s, std::size_t n, std::size_t i);

// Number of characters in s (double-byte characters count once).
std::size_t CharCount(const std::string& s);

// The first occurrence of the byte c at a character start, or npos; a trail
// byte that equals c does not count.
std::size_t FindChar(const std::string& s, char c, std::size_t from = 0);

// The last occurrence of c at a character start, or npos.
std::size_t FindLastChar(const std::string& s, char c);

}  // namespace quarn::cp932
