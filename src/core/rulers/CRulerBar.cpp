#include "core/rulers/CRulerBar.h"

#include <algorithm>

#include "core/cabinet/CVeskCabinet.h"
#include "core/common/AppSettings.h"
#include "core/common/Palette.h"
#include "core/document/CVeskDoc.h"

namespace quarn {

using namespace rulercolour;

CRulerBar::CRulerBar(CVeskDoc& doc, WindowHost& host, const TextLayout& layout)
    : doc_(doc), host_(host), layout_(layout) {
  RefreshMetrics();
}

void CRulerBar::RefreshMetrics() {
  ticks_ = ColumnRulerTicks(host_.dpiY());
  back_ = BarColour(gSettings.RulerBackColor, kDefaultBack);
  cursor_ = BarColour(gSettings.RulerCursorColor, kDefaultCursor);
  host_.invalidate();
}

int CRulerBar::Origin() const {
  return (gSettings.DisplayLineBar ? LineBarWidth(host_.dpiX()) : 0) + layout_.LeftMargin();
}

long long CRulerBar::XOf(long long column) const {
  return Origin() + (column - layout_.FirstColumn()) * layout_.CharPitch();
}

long long CRulerBar::ColumnAt(int x) const {
  return FloorDiv(x - Origin() + 1, layout_.CharPitch()) + layout_.FirstColumn();
}

int CRulerBar::LineWidth() const { return doc_.Format().charsPerLine; }

// The 2-pixel band of the line width's tick and its highlight, within the
// long tick's height.
bool CRulerBar::OnLineWidthMark(int x, int y) const {
  const long long width = LineWidth();
  const long long band = XOf(width) + 1;
  if (x < band - 1 || x > band || y < ticks_.base - ticks_.longTick || y > ticks_.base - 1) return false;
  const long long column = ColumnAt(x);
  return column == width || column == width - 1;
}

void CRulerBar::InvalidateColumn(long long column) {
  const long long x = XOf(column);
  const Point client = host_.clientSize();
  if (x + layout_.CharPitch() < 0 || x > client.x) return;
  host_.invalidateRect(Rect{int(x), 0, int(x) + layout_.CharPitch() + 1, client.y});
}

void CRulerBar::CaretMoved(int column) {
  if (column == marked_) return;
  InvalidateColumn(marked_);
  marked_ = column;
  InvalidateColumn(marked_);
}

void CRulerBar::Refresh() { host_.invalidate(); }

void CRulerBar::DrawTick(Canvas& canvas, long long column, int lineWidth) {
  const int x = int(XOf(column));
  const int top = ticks_.base - ticks_.LengthAt(column);
  const bool width = column == lineWidth;
  canvas.drawLine(x, ticks_.base, x, top, PaletteColor(width ? kLineWidth : kTick), 1, PenStyle::kSolid);
  canvas.drawLine(x + 1, ticks_.base, x + 1, top, PaletteColor(width ? kLineWidth : kHighlight), 1, PenStyle::kSolid);
}

// Only what meets the invalid area is drawn: the mark moves with every
// caret move, and the text window's paints take the ruler's along.
void CRulerBar::onPaint(Canvas& canvas, const Rect& invalid) {
  const Point client = host_.clientSize();
  const int cx = client.x;
  const int cy = client.y;
  const int base = ticks_.base;
  const int left = gSettings.DisplayLineBar ? LineBarWidth(host_.dpiX()) : 0;
  canvas.fillRect(invalid, back_);
  canvas.drawLine(0, 0, cx, 0, PaletteColor(kHighlight), 1, PenStyle::kSolid);
  if (left > 0) canvas.drawLine(0, 0, 0, cy, PaletteColor(kHighlight), 1, PenStyle::kSolid);
  canvas.drawLine(0, cy - 1, cx, cy - 1, PaletteColor(kTick), 1, PenStyle::kSolid);
  canvas.drawLine(left, base - 1, cx, base - 1, PaletteColor(kShadow), 1, PenStyle::kSolid);
  canvas.drawLine(left, base, cx, base, PaletteColor(kTick), 1, PenStyle::kSolid);

  const long long first = layout_.FirstColumn();
  const long long last = first + std::max(0, cx - Origin()) / layout_.CharPitch();
  const long long from = std::max(first, ColumnAt(invalid.left) - 1);
  const long long to = std::min(last, ColumnAt(invalid.right) + 1);
  const int lineWidth = LineWidth();
  for (long long column = from; column <= to; ++column) DrawTick(canvas, column, lineWidth);

  // A number lies left of its tick (column 0's right of it).
  const long long labelsTo = std::min(last, ColumnAt(invalid.right + BarNumberReach(host_.dpiY())) + 1);
  const long long labelsFrom = std::max(first, from - 1);
  if ((labelsFrom + 9) / 10 * 10 <= labelsTo) {
    canvas.selectFont(BarNumberFont(host_.dpiY()));
    const int shift = BarNumberShift(canvas, kNumberShift);
    canvas.setBkOpaque(false);
    canvas.setTextColor(PaletteColor(kTick));
    const int top = base - ticks_.longTick - 1;
    for (long long column = (labelsFrom + 9) / 10 * 10; column <= labelsTo; column += 10) {
      const std::string label = BarLabel(column);
      // Column 0 starts the scale; every other number ends left of its
      // tick, measured in the font (digits of a proportional face are
      // wider than its average character).
      const long long x = column == 0 ? Origin() + 1 : XOf(column) - canvas.textExtent(label) - shift;
      canvas.extTextOut(int(x), top, 0, nullptr, label, {});
    }
  }

  if (marked_ >= from && marked_ <= to) {
    const int x = int(XOf(marked_));
    canvas.fillRect(Rect{x + 1, base - ticks_.shortTick, x + layout_.CharPitch() - 1, base - 1}, cursor_);
  }
  if (dragging_) {
    const int x = int(XOf(dragColumn_));
    canvas.drawLine(x, base - ticks_.longTick, x, base, PaletteColor(kDragLine), 1, PenStyle::kSolid);
  }
}

void CRulerBar::onMouse(MouseKind kind, int x, int y, KeyState) {
  switch (kind) {
    case MouseKind::kMove: {
      host_.setCursor(dragging_ || OnLineWidthMark(x, y) ? CursorShape::kSizeWE : CursorShape::kArrow);
      if (!dragging_) break;
      const long long column = ColumnAt(x);
      if (column < kMinLineWidth || column > kMaxLineWidth || column == dragColumn_) break;
      InvalidateColumn(dragColumn_);
      dragColumn_ = int(column);
      InvalidateColumn(dragColumn_);
      host_.update();
      break;
    }
    case MouseKind::kLeftDown:
      if (!OnLineWidthMark(x, y)) break;
      dragging_ = true;
      dragColumn_ = LineWidth();
      host_.setCapture();
      InvalidateColumn(dragColumn_);
      host_.update();
      break;
    case MouseKind::kLeftUp: {
      if (!dragging_) break;
      dragging_ = false;
      host_.releaseCapture();
      const int column = int(std::clamp<long long>(ColumnAt(x), kMinLineWidth, kMaxLineWidth));
      host_.invalidate();
      // A new width lays the text out again and tells every view (hint 32).
      if (column != LineWidth()) gCabinet.RefreshDocumentFormat(doc_, column);
      host_.update();
      break;
    }
    default:
      break;
  }
}

}  // namespace quarn
