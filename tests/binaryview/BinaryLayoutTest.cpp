#include "core/binaryview/BinaryLayout.h"

#include <gtest/gtest.h>

namespace quarn {
namespace {

TextMetric Font(int aveWidth, int height) {
  TextMetric tm;
  tm.aveCharWidth = aveWidth;
  tm.height = height;
  return tm;
}

BinaryLayout Grid(int b, int k) {
  BinaryLayout layout;
  layout.SetShape(b, k);
  return layout;
}

TEST(BinaryLayout, AreasFollowBytesPerLineAndBlockSize) {
  const BinaryLayout standard = Grid(16, 8);
  EXPECT_EQ(standard.HexCell(0), 10);
  EXPECT_EQ(standard.HexCell(7), 31);
  EXPECT_EQ(standard.HexCell(8), 35);  // one extra blank after the first block
  EXPECT_EQ(standard.HexCell(15), 56);
  EXPECT_EQ(standard.TextStart(), 60);
  EXPECT_EQ(standard.TextCell(15), 75);

  const BinaryLayout oneBlock = Grid(5, 5);
  EXPECT_EQ(oneBlock.HexCell(4), 22);
  EXPECT_EQ(oneBlock.TextStart(), 26);

  const BinaryLayout wide = Grid(64, 5);
  EXPECT_EQ(wide.HexCell(63), 10 + 189 + 12);
  EXPECT_EQ(wide.TextStart(), 8 + 195 + 12);
  // The row ends after the text area's spare cell, with room for the caret.
  EXPECT_EQ(wide.TextEnd(), 215 + 65);
}

TEST(BinaryLayout, CellsComeFromFontSpacingAndDpi) {
  struct Case {
    TextMetric font;
    int dpi, charSpacing, lineSpacing, margin;
    int charWidth, lineHeight, leftMargin, topMargin, dataTop;
  };
  const Case cases[] = {
      {Font(8, 16), 96, 0, 0, 15, 8, 16, 5, 5, 5 + 2 + 16},
      {Font(7, 14), 120, 5, 10, 30, 9, 18, 14, 14, 14 + 7 + 18},
      {Font(12, 24), 144, 0, 100, 0, 12, 24 + 56, 0, 0, 80},
      // A line spacing over 100 (0.1 mm) reads as 0.
      {Font(6, 12), 96, 0, 150, 15, 6, 12, 5, 5, 19},
  };
  for (const Case& c : cases) {
    BinaryLayout layout = Grid(16, 8);
    layout.SetMetrics(c.font, c.dpi, c.dpi, c.charSpacing, c.lineSpacing, c.margin, c.margin);
    EXPECT_EQ(layout.CharWidth(), c.charWidth) << c.dpi;
    EXPECT_EQ(layout.LineHeight(), c.lineHeight) << c.dpi;
    EXPECT_EQ(layout.LeftMargin(), c.leftMargin) << c.dpi;
    EXPECT_EQ(layout.TopMargin(), c.topMargin) << c.dpi;
    EXPECT_EQ(layout.DataTop(), c.dataTop) << c.dpi;
  }
}

TEST(BinaryLayout, WithoutScreenFontCellsStayMeasurable) {
  BinaryLayout layout = Grid(16, 8);
  layout.SetMetrics(TextMetric{}, 96, 96, 0, 0, 15, 15);
  layout.SetClientSize(400, 300);
  EXPECT_GE(layout.CharWidth(), 1);
  EXPECT_GE(layout.LineHeight(), 1);
  EXPECT_GT(layout.VisibleRows(), 0);
  (void)layout.HitTestPoint(100, 100);
}

TEST(BinaryLayout, ColumnHitTestFindsTheByteOfEveryCell) {
  for (auto [b, k] : {std::pair{16, 8}, std::pair{5, 5}, std::pair{64, 5}, std::pair{20, 7}}) {
    const BinaryLayout layout = Grid(b, k);
    for (int i = 0; i < b; ++i) {
      for (int c : {layout.HexCell(i), layout.HexCell(i) + 1}) {
        const BinaryHit hit = layout.HitTestColumn(c);
        EXPECT_EQ(hit.area, BinaryArea::kHex);
        EXPECT_EQ(hit.index, i) << "B " << b << " column " << c;
        EXPECT_FALSE(hit.pastEnd);
      }
      const BinaryHit text = layout.HitTestColumn(layout.TextCell(i));
      EXPECT_EQ(text.area, BinaryArea::kText);
      EXPECT_EQ(text.index, i);
    }
    // The blank before the text area belongs to its first byte.
    EXPECT_EQ(layout.HitTestColumn(layout.TextStart() - 1).area, BinaryArea::kText);
    EXPECT_EQ(layout.HitTestColumn(layout.TextStart() - 1).index, 0);
    // The address area and right of the row's last cell.
    EXPECT_EQ(layout.HitTestColumn(3).index, 0);
    const BinaryHit past = layout.HitTestColumn(layout.TextCell(b) + 3);
    EXPECT_TRUE(past.pastEnd);
    EXPECT_EQ(past.index, b - 1);
  }
  // The blanks after a byte go to the next byte.
  const BinaryLayout standard = Grid(16, 8);
  EXPECT_EQ(standard.HitTestColumn(33).index, 8);
  EXPECT_EQ(standard.HitTestColumn(34).index, 8);
  EXPECT_TRUE(standard.HitTestColumn(58).pastEnd);
}

TEST(BinaryLayout, PointHitTestUsesScrollOrigin) {
  BinaryLayout layout = Grid(16, 8);
  layout.SetMetrics(Font(8, 16), 96, 96, 0, 0, 15, 15);  // left 5, data top 23
  layout.SetClientSize(800, 600);
  layout.SetFirstRow(10);
  layout.SetFirstColumn(2);
  const BinaryPointHit hit = layout.HitTestPoint(5 + 8 * (35 - 2) + 3, 23 + 16 * 4 + 1);
  EXPECT_EQ(hit.row, 14u);
  EXPECT_EQ(hit.hit.index, 8);
  EXPECT_EQ(hit.position, 14u * 16 + 8);
  // Above the data area: the first visible row, never a negative one.
  layout.SetFirstRow(0);
  EXPECT_EQ(layout.HitTestPoint(100, -500).row, 0u);
  // Far below: saturated instead of wrapping round to a small position.
  layout.SetFirstRow(0xFFFFFF00u);
  EXPECT_EQ(layout.HitTestPoint(100, 590).position, 0xFFFFFFFFu);
}

TEST(BinaryLayout, VisibleExtentAndLastVisiblePosition) {
  BinaryLayout layout = Grid(16, 8);
  layout.SetMetrics(Font(8, 16), 96, 96, 0, 0, 15, 15);
  layout.SetClientSize(5 + 8 * 40 + 7, 23 + 16 * 3 + 5);
  EXPECT_EQ(layout.VisibleRows(), 3);
  EXPECT_EQ(layout.VisibleRowsPartial(), 4);
  EXPECT_EQ(layout.VisibleColumns(), 40);

  EXPECT_EQ(layout.LastVisiblePos(0), 0u);
  EXPECT_EQ(layout.LastVisiblePos(20), 19u);      // the short last row
  EXPECT_EQ(layout.LastVisiblePos(1000), 63u);    // the partly visible fourth row counts
  layout.SetFirstRow(61);
  EXPECT_EQ(layout.LastVisiblePos(1000), 999u);

  layout.SetClientSize(100, 20);  // lower than the data top
  EXPECT_EQ(layout.VisibleRows(), 0);
  EXPECT_EQ(layout.VisibleRowsPartial(), 0);
  layout.SetClientSize(3, 200);
  EXPECT_EQ(layout.VisibleColumns(), 0);
}

TEST(BinaryLayout, ScrollRanges) {
  BinaryLayout layout = Grid(16, 8);
  layout.SetMetrics(Font(8, 16), 96, 96, 0, 0, 15, 15);
  layout.SetClientSize(1000, 23 + 16 * 10);  // ten rows
  EXPECT_FALSE(layout.VerticalRange(16 * 8).enabled);
  EXPECT_EQ(layout.VerticalRange(16 * 8).max, 1);
  // Ten rows and the caret's row after them: one row to scroll.
  EXPECT_TRUE(layout.VerticalRange(16 * 10).enabled);
  EXPECT_EQ(layout.VerticalRange(16 * 10).max, 1);
  EXPECT_EQ(layout.VerticalRange(16 * 100 + 3).max, 101 - 10 + 1);

  EXPECT_FALSE(layout.HorizontalRange().enabled);
  layout.SetClientSize(5 + 8 * 50, 300);
  EXPECT_TRUE(layout.HorizontalRange().enabled);
  EXPECT_EQ(layout.HorizontalRange().max, layout.RowColumns() - 50);
}

TEST(BinaryLayout, UnderlineSitsBelowTheGlyphs) {
  BinaryLayout layout = Grid(16, 8);
  layout.SetMetrics(Font(8, 16), 96, 96, 0, 0, 15, 15);
  EXPECT_EQ(layout.UnderlineY(0, false), 23 + 15);
  EXPECT_EQ(layout.UnderlineY(2, true), 23 + 32 + 16);
  // With more than one pixel of line spacing the line moves two pixels down.
  layout.SetMetrics(Font(8, 16), 96, 96, 0, 10, 15, 15);  // 3 px spacing
  EXPECT_EQ(layout.UnderlineY(0, false), layout.DataTop() + 15 + 2);
}

}  // namespace
}  // namespace quarn
