#include <gtest/gtest.h>

#include "TextWindowFixture.h"
#include "core/textview/TextLayout.h"
#include "core/textview/WordClass.h"

namespace quarn::testing {
namespace {

using TextLayoutTest = TextWindowFixture;

TEST_F(TextLayoutTest, PosOfColumnAcrossTabsDoubleBytesAndTheFreeCursor) {
  // a b TAB(2-3) c d CR LF | a あ(1-2) b CR LF | the row after the final CR LF
  Open("ab\tcd\r\na\x82\xa0" "b\r\n", 20, 4);
  struct Case {
    std::uint32_t row;
    int column;
    bool free;
    std::uint32_t pos;
    int overhang;
  } cases[] = {
      {0, 0, false, 0, 0},  {0, 2, false, 2, 0},  {0, 3, false, 3, 0},  // inside the TAB: after it
      {0, 4, false, 3, 0},  {0, 6, false, 5, 0},  {0, 9, false, 5, 0},  // beyond the line end: its CR
      {0, 9, true, 5, 3},   {1, 2, false, 10, 0}, {1, 3, false, 10, 0},  // inside あ: after it
      {1, 4, false, 11, 0}, {1, 6, true, 11, 2},  {2, 5, false, 13, 0}, {2, 5, true, 13, 5},
  };
  for (const Case& c : cases) {
    const ColumnHit hit = PosOfColumn(*doc, doc->RowStartAt(c.row), c.column, c.free);
    EXPECT_EQ(hit.pos, c.pos) << "row " << c.row << " column " << c.column << " free " << c.free;
    EXPECT_EQ(hit.overhang, c.overhang) << "row " << c.row << " column " << c.column << " free " << c.free;
  }
}

TEST_F(TextLayoutTest, PosOfColumnWithoutLineEndStandsAfterTheLastCharacter) {
  Open("abc", 20);
  const ColumnHit hit = PosOfColumn(*doc, 0, 10, false);
  EXPECT_EQ(hit.pos, 2u);
  EXPECT_EQ(hit.overhang, 1);
}

TEST_F(TextLayoutTest, CellsAndPixelsMapBothWaysWithMarginsAndScrolling) {
  Open("x");
  TextLayout layout;
  TextMetric tm;
  tm.height = 16;
  tm.aveCharWidth = 8;
  layout.SetMetrics(tm, 254, 254, 0, 4, 10, 20);  // 254 dpi: 0.1 mm is one pixel
  layout.SetClientSize(400, 300);
  layout.SetMaxRowWidth(30);
  layout.SetFirstRow(5);
  layout.SetFirstColumn(2);
  EXPECT_EQ(layout.RowPitch(), 20);
  EXPECT_EQ(layout.CellToClient(3, 6), (Point{18, 40}));
  EXPECT_EQ(layout.ClientToCell(Point{18, 40}, 100), (TextCell{3, 6}));
  EXPECT_EQ(layout.ClientToCell(Point{399, 299}, 100).column, 30) << "not beyond the widest row";
  EXPECT_EQ(layout.ClientToCell(Point{0, -500}, 100).row, 0u);
  EXPECT_EQ(layout.ClientToCell(Point{0, 5000}, 100).row, 100u);
  EXPECT_EQ(layout.VerticalRange(100).max, 100 - 14 + 1);
  EXPECT_FALSE(layout.VerticalRange(13).enabled);
}

TEST(WordClassTest, ClassesOfCharacters) {
  const std::pair<std::uint16_t, int> cases[] = {
      {'a', 1},    {'Z', 1},    {'7', 1},    {'_', 3},    {' ', 3},    {0xA6, 2},   {0xDF, 2},   {0xA1, 3},
      {0x8140, 3}, {0x8141, 3}, {0x81AC, 3}, {0x815B, 5}, {0x817F, 6}, {0x829F, 4}, {0x82F1, 4}, {0x8340, 5},
      {0x8396, 5}, {0x837F, 6}, {0x889F, 6}, {0x8260, 6},
  };
  for (auto [c, cls] : cases) EXPECT_EQ(WordClassOf(c), cls) << std::hex << c;
}

}  // namespace
}  // namespace quarn::testing
