// The settings of a document type: format, colours and font, 41 fields of
// 32 bits (the font's 60 bytes counting as fields 27 to 41). The cabinet
// file stores them in this order, 164 bytes little-endian.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "platform/Types.h"

namespace quarn {

enum DocTypeId : int { kDocTypeGeneral = 0, kDocTypeC = 1, kDocTypeCpp = 2, kDocTypeCount = 3 };

// Bit 31 of the three background colours (fields 14, 15 and 24); the colour
// is the low 24 bits.
constexpr std::uint32_t kBackColorFlag = 0x80000000u;

struct DocTypeSettings {
  static constexpr std::size_t kIntFields = 26;
  static constexpr std::size_t kSize = kIntFields * 4 + LogFont::kSize;  // 164

  std::int32_t CharsPerLine = 80;
  std::int32_t TabColumns = 4;
  std::int32_t LineNumberMode = 0;  // 0 every row is a line, 1 a line runs to its newline
  std::int32_t LineSpacing = 0;     // 0.1 mm
  std::int32_t CharSpacing = 0;     // 0.1 mm
  std::int32_t ShowEolMark = 1;
  std::int32_t ShowTabMark = 0;
  std::int32_t FreeCursor = 1;
  std::int32_t AutoIndent = 0;
  std::int32_t TabKeySpaces = 0;
  std::int32_t SaveMarkedLines = 1;
  std::int32_t SaveMarkedChars = 1;
  std::int32_t DocType = kDocTypeGeneral;
  ColorRef MarkedLineBackColor = 0x80008000u;
  ColorRef MarkedCharBackColor = 0x80808000u;
  ColorRef CKeywordColor = 0xFF0000u;
  ColorRef CppKeywordColor = 0x0000FFu;
  ColorRef KeywordColor = 0xFF0000u;
  ColorRef EolColor = 0xFF0000u;
  ColorRef TabColor = 0xC0C0C0u;
  ColorRef CommentColor = 0x008000u;
  ColorRef TextColor = 0x000000u;
  ColorRef TextBackColor = 0xFFFFFFu;
  ColorRef TagBackColor = 0x80808000u;
  std::int32_t KeywordCount = 0;
  std::int32_t WordWrap = 0;
  LogFont Font;  // height in points

  // Field number 1 to 31 as a 32-bit value (27 to 31 are the font's height,
  // width, escapement, orientation and weight), as the older cabinet format
  // numbers them; 0 for any other number.
  std::uint32_t Field(int number) const;
  void SetField(int number, std::uint32_t value);

  void ToBytes(std::uint8_t* out) const;
  std::array<std::uint8_t, kSize> ToBytes() const;
  static DocTypeSettings FromBytes(const std::uint8_t* in);

  friend bool operator==(const DocTypeSettings&, const DocTypeSettings&) = default;
};

// The built-in record of document type 0, 1 or 2 (another value gives type 0).
DocTypeSettings BuiltinDocType(int type);

// The record in effect before any cabinet has been read: type 0 with 250
// characters per line and no newline marks.
DocTypeSettings InitialDocType();

// "一般文書", "Ｃ言語" or "Ｃ＋＋言語" (CP932); type 0's name for another value.
const char* DocTypeName(int type);

}  // namespace quarn
