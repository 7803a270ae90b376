// Draws rows of a text document on a canvas: opaque runs of characters in
// their cell colours with one advance per byte, blank cells with the
// end-of-line and tab marks, marked lines and the tag line, and the
// inversion of selected cells. The screen and the printer share it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/textview/TextColouring.h"
#include "core/textview/TextLayout.h"
#include "platform/Canvas.h"

namespace quarn {

class CVeskDoc;

struct TextPaintColours {
  ColorRef text = 0x000000;
  ColorRef back = 0xFFFFFF;
  ColorRef eol = 0xFF0000;
  ColorRef tab = 0xC0C0C0;
  ColorRef markedLineBack = 0x008000;
  ColorRef tagBack = 0x808000;
  bool showEol = true;
  bool showTab = false;
};

class TextPainter {
 public:
  // A paint covers at most kPaintLimit bytes; a longer stretch is cut to
  // kPaintCut bytes. A run of one colour holds at most kMaxRun bytes.
  static constexpr std::uint32_t kPaintLimit = 30720;
  static constexpr std::uint32_t kPaintCut = 30718;
  static constexpr std::size_t kMaxRun = 250;

  TextPainter(Canvas& canvas, const TextLayout& layout, const TextPaintColours& colours, const ColourRules& rules,
              const CommentTables* tables);

  // Rows first..last (inclusive) of the row table; the rows the document's
  // line marks and tag line start on take their backgrounds.
  void DrawRows(CVeskDoc& doc, std::uint32_t firstRow, std::uint32_t lastRow);
  // Inverts columns [fromColumn, toColumn) of a row.
  void InvertCells(std::uint32_t row, int fromColumn, int toColumn);

 private:
  struct RowPaint {
    std::uint32_t row = 0;
    std::uint32_t start = 0;
    std::uint32_t end = 0;
  };
  void DrawRow(const std::uint8_t* data, std::uint32_t from, const RowPaint& row, int lineBack);
  void Flush(int x, int y);
  void DrawEolMark(int x, int y);
  void DrawTabMark(int x, int y);

  Canvas& canvas_;
  const TextLayout& layout_;
  TextPaintColours colours_;
  const ColourRules& rules_;
  const CommentTables* tables_;
  int tab_ = 4;
  std::vector<std::uint32_t> cells_;
  std::string run_;
  std::vector<int> advances_;
  std::uint32_t runValue_ = 0;
  int runLineBack_ = -1;
};

}  // namespace quarn
