// The comparison of two documents and the formatting of a record by a template.
#include <gtest/gtest.h>

#include <random>

#include "core/tools/CFormManeger.h"
#include "core/tools/DocumentComparison.h"

namespace quarn {
namespace {

struct ComparisonFixture : testing::Test {
  BinaryRowFormat format;
  std::vector<std::string> pieces;
  int room = 1 << 30;  // pieces the result takes before it is full
  void SetUp() override { format.layout.SetShape(16, 8); }
  CompareOutcome Compare(const std::string& a, const std::string& b, const std::string& replacing = "-") {
    pieces.clear();
    return CompareDocuments(reinterpret_cast<const std::uint8_t*>(a.data()), a.size(),
                            reinterpret_cast<const std::uint8_t*>(b.data()), b.size(), format, replacing,
                            [&](const std::string& s) { return room-- > 0 && (pieces.push_back(s), true); }, {});
  }
};

TEST_F(ComparisonFixture, OneDifferingByteShowsItsRowTwiceWithTheOtherPairsReplaced) {
  std::string a = "0123456789ABCDEF0123", b = a;
  b[17] = 'Z';
  ASSERT_EQ(Compare(a, b, "\x81\x5b").differingRows, 1u);
  // Below the header: address, the pair of the first byte replaced, the differing pair, the characters.
  const std::string gap(std::size_t(format.layout.TextStart()) - 21, ' ');
  EXPECT_EQ(pieces[0].substr(pieces[0].find("\r\n00000010") + 2),
            "00000010  \x81\x5b 31 \x81\x5b \x81\x5b" + gap + "0123\r\n" +
            "00000010  \x81\x5b 5A \x81\x5b \x81\x5b" + gap + "0Z23\r\n\r\n");
}

TEST_F(ComparisonFixture, RandomDocumentsListExactlyTheRowsThatDifferAndKeepOnlyDifferingPairs) {
  std::mt19937 rng(7);
  for (int round = 0; round < 200; ++round) {
    const int perRow = int(rng() % 20) + 1;
    format.layout.SetShape(perRow, int(rng() % 8) + 1);
    std::string a(rng() % 200, '\0'), b;
    for (char& c : a) c = char('a' + rng() % 3);
    b = a.substr(0, std::min(a.size(), std::size_t(rng() % 220)));
    for (char& c : b)
      if (rng() % 10 == 0) c = char('a' + rng() % 3);
    const CompareOutcome outcome = Compare(a, b, "*");
    std::size_t expectedRows = 0, at = 0;
    for (std::size_t row = 0; row < std::min(a.size(), b.size()); row += std::size_t(perRow)) {
      const std::size_t n = std::min<std::size_t>(std::size_t(perRow), std::min(a.size(), b.size()) - row);
      if (a.compare(row, n, b, row, n) == 0) continue;
      ++expectedRows;
      ASSERT_LT(at, pieces.size()) << "round " << round;
      const std::string& piece = pieces[at++];
      const std::size_t lineA = piece.rfind("\r\n", piece.size() - 5);
      const std::size_t startA = piece.rfind("\r\n", lineA - 1);
      const std::string line = piece.substr(startA == std::string::npos ? 0 : startA + 2);
      for (std::size_t i = 0; i < n; ++i) {
        const std::size_t cell = std::size_t(format.layout.HexCell(int(i)));
        EXPECT_EQ(line[cell] == '*', a[row + i] == b[row + i]) << "round " << round << " row " << row << " byte " << i;
      }
    }
    EXPECT_EQ(std::tuple(pieces.size(), outcome.differingRows, outcome.complete),
              std::tuple(expectedRows, expectedRows, true)) << "round " << round;
  }
}

TEST_F(ComparisonFixture, AFullResultStopsAndKeepsWhatWasWritten) {
  room = 2;
  const CompareOutcome outcome = Compare(std::string(64, 'a'), std::string(64, 'b'));
  EXPECT_EQ(std::pair(outcome.complete, outcome.differingRows), std::pair(false, std::size_t(2)));
}

std::vector<TemplateField> Read(const std::string& text) {
  return ReadTemplate(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
}

std::string Table(const std::string& templ, const std::string& bytes) {
  return FormatTable(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), "t.txt", Read(templ));
}

TEST(TemplateTest, ValuesOfEachTypeIgnoredLinesAndTheFieldLimit) {
  const std::tuple<std::string, std::string, std::string> kCases[] = {  // template, record, value shown
      {"size,W", "\x34\x12", "1234"},
      {"name,5", "AB\r\nC", "AB..C"},
      {"b, b", "\xfe", "FE"},
      {"d,D", std::string("\x78\x56\x34\x12", 4), "12345678"},
      {"short,D", "\x01\x02\x03", ""},
      {"n,3 ", "abcd", "abc"},
      {"lead,12x", "0123456789ABC", "0123456789AB"},
  };
  for (const auto& [templ, bytes, value] : kCases)
    EXPECT_EQ(Table(templ, bytes), "t.txt\r\n\t" + templ.substr(0, templ.find(',')) + " = " + value + "\r\n\r\n\r\n");
  EXPECT_EQ(Read("no type\r\nempty,\r\nzero,0\r\nword,x\r\nbig,10001\r\n").size(), 0u);
  std::string many;
  for (int i = 0; i < 120; ++i) many += "f,B\r\n";
  EXPECT_EQ(Read(many).size(), kMaxTemplateFields);
  EXPECT_EQ(Table("a,B\r\nb,W\r\nc,2\r\nd,B", "\x01\x02\x03xy"),
            "t.txt\r\n\ta = 01\r\n\tb = 0302\r\n\tc = xy\r\n\td = \r\n\r\n\r\n");
}

TEST(TemplateTest, HistoryKeepsThirtyDistinctNamesNewestFirstThroughItsBlock) {
  CFormManeger form;
  for (int i = 0; i < 35; ++i) form.Add("/t/" + std::to_string(i % 32));
  EXPECT_EQ(std::tuple(form.History().size(), form.History()[0], form.History()[1]),
            std::tuple(CFormManeger::kHistoryEntries, "/t/2", "/t/1"));
  const std::vector<std::uint8_t> block = form.SaveBlock();
  CFormManeger back;
  ASSERT_TRUE(back.LoadBlock(block.data(), block.size()));
  EXPECT_EQ(back.History(), form.History());
  EXPECT_FALSE(back.LoadBlock(block.data(), block.size() - 1));
  EXPECT_EQ(back.History(), form.History());
}

}  // namespace
}  // namespace quarn
