// The caret of the text window: its cell, the movement keys, keeping it in
// view, its shape and the status bar texts it writes.
#include <algorithm>
#include <string>

#include "core/commands/CommandIds.h"
#include "core/common/AppMessage.h"
#include "core/common/ProcessValues.h"
#include "core/common/AppSettings.h"
#include "core/cabinet/CVeskCabinet.h"
#include "core/document/CVeskDoc.h"
#include "core/document/RowLayout.h"
#include "core/macro/OperationRecorder.h"
#include "core/textview/CVeskEV.h"
#include "core/textview/WordClass.h"
#include "core/common/StatusPanes.h"

namespace quarn {
namespace {

std::uint32_t KeyRecordType(int key) {
  switch (key) {
    case vk::kHome: return 16;
    case vk::kEnd: return 17;
    case vk::kPrior: return 18;
    case vk::kNext: return 19;
    case vk::kRight: return 20;
    case vk::kLeft: return 21;
    case vk::kDown: return 22;
    case vk::kUp: return 23;
    case vk::kInsert: return 24;
    case vk::kEscape: return 25;
    default: return 0;
  }
}

// v in decimal with at least digits digits, as "%.5u" and "%.3lu" write
// it; written by hand since every append to a tool's output places the caret.
std::string ZeroPadded(unsigned long v, int digits) {
  char text[24];
  char* p = text + sizeof text;
  do {
    *--p = char('0' + v % 10);
    v /= 10;
  } while (v != 0 || text + sizeof text - p < digits);
  return std::string(p, std::size_t(text + sizeof text - p));
}

}  // namespace

std::uint32_t KeyStateId(KeyState state) { return (state.shift ? 1u : 0u) | (state.control ? 2u : 0u); }

TextCell CVeskEV::CellOfPos(std::uint32_t pos) const {
  pos = std::min(pos, doc_.TextLength());
  // The row is looked up once for both halves of the cell: appended output
  // places the caret at every line.
  const std::uint32_t row = doc_.RowOfPos(pos);
  return TextCell{ColumnInRow(doc_, doc_.RowStartAt(row), pos), row};
}

TextCell CVeskEV::Normalized(TextCell cell, bool freeCursor) const {
  cell.row = std::min(cell.row, LastCaretRow(doc_));
  cell.column = std::clamp(cell.column, 0, layout_.MaxRowWidth());
  const std::uint32_t start = doc_.RowStartAt(cell.row);
  const ColumnHit hit = PosOfColumn(doc_, start, cell.column, freeCursor);
  cell.column = ColumnInRow(doc_, start, hit.pos) + hit.overhang;
  return cell;
}

std::uint32_t CVeskEV::CaretOffset() const {
  const std::uint32_t start = doc_.RowStartAt(caret_.row);
  const ColumnHit hit = PosOfColumn(doc_, start, caret_.column, true);
  // Beyond the row's last character the caret stands after it, except
  // beyond a line end, where it stands before the CR.
  if (hit.overhang > 0 && hit.pos < doc_.TextLength() && !doc_.IsLineEndAt(hit.pos))
    return doc_.NextCharPos(hit.pos);
  return hit.pos;
}

void CVeskEV::ScrollIntoView(TextCell cell) {
  const std::uint32_t first = layout_.FirstRow();
  const std::uint32_t visible = std::uint32_t(std::max(1, layout_.VisibleRows()));
  if (cell.row < first)
    ScrollRowsTo(cell.row);
  else if (cell.row >= first + visible)
    ScrollRowsTo(std::int64_t(cell.row) - visible + 1);
  const int firstColumn = layout_.FirstColumn();
  const int columns = std::max(1, layout_.VisibleColumns());
  if (cell.column < firstColumn)
    ScrollColumnsTo(cell.column);
  else if (cell.column >= firstColumn + columns)
    ScrollColumnsTo(cell.column - columns + 1);
}

void CVeskEV::CreateCaret() {
  if (caretShown_) host_.hideCaret();
  caretShown_ = false;
  host_.createCaret(gProcess.overwrite ? 8 : 2, std::max(1, layout_.FontHeight()));
  caretCreated_ = true;
}

void CVeskEV::UpdateCaretShown() {
  const bool want = focused_ && caretCreated_ && !selActive_;
  if (want == caretShown_) return;
  caretShown_ = want;
  if (want)
    host_.showCaret();
  else
    host_.hideCaret();
}

void CVeskEV::ShowCaretPosition() {
  const bool byLine = gCabinet.Settings().LineNumberMode != 0;
  std::uint32_t line = caret_.row;
  unsigned long column = unsigned(caret_.column);
  if (byLine) {
    line = doc_.RowToLineNumber(caret_.row);
    // Columns count from the start of the logical line across its rows.
    for (std::uint32_t row = caret_.row; row > 0 && row < doc_.RowCount() && doc_.RowFlags()[row] == 0;) {
      --row;
      column += unsigned(ColumnInRow(doc_, doc_.RowStartAt(row), RowEnd(doc_, row)));
    }
  }
  StatusBar().SetPaneTextFast(pane::kOffsetHex, ZeroPadded(unsigned(line + 1), 5));
  StatusBar().SetPaneTextFast(pane::kOffsetDec, ZeroPadded(column + 1, 3));
}

void CVeskEV::PlaceCaret(bool noScroll) {
  if (rangesStale_) UpdateScrollRanges();
  if (!noScroll) {
    ScrollIntoView(caret_);
    appendWaiting_ = false;
  }
  const Point point = layout_.CellToClient(caret_.column, caret_.row);
  host_.setCaretPos(point.x, point.y);
  ShowCaretPosition();
  if (view_) view_->CaretMoved(caret_.column, caret_.row);
  host_.setImePosition(point);
  UpdateCaretShown();
}

void CVeskEV::MoveCaretTo(TextCell cell, bool freeCursor) {
  caret_ = Normalized(cell, freeCursor);
  goal_ = caret_.column;
  PlaceCaret();
}

PositionWords CVeskEV::SavePosition() const {
  return {layout_.FirstRow(), std::uint32_t(caret_.column), caret_.row};
}

void CVeskEV::RestorePosition(const PositionWords& words) {
  if (words[0] >= doc_.RowCount()) return;
  CancelSelection();
  caret_ = Normalized({int(std::min<std::uint32_t>(words[1], 0x7FFF)), words[2]}, false);
  goal_ = caret_.column;
  // The stored top row stands even where the caret lies outside the window.
  layout_.SetFirstRow(words[0]);
  UpdateScrollRanges();
  PlaceCaret(true);
  host_.invalidate();
}

void CVeskEV::GoToCell(int column, std::uint32_t row) {
  CancelSelection();
  MoveCaretTo({std::clamp(column, 0, 0x7FFF), row}, false);
}

void CVeskEV::MoveBy(TextCell cell, KeyState state, bool setGoal) {
  const std::uint32_t anchor = selActive_ && !box_ ? anchor_ : CaretOffset();
  if (!state.shift) CancelSelection();
  caret_ = Normalized(cell, FreeCursor() && !state.shift);
  if (setGoal) goal_ = caret_.column;
  PlaceCaret();
  if (state.shift) SelectRange(anchor, CaretOffset());
  UpdateCaretShown();
}

void CVeskEV::StopAutoScroll() {
  if (autoScroll_ == 0) return;
  autoScroll_ = 0;
  host_.killTimer(kAutoScrollTimer);
}

void CVeskEV::ScrollByRow(int direction) {
  ScrollRowsTo(std::int64_t(layout_.FirstRow()) + direction);
  const std::uint32_t first = layout_.FirstRow();
  const std::uint32_t visible = std::uint32_t(std::max(1, layout_.VisibleRows()));
  TextCell cell = caret_;
  if (cell.row < first) cell.row = first;
  if (cell.row >= first + visible) cell.row = first + visible - 1;
  if (cell.row != caret_.row) {
    cell.column = goal_;
    caret_ = Normalized(cell, FreeCursor());
  }
  PlaceCaret(true);
}

void CVeskEV::AutoScrollTick() {
  const std::uint32_t last = LastCaretRow(doc_);
  const std::uint32_t count = std::uint32_t(std::max(1, gSettings.AutoScrollCount));
  const std::uint32_t from = caret_.row;
  const std::uint32_t to = autoScroll_ == vk::kUp ? (from > count ? from - count : 0) : std::min(last, from + count);
  if (to == from) {
    StopAutoScroll();
    return;
  }
  if (gSettings.AutoScrollBreak) {
    const std::uint32_t lo = std::min(from, to), hi = std::max(from, to);
    for (std::uint32_t value : doc_.Marks().LineMarks()) {
      const std::uint32_t row = doc_.RowOfPos(DocumentMarks::LineStartOf(value));
      if (row > lo && row <= hi) {
        StopAutoScroll();
        WarningBeep();
        return;
      }
    }
  }
  MoveBy(TextCell{goal_, to}, KeyState{}, false);
}

void CVeskEV::WordRight(KeyState state) {
  const std::uint32_t length = doc_.TextLength();
  std::uint32_t p = CaretOffset();
  const int cls = WordClassAt(doc_, p);
  while (p < length && WordClassAt(doc_, p) == cls) p = doc_.NextCharPos(p);
  if (cls != kWordSpace)
    while (p < length && WordClassAt(doc_, p) == kWordSpace) p = doc_.NextCharPos(p);
  MoveBy(CellOfPos(p), state, true);
}

void CVeskEV::WordLeft(KeyState state) {
  std::uint32_t p = CaretOffset();
  if (p > 0) {
    p = doc_.PrevCharPos(p);
    while (p > 0 && WordClassAt(doc_, p) == kWordSpace) p = doc_.PrevCharPos(p);
    const int cls = WordClassAt(doc_, p);
    while (p > 0 && WordClassAt(doc_, doc_.PrevCharPos(p)) == cls) p = doc_.PrevCharPos(p);
  }
  MoveBy(CellOfPos(p), state, true);
}

void CVeskEV::MoveKey(int key, int repeat, KeyState state) {
  const std::uint32_t last = LastCaretRow(doc_);
  const std::uint32_t length = doc_.TextLength();
  const bool free = FreeCursor() && !state.shift;
  const int maxColumn = layout_.MaxRowWidth();
  const std::uint32_t visible = std::uint32_t(std::max(1, layout_.VisibleRows()));
  const std::uint32_t first = layout_.FirstRow();
  TextCell cell = caret_;
  switch (key) {
    case vk::kHome:
      MoveBy(state.control ? TextCell{} : TextCell{0, caret_.row}, state, true);
      return;
    case vk::kEnd: {
      if (state.control) return MoveBy(CellOfPos(length), state, true);
      const std::uint32_t start = doc_.RowStartAt(caret_.row);
      if (start >= length) return MoveBy(TextCell{0, caret_.row}, state, true);
      const std::uint32_t lastChar = doc_.RowLastChar(caret_.row);
      int column = ColumnInRow(doc_, start, lastChar);
      if (!doc_.IsLineEndAt(lastChar)) column += CharColumns(doc_, lastChar);
      return MoveBy(TextCell{column, caret_.row}, state, true);
    }
    case vk::kPrior:
    case vk::kNext: {
      const bool up = key == vk::kPrior;
      ScrollRowsTo(std::int64_t(first) + (up ? -std::int64_t(visible) : std::int64_t(visible)));
      cell.row = up ? (cell.row > visible ? cell.row - visible : 0) : std::min(last, cell.row + visible);
      cell.column = goal_;
      return MoveBy(cell, state, false);
    }
    case vk::kUp:
    case vk::kDown: {
      if (state.control && state.shift) {
        autoScroll_ = key;
        host_.setTimer(kAutoScrollTimer, std::max(1, gSettings.AutoScrollInt) * 100);
        return;
      }
      const int direction = key == vk::kUp ? -1 : 1;
      if (state.control) {
        // Like every move without Shift, the scroll drops the selection.
        CancelSelection();
        return ScrollByRow(direction);
      }
      std::uint32_t step = 1;
      const std::int64_t next = std::int64_t(cell.row) + direction;
      if (next < std::int64_t(first) || next >= std::int64_t(first + visible))
        step = std::uint32_t(std::max(1, gSettings.ScrollLineCount));
      step *= std::uint32_t(std::max(1, repeat));
      cell.row = direction < 0 ? (cell.row > step ? cell.row - step : 0) : std::min<std::uint32_t>(last, cell.row + step);
      cell.column = goal_;
      return MoveBy(cell, state, false);
    }
    case vk::kLeft:
      if (state.control) return WordLeft(state);
      if (free) {
        if (cell.column == 0) {
          if (cell.row == 0) return MoveBy(cell, state, true);
          return MoveBy(TextCell{maxColumn, cell.row - 1}, state, true);
        }
        const std::uint32_t start = doc_.RowStartAt(cell.row);
        const ColumnHit hit = PosOfColumn(doc_, start, cell.column, true);
        if (hit.overhang > 0) return MoveBy(TextCell{cell.column - 1, cell.row}, state, true);
        return MoveBy(TextCell{ColumnInRow(doc_, start, doc_.PrevCharPos(hit.pos)), cell.row}, state, true);
      }
      return MoveBy(CellOfPos(doc_.PrevCharPos(CaretOffset())), state, true);
    case vk::kRight:
      if (state.control) return WordRight(state);
      if (free) {
        const std::uint32_t start = doc_.RowStartAt(cell.row);
        const ColumnHit hit = PosOfColumn(doc_, start, cell.column, true);
        const int step = hit.overhang == 0 && hit.pos < length ? CharColumns(doc_, hit.pos) : 1;
        if (cell.column + step >= maxColumn) {
          if (cell.row >= last) return MoveBy(cell, state, true);
          return MoveBy(TextCell{0, cell.row + 1}, state, true);
        }
        return MoveBy(TextCell{cell.column + step, cell.row}, state, true);
      }
      return MoveBy(CellOfPos(doc_.NextCharPos(CaretOffset())), state, true);
    default:
      return;
  }
}

void CVeskEV::OnKeyDown(int key, int repeat, KeyState state) {
  if (autoScroll_ != 0) {
    // The key only stops the automatic scroll; its character is dropped too.
    StopAutoScroll();
    swallowChar_ = true;
    return;
  }
  if (const std::uint32_t type = KeyRecordType(key)) RecordOperation(type, KeyStateId(state));
  switch (key) {
    case vk::kInsert:
      gProcess.overwrite = !gProcess.overwrite;
      CreateCaret();
      PlaceCaret(true);
      return;
    case vk::kEscape:
      CancelSelection();
      UpdateCaretShown();
      return;
    case vk::kDelete:
      RefuseDelete(std::uint32_t(std::max(1, repeat)));
      return;
    default:
      break;
  }
  if (KeyRecordType(key) != 0) return MoveKey(key, repeat, state);
  if (!state.control) return;
  switch (key) {
    case 'C': OnTextCommand(cmd::kCopy); break;
    case 'X': OnTextCommand(cmd::kCut); break;
    case 'V': OnTextCommand(cmd::kPaste); break;
    case 'Z': OnTextCommand(cmd::kUndo); break;
    default: break;
  }
}

void CVeskEV::OnTimer(int id) {
  if (id == kAppendTimer) {
    // A frame with nothing appended ends the timer: the next append shows at once.
    if (rangesStale_ || appendWaiting_ || invalidFrom_) {
      ShowAppended();
    } else {
      host_.killTimer(kAppendTimer);
      appendTimer_ = false;
    }
  }
  if (id == kAutoScrollTimer && autoScroll_ != 0) AutoScrollTick();
  if (id == kDragTimer && dragging_) {
    const Point p = host_.cursorPos();
    const Rect area = TextArea();
    if (p.x < area.left || p.x >= area.right || p.y < area.top || p.y >= area.bottom) DragTo(p.x, p.y);
  }
}

void CVeskEV::OnSetFocus() {
  focused_ = true;
  CreateCaret();
  PlaceCaret(true);
}

void CVeskEV::OnKillFocus() {
  StopAutoScroll();
  focused_ = false;
  if (caretCreated_) host_.destroyCaret();
  caretCreated_ = caretShown_ = false;
  doc_.UpdateAllViews(hint::kFocusLost);
}

}  // namespace quarn
