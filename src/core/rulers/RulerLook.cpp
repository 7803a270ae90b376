#include "core/rulers/RulerLook.h"

#include <algorithm>
#include <cstdint>

#include "core/cabinet/DeviceUnits.h"
#include "core/cabinet/StandardFonts.h"
#include "core/common/AppSettings.h"
#include "core/common/Palette.h"

namespace quarn {
namespace {

// Sizes in 0.1 mm.
constexpr int kColumnRulerThickness = 40;
constexpr int kLineBarThickness = 80;
constexpr int kLongTick = 35;
constexpr int kMiddleTick = 25;
constexpr int kShortTick = 15;
constexpr int kNumberPoints = 7;

TickSizes TicksAt(int dpi, int base) {
  return TickSizes{TenthMmToPixels(dpi, base), TenthMmToPixels(dpi, kLongTick), TenthMmToPixels(dpi, kMiddleTick),
                   TenthMmToPixels(dpi, kShortTick)};
}

}  // namespace

int ColumnRulerHeight(int dpiY) { return TenthMmToPixels(dpiY, kColumnRulerThickness) + 1; }
int LineBarWidth(int dpiX) { return TenthMmToPixels(dpiX, kLineBarThickness) + 1; }

int TickSizes::LengthAt(long long cell) const {
  if (cell % 10 == 0) return longTick;
  return cell % 5 == 0 ? middleTick : shortTick;
}

TickSizes ColumnRulerTicks(int dpiY) { return TicksAt(dpiY, kColumnRulerThickness); }
TickSizes LineBarTicks(int dpiX) { return TicksAt(dpiX, kLineBarThickness); }

ColorRef BarColour(int index, int fallback) { return PaletteColor(index < 1 || index > 16 ? fallback : index); }

LogFont BarNumberFont(int dpiY) { return MakeStandardFont(kFontArial, kNumberPoints, dpiY); }

LogFont NarrowedFont(LogFont font, int averageWidth, int room, int extent) {
  if (extent <= room || extent <= 0) return font;
  font.width = std::max(1, int(std::int64_t(std::max(1, averageWidth)) * room / extent));
  return font;
}

int BarNumberReach(int dpiY) { return 4 * PointsToPixels(dpiY, kNumberPoints); }

int BarNumberShift(Canvas& canvas, int shift) {
  if (gSettings.RulerFontFlag != 0) return 0;
  return canvas.textExtent("50") > 2 * canvas.textMetrics().aveCharWidth ? shift : 0;
}

std::string BarLabel(long long cell) { return cell == 0 ? std::string("1") : std::to_string(cell); }

}  // namespace quarn
