#include "core/binaryview/CVeskBV.h"

#include <algorithm>
#include <cstdlib>

#include "platform/ScrollCodes.h"
#include "core/document/CVeskDoc.h"
#include "platform/KeyCodes.h"

namespace quarn {

CVeskBV::CVeskBV(CVeskDoc& doc, WindowHost& host, const BinaryViewSettings& settings)
    : doc_(doc), host_(host), source_(settings), settings_(settings.Normalized()), marks_(&doc.CharMarks()) {}

void CVeskBV::SetScreenFont(const LogFont& font, const TextMetric& metrics) {
  font_ = font;
  metrics_ = metrics;
}

void CVeskBV::OnCreate() {
  caretPos_ = 0;
  caretArea_ = BinaryArea::kHex;
  lowNibble_ = false;
  anchor_ = end_ = 0;
  layout_.SetFirstRow(0);
  layout_.SetFirstColumn(0);
  const Point client = host_.clientSize();
  layout_.SetClientSize(client.x, client.y);
  Relayout();
}

void CVeskBV::OnSize(int cx, int cy) {
  layout_.SetClientSize(cx, cy);
  Relayout();
}

void CVeskBV::Relayout() {
  settings_ = source_.Normalized();
  layout_.SetShape(settings_.BytesPerLine, settings_.BlockBytes());
  const DocumentFormat& format = doc_.Format();
  layout_.SetMetrics(metrics_, host_.dpiX(), host_.dpiY(), format.charSpacing, format.lineSpacing,
                     settings_.LeftMarginLM, settings_.TopMarginLM);
  anchor_ = end_ = 0;
  UpdateScrollBars();
  host_.invalidate();
  // The caret's row and cell moved with the grid; the dropped selection no
  // longer hides it.
  PlaceCaret(caretPos_, lowNibble_);
}

void CVeskBV::UpdateScrollBars() {
  const ScrollRange vertical = layout_.VerticalRange(doc_.TextLength());
  if (vertical.enabled) {
    layout_.SetFirstRow(std::min<std::uint32_t>(layout_.FirstRow(), std::uint32_t(vertical.max)));
  } else {
    layout_.SetFirstRow(0);
  }
  host_.setScrollRange(ScrollBar::kVertical, 0, vertical.max);
  host_.setScrollPos(ScrollBar::kVertical, int(layout_.FirstRow()));

  const ScrollRange horizontal = layout_.HorizontalRange();
  host_.showScrollBar(ScrollBar::kHorizontal, horizontal.enabled);
  if (horizontal.enabled) {
    layout_.SetFirstColumn(std::clamp(layout_.FirstColumn(), 0, horizontal.max));
    host_.setScrollRange(ScrollBar::kHorizontal, 0, horizontal.max);
    host_.setScrollPos(ScrollBar::kHorizontal, layout_.FirstColumn());
  } else {
    layout_.SetFirstColumn(0);
  }
}

void CVeskBV::OnPaint(Canvas& canvas, const Rect& invalid) {
  // Colours and the text decoding may change between relayouts; the grid's
  // shape stays the one of the last relayout.
  settings_ = source_.Normalized();
  const std::uint32_t length = doc_.TextLength();
  canvas.selectFont(font_);
  BinaryPainter painter(canvas, layout_, settings_, colors_);
  const bool underlines = settings_.AnyUnderline() && !HasSelection();
  if (invalid.width() <= 0 || invalid.height() <= 0) {
    if (length == 0 && underlines) painter.DrawUnderlines(0, caretArea_);
    return;
  }
  canvas.fillRect(invalid, colors_.back);
  painter.DrawHeader();

  if (length > 0 && layout_.RowStart(layout_.FirstRow()) < length) {
    const std::uint32_t firstByte = layout_.RowStart(layout_.FirstRow());
    std::uint32_t lastByte = layout_.LastVisiblePos(length);
    if (lastByte - firstByte + 1 > BinaryPainter::kPaintLimit) lastByte = firstByte + BinaryPainter::kPaintCut - 1;
    // Only the rows that meet the invalid rectangle.
    const int lineHeight = layout_.LineHeight();
    const int dataTop = layout_.DataTop();
    const std::uint32_t rowFromTop = invalid.top > dataTop ? std::uint32_t((invalid.top - dataTop) / lineHeight) : 0;
    const std::uint32_t rowToBottom =
        invalid.bottom > dataTop ? std::uint32_t((invalid.bottom - 1 - dataTop) / lineHeight) : 0;
    const std::uint32_t firstRow = layout_.FirstRow() + rowFromTop;
    const std::uint32_t lastRow = std::min(layout_.RowOf(lastByte), layout_.FirstRow() + rowToBottom);
    if (invalid.bottom > dataTop) painter.DrawRows(doc_, firstRow, lastRow, marks_);
  }
  if (underlines) painter.DrawUnderlines(caretPos_, caretArea_);
  if (HasSelection()) painter.InvertSelection(SelectionFirst(), SelectionLast());
}

void CVeskBV::OnVScroll(int code, int pos) {
  const ScrollRange range = layout_.VerticalRange(doc_.TextLength());
  if (!range.enabled) {
    if (layout_.FirstRow() == 0) VScrollAsKey(code);
    return;
  }
  if (const auto row = sb::Target(code, pos, layout_.FirstRow(), 1, layout_.VisibleRows(), range.max))
    ScrollRowsTo(*row);
}

void CVeskBV::VScrollAsKey(int code) {
  int key = 0;
  switch (code) {
    case sb::kLineUp: key = vk::kUp; break;
    case sb::kLineDown: key = vk::kDown; break;
    case sb::kPageUp: key = vk::kPrior; break;
    case sb::kPageDown: key = vk::kNext; break;
    case sb::kTop: key = vk::kHome; break;
    case sb::kBottom:
    case sb::kThumbPosition: key = vk::kEnd; break;
    default: return;
  }
  if (scrollKey_)
    scrollKey_(key);
  else
    OnKeyDown(key, KeyState{});
}

void CVeskBV::FollowScroll() {
  const Point point = CaretPoint();
  host_.setCaretPos(point.x, point.y);
  host_.setImePosition(point);
}

void CVeskBV::ScrollRowsTo(std::int64_t row) {
  const ScrollRange range = layout_.VerticalRange(doc_.TextLength());
  row = std::clamp<std::int64_t>(row, 0, range.max);
  const std::int64_t move = row - std::int64_t(layout_.FirstRow());
  if (move == 0) return;
  if (std::abs(move) < layout_.VisibleRows()) {
    const Rect area = layout_.DataArea();
    host_.scrollWindow(0, int(-move * layout_.LineHeight()), &area);
  } else {
    host_.invalidate();
  }
  layout_.SetFirstRow(std::uint32_t(row));
  host_.setScrollPos(ScrollBar::kVertical, int(row));
  FollowScroll();
  host_.update();
}

void CVeskBV::OnHScroll(int code, int pos) {
  const ScrollRange range = layout_.HorizontalRange();
  if (!range.enabled) return;
  // A line step moves the binary window ten columns.
  if (const auto column = sb::Target(code, pos, layout_.FirstColumn(), 10, layout_.VisibleColumns(), range.max))
    ScrollColumnsTo(*column);
}

void CVeskBV::ScrollColumnsTo(std::int64_t column) {
  const ScrollRange range = layout_.HorizontalRange();
  column = std::clamp<std::int64_t>(column, 0, range.max);
  const std::int64_t move = column - layout_.FirstColumn();
  if (move == 0) return;
  // The header's cells move with the columns too.
  const Rect area{layout_.LeftMargin(), 0, layout_.ClientWidth(), layout_.ClientHeight()};
  host_.scrollWindow(int(-move * layout_.CharWidth()), 0, &area);
  layout_.SetFirstColumn(int(column));
  host_.setScrollPos(ScrollBar::kHorizontal, int(column));
  FollowScroll();
  host_.update();
}

void CVeskBV::SetCaretState(std::uint32_t pos, BinaryArea area, bool lowNibble) {
  pos = std::min(pos, doc_.TextLength());
  if (pos == doc_.TextLength()) lowNibble = false;
  const bool moved = pos != caretPos_ || area != caretArea_;
  if (moved) InvalidateUnderlines();
  caretPos_ = pos;
  caretArea_ = area;
  lowNibble_ = lowNibble;
  if (moved) InvalidateUnderlines();
}

Point CVeskBV::CaretPoint() const {
  const std::uint32_t row = layout_.RowOf(caretPos_);
  const int index = int(caretPos_ % std::uint32_t(layout_.BytesPerLine()));
  const bool hex = caretArea_ == BinaryArea::kHex;
  int x = layout_.CellX(hex ? layout_.HexCell(index) : layout_.TextCell(index));
  if (hex && lowNibble_) x += 2 * layout_.CharWidth();
  const std::int64_t y = std::clamp<std::int64_t>(layout_.RowTop(row), -0x40000000, 0x3FFFFFFF);
  return Point{x, std::int32_t(y)};
}

void CVeskBV::SetSelection(std::uint32_t anchor, std::uint32_t end) {
  const std::uint32_t length = doc_.TextLength();
  anchor = std::min(anchor, length);
  end = std::min(end, length);
  if (anchor == anchor_ && end == end_) return;
  const bool wasActive = HasSelection();
  if (wasActive) InvalidatePositions(SelectionFirst(), SelectionLast());
  anchor_ = anchor;
  end_ = end;
  if (HasSelection()) InvalidatePositions(SelectionFirst(), SelectionLast());
  // The underlines are hidden while a selection is shown.
  if (wasActive != HasSelection()) InvalidateUnderlines();
}

void CVeskBV::DropSelection() { SetSelection(caretPos_, caretPos_); }

void CVeskBV::InvalidatePositions(std::uint32_t first, std::uint32_t last) {
  if (first > last || layout_.VisibleRowsPartial() == 0) return;
  const std::uint32_t shownFirst = layout_.FirstRow();
  const std::uint64_t shownLast = std::uint64_t(shownFirst) + std::uint64_t(layout_.VisibleRowsPartial()) - 1;
  const std::uint32_t fromRow = std::max(layout_.RowOf(first), shownFirst);
  const std::uint64_t toRow = std::min<std::uint64_t>(layout_.RowOf(last), shownLast);
  if (fromRow > toRow) return;
  // Two pixels more: an underline may sit on the next row's top.
  const int top = int(layout_.RowTop(fromRow));
  const int bottom = int(layout_.RowTop(std::uint32_t(toRow)) + layout_.LineHeight() + 2);
  host_.invalidateRect(Rect{0, top, layout_.ClientWidth(), bottom});
}

void CVeskBV::InvalidateUnderlines() {
  if (!settings_.AnyUnderline()) return;
  InvalidatePositions(caretPos_, caretPos_);
}

}  // namespace quarn
