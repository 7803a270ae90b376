// The fonts the program knows by itself: the document types' built-in font
// and the fixed table of seven fonts the windows build their own fonts from.
#pragma once

#include <cstdint>

#include "platform/Types.h"

namespace quarn {

// Character sets, precisions and pitch/family values of the stored fonts.
namespace fontconst {
constexpr std::uint8_t kAnsiCharset = 0;
constexpr std::uint8_t kShiftJisCharset = 128;
constexpr std::int32_t kWeightNormal = 400;
}  // namespace fontconst

// Entries of the standard font table.
enum StandardFontEntry : int {
  kFontMincho = 0,
  kFontGothic = 1,
  kFontStdMincho = 2,
  kFontStdGothic = 3,
  kFontArial = 4,
  kFontPGothic = 5,
  kFontPMincho = 6,
  kStandardFontCount = 7,
};

// "Fixedsys", 14 points, Shift_JIS, fixed pitch: the Font of every built-in
// document type. Its height field holds points.
LogFont BuiltinFont();

// Entry 0 to 6 of the standard font table (height 0); an entry outside the
// table gives entry 0.
LogFont StandardFont(int entry);

// A table font for a device: the entry with its height set to the negative
// pixel height of points at the device's vertical dpi.
LogFont MakeStandardFont(int entry, std::int32_t points, std::int32_t verticalDpi);

}  // namespace quarn
