// The character classes of free conversion (half-width and full-width
// spaces, symbols, digits, Latin letters, kana symbols, katakana and
// hiragana) and the conversion of a character from one class to another.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace quarn::charclass {

enum Code : int {
  kNone = 0,
  kString = 1,  // a rule's kind: a string, not a class
  kHalfSpace = 11,
  kHalfSymbol = 12,
  kHalfDigit = 13,
  kHalfUpper = 14,
  kHalfLower = 15,
  kHalfKanaSymbol = 16,
  kHalfKatakana = 17,
  kFullSpace = 21,
  kFullSymbol = 22,
  kFullDigit = 23,
  kFullUpper = 24,
  kFullLower = 25,
  kFullKanaSymbol = 26,
  kKatakana = 27,
  kHiragana = 28,
};

// The classes in the order the dialog lists them.
const std::array<int, 15>& ListOrder();
// The name the dialog shows (CP932), e.g. "＜全角ひらがな＞"; "" for no class.
const std::string& Name(int code);
// The class named exactly by text, or kNone.
int ByName(const std::string& text);
bool IsClass(int code);
// A class rule may convert from to to.
bool Allowed(int from, int to);

// The class of the character at p (avail bytes), and its length: 2 for a
// lead byte followed by a byte, else 1.
int ClassAt(const std::uint8_t* p, std::size_t avail, std::size_t* length);

// Converts the character of class from at p (a half-width katakana with a
// following voiced or semi-voiced mark taken as one character) into class
// to, appending the result to out; a character without a counterpart is
// appended unchanged. Returns the bytes taken.
std::size_t Convert(int from, int to, const std::uint8_t* p, std::size_t avail, std::string& out);

}  // namespace quarn::charclass
