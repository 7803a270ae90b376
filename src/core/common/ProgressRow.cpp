#include "core/common/ProgressRow.h"

#include <algorithm>

#include "core/common/Palette.h"

namespace quarn {

void ProgressRow::Begin(Canvas& canvas, const Rect& pane, const std::string& text, int cells) {
  const TextMetric metric = canvas.textMetrics();
  const int average = std::max(1, metric.aveCharWidth);
  active_ = true;
  text_ = text;
  pane_ = pane;
  cells_ = std::max(0, cells);
  filled_ = 0;
  // Centred in the pane, at its top when the pane is lower than the text.
  textY_ = pane.top + std::max(0, (pane.height() - metric.height) / 2);
  // The cells start one character after the text; a font whose double-byte
  // characters are wider than two averages still leaves the text clear.
  originX_ = pane.left + std::max(int(text.size() + 1) * average, canvas.textExtent(text) + average);
  cellTop_ = pane.top + 1;
  cellHeight_ = std::max(1, pane.height() - 2);
  // A character wide each, narrower when that many would not fit.
  const int room = pane.right - originX_;
  cellWidth_ = cells_ > 0 ? std::clamp((room + kGap) / cells_ - kGap, 1, average) : average;
}

void ProgressRow::Step(int cell) {
  if (active_ && cell >= 0 && cell < cells_) filled_ = std::max(filled_, cell + 1);
}

Rect ProgressRow::CellRect(int cell) const {
  const int x = originX_ + (cellWidth_ + kGap) * cell;
  return {x, cellTop_, x + cellWidth_, cellTop_ + cellHeight_};
}

void ProgressRow::Paint(Canvas& canvas, ColorRef face) const {
  canvas.fillRect(pane_, face);
  if (!active_) return;
  canvas.setBkOpaque(false);
  canvas.setTextColor(PaletteColor(1));
  canvas.extTextOut(pane_.left, textY_, eto::kClipped, &pane_, text_, {});
  for (int i = 0; i < filled_; ++i) {
    const Rect cell = CellRect(i);
    if (cell.right > pane_.right) break;
    canvas.fillRect(cell, PaletteColor(kCellColour));
  }
}

}  // namespace quarn
