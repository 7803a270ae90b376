#include "core/binaryview/BinaryCharColumn.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "core/binaryview/GlyphCells.h"
#include "core/encoding/Cp932.h"

namespace quarn {
namespace {

using Bytes = std::vector<std::uint8_t>;

CharColumnOptions Code(StrCode code) {
  CharColumnOptions o;
  o.code = code;
  return o;
}

// The cells of each row of B bytes.
std::vector<std::string> Rows(const Bytes& bytes, std::size_t b, const CharColumnOptions& options) {
  std::vector<std::string> rows;
  for (std::size_t row = 0; row < bytes.size(); row += b)
    rows.push_back(DecodeCharColumn(bytes.data(), bytes.size(), row, std::min(b, bytes.size() - row), options));
  return rows;
}

TEST(SjisColumn, ShowsBytesWithControlsAsDots) {
  const Bytes bytes = {'A', 0x00, 0x1F, ' ', 0x7E, 0xB1, 0x82, 0xA0};
  EXPECT_EQ(Rows(bytes, 8, Code(StrCode::kSjis))[0], std::string("A.. ~\xB1\x82\xA0 ", 9));
}

TEST(SjisColumn, DoubleByteCharacterAtRowEndIsDrawnWholeThere) {
  // 0x82 0xA0 straddles the end of the first row of five bytes.
  const Bytes bytes = {'a', 'b', 'c', 'd', 0x82, 0xA0, 'e', 'f'};
  const auto rows = Rows(bytes, 5, Code(StrCode::kSjis));
  EXPECT_EQ(rows[0], "abcd\x82\xA0");
  EXPECT_EQ(rows[1], " ef ");
}

TEST(SjisColumn, RunsOfLeadBytesPairUpFromTheirStart) {
  // Five lead bytes before the row's start: the last of them pairs with the
  // row's first byte. With four, the row starts on a character.
  const Bytes odd = {'x', 0x88, 0x88, 0x88, 0x88, 0x88, 0x9F, 'A', 'B'};
  EXPECT_EQ(DecodeCharColumn(odd.data(), odd.size(), 6, 3, Code(StrCode::kSjis)), " AB ");
  EXPECT_EQ(DecodeCharColumn(odd.data(), odd.size(), 5, 4, Code(StrCode::kSjis)), "\x88\x9F" "AB ");
}

TEST(SjisColumn, InvalidPairsShowDotsInsteadOfSwallowingANeighbour) {
  // A lead byte before a byte that cannot follow it, a lead byte as the
  // document's last byte, and one at a row end before a control byte.
  const Bytes bytes = {0x81, ' ', 'Z', 0x82, 0x0A, 'Q', 0x83};
  const auto rows = Rows(bytes, 5, Code(StrCode::kSjis));
  EXPECT_EQ(rows[0], ". Z.. ");
  EXPECT_EQ(rows[1], "Q. ");
}

TEST(SjisColumn, IgnoringEightBitBytesShowsTheDummyCharacter) {
  CharColumnOptions o = Code(StrCode::kSjis);
  o.ignore8bit = true;
  o.dummy = '*';
  const Bytes bytes = {'A', 0x82, 0xA0, 0xB1, 0x05};
  EXPECT_EQ(Rows(bytes, 5, o)[0], "A***. ");
}

TEST(JisColumn, KanjiModeConvertsPairsToShiftJis) {
  // ESC $ B, "あ" (0x24 0x22), ESC ( B, "A"
  const Bytes bytes = {0x1B, 0x24, 0x42, 0x24, 0x22, 0x1B, 0x28, 0x42, 'A', 0x0D};
  EXPECT_EQ(Rows(bytes, 10, Code(StrCode::kJis))[0], "...\x82\xA0...A. ");
}

TEST(JisColumn, RowStartsTakeTheStateOfTheNearestEscape) {
  // Rows of five: the first row ends inside a kanji pair, the second starts
  // on its second byte.
  const Bytes bytes = {'a', 0x1B, 0x24, 0x40, 0x30, 0x21, 0x30, 0x21, 0x30, 0x21, 0x1B, 0x28, 0x4A, 'z'};
  const auto rows = Rows(bytes, 5, Code(StrCode::kJis));
  EXPECT_EQ(rows[0], "a...\x88\x9F");  // the pair over the row end drawn whole
  EXPECT_EQ(rows[1], " \x88\x9F\x88\x9F ");
  EXPECT_EQ(rows[2], "...z ");
  // A row that starts inside an escape sequence shows its rest as dots.
  const Bytes split = {'a', 'b', 0x1B, 0x24, 0x42, 0x24, 0x22};
  EXPECT_EQ(Rows(split, 3, Code(StrCode::kJis))[1], "..\x82\xA0");
}

TEST(JisColumn, UnknownEscapesAndStrayBytesAreDots) {
  // An ESC of no known sequence, a kanji-mode byte without its partner, a
  // lead byte that would join the next cell; half-width kana stays.
  const Bytes bytes = {0x1B, 'x', 0x1B, 0x24, 0x42, 0x21, 0x88, 0xB1};
  EXPECT_EQ(Rows(bytes, 8, Code(StrCode::kJis))[0], ".x...!.\xB1 ");
}

TEST(EucColumn, PairsKanaAndRowStarts) {
  // "あ" A4 A2, half-width kana 8E B1, then 亜 B0 A1 over the row end.
  const Bytes bytes = {0xA4, 0xA2, 0x8E, 0xB1, 'x', 0xB0, 0xA1, 'y', 0x01};
  const auto rows = Rows(bytes, 6, Code(StrCode::kEuc));
  EXPECT_EQ(rows[0], "\x82\xA0.\xB1x\x88\x9F");
  EXPECT_EQ(rows[1], " y. ");
  // A row that starts with the kana byte shows it unchanged.
  EXPECT_EQ(Rows(bytes, 3, Code(StrCode::kEuc))[1], "\xB1x\x88\x9F");
}

TEST(UniColumn, ReadsLittleEndianUnits) {
  const Bytes bytes = {'A', 0, 0x42, 0x30, 0x0A, 0, 0x00, 0xD8, 'B'};
  // "A", "あ", LF as a dot, a lone surrogate as "?", the odd byte unread.
  EXPECT_EQ(Rows(bytes, 9, Code(StrCode::kUni))[0], "A\x82\xA0.?     ");
  const auto rows = Rows(Bytes{'a', 0, 'b', 0, 'c', 0}, 4, Code(StrCode::kUni));
  EXPECT_EQ(rows[0], "ab   ");
  EXPECT_EQ(rows[1], "c  ");
}

TEST(CharColumn, EveryCodeGivesOneStandaloneGlyphPerCellOnAnyBytes) {
  std::mt19937 random(7);
  for (StrCode code : {StrCode::kSjis, StrCode::kJis, StrCode::kEuc, StrCode::kUni}) {
    for (int round = 0; round < 200; ++round) {
      Bytes bytes(std::size_t(random() % 300));
      for (auto& b : bytes) b = std::uint8_t(round % 2 ? random() : 0x1B + random() % 0x10 * 0x10 + random() % 3);
      const std::size_t b = 5 + random() % 60;
      for (std::size_t row = 0; row < bytes.size(); row += b) {
        const std::size_t n = std::min(b, bytes.size() - row);
        const std::string cells = DecodeCharColumn(bytes.data(), bytes.size(), row, n, Code(code));
        ASSERT_EQ(cells.size(), n + 1);
        for (std::size_t i = 0; i < cells.size(); ++i) {
          const auto c = std::uint8_t(cells[i]);
          ASSERT_GE(c, 0x20) << int(code);
          if (cp932::IsLeadByte(c)) {
            ASSERT_LT(i + 1, cells.size());
            ASSERT_TRUE(cp932::IsTrailByte(std::uint8_t(cells[++i])));
          }
        }
      }
    }
  }
}

TEST(VisibleCells, CharactersWithoutAGlyphBecomeDots) {
  struct Case {
    std::string cells, shown;
  };
  const Case cases[] = {
      {"A\x7F" "B", "A.B"},
      {"\x80\xA0\xFD\xFE\xFF", "....."},
      {"\x85\x40" "x", "..x"},                    // an unassigned pair
      {"\xF0\x40\xF9\xFC", "...."},               // the user-defined area
      {"\x82\xA0\x81\x40\x87\x40\xFA\x40", "\x82\xA0\x81\x40\x87\x40\xFA\x40"},  // NEC and IBM rows too
      {"\xB1\xDF\\~ .", "\xB1\xDF\\~ ."},
      {" \x82", " ."},                            // a first byte without its second
  };
  for (const Case& c : cases) EXPECT_EQ(VisibleCells(c.cells), c.shown) << c.cells;
}

TEST(JisToSjis, ConvertsAcrossTheTable) {
  std::uint8_t s1, s2;
  JisToSjis(0x21, 0x21, s1, s2);
  EXPECT_EQ((s1 << 8) | s2, 0x8140);
  JisToSjis(0x30, 0x21, s1, s2);
  EXPECT_EQ((s1 << 8) | s2, 0x889F);
  JisToSjis(0x21, 0x60, s1, s2);
  EXPECT_EQ((s1 << 8) | s2, 0x8180);
  JisToSjis(0x5F, 0x21, s1, s2);
  EXPECT_EQ((s1 << 8) | s2, 0xE040);
}

}  // namespace
}  // namespace quarn
