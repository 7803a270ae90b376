#include "core/textview/TextLayout.h"

#include <algorithm>

#include "core/cabinet/DeviceUnits.h"
#include "core/document/CVeskDoc.h"
#include "core/document/RowLayout.h"
#include "core/encoding/Cp932.h"

namespace quarn {

void TextLayout::SetMetrics(const TextMetric& font, int dpiX, int dpiY, int charSpacing, int lineSpacing,
                            int leftMarginLM, int topMarginLM) {
  charPitch_ = std::max(1, font.aveCharWidth + TenthMmToPixels(dpiX, std::max(0, charSpacing)));
  rowPitch_ = std::max(1, font.height + TenthMmToPixels(dpiY, std::max(0, lineSpacing)));
  fontHeight_ = font.height;
  leftMargin_ = TenthMmToPixels(dpiX, std::max(0, leftMarginLM));
  topMargin_ = TenthMmToPixels(dpiY, std::max(0, topMarginLM));
}

void TextLayout::SetClientSize(int width, int height) {
  clientWidth_ = std::max(0, width);
  clientHeight_ = std::max(0, height);
}

int TextLayout::VisibleRows() const { return std::max(0, (clientHeight_ - topMargin_) / rowPitch_); }
int TextLayout::VisibleColumns() const { return std::max(0, (clientWidth_ - leftMargin_) / charPitch_); }

TextCell TextLayout::ClientToCell(Point point, std::uint32_t rowCount) const {
  const std::int64_t x = std::int64_t(point.x) - leftMargin_ + std::int64_t(firstColumn_) * charPitch_;
  const std::int64_t column = std::clamp<std::int64_t>(x < 0 ? 0 : x / charPitch_, 0, maxRowWidth_);
  const std::int64_t y = std::int64_t(point.y) - topMargin_;
  // Above the first row counts as the row before it, as a division that
  // rounds toward minus infinity gives.
  const std::int64_t rows = y >= 0 ? y / rowPitch_ : (y - rowPitch_ + 1) / rowPitch_;
  const std::int64_t row = std::clamp<std::int64_t>(std::int64_t(firstRow_) + rows, 0, rowCount);
  return TextCell{int(column), std::uint32_t(row)};
}

Point TextLayout::CellToClient(int column, std::uint32_t row) const {
  const std::int64_t y = std::clamp<std::int64_t>(RowTop(row), -0x40000000, 0x3FFFFFFF);
  return Point{(column - firstColumn_) * charPitch_ + leftMargin_, std::int32_t(y)};
}

std::int64_t TextLayout::RowTop(std::uint32_t row) const {
  return (std::int64_t(row) - std::int64_t(firstRow_)) * rowPitch_ + topMargin_;
}

TextScrollRange TextLayout::VerticalRange(std::uint32_t rowCount) const {
  const std::int64_t visible = VisibleRows();
  if (std::int64_t(rowCount) + 1 <= visible) return {};
  return TextScrollRange{true, int(std::int64_t(rowCount) - visible + 1)};
}

TextScrollRange TextLayout::HorizontalRange() const {
  const int max = maxRowWidth_ + 1 - VisibleColumns();
  if (max <= 0) return {};
  return TextScrollRange{true, max};
}

std::uint32_t RowEnd(CVeskDoc& doc, std::uint32_t row) {
  if (row + 1 < doc.RowCount()) return doc.RowStartAt(row + 1);
  return doc.TextLength();
}

std::uint32_t LastCaretRow(CVeskDoc& doc) { return doc.RowOfPos(doc.TextLength()); }

ColumnHit PosOfColumn(CVeskDoc& doc, std::uint32_t rowStart, int target, bool freeCursor) {
  const std::uint32_t length = doc.TextLength();
  target = std::max(0, target);
  if (rowStart >= length) return ColumnHit{rowStart, freeCursor ? target : 0};
  const std::uint32_t row = doc.RowOfPos(rowStart);
  const std::uint32_t last = doc.RowLastChar(row);
  const int tab = std::max(1, doc.Format().tabColumns);
  const std::uint32_t end = RowEnd(doc, row);
  const TextBytes text = TextStretch(doc, rowStart, end);
  std::uint32_t p = rowStart;
  int column = 0;
  while (p < last) {
    if (column >= target) return ColumnHit{p, 0};
    const std::uint8_t b = text.At(p);
    if (b == '\t') {
      column += tab - column % tab;
      ++p;
    } else if (b == '\r' || cp932::IsLeadByte(b)) {
      column += 2;
      p += 2;
    } else {
      column += 1;
      ++p;
    }
  }
  if (column >= target) return ColumnHit{last, 0};
  const int e = column + CharColumns(doc, last);
  if (e > target) return ColumnHit{last, 0};
  if (freeCursor) return ColumnHit{last, target - column};
  if (doc.IsLineEndAt(last)) return ColumnHit{last, 0};
  return ColumnHit{last, e - column};
}

int ColumnInRow(CVeskDoc& doc, std::uint32_t rowStart, std::uint32_t pos) {
  if (pos <= rowStart) return 0;
  return ColumnsOfStretch(TextStretch(doc, rowStart, pos), rowStart, pos, doc.Format().tabColumns);
}

std::pair<std::uint32_t, std::uint32_t> BoxPartOfRow(CVeskDoc& doc, std::uint32_t row, int fromColumn, int toColumn) {
  const std::uint32_t start = doc.RowStartAt(row);
  const std::uint32_t end = row < doc.RowCount() ? RowEnd(doc, row) : start;
  const TextBytes text = TextStretch(doc, start, end);
  const int tab = std::max(1, doc.Format().tabColumns);
  std::uint32_t p = start;
  int column = 0;
  auto boundary = [&](int target) {
    while (p < text.end && column < target) {
      const std::uint8_t b = text.At(p);
      const bool pair = (b == '\r' || cp932::IsLeadByte(b)) && p + 1 < text.end;
      column += b == '\t' ? tab - column % tab : pair ? 2 : 1;
      p += pair ? 2 : 1;
    }
    return p;
  };
  const std::uint32_t first = boundary(fromColumn);
  return {first, boundary(std::max(fromColumn, toColumn))};
}

int XOfPos(CVeskDoc& doc, const TextLayout& layout, std::uint32_t pos, int extra) {
  return (ColumnOfPos(doc, pos) + extra) * layout.CharPitch();
}

}  // namespace quarn
