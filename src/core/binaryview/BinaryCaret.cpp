// The caret of the binary window: where it stands, keeping it in view, its
// shape by the overwrite flag and the status panes it writes.
#include <algorithm>
#include <cstdio>

#include "core/binaryview/CVeskBV.h"
#include "core/common/ProcessValues.h"
#include "core/document/CVeskDoc.h"
#include "core/common/StatusPanes.h"

namespace quarn {
namespace {

// The fixed step of the horizontal scroll that follows the caret.
constexpr int kColumnStep = 10;

}  // namespace

void CVeskBV::ScrollCaretIntoView(std::uint32_t pos, BinaryArea area) {
  const std::uint32_t row = layout_.RowOf(pos);
  const std::uint32_t first = layout_.FirstRow();
  const int visible = std::max(layout_.VisibleRows(), 1);
  if (row < first)
    ScrollRowsTo(row);
  else if (row >= first + std::uint32_t(visible))
    ScrollRowsTo(std::int64_t(row) - visible + 1);

  if (!layout_.HorizontalRange().enabled) return;
  const int index = int(pos % std::uint32_t(layout_.BytesPerLine()));
  const int column = area == BinaryArea::kHex ? layout_.HexCell(index) : layout_.TextCell(index);
  const int firstColumn = layout_.FirstColumn();
  const int columns = layout_.VisibleColumns();
  if (column > firstColumn + columns)
    ScrollColumnsTo(firstColumn + std::max(column + 2 - firstColumn - columns, kColumnStep));
  else if (column < firstColumn)
    ScrollColumnsTo(firstColumn - std::max(firstColumn - column + kColumnStep, kColumnStep));
}

void CVeskBV::UpdateCaretShown() {
  const bool want = focused_ && caretCreated_ && !HasSelection();
  if (want == caretShown_) return;
  caretShown_ = want;
  if (want)
    host_.showCaret();
  else
    host_.hideCaret();
}

void CVeskBV::PlaceCaret(std::uint32_t pos, bool lowNibble, bool recreate, bool noScroll) {
  const std::uint32_t length = doc_.TextLength();
  if (pos >= length) {
    pos = length;
    lowNibble = false;
  }
  if (!noScroll) ScrollCaretIntoView(pos, caretArea_);
  SetCaretState(pos, caretArea_, lowNibble);
  if (recreate) {
    if (caretShown_) host_.hideCaret();
    caretShown_ = false;
    int height = layout_.FontHeight();
    if (settings_.DrawUnderCaret && height >= 3) height -= 2;
    host_.createCaret(gProcess.overwrite ? 8 : 2, height);
    caretCreated_ = true;
  }
  const Point point = CaretPoint();
  host_.setCaretPos(point.x, point.y);

  char text[24];
  std::snprintf(text, sizeof text, "0x%.8X", unsigned(pos));
  StatusBar().SetPaneTextFast(pane::kOffsetHex, text);
  std::snprintf(text, sizeof text, "%.8u", unsigned(pos));
  StatusBar().SetPaneTextFast(pane::kOffsetDec, text);
  if (pos < length)
    std::snprintf(text, sizeof text, "%.3d", int(doc_.ByteAt(pos)));
  else
    std::snprintf(text, sizeof text, " ");
  StatusBar().SetPaneTextFast(pane::kByteValue, text);
  StatusBar().SetPaneTextFast(pane::kDecoding, StrCodeName(settings_.Code()));

  host_.setImePosition(point);
  UpdateCaretShown();
}

void CVeskBV::BringRowIntoView(std::uint32_t row, std::uint32_t pos) {
  const std::uint32_t rows = layout_.Rows(doc_.TextLength());
  if (rows > 0) row = std::min(row, rows - 1);
  const std::uint32_t first = layout_.FirstRow();
  const std::uint32_t visible = std::uint32_t(std::max(layout_.VisibleRows(), 1));
  if (row < first || row >= first + visible) {
    const std::uint32_t half = visible / 2;
    ScrollRowsTo(row > half ? std::int64_t(row - half) : 0);
  }
  PlaceCaret(std::min(pos, doc_.TextLength()), false);
  rememberedColumn_ = int(caretPos_ % std::uint32_t(layout_.BytesPerLine()));
}

}  // namespace quarn

namespace quarn {

void CVeskBV::RestorePosition(const PositionWords& words) {
  if (words[0] >= layout_.Rows(doc_.TextLength())) return;
  layout_.SetFirstRow(words[0]);
  UpdateScrollBars();
  PlaceCaret(std::min(words[1], doc_.TextLength()), false, false, true);
  host_.invalidate();
}

}  // namespace quarn
