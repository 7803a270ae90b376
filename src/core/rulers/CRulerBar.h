// The column ruler across the top of a text view: a tick per character
// column from the text's left edge, numbers every ten columns, the caret's
// column marked, and a mark at the document's line width that the mouse
// drags to set a new width.
#pragma once

#include "core/textview/TextLayout.h"
#include "core/rulers/RulerLook.h"
#include "platform/WindowHost.h"
#include "platform/WindowModel.h"

namespace quarn {

class CVeskDoc;

class CRulerBar : public WindowModel {
 public:
  static constexpr int kMinLineWidth = 10;
  static constexpr int kMaxLineWidth = 250;
  static constexpr int kNumberShift = 2;

  // layout: the text window's; the scale takes its pitch, left margin and
  // first visible column from it whenever it paints.
  CRulerBar(CVeskDoc& doc, WindowHost& host, const TextLayout& layout);

  // Tick sizes from the host's dpi and colours from the settings: on
  // creation and whenever the document's format changed.
  void RefreshMetrics();
  // The caret went to column: the mark moves there.
  void CaretMoved(int column);
  // The text window scrolled sideways, or the line bar came or went: the
  // scale is drawn again. Like the mark, it is painted with the next paint
  // of the window rather than at once: a tool appending thousands of lines
  // moves both with every line.
  void Refresh();

  void onCreate() override { RefreshMetrics(); }
  void onSize(int, int) override { host_.invalidate(); }
  void onPaint(Canvas& canvas, const Rect& invalid) override;
  void onMouse(MouseKind kind, int x, int y, KeyState state) override;

  // Where column F (the first visible one) begins: past the line bar when
  // it is shown, and past the text window's left margin.
  int Origin() const;
  ColorRef BackColour() const { return back_; }
  const TickSizes& Ticks() const { return ticks_; }
  int MarkedColumn() const { return marked_; }
  bool Dragging() const { return dragging_; }
  int DragColumn() const { return dragColumn_; }

 private:
  long long XOf(long long column) const;
  long long ColumnAt(int x) const;
  int LineWidth() const;
  bool OnLineWidthMark(int x, int y) const;
  void InvalidateColumn(long long column);
  void DrawTick(Canvas& canvas, long long column, int lineWidth);

  CVeskDoc& doc_;
  WindowHost& host_;
  const TextLayout& layout_;
  TickSizes ticks_;
  ColorRef back_ = 0;
  ColorRef cursor_ = 0;
  int marked_ = 0;
  bool dragging_ = false;
  int dragColumn_ = 0;
};

}  // namespace quarn
