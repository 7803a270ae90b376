// What the column ruler and the line bar share: their fixed sizes in
// 0.1 mm made into pixels, the tick length of a cell, the palette colours
// the settings name, and the small font of their numbers.
#pragma once

#include <string>

#include "platform/Canvas.h"
#include "platform/Types.h"

namespace quarn {

// Palette indexes of the fixed colours.
namespace rulercolour {
constexpr int kTick = 1;
constexpr int kHighlight = 8;
constexpr int kShadow = 15;
constexpr int kLineWidth = 6;
constexpr int kDragLine = 13;
constexpr int kDefaultCursor = 4;
constexpr int kDefaultBack = 16;
}  // namespace rulercolour

// The thickness of the column ruler (tall) and of the line bar (wide) in the
// view's layout, one pixel over 4.0 and 8.0 mm.
int ColumnRulerHeight(int dpiY);
int LineBarWidth(int dpiX);

// Pixel sizes of a bar along its short side: the ruler's at the vertical
// dpi, the line bar's at the horizontal one.
struct TickSizes {
  int base = 0;  // the ruler's tick area height, the line bar's width
  int longTick = 0;
  int middleTick = 0;
  int shortTick = 0;
  // Every tenth cell long, every fifth middle, the others short.
  int LengthAt(long long cell) const;
};
TickSizes ColumnRulerTicks(int dpiY);
TickSizes LineBarTicks(int dpiX);

// The palette colour of a stored index; 0 or an index above 16 reads as
// fallback (the settings may hold anything a hand-edited file gave).
ColorRef BarColour(int index, int fallback);

// The numbers' font: standard font entry 4 at 7 points.
LogFont BarNumberFont(int dpiY);

// The font made narrower so that a text measuring extent in it (whose average
// character is averageWidth wide) takes at most room pixels.
LogFont NarrowedFont(LogFont font, int averageWidth, int room, int extent);

// The most pixels a number reaches from its tick, in any direction: four
// em squares of the numbers' font.
int BarNumberReach(int dpiY);

// How far the numbers move away from the ticks: shift when "RulerFontFlag"
// is 0 and "50" in the selected font is wider than two average characters
// (a proportional face), else 0.
int BarNumberShift(Canvas& canvas, int shift);

// The label of a numbered cell: cell 0 is "1", the others their number.
std::string BarLabel(long long cell);

// Division rounding toward minus infinity: cells left of or above a bar's
// origin are negative, not 0.
inline long long FloorDiv(long long a, long long b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

}  // namespace quarn
