#include "core/encoding/Cp932.h"

#include <gtest/gtest.h>

#include "core/res/StringTable.h"

namespace quarn {
namespace {

TEST(Cp932, ClassifiesLeadTrailAndKanaBytes) {
  EXPECT_FALSE(cp932::IsLeadByte(0x80));
  EXPECT_TRUE(cp932::IsLeadByte(0x81));
  EXPECT_TRUE(cp932::IsLeadByte(0x9F));
  EXPECT_FALSE(cp932::IsLeadByte(0xA0));
  EXPECT_FALSE(cp932::IsLeadByte(0xDF));
  EXPECT_TRUE(cp932::IsLeadByte(0xE0));
  EXPECT_TRUE(cp932::IsLeadByte(0xFC));
  EXPECT_FALSE(cp932::IsLeadByte(0xFD));
  EXPECT_TRUE(cp932::IsHalfWidthKana(0xA1));
  EXPECT_TRUE(cp932::IsHalfWidthKana(0xDF));
  EXPECT_FALSE(cp932::IsTrailByte(0x7F));
  EXPECT_TRUE(cp932::IsTrailByte(0x5C));
}

TEST(Cp932, WalksCharactersWithoutTakingTrailBytesForStarts) {
  // "ソ" is 0x83 0x5C: its trail byte is a backslash.
  const std::string s = "a\x83\x5C\\b";
  EXPECT_EQ(cp932::CharCount(s), 4u);
  EXPECT_EQ(cp932::FindChar(s, '\\'), 3u);
  EXPECT_EQ(cp932::FindLastChar(s, '\\'), 3u);
  const auto* p = reinterpret_cast<const std::uint8_t*>(s.data());
  EXPECT_EQ(cp932::PrevChar(p, s.size(), 3), 1u);
  EXPECT_EQ(cp932::NextChar(s, 1), 3u);
  // A lead byte at the very end is walked as one byte.
  EXPECT_EQ(cp932::NextChar(std::string("a\x83"), 1), 2u);
}

TEST(StringTable, HoldsMessagesAsCp932Bytes) {
  // メモリ不足です。
  EXPECT_EQ(LoadString(59399), "\x83\x81\x83\x82\x83\x8A\x95\x73\x91\xAB\x82\xC5\x82\xB7\x81\x42");
  EXPECT_EQ(std::string(texts::kUntitled), "\x96\xB3\x91\xE8");
  EXPECT_TRUE(LoadString(1).empty());
  EXPECT_EQ(FormatString1(61216, "abc").substr(0, 3), "abc");
}

}  // namespace
}  // namespace quarn
