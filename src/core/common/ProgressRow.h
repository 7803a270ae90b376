// The progress row of the status bar's message pane while a cabinet reopens
// its documents: the text at the left, then one cell per document, filled
// as each one opens. The model keeps the geometry; the bar paints it.
#pragma once

#include <string>

#include "platform/Canvas.h"
#include "platform/Types.h"

namespace quarn {

class ProgressRow {
 public:
  // Palette index of a filled cell (dark blue).
  static constexpr int kCellColour = 9;
  static constexpr int kGap = 2;

  // Lays out the row in pane for cells cells; canvas holds the bar's font.
  void Begin(Canvas& canvas, const Rect& pane, const std::string& text, int cells);
  void Step(int cell);
  void End() { active_ = false; }

  // The pane as it stands: the face colour, and while the row is shown its
  // text and the filled cells. Cells that would reach past the pane are
  // left out.
  void Paint(Canvas& canvas, ColorRef face) const;
  Rect CellRect(int cell) const;
  bool Active() const { return active_; }
  int Filled() const { return filled_; }

 private:
  bool active_ = false;
  std::string text_;
  Rect pane_;
  int textY_ = 0;
  int originX_ = 0;
  int cellTop_ = 0;
  int cellWidth_ = 0;
  int cellHeight_ = 0;
  int cells_ = 0;
  int filled_ = 0;
};

}  // namespace quarn
