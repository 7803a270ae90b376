// The character classes that double-click word selection and Ctrl+Left and
// Ctrl+Right move by: a word is a run of characters of one class.
#pragma once

#include <cstdint>

namespace quarn {

class CVeskDoc;

enum WordClassId : int {
  kWordAlnum = 1,     // ASCII letters and digits
  kWordHalfKana = 2,  // half-width katakana 0xA6..0xDF
  kWordSpace = 3,     // other single bytes, CR, the end of the text, full-width space and symbols
  kWordHiragana = 4,
  kWordKatakana = 5,  // and the prolonged sound mark
  kWordOther = 6,     // kanji, full-width letters and digits
};

// c: a single byte, or lead << 8 | trail.
int WordClassOf(std::uint16_t c);
// The class of the character at pos (the end of the text is class 3).
int WordClassAt(CVeskDoc& doc, std::uint32_t pos);

}  // namespace quarn
