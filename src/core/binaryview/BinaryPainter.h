// Draws the binary window's grid on a canvas: the header row, the data rows
// with their special hex cells, the selection's inversion and the caret
// underlines. One glyph run per area per row, with one advance per cell.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/binaryview/BinaryLayout.h"
#include "core/common/BinarySettings.h"
#include "platform/Canvas.h"

namespace quarn {

class CVeskDoc;

// The text and background colours of the data rows (the document type's).
struct BinaryColors {
  ColorRef text = 0x000000;
  ColorRef back = 0xFFFFFF;
};

class BinaryPainter {
 public:
  // A paint covers at most this many bytes from the first visible byte;
  // longer stretches are cut to kPaintCut bytes.
  static constexpr std::uint32_t kPaintLimit = 30720;
  static constexpr std::uint32_t kPaintCut = 30718;

  BinaryPainter(Canvas& canvas, const BinaryLayout& layout, const BinaryViewSettings& settings,
                const BinaryColors& colors);

  void DrawHeader();
  // Rows first..last (inclusive) of the document, which must hold bytes of
  // each. marks: the marked positions, sorted (may be null).
  void DrawRows(CVeskDoc& doc, std::uint32_t firstRow, std::uint32_t lastRow,
                const std::vector<std::uint32_t>* marks);
  // Inverts the cells of the positions first..last in the hex and text
  // areas, on the visible rows only.
  void InvertSelection(std::uint32_t first, std::uint32_t last);
  // The underlines of the caret at pos in the given area, in their colours
  // or, with erase, in the background colour.
  void DrawUnderlines(std::uint32_t pos, BinaryArea caretArea, bool erase = false);

 private:
  // One opaque run of cells starting at a cell column.
  void Run(int column, std::int64_t top, const std::string& cells, ColorRef text, ColorRef back);
  void DrawRow(std::uint32_t row, const std::uint8_t* bytes, int n, const std::string& charCells,
               const std::vector<std::uint32_t>* marks);
  // The colour of a special hex cell, or false for an ordinary byte.
  bool SpecialColor(std::uint8_t value, std::uint32_t pos, const std::vector<std::uint32_t>* marks,
                    ColorRef& color) const;
  bool RowVisible(std::uint32_t row) const;

  Canvas& canvas_;
  const BinaryLayout& layout_;
  const BinaryViewSettings& settings_;
  BinaryColors colors_;
  std::vector<int> advances_;
};

}  // namespace quarn
