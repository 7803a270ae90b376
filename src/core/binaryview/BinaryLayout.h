// The cell grid of the binary window: a header row, then one row of B bytes
// per line with an address area, a hex area and a text area; cell sizes from
// the screen font, margins in 0.1 mm, and the scroll origin.
#pragma once

#include <cstdint>

#include "platform/Canvas.h"
#include "platform/Types.h"

namespace quarn {

// The caret areas; the numbers are the ones the window stores.
enum class BinaryArea : int { kHex = 2, kText = 3 };

// A cell column resolved to a byte of its row.
struct BinaryHit {
  BinaryArea area = BinaryArea::kHex;
  int index = 0;         // byte index within the row, 0..B-1
  bool pastEnd = false;  // the column lies right of the row's last byte
};

// A pixel point resolved to a byte of the document.
struct BinaryPointHit {
  BinaryHit hit;
  std::uint32_t row = 0;
  // B x row + index, saturated at 0xFFFFFFFF; the caller cuts it to TextLength.
  std::uint32_t position = 0;
};

struct ScrollRange {
  bool enabled = false;  // vertical: scrolling on; horizontal: bar shown
  int max = 0;
};

class BinaryLayout {
 public:
  static constexpr int kAddressWidth = 8;
  static constexpr int kHexStart = kAddressWidth + 2;

  // B bytes per row in blocks of K (both at least 1).
  void SetShape(int bytesPerLine, int blockBytes);
  // Cell size: spacing (0.1 mm) converted at the dpi plus the font's average
  // width and height; margins in 0.1 mm. Line spacing over 100 reads as 0.
  void SetMetrics(const TextMetric& font, int dpiX, int dpiY, int charSpacing, int lineSpacing,
                  int leftMarginLM, int topMarginLM);
  void SetClientSize(int width, int height);

  int BytesPerLine() const { return bytes_; }
  int BlockBytes() const { return block_; }
  int TextStart() const { return kAddressWidth + 3 * (bytes_ + 1) + (bytes_ - 1) / block_; }
  // First of the two hex cells of byte i of a row.
  int HexCell(int i) const { return kHexStart + 3 * i + i / block_; }
  int TextCell(int i) const { return TextStart() + i; }
  // One past the text area's spare cell.
  int TextEnd() const { return TextStart() + bytes_ + 1; }
  // The width of a row in columns for the horizontal scroll bar: the text
  // area with its spare cell and room for the caret behind it.
  int RowColumns() const { return TextEnd() + 1; }
  BinaryHit HitTestColumn(int column) const;

  std::uint32_t Rows(std::uint32_t textLength) const;
  std::uint32_t RowOf(std::uint32_t pos) const { return pos / std::uint32_t(bytes_); }
  std::uint32_t RowStart(std::uint32_t row) const { return row * std::uint32_t(bytes_); }

  int CharWidth() const { return charWidth_; }
  int LineHeight() const { return lineHeight_; }
  int FontHeight() const { return fontHeight_; }
  int LeftMargin() const { return leftMargin_; }
  int TopMargin() const { return topMargin_; }
  int DataTop() const { return topMargin_ + topMargin_ / 2 + lineHeight_; }
  int ClientWidth() const { return clientWidth_; }
  int ClientHeight() const { return clientHeight_; }

  // Fully visible rows, and rows with a partly visible one counted too.
  int VisibleRows() const;
  int VisibleRowsPartial() const;
  int VisibleColumns() const;

  std::uint32_t FirstRow() const { return firstRow_; }
  int FirstColumn() const { return firstColumn_; }
  void SetFirstRow(std::uint32_t row) { firstRow_ = row; }
  void SetFirstColumn(int column) { firstColumn_ = column; }

  int CellX(int column) const { return (column - firstColumn_) * charWidth_ + leftMargin_; }
  // Top of data row r; 64-bit since rows far from the first one are far away.
  std::int64_t RowTop(std::uint32_t row) const;
  int HeaderTop() const { return topMargin_; }
  BinaryPointHit HitTestPoint(int x, int y) const;
  // The data area: x >= LeftMargin, y >= DataTop.
  Rect DataArea() const { return Rect{leftMargin_, DataTop(), clientWidth_, clientHeight_}; }

  // The last byte of the last (partly) visible row; 0 with no rows.
  std::uint32_t LastVisiblePos(std::uint32_t textLength) const;
  ScrollRange VerticalRange(std::uint32_t textLength) const;
  ScrollRange HorizontalRange() const;

  // The y of the caret underlines of a row.
  std::int64_t UnderlineY(std::uint32_t row, bool oneRasterLow) const;

 private:
  int bytes_ = 16;
  int block_ = 8;
  int charWidth_ = 1;
  int lineHeight_ = 1;
  int fontHeight_ = 0;
  int leftMargin_ = 0;
  int topMargin_ = 0;
  int clientWidth_ = 0;
  int clientHeight_ = 0;
  std::uint32_t firstRow_ = 0;
  int firstColumn_ = 0;
};

}  // namespace quarn
