#include "core/binaryview/BinaryLayout.h"

#include <gtest/gtest.h>

#include <tuple>

namespace quarn {
namespace {

TextMetric Font(int aveWidth, int height) { return {.height = height, .aveCharWidth = aveWidth}; }

// B bytes per row in blocks of K; with the 8 by 16 font at 96 dpi the left margin is 5 and the data top 23.
BinaryLayout Grid(int b, int k, bool font = false) {
  BinaryLayout layout;
  layout.SetShape(b, k);
  if (font) layout.SetMetrics(Font(8, 16), 96, 96, 0, 0, 15, 15);
  return layout;
}

TEST(BinaryLayout, ColumnHitTestFindsTheByteOfEveryCell) {
  auto hit = [](const BinaryHit& h) { return std::tuple(h.area, h.index, h.pastEnd); };
  for (auto [b, k] : {std::pair{16, 8}, std::pair{5, 5}, std::pair{64, 5}, std::pair{20, 7}}) {
    SCOPED_TRACE(b);
    const BinaryLayout layout = Grid(b, k);
    for (int i = 0; i < b; ++i) {
      for (int c : {layout.HexCell(i), layout.HexCell(i) + 1})
        EXPECT_EQ(hit(layout.HitTestColumn(c)), std::tuple(BinaryArea::kHex, i, false)) << "column " << c;
      const BinaryHit text = layout.HitTestColumn(layout.TextCell(i));
      EXPECT_EQ(std::pair(text.area, text.index), std::pair(BinaryArea::kText, i));
    }
    // The blank before the text area belongs to its first byte.
    const BinaryHit blank = layout.HitTestColumn(layout.TextStart() - 1);
    EXPECT_EQ(std::pair(blank.area, blank.index), std::pair(BinaryArea::kText, 0));
    // The address area and right of the row's last cell.
    EXPECT_EQ(layout.HitTestColumn(3).index, 0);
    const BinaryHit past = layout.HitTestColumn(layout.TextCell(b) + 3);
    EXPECT_EQ(std::pair(past.pastEnd, past.index), std::pair(true, b - 1));
  }
  // The blanks after a byte go to the next byte.
  const BinaryLayout standard = Grid(16, 8);
  EXPECT_EQ(std::pair(standard.HitTestColumn(33).index, standard.HitTestColumn(34).index), std::pair(8, 8));
  EXPECT_TRUE(standard.HitTestColumn(58).pastEnd);
}

TEST(BinaryLayout, PointHitTestScrollRangeAndUnderline) {
  BinaryLayout layout = Grid(16, 8, true);
  layout.SetClientSize(800, 600);
  layout.SetFirstRow(10);
  layout.SetFirstColumn(2);
  const BinaryPointHit hit = layout.HitTestPoint(5 + 8 * (35 - 2) + 3, 23 + 16 * 4 + 1);
  EXPECT_EQ(std::tuple(hit.row, hit.hit.index, hit.position), std::tuple(14u, 8, 14u * 16 + 8));
  // Above the data area: the first visible row, never a negative one.
  layout.SetFirstRow(0);
  EXPECT_EQ(layout.HitTestPoint(100, -500).row, 0u);
  // Far below: saturated instead of wrapping round to a small position.
  layout.SetFirstRow(0xFFFFFF00u);
  EXPECT_EQ(layout.HitTestPoint(100, 590).position, 0xFFFFFFFFu);
  layout = Grid(16, 8, true);
  layout.SetClientSize(1000, 23 + 16 * 10);  // ten rows
  EXPECT_FALSE(layout.VerticalRange(16 * 8).enabled);
  // Ten rows and the caret's row after them: one row to scroll.
  EXPECT_EQ(std::pair(layout.VerticalRange(16 * 10).enabled, layout.VerticalRange(16 * 10).max), std::pair(true, 1));
  // The underline sits below the glyphs; with more than one pixel of line spacing it moves two pixels down.
  EXPECT_EQ(std::tuple(layout.UnderlineY(0, false), layout.UnderlineY(2, true)), std::tuple(23 + 15, 23 + 32 + 16));
  layout.SetMetrics(Font(8, 16), 96, 96, 0, 10, 15, 15);  // 3 px spacing
  EXPECT_EQ(layout.UnderlineY(0, false), layout.DataTop() + 15 + 2);
}

}  // namespace
}  // namespace quarn
