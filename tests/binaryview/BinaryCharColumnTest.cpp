#include "core/binaryview/BinaryCharColumn.h"

#include <gtest/gtest.h>

#include <random>

#include "core/encoding/Cp932.h"

namespace quarn {
namespace {

CharColumnOptions Code(StrCode code) { return {.code = code}; }

// The cells of the rows of B bytes starting at a byte.
std::string Row(const std::string& bytes, std::size_t b, std::size_t from, const CharColumnOptions& options) {
  return DecodeCharColumn(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), from,
                          std::min(b, bytes.size() - from), options);
}

TEST(CharColumn, RowsShowTheirCharactersWholeInEachCode) {
  using S = std::string;
  const struct {
    const char* what;
    StrCode code;
    std::string bytes;
    std::size_t b, from;
    std::string cells;
  } cases[] = {
      {"controls are dots", StrCode::kSjis, S("A\0\x1F ~\xB1\x82\xA0", 8), 8, 0, S("A.. ~\xB1\x82\xA0 ", 9)},
      {"a pair over the row end drawn whole", StrCode::kSjis, "abcd\x82\xA0" "ef", 5, 0, "abcd\x82\xA0"},
      {"the row after it", StrCode::kSjis, "abcd\x82\xA0" "ef", 5, 5, " ef "},
      // Five lead bytes before the row's start: the last pairs with the row's first byte. With four, the row
      // starts on a character.
      {"odd lead run", StrCode::kSjis, "x\x88\x88\x88\x88\x88\x9F" "AB", 3, 6, " AB "},
      {"even lead run", StrCode::kSjis, "x\x88\x88\x88\x88\x88\x9F" "AB", 4, 5, "\x88\x9F" "AB "},
      // A lead byte before a byte that cannot follow it, a lead byte as the
      // document's last byte, and one at a row end before a control byte.
      {"invalid pairs", StrCode::kSjis, "\x81 Z\x82\nQ\x83", 5, 0, ". Z.. "},
      // ESC $ B, "あ" (0x24 0x22), ESC ( B, "A"
      {"kanji mode", StrCode::kJis, "\x1B$B$\"\x1B(BA\r", 10, 0, "...\x82\xA0...A. "},
      // Rows of five: the first ends inside a kanji pair, the second starts on its second byte.
      {"jis row 1", StrCode::kJis, "a\x1B$@0!0!0!\x1B(Jz", 5, 0, "a...\x88\x9F"},
      {"jis row 2", StrCode::kJis, "a\x1B$@0!0!0!\x1B(Jz", 5, 5, " \x88\x9F\x88\x9F "},
      {"row inside an escape", StrCode::kJis, "ab\x1B$B$\"", 3, 3, "..\x82\xA0"},
      // An ESC of no known sequence, a kanji-mode byte without its partner, a
      // lead byte that would join the next cell; half-width kana stays.
      {"stray bytes", StrCode::kJis, "\x1Bx\x1B$B!\x88\xB1", 8, 0, ".x...!.\xB1 "},
      // "あ" A4 A2, half-width kana 8E B1, then 亜 B0 A1 over the row end.
      {"euc row 1", StrCode::kEuc, "\xA4\xA2\x8E\xB1x\xB0\xA1y\x01", 6, 0, "\x82\xA0.\xB1x\x88\x9F"},
      {"euc row 2", StrCode::kEuc, "\xA4\xA2\x8E\xB1x\xB0\xA1y\x01", 6, 6, " y. "},
      // "A", "あ", LF as a dot, a lone surrogate as "?", the odd byte unread.
      {"utf-16", StrCode::kUni, S("A\0\x42\x30\n\0\0\xD8" "B", 9), 9, 0, "A\x82\xA0.?     "},
      {"utf-16 row 2", StrCode::kUni, S("a\0b\0c\0", 6), 4, 4, "c  "},
  };
  for (const auto& c : cases) EXPECT_EQ(Row(c.bytes, c.b, c.from, Code(c.code)), c.cells) << c.what;
}

TEST(CharColumn, EveryCodeGivesOneStandaloneGlyphPerCellOnAnyBytes) {
  std::mt19937 random(7);
  for (StrCode code : {StrCode::kSjis, StrCode::kJis, StrCode::kEuc, StrCode::kUni}) {
    for (int round = 0; round < 200; ++round) {
      std::vector<std::uint8_t> bytes(std::size_t(random() % 300));
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

}  // namespace
}  // namespace quarn
