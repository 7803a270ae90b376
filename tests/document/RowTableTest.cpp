#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "core/common/Settings.h"
#include "core/common/ProcessValues.h"
#include "core/document/CVeskDoc.h"
#include "core/document/RowLayout.h"
#include "core/encoding/Cp932.h"
#include "core/res/MessageIds.h"
#include "fakes/FakePlatform.h"
#include "platform/LargeBlock.h"

namespace quarn {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes B(const std::string& s) { return Bytes(s.begin(), s.end()); }

// Start of the last character unit walking from the first byte, or kNone.
std::uint32_t LastUnit(const Bytes& text) {
  if (text.empty()) return CVeskDoc::kNone;
  std::size_t q = 0;
  for (;;) {
    const std::size_t next = q + ((cp932::IsLeadByte(text[q]) || text[q] == 0x0D) ? 2 : 1);
    if (next >= text.size()) return std::uint32_t(q);
    q = next;
  }
}

struct Shape {
  int width = 10;
  int tab = 4;
  bool wordWrap = false;
  bool kinsoku = false;
};

void PrintTo(const Shape& s, std::ostream* os) {
  *os << "width " << s.width << " tab " << s.tab << (s.wordWrap ? " word wrap" : "") << (s.kinsoku ? " kinsoku" : "");
}

// A text document built in memory the way loading builds it.
std::unique_ptr<CVeskDoc> MakeDoc(const Bytes& text, const Shape& shape) {
  gProcess.nextDocKind = kTextDoc;
  auto doc = std::make_unique<CVeskDoc>();
  doc->Format().charsPerLine = shape.width;
  doc->Format().tabColumns = shape.tab;
  doc->Layout().wordWrap = shape.wordWrap;
  doc->Layout().kinsoku = shape.kinsoku;
  const auto n = std::uint32_t(text.size());
  EXPECT_LE(doc->Store().Reserve(n), 1);
  doc->Store().BeginDirect();
  if (n) std::memcpy(doc->Store().Data(), text.data(), n);
  doc->Store().EndDirect();
  doc->SetTextLength(n, LastUnit(text));
  doc->RebuildRows();
  return doc;
}

Bytes TextOf(CVeskDoc& doc) {
  Bytes out(doc.TextLength());
  if (!out.empty()) doc.Store().Read(out.data(), 0, doc.TextLength());
  return out;
}

// The document holds ref byte for byte and its row table is the one a
// rebuild from scratch gives.
void ExpectSameAsRebuilt(CVeskDoc& doc, const Bytes& ref, const Shape& shape, const std::string& where) {
  ASSERT_EQ(TextOf(doc), ref) << where;
  EXPECT_EQ(doc.LastCharPos(), LastUnit(ref)) << where;
  auto fresh = MakeDoc(ref, shape);
  ASSERT_EQ(doc.RowCount(), fresh->RowCount()) << where;
  for (std::uint32_t r = 0; r < doc.RowCount(); ++r) {
    ASSERT_EQ(doc.RowStarts()[r], fresh->RowStarts()[r]) << where << " row " << r;
    ASSERT_EQ(doc.RowFlags()[r], fresh->RowFlags()[r]) << where << " row " << r;
  }
  // Line numbers, asked in a scattered order, agree with a count from row 0.
  for (std::uint32_t k = 0; k <= doc.RowCount(); k += 1 + doc.RowCount() / 7) {
    const std::uint32_t r = (k * 7919u) % (doc.RowCount() + 1);
    std::uint32_t line = r == doc.RowCount() && r > 0 ? 1 : 0;
    for (std::uint32_t i = 1; i <= r && i < doc.RowCount(); ++i) line += fresh->RowFlags()[i];
    ASSERT_EQ(doc.RowToLineNumber(r), line) << where << " row " << r;
  }
  // Character walking agrees with the walk from the first byte: the unit
  // before each unit start, and the last unit of every row.
  std::vector<std::uint32_t> units;
  for (std::uint32_t q = 0; q < ref.size(); q += (cp932::IsLeadByte(ref[q]) || ref[q] == 0x0D) ? 2 : 1) units.push_back(q);
  for (std::size_t i = 1; i < units.size(); i += 1 + units.size() / 16)
    ASSERT_EQ(doc.PrevCharPos(units[i]), units[i - 1]) << where << " at " << units[i];
  for (std::uint32_t r = 0; r < doc.RowCount(); ++r) {
    const std::uint32_t end = r + 1 < doc.RowCount() ? doc.RowStarts()[r + 1] : std::uint32_t(ref.size());
    const auto below = std::lower_bound(units.begin(), units.end(), end) - 1;
    ASSERT_EQ(doc.RowLastChar(r), *below) << where << " row " << r;
  }
}

class RowTable : public ::testing::Test {
 protected:
  void SetUp() override { saved_ = gProcess; }
  void TearDown() override { gProcess = saved_; }
  fakes::FakePlatform platform_;
  ProcessValues saved_;
};

const std::string kAi = "\x82\xa0";
const std::string kComma = "\x81\x41";

TEST_F(RowTable, EmptyTextAndThePhantomRow) {
  auto empty = MakeDoc({}, {});
  EXPECT_EQ(empty->TextLength(), 0u);
  EXPECT_EQ(empty->LastCharPos(), CVeskDoc::kNone);
  EXPECT_EQ(empty->RowCount(), 0u);
  EXPECT_EQ(empty->RowOfPos(0), 0u);
  EXPECT_EQ(empty->RowStartAt(0), 0u);

  auto ended = MakeDoc(B("ab\r\n"), {});
  EXPECT_EQ(ended->RowCount(), 1u);
  EXPECT_EQ(ended->RowOfPos(4), 1u);
  EXPECT_EQ(ended->RowStartAt(1), 4u);
  EXPECT_EQ(ended->RowLastChar(0), 2u);
  EXPECT_EQ(ended->RowLastChar(1), 4u);
  EXPECT_EQ(ended->RowToLineNumber(1), 1u);
  EXPECT_EQ(ended->PrevCharPos(4), 2u);

  auto open = MakeDoc(B("ab"), {});
  EXPECT_EQ(open->RowOfPos(2), 0u);
  EXPECT_EQ(open->RowStartAt(1), 0u);
}

TEST_F(RowTable, LineNumbersCountLogicalLinesOverWrappedRows) {
  // Width 4: "abcdefgh" takes two rows, "ij" one, the phantom row follows.
  auto doc = MakeDoc(B("abcdefgh\r\nij\r\n"), {4});
  // A CR LF right after a full row still belongs to it.
  const std::vector<std::uint32_t> starts(doc->RowStarts(), doc->RowStarts() + doc->RowCount());
  EXPECT_EQ(starts, (std::vector<std::uint32_t>{0, 4, 10}));
  const std::vector<std::uint8_t> flags(doc->RowFlags(), doc->RowFlags() + doc->RowCount());
  EXPECT_EQ(flags, (std::vector<std::uint8_t>{0, 0, 1}));
  EXPECT_EQ(doc->RowToLineNumber(0), 0u);
  EXPECT_EQ(doc->RowToLineNumber(1), 0u);
  EXPECT_EQ(doc->RowToLineNumber(2), 1u);
  EXPECT_EQ(doc->RowToLineNumber(3), 2u);
  EXPECT_EQ(doc->LineNumberToRow(1), 2u);
  EXPECT_EQ(doc->LineNumberToRow(2), 3u);
  EXPECT_EQ(doc->LineStartPos(9), 0u);
  EXPECT_EQ(doc->LineStartPos(11), 10u);
  EXPECT_EQ(doc->LineEndPos(5), 8u);
  EXPECT_EQ(doc->LineEndPos(12), 12u);
  EXPECT_EQ(doc->LineEndPos(14), 14u);
}

TEST_F(RowTable, ColumnsCountTabsAndDoubleByteCharacters) {
  auto doc = MakeDoc(B("ab\tcd" + kAi + "x\r\n"), {20, 4});
  EXPECT_EQ(ColumnOfPos(*doc, 2), 2);
  EXPECT_EQ(ColumnOfPos(*doc, 3), 4);
  EXPECT_EQ(ColumnOfPos(*doc, 5), 6);
  EXPECT_EQ(ColumnOfPos(*doc, 7), 8);
  EXPECT_EQ(CharColumns(*doc, 2), 2);
  EXPECT_EQ(CharColumns(*doc, 5), 2);
  EXPECT_EQ(CharColumns(*doc, 8), 2);
  EXPECT_EQ(CharColumns(*doc, 7), 1);
  EXPECT_EQ(doc->PrevCharPos(7), 5u);
  EXPECT_EQ(doc->NextCharPos(5), 7u);
  EXPECT_EQ(doc->NextCharPos(8), 10u);
}

TEST_F(RowTable, RowOfPosFindsEveryPositionInALongText) {
  // Rows of very different lengths: the jumps must never pass the row.
  std::mt19937 random(3);
  Bytes text;
  while (text.size() < 60000) {
    const int kind = int(random() % 4);
    const int n = kind == 0 ? 0 : int(random() % (kind == 3 ? 200 : 12));
    for (int i = 0; i < n; ++i) text.push_back(random() % 5 ? 'a' + random() % 26 : '\t');
    text.push_back('\r');
    text.push_back('\n');
  }
  auto doc = MakeDoc(text, {30, 8, true, true});
  const std::uint32_t* first = doc->RowStarts();
  const std::uint32_t* last = first + doc->RowCount();
  for (std::uint32_t pos = 0; pos < doc->TextLength(); ++pos) {
    const auto expected = std::uint32_t(std::upper_bound(first, last, pos) - first - 1);
    ASSERT_EQ(doc->RowOfPos(pos), expected) << pos;
  }
  EXPECT_EQ(doc->RowOfPos(doc->TextLength()), doc->RowCount());
}

TEST_F(RowTable, SelectionMovesWithEditsBeforeIt) {
  auto doc = MakeDoc(B("0123456789\r\n"), {});
  StreamSelection selection{true, 4, 6};
  doc->InsertText(4, B("xy").data(), 2, &selection);
  EXPECT_EQ(selection.start, 6u);
  EXPECT_EQ(selection.end, 8u);
  doc->InsertText(7, B("z").data(), 1, &selection);  // inside: stays
  EXPECT_EQ(selection.start, 6u);
  doc->DeleteText(0, 2, &selection);  // ends before the start
  EXPECT_EQ(selection.start, 4u);
  EXPECT_EQ(selection.end, 6u);
  doc->DeleteText(3, 2, &selection);  // reaches into it: stays
  EXPECT_EQ(selection.start, 4u);
}

TEST_F(RowTable, DeletingToTheEndKeepsTheLastCharacterWhole) {
  auto doc = MakeDoc(B("a" + kAi + "bc"), {});
  doc->DeleteText(3, 2);
  EXPECT_EQ(doc->LastCharPos(), 1u);
  // Cutting the trail byte off leaves the lone lead byte as the last one.
  doc->DeleteText(2, 1);
  EXPECT_EQ(doc->LastCharPos(), 1u);
  // Appended, the lone lead byte takes the first new byte as its trail.
  doc->InsertText(2, B(kAi).data(), 2);
  EXPECT_EQ(doc->LastCharPos(), 3u);
  doc->DeleteText(0, doc->TextLength());
  EXPECT_EQ(doc->LastCharPos(), CVeskDoc::kNone);
  EXPECT_EQ(doc->RowCount(), 0u);
}

// Long random edit sequences, in every layout mode, against a plain vector
// and a rebuild from scratch after every edit.
class RandomEdits : public RowTable, public ::testing::WithParamInterface<Shape> {};

TEST_P(RandomEdits, MatchAPlainVectorAndAFullRebuild) {
  const Shape shape = GetParam();
  std::mt19937 random(unsigned(shape.width * 7 + shape.wordWrap * 2 + shape.kinsoku));
  const std::vector<std::string> pieces = {"a",   "word", " ",  "\t", "\r\n", "\r\n\r\n", kAi, kComma,
                                           kAi + kAi, ".",  "\xa1", "hello world ", "\x82", "\r"};
  Bytes ref = B("first line\r\nsecond " + kAi + " line\r\n");
  auto doc = MakeDoc(ref, shape);
  for (int step = 0; step < 1500; ++step) {
    // One edit in four at the end, as the tools append their output.
    const auto pos = std::uint32_t(ref.empty() || random() % 4 == 0 ? ref.size() : random() % (ref.size() + 1));
    const int action = int(random() % 10);
    const std::string where = "step " + std::to_string(step);
    if (action < 5 || ref.size() < 4) {
      Bytes piece;
      for (int k = 0, n = 1 + int(random() % 3); k < n; ++k) {
        const Bytes p = B(pieces[random() % pieces.size()]);
        piece.insert(piece.end(), p.begin(), p.end());
      }
      ASSERT_NE(doc->InsertText(pos, piece.data(), std::uint32_t(piece.size())), CVeskDoc::kNone);
      ref.insert(ref.begin() + pos, piece.begin(), piece.end());
    } else if (action < 8) {
      const auto n = std::uint32_t(1 + random() % 12);
      const std::uint32_t cut = std::min<std::uint32_t>(n, std::uint32_t(ref.size()) - std::min<std::uint32_t>(pos, std::uint32_t(ref.size())));
      doc->DeleteText(pos, n);
      ref.erase(ref.begin() + std::min<std::size_t>(pos, ref.size()), ref.begin() + std::min<std::size_t>(pos, ref.size()) + cut);
    } else {
      // An overwrite: a deletion and an insertion at the same place.
      if (pos >= ref.size()) continue;
      const std::uint32_t n = std::min<std::uint32_t>(3, std::uint32_t(ref.size()) - pos);
      doc->DeleteText(pos, n);
      const Bytes piece = B(pieces[random() % pieces.size()]);
      doc->InsertText(pos, piece.data(), std::uint32_t(piece.size()));
      ref.erase(ref.begin() + pos, ref.begin() + pos + n);
      ref.insert(ref.begin() + pos, piece.begin(), piece.end());
    }
    ExpectSameAsRebuilt(*doc, ref, shape, where);
    if (HasFatalFailure()) return;
    if (ref.size() > 6000) {
      doc->DeleteText(0, 3000);
      ref.erase(ref.begin(), ref.begin() + 3000);
    }
  }
  EXPECT_TRUE(doc->IsModified());
}

INSTANTIATE_TEST_SUITE_P(Shapes, RandomEdits,
                         ::testing::Values(Shape{10, 4, false, false}, Shape{10, 4, false, true},
                                           Shape{12, 8, true, false}, Shape{9, 4, true, true},
                                           Shape{1, 1, false, false}, Shape{3, 2, true, true},
                                           Shape{80, 4, true, true}));

TEST_F(RowTable, EditsAtLineEndsAndInWrappedLines) {
  const Shape shape{10, 4, true, true};
  Bytes ref = B("hello wonderful world of words\r\nshort\r\n" + kAi + kAi + kAi + kAi + kAi + kComma + "x\r\n");
  auto doc = MakeDoc(ref, shape);
  auto apply = [&](std::uint32_t pos, const std::string& insert, std::uint32_t erase) {
    if (erase) {
      doc->DeleteText(pos, erase);
      ref.erase(ref.begin() + pos, ref.begin() + pos + erase);
    }
    if (!insert.empty()) {
      doc->InsertText(pos, B(insert).data(), std::uint32_t(insert.size()));
      ref.insert(ref.begin() + pos, insert.begin(), insert.end());
    }
    ExpectSameAsRebuilt(*doc, ref, shape, insert + "@" + std::to_string(pos));
  };
  apply(6, "", 4);        // a shorter word lets the next one move up
  apply(6, "xxxxxxxxx", 0);  // and a longer one pushes it down again
  const std::uint32_t cr = doc->LineEndPos(0);
  apply(cr, "", 2);       // joins two lines: the CR LF goes
  apply(cr, "\r\n", 0);   // and splits them again
  apply(cr + 2, kComma, 0);
  apply(doc->LineEndPos(0), "!", 0);
  apply(std::uint32_t(ref.size()), "tail", 0);
  apply(std::uint32_t(ref.size()) - 4, "", 4);
  apply(std::uint32_t(ref.size()) - 2, "", 2);  // the final CR LF: no phantom row
  EXPECT_EQ(doc->RowOfPos(doc->TextLength()), doc->RowCount() - 1);
}

TEST_F(RowTable, RowTableGrowsInStepsAndTellsTheViews) {
  struct Counter : DocumentView {
    int moved = 0;
    void OnUpdate(CVeskDoc&, int hintCode) override { moved += hintCode == hint::kStoreMoved; }
  } view;
  Bytes text;
  for (int i = 0; i < 4500; ++i) {
    text.push_back('x');
    text.push_back('\r');
    text.push_back('\n');
  }
  auto doc = MakeDoc(text, {});
  EXPECT_EQ(doc->RowCount(), 4500u);
  EXPECT_EQ(doc->RowCapacity() % CVeskDoc::kRowGrowthStep, 0u);
  EXPECT_GT(doc->RowCapacity(), 4501u);
  doc->AddView(&view);
  const std::uint32_t capacity = doc->RowCapacity();
  Bytes many;
  for (int i = 0; i < 1500; ++i) many.insert(many.end(), {'y', '\r', '\n'});
  doc->InsertText(0, many.data(), std::uint32_t(many.size()));
  EXPECT_EQ(doc->RowCount(), 6000u);
  EXPECT_TRUE(doc->RowCountChanged());
  EXPECT_GT(doc->RowCapacity(), capacity);
  EXPECT_GE(view.moved, 1);
  doc->RemoveView(&view);
}

// A table past 2 MB (over 524,288 rows) lives in a mapping, or on the heap
// when mappings are off; growing it by an edit keeps every row.
TEST_F(RowTable, TablesPastTwoMegabytesGrowAndKeepTheirRows) {
  Bytes text;
  for (int i = 0; i < 600000; ++i) text.insert(text.end(), {'a', 'b', '\r', '\n'});
  Bytes more;
  for (int i = 0; i < 3000; ++i) more.insert(more.end(), {'y', '\r', '\n'});
  for (bool mapped : {true, false}) {
    LargeBlock::UseMappings(mapped);
    auto doc = MakeDoc(text, {});
    ASSERT_EQ(doc->RowCount(), 600000u);
    Bytes ref = text;
    doc->InsertText(400, more.data(), std::uint32_t(more.size()));
    ref.insert(ref.begin() + 400, more.begin(), more.end());
    EXPECT_EQ(doc->RowCount(), 603000u);
    ExpectSameAsRebuilt(*doc, ref, {}, mapped ? "mapped" : "heap");
  }
  LargeBlock::UseMappings(true);
}

TEST_F(RowTable, TextLimitRefusesTheInsertion) {
  gProcess.maxBytes = 100000;
  auto doc = MakeDoc(B("abc"), {});
  EXPECT_FALSE(doc->EnsureTextRoom(100000 - 2 - 3));
  EXPECT_TRUE(platform_.Shown(msg::kTooManyChars));
  EXPECT_TRUE(doc->EnsureTextRoom(100000 - 3 - 3));
  Bytes big(100000, 'a');
  EXPECT_EQ(doc->InsertText(1, big.data(), std::uint32_t(big.size())), CVeskDoc::kNone);
  EXPECT_EQ(TextOf(*doc), B("abc"));
  // A length that does not fit in 32 bits is refused too, not wrapped.
  EXPECT_FALSE(doc->EnsureTextRoom(0xFFFFFFFFu));
  EXPECT_EQ(platform_.CountShown(msg::kTooManyChars), 3u);
}

TEST_F(RowTable, RowLimitKeepsTheFirstRowsAndSaysSoOnce) {
  gProcess.maxRows = 50;
  Bytes text;
  for (int i = 0; i < 80; ++i) text.insert(text.end(), {'l', 'i', 'n', 'e', '\r', '\n'});
  auto doc = MakeDoc(text, {});
  EXPECT_EQ(doc->RowCount(), 50u);
  EXPECT_EQ(platform_.CountShown(msg::kTooManyRows), 1u);
  const std::uint32_t lastStart = doc->RowStarts()[49];
  EXPECT_EQ(doc->RowOfPos(lastStart + 100), 49u);
  EXPECT_EQ(doc->RowOfPos(doc->TextLength()), 49u);
  EXPECT_EQ(doc->RowStartAt(49), lastStart);
  EXPECT_EQ(doc->RowStartAt(70), lastStart);
  // An edit still lays the first rows out right and keeps the limit.
  doc->InsertText(0, B("new\r\n").data(), 5);
  EXPECT_EQ(doc->RowCount(), 50u);
  EXPECT_EQ(doc->RowStarts()[1], 5u);
  EXPECT_EQ(doc->RowStarts()[49], lastStart - 6 + 5);

  // A text that has exactly the maximum rows is complete: no message.
  text.resize(50 * 6);
  platform_.messages.shown.clear();
  auto exact = MakeDoc(text, {});
  EXPECT_EQ(exact->RowCount(), 50u);
  EXPECT_FALSE(platform_.Shown(msg::kTooManyRows));
}

}  // namespace
}  // namespace quarn
