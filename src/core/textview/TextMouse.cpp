// The mouse in the text window: clicks place the caret, drags select by
// stream or (with Ctrl) by box, double clicks select a word, and the right
// button shows the popup menu.
#include <algorithm>

#include "core/document/CVeskDoc.h"
#include "core/textview/CVeskEV.h"
#include "core/textview/TagLineClick.h"
#include "core/textview/WordClass.h"

namespace quarn {

void CVeskEV::OnMouse(MouseKind kind, int x, int y, KeyState state) {
  switch (kind) {
    case MouseKind::kLeftDown:
      LeftDown(x, y, state);
      break;
    case MouseKind::kMove: {
      const Rect area = TextArea();
      const bool inside = x >= area.left && x < area.right && y >= area.top && y < area.bottom;
      host_.setCursor(inside ? CursorShape::kIBeam : CursorShape::kArrow);
      if (dragging_) DragTo(x, y);
      break;
    }
    case MouseKind::kLeftUp:
      if (!dragging_) break;
      dragging_ = false;
      host_.releaseCapture();
      host_.killTimer(kDragTimer);
      break;
    case MouseKind::kLeftDoubleClick:
      if (!state.control && TagLineDoubleClickHandler() && TagLineDoubleClickHandler()(*this)) break;
      SelectWordAt(x, y, state);
      break;
    case MouseKind::kRightDown:
      if (popup_) popup_(Point{x, y});
      break;
    default:
      break;
  }
}

void CVeskEV::LeftDown(int x, int y, KeyState state) {
  StopAutoScroll();
  const TextCell cell = layout_.ClientToCell(Point{x, y}, doc_.RowCount());
  if (state.shift && !box_) {
    const std::uint32_t anchor = selActive_ ? anchor_ : CaretOffset();
    MoveCaretTo(cell, FreeCursor());
    SelectRange(anchor, CaretOffset());
  } else {
    CancelSelection();
    MoveCaretTo(cell, FreeCursor());
    anchor_ = CaretOffset();
    if (state.control) {
      box_ = true;
      boxAnchor_ = caret_;
    }
  }
  UpdateCaretShown();
  host_.setCapture();
  host_.setTimer(kDragTimer, kDragTimerMs);
  dragging_ = true;
}

void CVeskEV::DragTo(int x, int y) {
  const TextCell cell = layout_.ClientToCell(Point{x, y}, doc_.RowCount());
  if (!box_) {
    MoveCaretTo(cell, false);
    SelectRange(anchor_, CaretOffset());
    return;
  }
  // A box keeps its corners where the pointer is, beyond line ends too.
  InvalidateSelection();
  caret_ = Normalized(cell, true);
  goal_ = caret_.column;
  selActive_ = caret_.column != boxAnchor_.column;
  const TextCell top = caret_.row < boxAnchor_.row ? caret_ : boxAnchor_;
  const TextCell bottom = caret_.row < boxAnchor_.row ? boxAnchor_ : caret_;
  selStart_ = PosOfColumn(doc_, doc_.RowStartAt(top.row), std::min(top.column, bottom.column), false).pos;
  selEnd_ = std::max(selStart_, PosOfColumn(doc_, doc_.RowStartAt(bottom.row), std::max(top.column, bottom.column), false).pos);
  InvalidateSelection();
  PlaceCaret();
}

void CVeskEV::SelectWordAt(int x, int y, KeyState state) {
  StopAutoScroll();
  const TextCell cell = layout_.ClientToCell(Point{x, y}, doc_.RowCount());
  if (state.shift) {
    const std::uint32_t anchor = selActive_ && !box_ ? anchor_ : CaretOffset();
    MoveCaretTo(cell, false);
    SelectRange(anchor, CaretOffset());
    return;
  }
  const std::uint32_t length = doc_.TextLength();
  const std::uint32_t pos = PosOfColumn(doc_, doc_.RowStartAt(std::min(cell.row, LastCaretRow(doc_))),
                                        cell.column, false).pos;
  const int cls = WordClassAt(doc_, pos);
  std::uint32_t start = pos;
  while (start > 0 && WordClassAt(doc_, doc_.PrevCharPos(start)) == cls) start = doc_.PrevCharPos(start);
  std::uint32_t end = pos;
  while (end < length && WordClassAt(doc_, end) == cls) end = doc_.NextCharPos(end);
  CancelSelection();
  caret_ = CellOfPos(start);
  goal_ = caret_.column;
  PlaceCaret();
  SelectRange(end, start);
}

}  // namespace quarn
