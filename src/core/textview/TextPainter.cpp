#include "core/textview/TextPainter.h"

#include <algorithm>

#include "core/document/CVeskDoc.h"
#include "core/encoding/Cp932.h"

namespace quarn {
namespace {

constexpr std::uint32_t kLineLookBack = 30720;
constexpr std::uint8_t kCr = 0x0D;
constexpr std::uint8_t kTab = 0x09;

}  // namespace

TextPainter::TextPainter(Canvas& canvas, const TextLayout& layout, const TextPaintColours& colours,
                         const ColourRules& rules, const CommentTables* tables)
    : canvas_(canvas), layout_(layout), colours_(colours), rules_(rules), tables_(tables) {}

void TextPainter::DrawRows(CVeskDoc& doc, std::uint32_t firstRow, std::uint32_t lastRow) {
  const std::uint32_t length = doc.TextLength();
  if (length == 0 || firstRow >= doc.RowCount()) return;
  lastRow = std::min(lastRow, doc.RowCount() - 1);
  tab_ = std::max(1, doc.Format().tabColumns);
  const std::uint32_t* starts = doc.RowStarts();
  auto rowEnd = [&](std::uint32_t row) { return row + 1 < doc.RowCount() ? starts[row + 1] : length; };
  const std::uint32_t from = starts[firstRow];
  std::uint32_t to = rowEnd(lastRow);
  if (to - from > kPaintLimit) to = from + kPaintCut;

  const DocumentMarks& marks = doc.Marks();
  const CommentTables::Text text{doc.Store().GetPointer(0), length};
  ColourStretch(text, LineStartBefore(text, from, kLineLookBack), from, to, rules_, tables_, cells_);

  canvas_.setBkOpaque(true);
  canvas_.setClip(Rect{layout_.LeftMargin(), 0, layout_.ClientWidth(), layout_.ClientHeight()});
  for (std::uint32_t row = firstRow; row <= lastRow; ++row) {
    const RowPaint paint{row, starts[row], std::min(rowEnd(row), to)};
    if (paint.start >= to) break;
    int lineBack = -1;
    if (marks.IsTagLineStart(paint.start)) lineBack = int(colours_.tagBack & kColourMask);
    if (marks.LineMarkAt(paint.start)) lineBack = int(colours_.markedLineBack & kColourMask);
    DrawRow(text.data, from, paint, lineBack);
  }
  canvas_.clearClip();
}

void TextPainter::DrawRow(const std::uint8_t* data, std::uint32_t from, const RowPaint& row, int lineBack) {
  const int pitch = layout_.CharPitch();
  const std::int64_t top64 = layout_.RowTop(row.row);
  if (top64 + layout_.RowPitch() <= 0 || top64 >= layout_.ClientHeight()) return;
  const int y = int(top64);
  const ColorRef back = lineBack >= 0 ? ColorRef(lineBack) : colours_.back;
  if (lineBack >= 0) canvas_.fillRect(Rect{layout_.LeftMargin(), y, layout_.ClientWidth(), y + layout_.RowPitch()}, back);
  const int right = layout_.ClientWidth();
  runLineBack_ = lineBack;
  int column = 0;
  int runColumn = 0;
  for (std::uint32_t p = row.start; p < row.end;) {
    const std::uint8_t b = data[p];
    const int x = layout_.CellToClient(column, row.row).x;
    if (run_.empty()) runColumn = column;
    if (x >= right) break;
    if (b == kCr || b == kTab) {
      Flush(layout_.CellToClient(runColumn, row.row).x, y);
      const int columns = b == kCr ? 2 : tab_ - column % tab_;
      canvas_.fillRect(Rect{x, y, x + columns * pitch, y + layout_.RowPitch()}, back);
      if (b == kCr && colours_.showEol) DrawEolMark(x, y);
      if (b == kTab && colours_.showTab) DrawTabMark(x, y);
      column += columns;
      p += b == kCr ? 2 : 1;
      continue;
    }
    const std::uint32_t value = cells_[p - from];
    const bool wide = cp932::IsLeadByte(b) && p + 1 < row.end;
    if (!run_.empty() && (value != runValue_ || run_.size() + (wide ? 2 : 1) > kMaxRun)) {
      Flush(layout_.CellToClient(runColumn, row.row).x, y);
      runColumn = column;
    }
    runValue_ = value;
    if (wide) {
      run_.push_back(char(b));
      run_.push_back(char(data[p + 1]));
      advances_.push_back(2 * pitch);
      advances_.push_back(0);
      column += 2;
      p += 2;
    } else {
      // A control byte shows as a space.
      run_.push_back(b < 0x20 ? ' ' : char(b));
      advances_.push_back(pitch);
      column += 1;
      p += 1;
    }
  }
  Flush(layout_.CellToClient(runColumn, row.row).x, y);
}

void TextPainter::Flush(int x, int y) {
  if (run_.empty()) return;
  ColorRef text = colours_.text;
  ColorRef back = colours_.back;
  if (runLineBack_ >= 0) {
    back = ColorRef(runLineBack_);
  } else if (runValue_ & kBackColourFlag) {
    back = runValue_ & kColourMask;
  } else if (runValue_ & kTextColourFlag) {
    text = runValue_ & kColourMask;
  }
  int width = 0;
  for (int a : advances_) width += a;
  canvas_.setTextColor(text);
  canvas_.setBkColor(back);
  const Rect cells{x, y, x + width, y + layout_.RowPitch()};
  canvas_.extTextOut(x, y, eto::kOpaque, &cells, run_, advances_);
  run_.clear();
  advances_.clear();
}

void TextPainter::DrawEolMark(int x, int y) {
  const int h = std::min(8, layout_.RowPitch());
  const int cx = x + layout_.CharPitch() / 2;
  const int bottom = y + layout_.RowPitch() - 1;
  const ColorRef c = colours_.eol & kColourMask;
  canvas_.drawLine(cx, bottom - h, cx, bottom, c, 1, PenStyle::kSolid);
  const int head = std::max(1, h / 3);
  canvas_.drawLine(cx - head, bottom - head, cx, bottom, c, 1, PenStyle::kSolid);
  canvas_.drawLine(cx + head, bottom - head, cx, bottom, c, 1, PenStyle::kSolid);
}

void TextPainter::DrawTabMark(int x, int y) {
  const int w = std::min(8, layout_.CharPitch());
  const int cy = y + layout_.RowPitch() / 2;
  const ColorRef c = colours_.tab & kColourMask;
  canvas_.drawLine(x, cy, x + w, cy, c, 1, PenStyle::kSolid);
  const int head = std::max(1, w / 3);
  canvas_.drawLine(x + w - head, cy - head, x + w, cy, c, 1, PenStyle::kSolid);
  canvas_.drawLine(x + w - head, cy + head, x + w, cy, c, 1, PenStyle::kSolid);
}

void TextPainter::InvertCells(std::uint32_t row, int fromColumn, int toColumn) {
  if (toColumn <= fromColumn) return;
  const std::int64_t top = layout_.RowTop(row);
  if (top + layout_.RowPitch() <= 0 || top >= layout_.ClientHeight()) return;
  const int left = std::max(layout_.LeftMargin(), layout_.CellToClient(fromColumn, row).x);
  const int right = std::min(layout_.ClientWidth(), layout_.CellToClient(toColumn, row).x);
  if (right <= left) return;
  canvas_.invertRect(Rect{left, int(top), right, int(top) + layout_.RowPitch()});
}

}  // namespace quarn
