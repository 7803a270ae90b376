#include <gtest/gtest.h>

#include <random>

#include "core/encoding/Cp932.h"
#include "core/search/CharFold.h"
#include "core/tools/CConvManeger.h"
#include "core/tools/CharClasses.h"

namespace quarn {
namespace {

namespace cc = charclass;

std::string Converted(const CConvManeger& m, const std::string& s) {
  return m.Convert(reinterpret_cast<const std::uint8_t*>(s.data()), s.size()).output;
}

std::string ConvertOne(int from, int to, const std::string& c, std::size_t* taken = nullptr) {
  std::string out;
  const std::size_t n = cc::Convert(from, to, reinterpret_cast<const std::uint8_t*>(c.data()), c.size(), out);
  if (taken) *taken = n;
  return out;
}

int ClassOf(const std::string& c) {
  std::size_t n = 0;
  return cc::ClassAt(reinterpret_cast<const std::uint8_t*>(c.data()), c.size(), &n);
}

// Every single byte and byte pair: each character of CP932, and the voiced half-width kana as pairs.
TEST(ConversionTest, EveryCharacterOfEachClassPairConvertsIntoTheTargetClassAndBack) {
  for (int from : cc::ListOrder())
    for (int to : cc::ListOrder()) {
      if (!cc::Allowed(from, to)) continue;
      int converted = 0;
      for (int code = 0; code <= 0xFCFC; ++code) {
        const std::string c = code < 0x100 ? std::string(1, char(code)) : std::string{char(code >> 8), char(code)};
        std::size_t taken = 0;
        const std::string r = ClassOf(c) == from ? ConvertOne(from, to, c, &taken) : c;
        // A character followed by another (a kana and a mark that form no voiced kana) converts alone.
        if (taken < c.size() || r == c) continue;
        ++converted;
        const std::string where = std::to_string(from) + "->" + std::to_string(to) + " " + testing::PrintToString(c);
        // ｰ becomes ー, which no class holds; ￣ and ￥ share their half-width forms with other characters.
        if (c == "\xb0") {
          EXPECT_EQ(r, "\x81\x5b");
        } else {
          EXPECT_EQ(ClassOf(r), to) << where;
          EXPECT_TRUE(c == "\x81\x50" || c == "\x81\x8f" || ConvertOne(to, from, r) == c) << where << " and back";
        }
        // The half-width form agrees with the search's width folding.
        const std::uint16_t full = std::uint16_t(std::uint8_t(c[0]) << 8 | std::uint8_t(c[1]));
        if (c.size() == 2 && r.size() == 1 && from != cc::kHiragana && ToSingleByte(full) != full) {
          EXPECT_EQ(FoldCase(ToSingleByte(full)), FoldCase(std::uint8_t(r[0]))) << where;
        }
      }
      EXPECT_GT(converted, 0) << from << "->" << to;
    }
}

TEST(ConversionTest, RulesInRowOrderOnRandomMixedTextsAgainstAPlainReference) {
  std::mt19937 rng(32888);
  const std::vector<std::string> pieces = {"a", "B", "1", " ", "!", "\x82\xa0", "\x83\x41", "\xb6", "\xde", "\xb6\xde",
                                           "\x82\x60", "\x88\x9f", "ab", "\r\n", "`", "\x81\x40"};
  const std::vector<std::pair<int, int>> pairs = {{28, 27}, {27, 17}, {17, 28}, {15, 24}, {14, 15},
                                                  {13, 23}, {12, 22}, {11, 21}, {16, 26}};
  for (int round = 0; round < 500; ++round) {
    CConvManeger m;
    for (int r = int(rng() % 4); r >= 0; --r) {
      if (rng() % 2) {
        m.rules.push_back(
            {1, pieces[rng() % pieces.size()], 1, pieces[rng() % pieces.size()].substr(0, rng() % 2 ? 9 : 0)});
      } else {
        const auto& p = pairs[rng() % pairs.size()];
        m.rules.push_back({p.first, "", p.second, ""});
      }
    }
    std::string text;
    for (int i = int(rng() % 30); i > 0; --i) text += pieces[rng() % pieces.size()];
    // The reference: at each position the first rule that applies, else the character copied.
    std::string expected;
    for (std::size_t at = 0; at < text.size();) {
      const std::size_t length = cp932::IsLeadByte(std::uint8_t(text[at])) && at + 1 < text.size() ? 2 : 1;
      bool done = false;
      for (const ConvRule& r : m.rules) {
        if (r.sourceKind == 1 && text.compare(at, r.source.size(), r.source) == 0) {
          expected += r.target, at += r.source.size(), done = true;
        } else if (r.sourceKind != 1 && ClassOf(text.substr(at, length)) == r.sourceKind) {
          // ｶ..ﾄ, ﾊ..ﾎ and ｳ with ﾞ; ﾊ..ﾎ with ﾟ.
          const std::uint8_t k = std::uint8_t(text[at]), mark = at + 1 < text.size() ? std::uint8_t(text[at + 1]) : 0;
          const bool voices = (mark == 0xDE && ((k >= 0xB6 && k <= 0xC4) || (k >= 0xCA && k <= 0xCE) || k == 0xB3)) ||
                              (mark == 0xDF && k >= 0xCA && k <= 0xCE);
          const std::size_t n = r.sourceKind == 17 && voices ? 2 : length;
          expected += ConvertOne(r.sourceKind, r.targetKind, text.substr(at, n)), at += n, done = true;
        }
        if (done) break;
      }
      if (!done) expected += text.substr(at, length), at += length;
    }
    ASSERT_EQ(Converted(m, text), expected) << "round " << round;
  }
}

// The voiced kana, which no width folding pins: ｶﾞﾊﾟｳﾞｰ and ガパヴー, ヴ with no hiragana copied.
TEST(ConversionTest, VoicedKanaAndTheOutputLimit) {
  const std::tuple<int, int, std::string, std::string> kCases[] = {
      {17, 27, "\xb6\xde\xca\xdf\xb3\xde\xb0", "\x83\x4b\x83\x70\x83\x94\x81\x5b"},
      {27, 17, "\x83\x4b\x83\x70\x83\x94", "\xb6\xde\xca\xdf\xb3\xde"},
      {17, 28, "\xb3\xde\xb6", "\xb3\xde\x82\xa9"},
      {27, 28, "\x83\x93\x83\x80", "\x82\xf1\x82\xde"},  // ンム -> んむ
  };
  CConvManeger m;
  for (const auto& [from, to, in, out] : kCases) {
    m.rules = {{from, "", to, ""}};
    EXPECT_EQ(Converted(m, in), out) << in;
  }
  m.rules = {{1, "a", 1, "aa"}};
  const std::string big(CConvManeger::kMaxSource, 'a');
  const ConvOutcome o = m.Convert(reinterpret_cast<const std::uint8_t*>(big.data()), big.size());
  EXPECT_EQ(std::pair(o.cut, o.output.size()), std::pair(true, CConvManeger::kOutputStop));
  const std::string fits(CConvManeger::kOutputStop / 2, 'a');
  EXPECT_FALSE(m.Convert(reinterpret_cast<const std::uint8_t*>(fits.data()), fits.size()).cut);
}

TEST(ConversionTest, DialogRowsStopAtTheFirstBadRow) {
  const std::string hira = cc::Name(28), kata = cc::Name(27), digits = cc::Name(13);
  const std::tuple<std::vector<ConvRow>, int, std::size_t> kCases[] = {  // rows, the first bad row, rules read
      {{{hira, kata}, {"", "ignored"}, {"x", ""}}, -1, 2},
      {{{hira, ""}}, 0, 0},
      {{{"a", "b"}, {hira, digits}}, 1, 1},
      {{{"a", kata}}, 0, 0},
      {{{std::string(81, 'a'), "b"}}, 0, 0},
      {{{"a", std::string(81, 'b')}}, 0, 0},
  };
  for (const auto& [rows, bad, count] : kCases) {
    std::vector<ConvRule> rules;
    EXPECT_EQ(ReadConvRows(rows, rules), bad);
    EXPECT_EQ(rules.size(), count);
  }
}

TEST(ConversionTest, ParameterBlockRoundTripsAndRefusesCutOrUnsoundBlocks) {
  CConvManeger m;
  m.rules = {{28, "", 27, ""}, {1, "x", 1, ""}};
  m.toNewDocument = true;
  const std::vector<std::uint8_t> block = m.SaveParameters();
  CConvManeger back;
  ASSERT_TRUE(back.LoadParameters(block));
  EXPECT_EQ(std::pair(back.rules, back.toNewDocument), std::pair(m.rules, true));
  for (std::size_t cut = 0; cut < block.size(); ++cut) EXPECT_FALSE(CConvManeger().LoadParameters(block.data(), cut));
  CConvManeger bad;
  bad.rules = {{28, "", 13, ""}};
  EXPECT_FALSE(back.LoadParameters(bad.SaveParameters()));
  EXPECT_EQ(back.rules, m.rules);
}

}  // namespace
}  // namespace quarn
