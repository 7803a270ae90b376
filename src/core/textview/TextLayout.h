// The geometry of the text window: character and row pitch from the screen
// font and the format's spacing, the margins, the scroll origin in rows and
// columns, and the mappings between text positions, cells and pixels.
#pragma once

#include <cstdint>
#include <utility>

#include "platform/Canvas.h"
#include "platform/Types.h"

namespace quarn {

class CVeskDoc;

// A cell of the window: a display column within a row of the row table.
struct TextCell {
  int column = 0;
  std::uint32_t row = 0;
  friend bool operator==(const TextCell&, const TextCell&) = default;
};

// Where a column of a row falls in the text: the position of a character
// and, past the row's last character, how many columns the caret stands
// beyond it.
struct ColumnHit {
  std::uint32_t pos = 0;
  int overhang = 0;
};

struct TextScrollRange {
  bool enabled = false;
  int max = 0;
};

class TextLayout {
 public:
  // Pitches from the font plus the spacing (0.1 mm) at the dpi; margins in
  // 0.1 mm. A window without a font still gets one-pixel cells.
  void SetMetrics(const TextMetric& font, int dpiX, int dpiY, int charSpacing, int lineSpacing,
                  int leftMarginLM, int topMarginLM);
  void SetClientSize(int width, int height);
  // Columns a row may take (width, or width + 2 with kinsoku or word wrap).
  void SetMaxRowWidth(int columns) { maxRowWidth_ = columns < 1 ? 1 : columns; }

  int CharPitch() const { return charPitch_; }
  int RowPitch() const { return rowPitch_; }
  int FontHeight() const { return fontHeight_; }
  int LeftMargin() const { return leftMargin_; }
  int TopMargin() const { return topMargin_; }
  int ClientWidth() const { return clientWidth_; }
  int ClientHeight() const { return clientHeight_; }
  int MaxRowWidth() const { return maxRowWidth_; }

  // Whole rows and columns that fit below and right of the margins.
  int VisibleRows() const;
  int VisibleColumns() const;

  std::uint32_t FirstRow() const { return firstRow_; }
  int FirstColumn() const { return firstColumn_; }
  void SetFirstRow(std::uint32_t row) { firstRow_ = row; }
  void SetFirstColumn(int column) { firstColumn_ = column; }

  // rowCount: the rows of the table (the row after a final CR LF is row
  // rowCount and still reachable).
  TextCell ClientToCell(Point point, std::uint32_t rowCount) const;
  Point CellToClient(int column, std::uint32_t row) const;
  // The top of row as a 64-bit value: rows far from the first are far away.
  std::int64_t RowTop(std::uint32_t row) const;

  TextScrollRange VerticalRange(std::uint32_t rowCount) const;
  TextScrollRange HorizontalRange() const;

 private:
  int charPitch_ = 1;
  int rowPitch_ = 1;
  int fontHeight_ = 0;
  int leftMargin_ = 0;
  int topMargin_ = 0;
  int clientWidth_ = 0;
  int clientHeight_ = 0;
  int maxRowWidth_ = 80;
  std::uint32_t firstRow_ = 0;
  int firstColumn_ = 0;
};

// The position in the row that starts at rowStart for a column: the first
// character boundary at or after it, or past the row's end its last
// character with the overhang that the free cursor (or the end of the
// text) leaves. An empty row answers its start.
ColumnHit PosOfColumn(CVeskDoc& doc, std::uint32_t rowStart, int column, bool freeCursor);
// The columns from rowStart to pos, a position of that row or its end.
int ColumnInRow(CVeskDoc& doc, std::uint32_t rowStart, std::uint32_t pos);
// The bytes [first, second) of a row that a box from fromColumn to toColumn
// takes: from the first character boundary at or after fromColumn to the
// first at or after toColumn (a character the box cuts is left out), at
// most to the row's end. The empty row after a final CR LF holds nothing.
std::pair<std::uint32_t, std::uint32_t> BoxPartOfRow(CVeskDoc& doc, std::uint32_t row, int fromColumn, int toColumn);
// (ColumnOfPos(pos) + extra) x pitch, before scrolling and margins.
int XOfPos(CVeskDoc& doc, const TextLayout& layout, std::uint32_t pos, int extra);
// The end of the row's bytes: the next row's start, or TextLength.
std::uint32_t RowEnd(CVeskDoc& doc, std::uint32_t row);
// The last row the caret reaches: the empty row after a final CR LF, or the
// last row of the table (0 for an empty text).
std::uint32_t LastCaretRow(CVeskDoc& doc);

}  // namespace quarn
