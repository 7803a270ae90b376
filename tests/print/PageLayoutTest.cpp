// The page layout dialog's fields and block, and the codes of the header
// and footer lines.
#include <gtest/gtest.h>

#include "core/print/CPageLayout.h"
#include "core/print/PrintPage.h"
#include "core/print/ExpandInsertion.h"

namespace quarn {
namespace {

// Tuesday 2026-03-03 09:05:07, day 62 of the year.
const std::tm kClock = [] {
  std::tm t{};
  t.tm_year = 126, t.tm_mon = 2, t.tm_mday = 3, t.tm_hour = 9, t.tm_min = 5, t.tm_sec = 7;
  t.tm_wday = 2, t.tm_yday = 61;
  return t;
}();

TEST(ExpandInsertionTest, CodesExpandAgainstAFixedClock) {
  const std::pair<const char*, const char*> cases[] = {
      {"$Y/$m/$d $H:$M:$S", "2026/03/03 09:05:07"},
      {"$y $j $w $I$p", "26 062 2 09AM"},
      {"$a $A $b $B", "Tue Tuesday Mar March"},
      {"$U $W", "09 09"},
      {"$e", "\x89\xce"},  // 火
      {"[$f] [$n]", "[/home/u/\x95\xb6\x8f\x91.txt] [\x95\xb6\x8f\x91.txt]"},
      {"L$l C$c", "L12 C34"},
      {"$$ $q $", "$ q "},   // "$$" is "$", an unknown code is itself, a final "$" is lost
      {"a\x82\xa0$", "a\x82\xa0"},
      {"ab\x82", "ab"},      // a lead byte that ends the text is dropped
      {"$\x82\xa0z", "\x82\xa0z"},  // a double-byte character after "$" stays whole
  };
  for (const auto& [text, expected] : cases) {
    EXPECT_EQ(ExpandInsertion(text, "/home/u/\x95\xb6\x8f\x91.txt", 12, 34, kClock), expected) << text;
  }
  EXPECT_EQ(ExpandInsertion("[$f][$n]", "", 1, 1, kClock), "[][]");
  // The result stops before reaching 256 bytes.
  const std::string a254(254, 'a');
  EXPECT_EQ(ExpandInsertion(a254 + "b" + "c", "", 1, 1, kClock), a254 + "b");
  // An expansion that would cross the limit is left out with everything after it.
  EXPECT_EQ(ExpandInsertion(a254 + "$Yxyz", "", 1, 1, kClock), a254);
  // A double-byte character is never cut in half.
  EXPECT_EQ(ExpandInsertion(a254 + "\x82\xa0", "", 1, 1, kClock), a254);
  EXPECT_EQ(ExpandInsertion(std::string(300, 'x'), "", 1, 1, kClock).size(), 255u);
  // The page lines' codes are replaced once each, the lower case first.
  const PrintStamp stamp = MakePrintStamp(kClock);
  const std::pair<const char*, const char*> lines[] = {
      {"&p/&P", "10/&P"}, {"&p &p", "10 &p"}, {"&P &F &D &T", "10 /a.txt 26/03/03 09:05:07"}, {"&&x &q", "&&x &q"}};
  for (const auto& [text, expected] : lines) EXPECT_EQ(ExpandPageLine(text, 10, "/a.txt", stamp), expected) << text;
}

TEST(PageLayoutDialogTest, WholeMillimetresIndexesAndTheFontCap) {
  PageLayoutFields fields;
  fields.margins = {57, 100, 3, 10009};  // 0.1 mm: the dialog truncates
  fields.charSpacing = 15;
  fields.lineSpacing = 35;
  CPageLayout dialog(fields);
  EXPECT_EQ(std::tuple(dialog.charSpacing, dialog.lineSpacing), std::tuple(3, 7));
  dialog.headerOn = false;
  EXPECT_EQ(dialog.Block()[36], 1);  // the header's "しない" radio
  dialog.Store(fields);
  EXPECT_EQ(fields.margins, (std::array<std::int32_t, 4>{50, 100, 0, 10000}));
  // The printer font is capped at one hundred screen pixels.
  LogFont chosen;
  chosen.setFace("IPAGothic");
  EXPECT_TRUE(dialog.ChooseFont(chosen, 120, 96));
  EXPECT_EQ(dialog.font.height, 12);
  EXPECT_EQ(dialog.font.face(), "IPAGothic");
  EXPECT_FALSE(dialog.ChooseFont(chosen, 800, 96));  // 80 points are 106 pixels
  EXPECT_EQ(dialog.font.height, 75);
}

TEST(PageLayoutDialogTest, RefusedValuesAndBlocks) {
  CPageLayout dialog;
  dialog.header = "h";
  dialog.footer = "f";
  const auto good = dialog.Block();
  struct Case {
    const char* what;
    std::size_t offset;
    std::uint8_t value;
  } cases[] = {
      {"margin over 1000 mm", 1, 0x10}, {"spacing index 8", 28, 8}, {"alignment 3", 40, 3},
      {"radio 2", 36, 2},               {"line numbers 2", 24, 2},  {"no zero after the footer", 115, 'x'},
  };
  for (const auto& c : cases) {
    auto block = good;
    block[c.offset] = c.value;
    EXPECT_FALSE(CPageLayout::FromBlock(block)) << c.what;
  }
  EXPECT_FALSE(CPageLayout::FromBlock({good.begin(), good.end() - 1}));
  dialog.charSpacing = -1;  // no drop-down selection
  EXPECT_FALSE(dialog.Valid());
}

}  // namespace
}  // namespace quarn
