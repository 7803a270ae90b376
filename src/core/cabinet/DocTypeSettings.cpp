#include "core/cabinet/DocTypeSettings.h"

#include <type_traits>

#include "core/cabinet/StandardFonts.h"
#include "core/res/Texts.h"

namespace quarn {

namespace {

// Visits the 26 integer fields in their stored order; they are all 32 bits
// wide, signed or not.
template <typename Record, typename Fn>
void ForEachIntField(Record& r, Fn fn) {
  fn(r.CharsPerLine);
  fn(r.TabColumns);
  fn(r.LineNumberMode);
  fn(r.LineSpacing);
  fn(r.CharSpacing);
  fn(r.ShowEolMark);
  fn(r.ShowTabMark);
  fn(r.FreeCursor);
  fn(r.AutoIndent);
  fn(r.TabKeySpaces);
  fn(r.SaveMarkedLines);
  fn(r.SaveMarkedChars);
  fn(r.DocType);
  fn(r.MarkedLineBackColor);
  fn(r.MarkedCharBackColor);
  fn(r.CKeywordColor);
  fn(r.CppKeywordColor);
  fn(r.KeywordColor);
  fn(r.EolColor);
  fn(r.TabColor);
  fn(r.CommentColor);
  fn(r.TextColor);
  fn(r.TextBackColor);
  fn(r.TagBackColor);
  fn(r.KeywordCount);
  fn(r.WordWrap);
}

}  // namespace

std::uint32_t DocTypeSettings::Field(int number) const {
  if (number < 1 || number > 31) return 0;
  std::uint8_t bytes[kSize];
  ToBytes(bytes);
  return GetLe32(bytes + (number - 1) * 4);
}

void DocTypeSettings::SetField(int number, std::uint32_t value) {
  if (number < 1 || number > 31) return;
  std::uint8_t bytes[kSize];
  ToBytes(bytes);
  PutLe32(bytes + (number - 1) * 4, value);
  *this = FromBytes(bytes);
}

void DocTypeSettings::ToBytes(std::uint8_t* out) const {
  std::uint8_t* p = out;
  ForEachIntField(*this, [&p](const auto& v) {
    PutLe32(p, std::uint32_t(v));
    p += 4;
  });
  Font.serialize(p);
}

std::array<std::uint8_t, DocTypeSettings::kSize> DocTypeSettings::ToBytes() const {
  std::array<std::uint8_t, kSize> bytes{};
  ToBytes(bytes.data());
  return bytes;
}

DocTypeSettings DocTypeSettings::FromBytes(const std::uint8_t* in) {
  DocTypeSettings r;
  const std::uint8_t* p = in;
  ForEachIntField(r, [&p](auto& v) {
    v = static_cast<std::remove_reference_t<decltype(v)>>(GetLe32(p));
    p += 4;
  });
  r.Font = LogFont::deserialize(p);
  return r;
}

DocTypeSettings BuiltinDocType(int type) {
  DocTypeSettings r;
  r.Font = BuiltinFont();
  if (type == kDocTypeC || type == kDocTypeCpp) {
    r.CharsPerLine = 128;
    r.LineNumberMode = 1;
    r.AutoIndent = 1;
    r.DocType = type;
  }
  return r;
}

DocTypeSettings InitialDocType() {
  DocTypeSettings r = BuiltinDocType(kDocTypeGeneral);
  r.CharsPerLine = 250;
  r.ShowEolMark = 0;
  return r;
}

const char* DocTypeName(int type) {
  switch (type) {
    case kDocTypeC:
      return texts::kDocTypeC;
    case kDocTypeCpp:
      return texts::kDocTypeCpp;
    default:
      return texts::kDocTypeGeneral;
  }
}

}  // namespace quarn
