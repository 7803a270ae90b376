#include "core/rulers/CLineBar.h"

#include <algorithm>
#include <string>

#include "core/common/AppSettings.h"
#include "core/common/Palette.h"
#include "core/rulers/RowSelection.h"
#include "core/textview/CVeskEV.h"

namespace quarn {

using namespace rulercolour;

CLineBar::CLineBar(CVeskDoc& doc, WindowHost& host, const TextLayout& layout, CVeskEV* text)
    : doc_(doc), host_(host), layout_(layout), text_(text) {
  RefreshMetrics();
}

void CLineBar::RefreshMetrics() {
  ticks_ = LineBarTicks(host_.dpiX());
  back_ = BarColour(gSettings.LineBackColor, kDefaultBack);
  cursor_ = BarColour(gSettings.LineCursorColor, kDefaultCursor);
  Refresh();
}

// Rows are placed from the first row the bar's pixels show: a paint that
// comes between the text window's scroll and the bar's (the text window
// repaints at once) draws where the pixels are, and the bar's scroll then
// moves it with them.
long long CLineBar::YOf(long long row) const {
  return layout_.TopMargin() + (row - shownFirstRow_) * layout_.RowPitch();
}

long long CLineBar::RowAt(int y) const {
  return FloorDiv(y - layout_.TopMargin(), layout_.RowPitch()) + shownFirstRow_;
}

void CLineBar::InvalidateRow(long long row) {
  const long long y = YOf(row);
  const Point client = host_.clientSize();
  if (y + layout_.RowPitch() < 0 || y > client.y) return;
  host_.invalidateRect(Rect{0, int(y), client.x, int(y) + layout_.RowPitch() + 1});
}

void CLineBar::CaretMoved(std::uint32_t row) {
  if (row == marked_) return;
  InvalidateRow(marked_);
  marked_ = row;
  InvalidateRow(marked_);
}

void CLineBar::Refresh() {
  shownFirstRow_ = layout_.FirstRow();
  host_.invalidate();
}

// The scale below the top margin moves with the text; only the rows it
// uncovers are painted, as a tool's output scrolls a row with every line.
void CLineBar::VerticalScroll() {
  const long long rows = (long long)layout_.FirstRow() - shownFirstRow_;
  if (rows == 0) return;
  const Point client = host_.clientSize();
  const long long visible = std::max(1, (client.y - layout_.TopMargin()) / layout_.RowPitch());
  if (rows >= visible || rows <= -visible) return Refresh();
  shownFirstRow_ = layout_.FirstRow();
  const Rect area{0, layout_.TopMargin(), client.x, client.y};
  host_.scrollWindow(0, int(-rows * layout_.RowPitch()), &area);
  // The first row's number stands in the margin above the moved pixels.
  if (area.top > 0) host_.invalidateRect(Rect{0, 0, client.x, area.top});
}

void CLineBar::onSize(int, int) { Refresh(); }

// Only what meets the invalid area is drawn.
void CLineBar::onPaint(Canvas& canvas, const Rect& invalid) {
  const Point client = host_.clientSize();
  const int cx = client.x;
  const int cy = client.y;
  const int top = layout_.TopMargin();
  canvas.fillRect(invalid, back_);
  // Lit on the left, shadowed on the right, where the text window begins.
  canvas.drawLine(0, 0, 0, cy, PaletteColor(kHighlight), 1, PenStyle::kSolid);
  canvas.drawLine(cx - 1, 0, cx - 1, cy, PaletteColor(kTick), 1, PenStyle::kSolid);

  const long long first = shownFirstRow_;
  const long long last = first + std::max(0, cy - top) / layout_.RowPitch();
  const long long from = std::max(first, RowAt(invalid.top) - 1);
  const long long to = std::min(last, RowAt(invalid.bottom) + 1);
  for (long long row = from; row <= to; ++row) {
    const int y = int(YOf(row));
    const int length = ticks_.LengthAt(row);
    canvas.drawLine(cx, y, cx - length, y, PaletteColor(kTick), 1, PenStyle::kSolid);
    canvas.drawLine(cx, y + 1, cx - length, y + 1, PaletteColor(kHighlight), 1, PenStyle::kSolid);
  }

  // A number stands above its tick (row 0's below it).
  const long long labelsFrom = std::max(first, from - 1);
  const long long labelsTo = std::min(last, RowAt(invalid.bottom + BarNumberReach(host_.dpiY())) + 1);
  if ((labelsFrom + 4) / 5 * 5 <= labelsTo) {
    const LogFont font = BarNumberFont(host_.dpiY());
    canvas.selectFont(font);
    const TextMetric metrics = canvas.textMetrics();
    const int height = metrics.height;
    const int right = cx - ticks_.shortTick - BarNumberShift(canvas, ticks_.shortTick);
    // Right of the bar's lit left edge.
    const int room = std::max(1, right - 1);
    canvas.setBkOpaque(false);
    canvas.setTextColor(PaletteColor(kTick));
    for (long long row = (labelsFrom + 4) / 5 * 5; row <= labelsTo; row += 5) {
      const int bottom = row == 0 ? top + 1 + height : int(YOf(row));
      const std::string label = BarLabel(row);
      // A number wider than the bar (five digits and more) is drawn
      // narrower, never cut.
      const int extent = canvas.textExtent(label);
      if (extent > room) canvas.selectFont(NarrowedFont(font, metrics.aveCharWidth, room, extent));
      canvas.drawText(label, Rect{0, bottom - height, right, bottom}, dt::kRight | dt::kSingleLine | dt::kNoPrefix);
      if (extent > room) canvas.selectFont(font);
    }
  }

  if (marked_ >= from && marked_ <= to) {
    const int y = int(YOf(marked_));
    canvas.fillRect(Rect{cx - ticks_.shortTick, y + 1, cx - 1, y + layout_.RowPitch() - 1}, cursor_);
  }
}

void CLineBar::SelectTo(long long row) {
  if (text_) SelectRows(*text_, doc_, anchorRow_, std::uint32_t(std::clamp<long long>(row, 0, 0xFFFFFFFFll)));
}

void CLineBar::onMouse(MouseKind kind, int, int y, KeyState state) {
  const bool inScale = y >= layout_.TopMargin();
  switch (kind) {
    case MouseKind::kLeftDown: {
      if (!text_ || !inScale) break;
      const long long row = RowAt(y);
      if (state.shift && text_->HasSelection()) {
        anchorRow_ = SelectionAnchorRow(*text_, doc_, std::uint32_t(row));
      } else {
        anchorRow_ = std::uint32_t(row);
      }
      SelectTo(row);
      dragging_ = true;
      host_.setCapture();
      host_.setTimer(kSelectTimer, kSelectTimerMs);
      break;
    }
    case MouseKind::kMove:
      host_.setCursor(inScale ? CursorShape::kRowSelect : CursorShape::kArrow);
      if (dragging_ && state.leftButton && inScale) SelectTo(RowAt(y));
      break;
    case MouseKind::kLeftUp:
      if (!dragging_) break;
      dragging_ = false;
      host_.killTimer(kSelectTimer);
      host_.releaseCapture();
      break;
    default:
      break;
  }
}

void CLineBar::onTimer(int id) {
  if (id == kSelectTimer && dragging_) SelectTo(RowAt(host_.cursorPos().y));
}

}  // namespace quarn
