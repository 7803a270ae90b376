#include <gtest/gtest.h>

#include "core/common/Palette.h"
#include "core/common/Settings.h"
#include "core/common/TabPositions.h"
#include "core/common/WindowPos.h"

namespace quarn {
namespace {

TEST(TabPositionsTest, WhatMakesAListValid) {
  TabPositionList list;
  for (const char* valid : {"2", "9,13", "9,13,", " 9 , 13", "2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21",
                            "250"})
    EXPECT_TRUE(ParseTabPositions(valid, list)) << valid;
  for (const char* invalid : {"1,5", "5,5", "9,5", "251", "0", "-3", ",", "9,,13", "9,13,,", "9x", "abc",
                              "2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,22", "99999999999"}) {
    list = DefaultTabPositions();
    EXPECT_FALSE(ParseTabPositions(invalid, list)) << invalid;
    EXPECT_EQ(list.count, 0) << invalid;
  }
}

TEST(TabPositionsTest, FormattedOneBasedWithoutTheLastComma) {
  TabPositionList list;
  ASSERT_TRUE(ParseTabPositions("", list));
  EXPECT_EQ(list.count, 10);
  EXPECT_EQ(FormatTabPositions(list), "8,12,20,28,36,44,52,60,68,72");
  EXPECT_EQ(FormatTabPositions(TabPositionList()), "");
  TabPositionList wild;
  wild.count = 99;  // never read past the positions
  EXPECT_EQ(FormatTabPositions(wild), "1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1");
}

TEST(DirectoriesTest, EmptySlotsMoveToTheEnd) {
  std::array<std::string, 4> d{"", "/b", "", "/d"};
  PackDirectories(d);
  EXPECT_EQ(d, (std::array<std::string, 4>{"/b", "/d", "", ""}));
  std::array<std::string, 4> none{};
  PackDirectories(none);
  EXPECT_EQ(none, (std::array<std::string, 4>{}));
}

TEST(WindowPosTest, ParsedAsTheTenNumbersAreWritten) {
  WindowPlacement p;
  EXPECT_TRUE(ParseWindowPos("0, 1,2,3,4,5,6,7,8,9 trailing", p));
  EXPECT_EQ(FormatWindowPos(p), "0,1,2,3,4,5,6,7,8,9");
  const WindowPlacement before = p;
  for (const char* bad : {"", "1,2,3,4,5,6,7,8,9", "1 ,2,3,4,5,6,7,8,9,10", "1,2,3,4,5,6,7,8,9,", "a,2,3,4,5,6,7,8,9,10"})
    EXPECT_FALSE(ParseWindowPos(bad, p)) << bad;
  EXPECT_EQ(p, before);
}

TEST(PaletteTest, IndexesOutsideTheTableAreBlack) {
  EXPECT_EQ(PaletteColor(4), 0x00FF00u);
  EXPECT_EQ(PaletteColor(16), 0xC0C0C0u);
  EXPECT_EQ(PaletteColor(0), 0u);
  EXPECT_EQ(PaletteColor(17), 0u);
}

}  // namespace
}  // namespace quarn
