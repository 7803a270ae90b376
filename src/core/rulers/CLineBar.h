// The line bar down the left side of a text view: a tick per display row
// below the top margin, numbers every five rows, the caret's row marked,
// and a mouse area that selects whole rows of the text window.
#pragma once

#include <cstdint>

#include "core/textview/TextLayout.h"
#include "core/rulers/RulerLook.h"
#include "platform/WindowHost.h"
#include "platform/WindowModel.h"

namespace quarn {

class CVeskDoc;
class CVeskEV;

class CLineBar : public WindowModel {
 public:
  // While rows are dragged over, this timer extends the selection to the
  // row under the pointer, also when it is above or below the bar.
  static constexpr int kSelectTimer = 2;
  static constexpr int kSelectTimerMs = 50;

  // layout: the text window's, whose row pitch, top margin and first
  // visible row the scale follows. text: the window whose rows the mouse
  // selects (null: the bar only shows).
  CLineBar(CVeskDoc& doc, WindowHost& host, const TextLayout& layout, CVeskEV* text);

  void RefreshMetrics();
  void CaretMoved(std::uint32_t row);
  // The whole bar is drawn again with the next paint.
  void Refresh();
  // The text window scrolled by rows: the scale's pixels move with it.
  void VerticalScroll();

  void onCreate() override { RefreshMetrics(); }
  void onSize(int cx, int cy) override;
  void onPaint(Canvas& canvas, const Rect& invalid) override;
  void onMouse(MouseKind kind, int x, int y, KeyState state) override;
  void onTimer(int id) override;

  ColorRef BackColour() const { return back_; }
  const TickSizes& Ticks() const { return ticks_; }
  std::uint32_t MarkedRow() const { return marked_; }
  bool Dragging() const { return dragging_; }

 private:
  long long YOf(long long row) const;
  // The row under y; rows above the first are negative.
  long long RowAt(int y) const;
  void InvalidateRow(long long row);
  void SelectTo(long long row);

  CVeskDoc& doc_;
  WindowHost& host_;
  const TextLayout& layout_;
  CVeskEV* text_;
  TickSizes ticks_;
  ColorRef back_ = 0;
  ColorRef cursor_ = 0;
  std::uint32_t marked_ = 0;
  bool dragging_ = false;
  std::uint32_t anchorRow_ = 0;
  // The first row the bar's pixels show.
  long long shownFirstRow_ = 0;
};

}  // namespace quarn
