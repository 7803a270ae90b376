// The fast forms of the row-breaking rule against the rule walked character
// by character, on random texts made of the bytes that matter to it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "core/common/ProcessValues.h"
#include "core/document/CVeskDoc.h"
#include "core/document/RowLayout.h"
#include "fakes/FakePlatform.h"

namespace quarn {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Lead bytes at both ends of their ranges, trail bytes that look like lead
// bytes, CR LF and lone CR, TAB, blanks, letters, half-width kana and the
// default hanging characters.
Bytes RandomText(std::mt19937& random, std::size_t n) {
  static const std::vector<std::string> pieces = {
      "a", "b", "Z", "1", ".", ",", ")", " ", "  ", "\t", "\r\n", "\r", "\n", std::string(1, '\0'),
      "\x81\x41", "\x81\x42", "\x81\x81", "\x9F\xFC", "\xE0\x9F", "\xFC\x40", "\x88\x9F",
      "\x81", "\x9F", "\xE0", "\xFC", "\xA1", "\xDF", "\xDE", "\x7F", "\x80", "\xFD",
      "hello", "worldwide", "\x82\xA0\x82\xA2", "\x81\x76\x81\x41"};
  Bytes text;
  while (text.size() < n) {
    const std::string& piece = pieces[random() % pieces.size()];
    text.insert(text.end(), piece.begin(), piece.end());
  }
  text.resize(n);
  return text;
}

RowRules RandomRules(std::mt19937& random) {
  static const std::vector<std::string> hangings = {
      "", "\x81\x41\x81\x42),.]}\xA1\xA3\xA4\xA5\xDE\xDF", " ", "\t", "a", "\x81\x81\x9F\xFC"};
  const int widths[] = {1, 2, 3, 4, 5, 7, 10, 16, 80};
  const int width = widths[random() % std::size(widths)];
  const int tab = 1 + int(random() % 8);
  return RowRules(width, tab, random() % 2 == 0, random() % 2 == 0, hangings[random() % hangings.size()]);
}

TextBytes Whole(const Bytes& text) {
  TextBytes t;
  t.data = text.data();
  t.end = t.length = std::uint32_t(text.size());
  return t;
}

TEST(RowFastPath, EveryStartGivesThePlainRow) {
  std::mt19937 random(11);
  for (int round = 0; round < 3000; ++round) {
    const Bytes text = RandomText(random, 1 + random() % 200);
    const RowRules rules = RandomRules(random);
    const TextBytes whole = Whole(text);
    for (std::uint32_t start = 0; start < whole.length; ++start) {
      const std::uint32_t plain = NextRowStartPlain(whole, start, rules);
      ASSERT_EQ(NextRowStart(whole, start, rules), plain) << "round " << round << " start " << start;
      // The stretch a relayout hands over: the row's bytes and one more.
      TextBytes stretch = whole;
      stretch.origin = start;
      stretch.end = std::min(whole.length, start + rules.MaxRowBytes() + 1);
      stretch.data = text.data() + start;
      ASSERT_EQ(NextRowStart(stretch, start, rules), plain) << "round " << round << " start " << start;
      // Any true bound on the next CR or TAB gives the same row.
      const std::uint32_t hit = FindCrOrTab(whole, start, whole.length);
      const std::uint32_t bound = start + std::uint32_t(random() % (hit - start + 1));
      ASSERT_EQ(NextRowStart(whole, start, rules, bound), plain) << "round " << round << " start " << start;
    }
  }
}

TEST(RowFastPath, FindCrOrTabFindsTheFirstOne) {
  std::mt19937 random(5);
  for (int round = 0; round < 2000; ++round) {
    const Bytes text = RandomText(random, 1 + random() % 64);
    const TextBytes whole = Whole(text);
    const std::uint32_t from = std::uint32_t(random() % text.size());
    const std::uint32_t to = from + std::uint32_t(random() % (text.size() - from + 1));
    std::uint32_t expected = from;
    while (expected < to && text[expected] != '\r' && text[expected] != '\t') ++expected;
    ASSERT_EQ(FindCrOrTab(whole, from, to), expected);
  }
}

class RowFastPathDoc : public ::testing::Test {
 protected:
  void SetUp() override { saved_ = gProcess; }
  void TearDown() override { gProcess = saved_; }
  ProcessValues saved_;
  fakes::FakePlatform platform_;
};

// A whole-text layout (as after loading) is the chain of plain rows, also
// over texts longer than the stretch it looks ahead for CR and TAB.
TEST_F(RowFastPathDoc, RebuiltTableIsThePlainChain) {
  std::mt19937 random(23);
  for (int round = 0; round < 60; ++round) {
    const std::size_t n = round % 10 == 0 ? 200000 + random() % 1000 : 1 + random() % 5000;
    Bytes text = RandomText(random, n);
    if (round % 3 == 0) {
      // Long stretches without CR or TAB.
      for (auto& b : text) {
        if (b == '\r' || b == '\t') b = 'x';
      }
    }
    const RowRules rules = RandomRules(random);
    gProcess.nextDocKind = kTextDoc;
    auto doc = std::make_unique<CVeskDoc>();
    doc->Format().charsPerLine = rules.width;
    doc->Format().tabColumns = rules.tab;
    doc->Layout().wordWrap = rules.wordWrap;
    doc->Layout().kinsoku = rules.kinsoku;
    const RowRules used = RowRules::Of(*doc);
    const auto length = std::uint32_t(text.size());
    ASSERT_LE(doc->Store().Reserve(length), 1);
    doc->Store().BeginDirect();
    std::memcpy(doc->Store().Data(), text.data(), length);
    doc->Store().EndDirect();
    doc->SetTextLength(length, length - 1);
    doc->RebuildRows();

    std::vector<std::uint32_t> chain;
    for (std::uint32_t s = 0; s != kNoRow && chain.size() < gProcess.maxRows; s = NextRowStartPlain(Whole(text), s, used)) {
      chain.push_back(s);
    }
    ASSERT_EQ(doc->RowCount(), chain.size()) << "round " << round;
    for (std::uint32_t r = 0; r < doc->RowCount(); ++r) {
      ASSERT_EQ(doc->RowStarts()[r], chain[r]) << "round " << round << " row " << r;
      const std::uint8_t flag = chain[r] >= 2 && text[chain[r] - 2] == '\r' ? 1 : 0;
      ASSERT_EQ(doc->RowFlags()[r], flag) << "round " << round << " row " << r;
    }
  }
}

}  // namespace
}  // namespace quarn
