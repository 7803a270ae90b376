#include "core/binaryview/BinaryPainter.h"

#include <algorithm>

#include "core/binaryview/BinaryCharColumn.h"
#include "core/binaryview/BinaryRowText.h"
#include "core/binaryview/GlyphCells.h"
#include "core/document/CVeskDoc.h"

namespace quarn {

BinaryPainter::BinaryPainter(Canvas& canvas, const BinaryLayout& layout, const BinaryViewSettings& settings,
                             const BinaryColors& colors)
    : canvas_(canvas), layout_(layout), settings_(settings), colors_(colors) {}

void BinaryPainter::Run(int column, std::int64_t top, const std::string& cells, ColorRef text, ColorRef back) {
  if (cells.empty()) return;
  const int cw = layout_.CharWidth();
  const int x = layout_.CellX(column);
  const int y = int(top);
  const Rect band{x, y, x + int(cells.size()) * cw, y + layout_.LineHeight()};
  advances_.assign(cells.size(), cw);
  canvas_.setTextColor(text);
  canvas_.setBkColor(back);
  canvas_.extTextOut(x, y, eto::kOpaque, &band, cells, advances_);
}

bool BinaryPainter::RowVisible(std::uint32_t row) const {
  return row >= layout_.FirstRow() &&
         std::uint64_t(row) < std::uint64_t(layout_.FirstRow()) + std::uint64_t(layout_.VisibleRowsPartial());
}

void BinaryPainter::DrawHeader() {
  const bool hex = settings_.HexAddress != 0;
  const ColorRef text = settings_.AddressLineTextColor;
  const ColorRef back = settings_.AddressLineBackColor;
  canvas_.setClip(Rect{layout_.LeftMargin(), 0, layout_.ClientWidth(), layout_.ClientHeight()});
  const int top = layout_.HeaderTop();
  Run(0, top, HeaderAddressText(), text, back);
  Run(BinaryLayout::kHexStart, top, HeaderHexText(layout_, hex), text, back);
  Run(layout_.TextStart(), top, HeaderCharText(layout_, hex), text, back);
  canvas_.clearClip();
}

void BinaryPainter::DrawRows(CVeskDoc& doc, std::uint32_t firstRow, std::uint32_t lastRow,
                             const std::vector<std::uint32_t>* marks) {
  const std::uint32_t length = doc.TextLength();
  const auto b = std::uint32_t(layout_.BytesPerLine());
  if (length == 0 || firstRow > lastRow || layout_.RowStart(firstRow) >= length) return;
  lastRow = std::min(lastRow, (length - 1) / b);

  // One stretch of the document covers every row with the look-back of the
  // text decoders before it and their look-ahead after it.
  const std::uint32_t first = layout_.RowStart(firstRow);
  const std::uint32_t last = std::min(length, layout_.RowStart(lastRow) + b);
  const std::uint32_t begin = first > kCharColumnLookBack ? first - std::uint32_t(kCharColumnLookBack) : 0;
  const std::uint32_t end = std::min<std::uint64_t>(length, std::uint64_t(last) + kCharColumnLookAhead);
  const std::uint8_t* span = doc.Store().GetSpan(begin, end - begin);
  const std::vector<std::uint8_t> bytes(span, span + (end - begin));

  CharColumnOptions options;
  options.code = settings_.Code();
  options.ignore8bit = settings_.Ignore8bitCode != 0;
  options.dummy = settings_.DummyChar();

  canvas_.setBkOpaque(false);
  canvas_.setClip(layout_.DataArea());
  for (std::uint32_t row = firstRow; row <= lastRow; ++row) {
    const std::uint32_t start = layout_.RowStart(row);
    const int n = int(std::min(b, length - start));
    const std::size_t offset = start - begin;
    DrawRow(row, bytes.data() + offset, n, DecodeCharColumn(bytes.data(), bytes.size(), offset, std::size_t(n), options),
            marks);
  }
  canvas_.clearClip();
}

void BinaryPainter::DrawRow(std::uint32_t row, const std::uint8_t* bytes, int n, const std::string& charCells,
                            const std::vector<std::uint32_t>* marks) {
  const std::int64_t top = layout_.RowTop(row);
  const std::uint32_t start = layout_.RowStart(row);
  Run(0, top, AddressText(start, settings_.HexAddress != 0), colors_.text, colors_.back);
  Run(BinaryLayout::kHexStart, top, HexAreaText(layout_, bytes, n), colors_.text, colors_.back);
  for (int i = 0; i < n; ++i) {
    ColorRef color;
    if (!SpecialColor(bytes[i], start + std::uint32_t(i), marks, color)) continue;
    Run(layout_.HexCell(i), top, std::string{HexDigit(bytes[i] >> 4), HexDigit(bytes[i])}, color, colors_.back);
  }
  Run(layout_.TextStart(), top, VisibleCells(charCells), colors_.text, colors_.back);
}

bool BinaryPainter::SpecialColor(std::uint8_t value, std::uint32_t pos, const std::vector<std::uint32_t>* marks,
                                 ColorRef& color) const {
  if (value == settings_.Binary1) {
    color = settings_.Binary1Color;
  } else if (value == settings_.Binary2) {
    color = settings_.Binary2Color;
  } else if (marks && std::binary_search(marks->begin(), marks->end(), pos)) {
    color = settings_.MarkedPosColor;
  } else {
    return false;
  }
  return true;
}

void BinaryPainter::InvertSelection(std::uint32_t first, std::uint32_t last) {
  if (first > last || layout_.VisibleRowsPartial() == 0) return;
  const auto b = std::uint32_t(layout_.BytesPerLine());
  const std::uint32_t lastShown = layout_.FirstRow() + std::uint32_t(layout_.VisibleRowsPartial()) - 1;
  const std::uint32_t fromRow = std::max(first / b, layout_.FirstRow());
  const std::uint32_t toRow = std::min(last / b, lastShown);
  canvas_.setClip(layout_.DataArea());
  for (std::uint32_t row = fromRow; row <= toRow && row >= fromRow; ++row) {
    const int i0 = row == first / b ? int(first % b) : 0;
    const int i1 = row == last / b ? int(last % b) : int(b) - 1;
    const int top = int(layout_.RowTop(row));
    const int bottom = top + layout_.LineHeight();
    canvas_.invertRect(Rect{layout_.CellX(layout_.HexCell(i0)), top, layout_.CellX(layout_.HexCell(i1) + 2), bottom});
    canvas_.invertRect(Rect{layout_.CellX(layout_.TextCell(i0)), top, layout_.CellX(layout_.TextCell(i1) + 1), bottom});
    if (row == toRow) break;
  }
  canvas_.clearClip();
}

void BinaryPainter::DrawUnderlines(std::uint32_t pos, BinaryArea caretArea, bool erase) {
  const auto b = std::uint32_t(layout_.BytesPerLine());
  const std::uint32_t row = pos / b;
  if (!RowVisible(row)) return;
  const int y = int(layout_.UnderlineY(row, settings_.OneRasterLow != 0));
  const int cw = layout_.CharWidth();
  canvas_.setClip(layout_.DataArea());
  if (settings_.DrawUnderLine) {
    const ColorRef color = erase ? colors_.back : settings_.CursorUnderLineColor;
    canvas_.drawLine(layout_.LeftMargin(), y, layout_.CellX(layout_.TextEnd()), y, color, 1, PenStyle::kSolid);
  }
  if (settings_.DrawUnderCaret) {
    const ColorRef color = erase ? colors_.back : settings_.UnderCaretColor;
    const int index = int(pos % b);
    const bool opposite = settings_.OnlyOppositePart != 0;
    if (!opposite || caretArea != BinaryArea::kHex) {
      const int x = layout_.CellX(layout_.HexCell(index)) + 1;
      canvas_.drawLine(x, y, x + 2 * cw - 2, y, color, 2, PenStyle::kSolid);
    }
    if (!opposite || caretArea != BinaryArea::kText) {
      const int x = layout_.CellX(layout_.TextCell(index));
      canvas_.drawLine(x, y, x + cw - 1, y, color, 2, PenStyle::kSolid);
    }
  }
  canvas_.clearClip();
}

}  // namespace quarn
