#include <gtest/gtest.h>

#include "core/print/CPageLayout.h"

namespace quarn {
namespace {

TEST(PageLayoutDialogTest, WholeMillimetresAndIndexesRoundTrip) {
  PageLayoutFields fields;
  fields.margins = {57, 100, 3, 10009};  // 0.1 mm: the dialog truncates
  fields.charSpacing = 15;
  fields.lineSpacing = 35;
  CPageLayout dialog(fields);
  EXPECT_EQ(dialog.margins[0], 5);
  EXPECT_EQ(dialog.margins[3], 1000);
  EXPECT_EQ(dialog.charSpacing, 3);
  EXPECT_EQ(dialog.lineSpacing, 7);
  dialog.Store(fields);
  EXPECT_EQ(fields.margins, (std::array<std::int32_t, 4>{50, 100, 0, 10000}));

  // The block is 114 + n + m bytes and reads back whole.
  dialog.header = "abc";
  dialog.footer = "- &p -";
  dialog.headerOn = false;
  const auto block = dialog.Block();
  EXPECT_EQ(block.size(), 114u + 3 + 6);
  EXPECT_EQ(block[36], 1);  // the header's "しない" radio
  auto back = CPageLayout::FromBlock(block);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->Block(), block);
  EXPECT_FALSE(back->headerOn);
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

TEST(PageLayoutDialogTest, PrinterFontIsCappedAtOneHundredScreenPixels) {
  CPageLayout dialog;
  LogFont chosen;
  chosen.setFace("IPAGothic");
  EXPECT_TRUE(dialog.ChooseFont(chosen, 120, 96));
  EXPECT_EQ(dialog.font.height, 12);
  EXPECT_EQ(dialog.font.face(), "IPAGothic");
  EXPECT_FALSE(dialog.ChooseFont(chosen, 800, 96));  // 80 points are 106 pixels
  EXPECT_EQ(dialog.font.height, 75);
}

}  // namespace
}  // namespace quarn
