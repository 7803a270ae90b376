#include <gtest/gtest.h>

#include <random>

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
  const std::string& text = pieces[0];
  EXPECT_EQ(text.substr(0, 8), "ADDRESS ");
  const std::size_t rows = text.find("00000010");
  ASSERT_NE(rows, std::string::npos);
  // Address, the pair of the first byte replaced, the differing pair, the characters.
  const std::string gap(std::size_t(format.layout.TextStart()) - 21, ' ');
  EXPECT_EQ(text.substr(rows), "00000010  \x81\x5b 31 \x81\x5b \x81\x5b" + gap + "0123\r\n" +
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
    EXPECT_EQ(pieces.size(), expectedRows) << "round " << round;
    EXPECT_EQ(outcome.differingRows, expectedRows) << "round " << round;
    EXPECT_TRUE(outcome.complete) << "round " << round;
  }
}

TEST_F(ComparisonFixture, AFullResultStopsAndKeepsWhatWasWritten) {
  room = 2;
  const CompareOutcome outcome = Compare(std::string(64, 'a'), std::string(64, 'b'));
  EXPECT_FALSE(outcome.complete);
  EXPECT_EQ(outcome.differingRows, 2u);
}

}  // namespace
}  // namespace quarn
