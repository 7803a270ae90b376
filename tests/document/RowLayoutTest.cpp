#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "core/common/Settings.h"
#include "core/document/RowLayout.h"
#include "core/encoding/Cp932.h"

namespace quarn {
namespace {

const std::string kAi = "\x82\xa0";      // a double-byte letter
const std::string kComma = "\x81\x41";   // ideographic comma, hangs
const std::string kPeriod = "\x81\x42";  // ideographic full stop, hangs

// Row starts of text under rules. Every call of the rule sees only the
// stretch it is promised (a heap copy of exactly that size), so a read past
// it shows up under the sanitizers.
std::vector<std::uint32_t> Rows(const std::string& text, const RowRules& rules) {
  std::vector<std::uint32_t> rows;
  if (text.empty()) return rows;
  const auto length = std::uint32_t(text.size());
  std::uint32_t start = 0;
  for (;;) {
    rows.push_back(start);
    const std::uint32_t end = std::min<std::uint32_t>(length, start + rules.MaxRowBytes() + 1);
    auto copy = std::make_unique<std::uint8_t[]>(end - start);
    std::copy(text.begin() + start, text.begin() + end, copy.get());
    TextBytes bytes{copy.get(), start, end, length};
    const std::uint32_t next = NextRowStart(bytes, start, rules);
    if (next == kNoRow) break;
    EXPECT_GT(next, start);
    EXPECT_LE(next, length);
    if (next <= start || next > length) break;
    start = next;
  }
  return rows;
}

RowRules Rules(int width, bool wordWrap, bool kinsoku, int tab = 4) {
  return RowRules(width, tab, wordWrap, kinsoku, texts::kColumnOutStringDefault);
}

using Starts = std::vector<std::uint32_t>;

TEST(RowLayout, HangingCharacterStaysOnTheRowOnlyWithKinsoku) {
  const std::string text = "abcdefghij" + kComma;
  EXPECT_EQ(Rows(text, Rules(10, false, true)), Starts({0}));
  EXPECT_EQ(Rows(text, Rules(10, false, false)), Starts({0, 10}));
  // Single-byte hanging characters: ASCII and half-width punctuation.
  EXPECT_EQ(Rows("abcdefghij.x", Rules(10, false, true)), Starts({0, 11}));
  EXPECT_EQ(Rows("abcdefghij\xa1x", Rules(10, false, true)), Starts({0, 11}));
  EXPECT_EQ(Rows("abcdefghijx.", Rules(10, false, true)), Starts({0, 10}));
  // A hanging double-byte character at the edge makes the row width + 2 wide;
  // what follows starts the next row.
  EXPECT_EQ(Rows("abcdefghij" + kPeriod + "x", Rules(10, false, true)), Starts({0, 12}));
  EXPECT_EQ(Rows("abcdefghi" + kComma + "x", Rules(10, false, true)), Starts({0, 11}));
  // Only one single-byte character hangs: the second one starts the next row.
  EXPECT_EQ(Rows("abcdefghij..,", Rules(10, false, true)), Starts({0, 11}));
}

TEST(RowLayout, DoubleByteCharacterIsNeverSplit) {
  EXPECT_EQ(Rows("abcdefghi" + kAi, Rules(10, false, false)), Starts({0, 9}));
  EXPECT_EQ(Rows("abcdefgh" + kAi + "x", Rules(10, false, false)), Starts({0, 10}));
  EXPECT_EQ(Rows(kAi + kAi + kAi, Rules(5, false, false)), Starts({0, 4}));
  // Too narrow for even one character: each still gets a row of its own.
  EXPECT_EQ(Rows(kAi + kAi + "a", Rules(1, false, false)), Starts({0, 2, 4}));
}

TEST(RowLayout, WordWrapBreaksAfterTheLastBlank) {
  EXPECT_EQ(Rows("hello worldwide", Rules(10, true, false)), Starts({0, 6}));
  EXPECT_EQ(Rows("abcdefghijklmno", Rules(10, true, false)), Starts({0, 10}));
  // A space may hang past the width, so the row ending between words keeps it.
  EXPECT_EQ(Rows("abcdefghij  next", Rules(10, true, false)), Starts({0, 11}));
  // A double-byte character is a break opportunity too.
  EXPECT_EQ(Rows("abc" + kAi + "defghijkl", Rules(10, true, false)), Starts({0, 5}));
  // Without word wrap the same text is cut at the width.
  EXPECT_EQ(Rows("hello worldwide", Rules(10, false, false)), Starts({0, 10}));
}

TEST(RowLayout, TabsRunToTheNextStopAndLineEndsBelongToTheirRow) {
  EXPECT_EQ(Rows("ab\tcd", Rules(10, false, false)), Starts({0}));
  EXPECT_EQ(Rows("abcdefgh\tx", Rules(10, false, false)), Starts({0, 9}));
  EXPECT_EQ(Rows("\t\t\tx", Rules(10, false, false, 4)), Starts({0, 3}));
  EXPECT_EQ(Rows("abc\r\ndef\r\n", Rules(10, false, false)), Starts({0, 5}));
  // A CR LF right at the width stays on the full row.
  EXPECT_EQ(Rows("abcdefghij\r\nk", Rules(10, false, false)), Starts({0, 12}));
  EXPECT_EQ(Rows("\r\n\r\n", Rules(10, false, false)), Starts({0, 2}));
}

// Over random texts of every kind of byte, rows are walked in character
// units from the first one, are never longer than the bound RowOfPos relies
// on, and with hanging off never wider than the width.
TEST(RowLayout, RandomTextsKeepTheRowBounds) {
  std::mt19937 random(7);
  const std::vector<std::string> pieces = {"a", "b", " ", "\t", "\r\n", kAi, kComma, ".", "\xa1", "\x82", "\r", "\n"};
  for (int round = 0; round < 300; ++round) {
    std::string text;
    const int n = int(random() % 200);
    for (int i = 0; i < n; ++i) text += pieces[random() % pieces.size()];
    const int width = 1 + int(random() % 20);
    const RowRules rules = Rules(width, random() % 2, random() % 2, 1 + int(random() % 8));
    const Starts rows = Rows(text, rules);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    std::size_t unit = 0;
    for (std::size_t r = 0; r < rows.size(); ++r) {
      const std::size_t end = r + 1 < rows.size() ? rows[r + 1] : text.size();
      EXPECT_LE(end - rows[r], rules.MaxRowBytes()) << round;
      while (unit < rows[r]) unit += (cp932::IsLeadByte(bytes[unit]) || bytes[unit] == 0x0D) ? 2 : 1;
      EXPECT_EQ(unit, rows[r]) << "row " << r << " starts inside a character, round " << round;
    }
  }
}

}  // namespace
}  // namespace quarn
