#include "core/cabinet/StandardFonts.h"

#include "core/cabinet/DeviceUnits.h"
#include "core/res/Texts.h"

namespace quarn {

namespace {

struct TableEntry {
  const char* face;
  std::uint8_t charSet;
  std::uint8_t quality;
  std::uint8_t pitchAndFamily;
};

// Pitch and family: 1 fixed / 2 variable pitch, 0x10 roman, 0x20 swiss, 0x30 modern.
constexpr TableEntry kTable[kStandardFontCount] = {
    {texts::kFontMsMincho, fontconst::kShiftJisCharset, 1, 17},
    {texts::kFontMsGothic, fontconst::kShiftJisCharset, 1, 49},
    {texts::kFontStdMincho, fontconst::kShiftJisCharset, 0, 17},
    {texts::kFontStdGothic, fontconst::kShiftJisCharset, 0, 49},
    {"Arial", fontconst::kAnsiCharset, 1, 34},
    {texts::kFontMsPGothic, fontconst::kShiftJisCharset, 1, 50},
    {texts::kFontMsPMincho, fontconst::kShiftJisCharset, 1, 18},
};

}  // namespace

LogFont BuiltinFont() {
  LogFont f;
  f.height = 14;
  f.weight = fontconst::kWeightNormal;
  f.charSet = fontconst::kShiftJisCharset;
  f.outPrecision = 1;   // string precision
  f.clipPrecision = 2;  // stroke precision
  f.quality = 1;        // draft
  f.pitchAndFamily = 49;
  f.setFace("Fixedsys");
  return f;
}

LogFont StandardFont(int entry) {
  if (entry < 0 || entry >= kStandardFontCount) entry = 0;
  const TableEntry& e = kTable[entry];
  LogFont f;
  f.weight = fontconst::kWeightNormal;
  f.charSet = e.charSet;
  f.outPrecision = 3;  // stroke precision
  f.clipPrecision = 2;
  f.quality = e.quality;
  f.pitchAndFamily = e.pitchAndFamily;
  f.setFace(e.face);
  return f;
}

LogFont MakeStandardFont(int entry, std::int32_t points, std::int32_t verticalDpi) {
  LogFont f = StandardFont(entry);
  f.height = -PointsToPixels(verticalDpi, points);
  return f;
}

}  // namespace quarn
