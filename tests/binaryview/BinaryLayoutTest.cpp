#include "core/binaryview/BinaryLayout.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace quarn {
namespace {

TextMetric Font(int aveWidth, int height) {
  TextMetric tm;
  tm.aveCharWidth = aveWidth;
  tm.height = height;
  return tm;
}

// B bytes per row in blocks of K; with the 8 by 16 font at 96 dpi the left
// margin is 5 and the data top 23.
BinaryLayout Grid(int b, int k, bool font = false) {
  BinaryLayout layout;
  layout.SetShape(b, k);
  if (font) layout.SetMetrics(Font(8, 16), 96, 96, 0, 0, 15, 15);
  return layout;
}

TEST(BinaryLayout, AreasFollowBytesPerLineAndBlockSize) {
  const BinaryLayout standard = Grid(16, 8);  // one extra blank after the first block
  EXPECT_EQ((std::vector<int>{standard.HexCell(0), standard.HexCell(7), standard.HexCell(8), standard.HexCell(15),
                              standard.TextStart(), standard.TextCell(15)}),
            (std::vector<int>{10, 31, 35, 56, 60, 75}));
  const BinaryLayout oneBlock = Grid(5, 5);
  EXPECT_EQ(std::pair(oneBlock.HexCell(4), oneBlock.TextStart()), std::pair(22, 26));
  // The row ends after the text area's spare cell, with room for the caret.
  const BinaryLayout wide = Grid(64, 5);
  EXPECT_EQ(std::tuple(wide.HexCell(63), wide.TextStart(), wide.TextEnd()),
            std::tuple(10 + 189 + 12, 8 + 195 + 12, 215 + 65));
}

TEST(BinaryLayout, CellsComeFromFontSpacingAndDpi) {
  using Cells = std::tuple<int, int, int, int, int>;  // width, height, left, top, data top
  const struct {
    TextMetric font;
    int dpi, charSpacing, lineSpacing, margin;
    Cells cells;
  } cases[] = {
      {Font(8, 16), 96, 0, 0, 15, {8, 16, 5, 5, 5 + 2 + 16}},
      {Font(7, 14), 120, 5, 10, 30, {9, 18, 14, 14, 14 + 7 + 18}},
      {Font(12, 24), 144, 0, 100, 0, {12, 24 + 56, 0, 0, 80}},
      {Font(6, 12), 96, 0, 150, 15, {6, 12, 5, 5, 19}},  // a line spacing over 100 (0.1 mm) reads as 0
  };
  for (const auto& c : cases) {
    BinaryLayout layout = Grid(16, 8);
    layout.SetMetrics(c.font, c.dpi, c.dpi, c.charSpacing, c.lineSpacing, c.margin, c.margin);
    EXPECT_EQ(Cells(layout.CharWidth(), layout.LineHeight(), layout.LeftMargin(), layout.TopMargin(), layout.DataTop()),
              c.cells) << c.dpi;
  }
  // Without a screen font cells stay measurable.
  BinaryLayout layout = Grid(16, 8);
  layout.SetMetrics(TextMetric{}, 96, 96, 0, 0, 15, 15);
  layout.SetClientSize(400, 300);
  EXPECT_GE(layout.CharWidth(), 1);
  EXPECT_GE(layout.LineHeight(), 1);
  EXPECT_GT(layout.VisibleRows(), 0);
  (void)layout.HitTestPoint(100, 100);
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

TEST(BinaryLayout, PointHitTestUsesScrollOrigin) {
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
}

TEST(BinaryLayout, VisibleExtentAndLastVisiblePosition) {
  BinaryLayout layout = Grid(16, 8, true);
  auto extent = [&] { return std::tuple(layout.VisibleRows(), layout.VisibleRowsPartial(), layout.VisibleColumns()); };
  layout.SetClientSize(5 + 8 * 40 + 7, 23 + 16 * 3 + 5);
  EXPECT_EQ(extent(), std::tuple(3, 4, 40));
  EXPECT_EQ(layout.LastVisiblePos(0), 0u);
  EXPECT_EQ(layout.LastVisiblePos(20), 19u);    // the short last row
  EXPECT_EQ(layout.LastVisiblePos(1000), 63u);  // the partly visible fourth row counts
  layout.SetFirstRow(61);
  EXPECT_EQ(layout.LastVisiblePos(1000), 999u);
  layout.SetClientSize(100, 20);  // lower than the data top
  EXPECT_EQ(std::get<0>(extent()), 0);
  EXPECT_EQ(std::get<1>(extent()), 0);
  layout.SetClientSize(3, 200);
  EXPECT_EQ(layout.VisibleColumns(), 0);
}

TEST(BinaryLayout, ScrollRangesAndTheUnderline) {
  BinaryLayout layout = Grid(16, 8, true);
  auto range = [&](std::uint32_t length) {
    const auto r = layout.VerticalRange(length);
    return std::pair(r.enabled, r.max);
  };
  layout.SetClientSize(1000, 23 + 16 * 10);  // ten rows
  EXPECT_EQ(range(16 * 8), std::pair(false, 1));
  // Ten rows and the caret's row after them: one row to scroll.
  EXPECT_EQ(range(16 * 10), std::pair(true, 1));
  EXPECT_EQ(range(16 * 100 + 3).second, 101 - 10 + 1);
  EXPECT_FALSE(layout.HorizontalRange().enabled);
  layout.SetClientSize(5 + 8 * 50, 300);
  EXPECT_TRUE(layout.HorizontalRange().enabled);
  EXPECT_EQ(layout.HorizontalRange().max, layout.RowColumns() - 50);
  // The underline sits below the glyphs; with more than one pixel of line
  // spacing it moves two pixels down.
  EXPECT_EQ(layout.UnderlineY(0, false), 23 + 15);
  EXPECT_EQ(layout.UnderlineY(2, true), 23 + 32 + 16);
  layout.SetMetrics(Font(8, 16), 96, 96, 0, 10, 15, 15);  // 3 px spacing
  EXPECT_EQ(layout.UnderlineY(0, false), layout.DataTop() + 15 + 2);
}

}  // namespace
}  // namespace quarn
