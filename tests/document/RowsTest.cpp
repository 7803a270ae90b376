// The row-breaking rule, its fast forms against the rule walked character by
// character, and the document's row table against a rebuild from scratch.
#include <algorithm>
#include <random>

#include "DocSupport.h"
#include "core/common/Settings.h"
#include "core/document/RowLayout.h"
#include "core/res/MessageIds.h"

namespace quarn::doctests {
namespace {

const std::string kAi = "\x82\xa0";      // a double-byte letter
const std::string kComma = "\x81\x41";   // ideographic comma, hangs
const std::string kPeriod = "\x81\x42";  // ideographic full stop, hangs

using Starts = std::vector<std::uint32_t>;

TextBytes Whole(const Bytes& text) { return {text.data(), 0, std::uint32_t(text.size()), std::uint32_t(text.size())}; }

// Row starts of text under rules, by the plain rule (the fast forms are checked against it below).
Starts Rows(const std::string& text, const RowRules& rules) {
  const Bytes bytes = B(text);
  Starts rows;
  for (std::uint32_t s = 0; s != kNoRow;) rows.push_back(std::exchange(s, NextRowStartPlain(Whole(bytes), s, rules)));
  return rows;
}

TEST(RowLayout, BreaksRowsAtTheWidthTabsWordsAndHangingCharacters) {
  const struct {
    std::string text;
    int width;
    bool wordWrap, kinsoku;
    Starts starts;
  } cases[] = {
      // A hanging character stays on the row only with kinsoku; only one single-byte character hangs.
      {"abcdefghij" + kComma, 10, false, true, {0}},  {"abcdefghij" + kComma, 10, false, false, {0, 10}},
      {"abcdefghijx.", 10, false, true, {0, 10}},     {"abcdefghij..,", 10, false, true, {0, 11}},
      // A hanging double-byte character makes the row width + 2 wide.
      {"abcdefghij" + kPeriod + "x", 10, false, true, {0, 12}}, {"abcdefghi" + kComma + "x", 10, false, true, {0, 11}},
      // A double-byte character is never split, even when nothing fits.
      {"abcdefghi" + kAi, 10, false, false, {0, 9}}, {kAi + kAi + "a", 1, false, false, {0, 2, 4}},
      // Word wrap breaks after the last blank or double-byte character; a space may hang.
      {"hello worldwide", 10, true, false, {0, 6}},   {"abcdefghijklmno", 10, true, false, {0, 10}},
      {"abcdefghij  next", 10, true, false, {0, 11}}, {"abc" + kAi + "defghijkl", 10, true, false, {0, 5}},
      // Tabs run to the next stop; a CR LF belongs to its row, also right at the width.
      {"abcdefgh\tx", 10, false, false, {0, 9}},    {"abcdefghij\r\nk", 10, false, false, {0, 12}},
  };
  for (const auto& c : cases) {
    const RowRules rules(c.width, 4, c.wordWrap, c.kinsoku, texts::kColumnOutStringDefault);
    EXPECT_EQ(Rows(c.text, rules), c.starts) << c.text << " width " << c.width;
  }
}

// Lead bytes at both ends of their ranges, trail bytes that look like lead bytes, CR LF and lone CR, TAB, blanks,
// letters, half-width kana and the default hanging characters.
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

// From every start the fast forms give the plain row; from a character start the row is never longer than the bound
// RowOfPos relies on and the next one begins on a character start too.
TEST(RowFastPath, EveryStartGivesThePlainRow) {
  std::mt19937 random(11);
  for (int round = 0; round < 3000; ++round) {
    const Bytes text = RandomText(random, 1 + random() % 200);
    const RowRules rules = RandomRules(random);
    const TextBytes whole = Whole(text);
    std::vector<bool> unit(text.size() + 1);
    for (std::uint32_t q = 0; q < text.size(); q += UnitLength(text[q])) unit[q] = true;
    for (std::uint32_t start = 0; start < whole.length; ++start) {
      SCOPED_TRACE(::testing::Message() << "round " << round << " start " << start);
      const std::uint32_t plain = NextRowStartPlain(whole, start, rules);
      ASSERT_EQ(NextRowStart(whole, start, rules), plain);
      if (unit[start]) {
        const std::uint32_t end = plain == kNoRow ? whole.length : plain;
        ASSERT_LE(end - start, rules.MaxRowBytes());
        ASSERT_TRUE(plain == kNoRow || unit[plain]) << "a row starts inside a character";
      }
      // The stretch a relayout hands over, the row's bytes and one more, in a heap copy of exactly that size.
      const std::uint32_t end = std::min(whole.length, start + rules.MaxRowBytes() + 1);
      auto copy = std::make_unique<std::uint8_t[]>(end - start);
      std::copy(text.begin() + start, text.begin() + end, copy.get());
      ASSERT_EQ(NextRowStart(TextBytes{copy.get(), start, end, whole.length}, start, rules), plain);
      // Any true bound on the next CR or TAB gives the same row.
      const std::uint32_t hit = FindCrOrTab(whole, start, whole.length);
      const std::uint32_t bound = start + std::uint32_t(random() % (hit - start + 1));
      ASSERT_EQ(NextRowStart(whole, start, rules, bound), plain);
    }
  }
}

TEST(RowFastPath, FindCrOrTabFindsTheFirstOne) {
  std::mt19937 random(5);
  for (int round = 0; round < 2000; ++round) {
    const Bytes text = RandomText(random, 1 + random() % 64);
    const std::uint32_t from = std::uint32_t(random() % text.size());
    const std::uint32_t to = from + std::uint32_t(random() % (text.size() - from + 1));
    std::uint32_t expected = from;
    while (expected < to && text[expected] != '\r' && text[expected] != '\t') ++expected;
    ASSERT_EQ(FindCrOrTab(Whole(text), from, to), expected);
  }
}

// The document holds ref byte for byte and its row table is the one a rebuild from scratch gives.
void ExpectSameAsRebuilt(CVeskDoc& doc, const Bytes& ref, const Shape& shape, const std::string& where) {
  SCOPED_TRACE(where);
  ASSERT_EQ(B(TextOf(doc)), ref);
  EXPECT_EQ(doc.LastCharPos(), LastUnit(ref));
  auto fresh = LoadedDoc(ref, shape);
  const std::uint32_t rows = doc.RowCount();
  ASSERT_EQ(rows, fresh->RowCount());
  ASSERT_EQ(Starts(doc.RowStarts(), doc.RowStarts() + rows), Starts(fresh->RowStarts(), fresh->RowStarts() + rows));
  ASSERT_TRUE(std::equal(doc.RowFlags(), doc.RowFlags() + rows, fresh->RowFlags()));
  // The end of the text lies on the phantom row only after a final CR LF.
  ASSERT_EQ(doc.RowOfPos(std::uint32_t(ref.size())), fresh->RowOfPos(std::uint32_t(ref.size())));
  // Line numbers, asked in a scattered order, agree with a count from row 0.
  for (std::uint32_t k = 0; k <= rows; k += 1 + rows / 7) {
    const std::uint32_t r = (k * 7919u) % (rows + 1);
    std::uint32_t line = r == rows && r > 0 ? 1 : 0;
    for (std::uint32_t i = 1; i <= r && i < rows; ++i) line += fresh->RowFlags()[i];
    ASSERT_EQ(doc.RowToLineNumber(r), line) << "row " << r;
  }
  // Character walking agrees with the walk from the first byte: the unit
  // before each unit start, and the last unit of every row.
  Starts units;
  for (std::uint32_t q = 0; q < ref.size(); q += UnitLength(ref[q])) units.push_back(q);
  for (std::size_t i = 1; i < units.size(); i += 1 + units.size() / 16)
    ASSERT_EQ(doc.PrevCharPos(units[i]), units[i - 1]) << "at " << units[i];
  for (std::uint32_t r = 0; r < rows; ++r) {
    const std::uint32_t end = r + 1 < rows ? doc.RowStarts()[r + 1] : std::uint32_t(ref.size());
    ASSERT_EQ(doc.RowLastChar(r), *(std::lower_bound(units.begin(), units.end(), end) - 1)) << "row " << r;
  }
}

using RowTable = DocTest;

// A whole-text layout (as after loading) is the chain of plain rows, also
// over texts longer than the stretch it looks ahead for CR and TAB.
TEST_F(RowTable, RebuiltTableIsThePlainChain) {
  std::mt19937 random(23);
  for (int round = 0; round < 60; ++round) {
    Bytes text = RandomText(random, round % 10 == 0 ? 200000 + random() % 1000 : 1 + random() % 5000);
    if (round % 3 == 0) std::replace_if(text.begin(), text.end(), [](auto b) { return b == '\r' || b == '\t'; }, 'x');
    const RowRules drawn = RandomRules(random);
    auto doc = LoadedDoc(text, {drawn.width, drawn.tab, drawn.wordWrap, drawn.kinsoku});
    const RowRules used = RowRules::Of(*doc);
    Starts chain;
    for (std::uint32_t s = 0; s != kNoRow && chain.size() < gProcess.maxRows;)
      chain.push_back(std::exchange(s, NextRowStartPlain(Whole(text), s, used)));
    ASSERT_EQ(Starts(doc->RowStarts(), doc->RowStarts() + doc->RowCount()), chain) << "round " << round;
    for (std::uint32_t r = 0; r < doc->RowCount(); ++r) {
      const std::uint8_t flag = chain[r] >= 2 && text[chain[r] - 2] == '\r' ? 1 : 0;
      ASSERT_EQ(doc->RowFlags()[r], flag) << "round " << round << " row " << r;
    }
  }
}

TEST_F(RowTable, EmptyTextAndThePhantomRow) {
  auto empty = LoadedDoc({});
  EXPECT_EQ(Starts({empty->LastCharPos(), empty->RowCount(), empty->RowOfPos(0), empty->RowStartAt(0)}),
            (Starts{CVeskDoc::kNone, 0, 0, 0}));
  // Count, row of the end, its start and last character, line number, the character before the end.
  auto ended = LoadedDoc(B("ab\r\n"));
  EXPECT_EQ(Starts({ended->RowCount(), ended->RowOfPos(4), ended->RowStartAt(1), ended->RowLastChar(0),
                    ended->RowLastChar(1), ended->RowToLineNumber(1), ended->PrevCharPos(4)}),
            (Starts{1, 1, 4, 2, 4, 1, 2}));
  auto open = LoadedDoc(B("ab"));
  EXPECT_EQ(std::pair(open->RowOfPos(2), open->RowStartAt(1)), std::pair(0u, 0u));
}

TEST_F(RowTable, LineNumbersCountLogicalLinesOverWrappedRowsAndColumnsCountTabs) {
  // Width 4: rows start at 0, 4 ("abcdefgh" wraps) and 10, the phantom row follows.
  auto doc = LoadedDoc(B("abcdefgh\r\nij\r\n"), {4});
  EXPECT_EQ(std::pair(doc->LineNumberToRow(1), doc->LineNumberToRow(2)), std::pair(2u, 3u));
  EXPECT_EQ(Starts({doc->LineStartPos(9), doc->LineStartPos(11)}), (Starts{0, 10}));
  EXPECT_EQ(Starts({doc->LineEndPos(5), doc->LineEndPos(12), doc->LineEndPos(14)}), (Starts{8, 12, 14}));

  // Columns of each character start are the random layout test's; here the widths.
  auto tabs = LoadedDoc(B("ab\tcd" + kAi + "x\r\n"), {20, 4});
  for (auto [pos, columns] : {std::pair{2u, 2}, {3u, 1}, {5u, 2}, {7u, 1}, {8u, 2}})
    EXPECT_EQ(CharColumns(*tabs, pos), columns) << pos;
  EXPECT_EQ(std::pair(tabs->NextCharPos(5), tabs->NextCharPos(8)), std::pair(7u, 10u));
}

TEST_F(RowTable, RowOfPosFindsEveryPositionInALongText) {
  // Rows of very different lengths: the jumps must never pass the row.
  std::mt19937 random(3);
  Bytes text;
  while (text.size() < 60000) {
    const int kind = int(random() % 4);
    const int n = kind == 0 ? 0 : int(random() % (kind == 3 ? 200 : 12));
    for (int i = 0; i < n; ++i) text.push_back(random() % 5 ? 'a' + random() % 26 : '\t');
    text.insert(text.end(), {'\r', '\n'});
  }
  auto doc = LoadedDoc(text, {30, 8, true, true});
  const std::uint32_t* first = doc->RowStarts();
  const std::uint32_t* last = first + doc->RowCount();
  for (std::uint32_t pos = 0; pos < doc->TextLength(); ++pos)
    ASSERT_EQ(doc->RowOfPos(pos), std::uint32_t(std::upper_bound(first, last, pos) - first - 1)) << pos;
  EXPECT_EQ(doc->RowOfPos(doc->TextLength()), doc->RowCount());
}

TEST_F(RowTable, SelectionMovesWithEditsBeforeIt) {
  auto doc = LoadedDoc(B("0123456789\r\n"));
  StreamSelection selection{true, 4, 6};
  const auto range = [&selection] { return std::pair(selection.start, selection.end); };
  doc->InsertText(4, B("xy").data(), 2, &selection);
  EXPECT_EQ(range(), std::pair(6u, 8u));
  doc->InsertText(7, B("z").data(), 1, &selection);  // inside: the start stays
  EXPECT_EQ(selection.start, 6u);
  doc->DeleteText(0, 2, &selection);  // ends before the start
  EXPECT_EQ(range(), std::pair(4u, 6u));
  doc->DeleteText(3, 2, &selection);  // reaches into it: the start stays
  EXPECT_EQ(selection.start, 4u);
}

// Long random edit sequences, in every layout mode, against a plain vector
// and a rebuild from scratch after every edit.
class RandomEdits : public DocTest, public ::testing::WithParamInterface<Shape> {};

TEST_P(RandomEdits, MatchAPlainVectorAndAFullRebuild) {
  const Shape shape = GetParam();
  std::mt19937 random(unsigned(shape.width * 7 + shape.wordWrap * 2 + shape.kinsoku));
  const std::vector<std::string> pieces = {"a",   "word", " ",  "\t", "\r\n", "\r\n\r\n", kAi, kComma,
                                           kAi + kAi, ".",  "\xa1", "hello world ", "\x82", "\r"};
  Bytes ref = B("first line\r\nsecond " + kAi + " line\r\n");
  auto doc = LoadedDoc(ref, shape);
  // A deletion may reach past the end: the document cuts it short.
  const auto edit = [&](std::uint32_t pos, std::uint32_t erase, const std::string& insert) {
    if (erase) doc->DeleteText(pos, erase);
    ref.erase(ref.begin() + pos, ref.begin() + pos + std::min<std::size_t>(erase, ref.size() - pos));
    if (!insert.empty()) {
      ASSERT_NE(doc->InsertText(pos, B(insert).data(), std::uint32_t(insert.size())), CVeskDoc::kNone);
    }
    ref.insert(ref.begin() + pos, insert.begin(), insert.end());
  };
  for (int step = 0; step < 1500; ++step) {
    // One edit in four at the end, as the tools append their output.
    const auto pos = std::uint32_t(ref.empty() || random() % 4 == 0 ? ref.size() : random() % (ref.size() + 1));
    const int action = int(random() % 10);
    if (action < 5 || ref.size() < 4) {
      std::string piece;
      for (int k = 0, n = 1 + int(random() % 3); k < n; ++k) piece += pieces[random() % pieces.size()];
      edit(pos, 0, piece);
    } else if (action < 8) {
      edit(pos, std::uint32_t(1 + random() % 12), "");
    } else if (pos < ref.size()) {  // an overwrite: a deletion and an insertion at the same place
      edit(pos, 3, pieces[random() % pieces.size()]);
    }
    ExpectSameAsRebuilt(*doc, ref, shape, "step " + std::to_string(step));
    if (HasFatalFailure()) return;
    if (ref.size() > 6000) edit(0, 3000, "");
  }
  EXPECT_TRUE(doc->IsModified());
}

INSTANTIATE_TEST_SUITE_P(Shapes, RandomEdits,
                         ::testing::Values(Shape{10, 4, false, false}, Shape{10, 4, false, true},
                                           Shape{12, 8, true, false}, Shape{9, 4, true, true},
                                           Shape{1, 1, false, false}, Shape{3, 2, true, true},
                                           Shape{80, 4, true, true}));

Bytes Lines(int count, const std::string& line) {
  Bytes text;
  for (int i = 0; i < count; ++i) text.insert(text.end(), line.begin(), line.end());
  return text;
}

TEST_F(RowTable, TextLimitRefusesTheInsertion) {
  gProcess.maxBytes = 100000;
  auto doc = LoadedDoc(B("abc"));
  // The room asked for counts the text already held; a length that does not fit in 32 bits is refused, not wrapped.
  EXPECT_EQ((std::vector<bool>{doc->EnsureTextRoom(100000 - 3 - 3), doc->EnsureTextRoom(100000 - 2 - 3),
                               doc->EnsureTextRoom(0xFFFFFFFFu)}),
            (std::vector<bool>{true, false, false}));
  Bytes big(100000, 'a');
  EXPECT_EQ(doc->InsertText(1, big.data(), std::uint32_t(big.size())), CVeskDoc::kNone);
  EXPECT_EQ(TextOf(*doc), "abc");
  EXPECT_EQ(platform.CountShown(msg::kTooManyChars), 3u);
}

TEST_F(RowTable, RowLimitKeepsTheFirstRowsAndSaysSoOnce) {
  gProcess.maxRows = 50;
  Bytes text = Lines(80, "line\r\n");
  auto doc = LoadedDoc(text);
  EXPECT_EQ(std::pair(doc->RowCount(), platform.CountShown(msg::kTooManyRows)), std::pair(50u, std::size_t(1)));
  const std::uint32_t lastStart = doc->RowStarts()[49];
  EXPECT_EQ(Starts({doc->RowOfPos(lastStart + 100), doc->RowOfPos(doc->TextLength())}), (Starts{49, 49}));
  EXPECT_EQ(Starts({doc->RowStartAt(49), doc->RowStartAt(70)}), (Starts{lastStart, lastStart}));
  // An edit still lays the first rows out right and keeps the limit.
  Insert(*doc, 0, "new\r\n");
  EXPECT_EQ(Starts({doc->RowCount(), doc->RowStarts()[1], doc->RowStarts()[49]}), (Starts{50, 5, lastStart - 6 + 5}));

  // A text that has exactly the maximum rows is complete: no message.
  text.resize(50 * 6);
  platform.messages.shown.clear();
  EXPECT_EQ(LoadedDoc(text)->RowCount(), 50u);
  EXPECT_FALSE(platform.Shown(msg::kTooManyRows));
}

}  // namespace
}  // namespace quarn::doctests
