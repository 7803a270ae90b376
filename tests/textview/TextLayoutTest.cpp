#include <random>
#include <set>

#include "TextWindowFixture.h"
#include "core/textview/TextLayout.h"
#include "core/textview/WordClass.h"

namespace quarn::testing {
namespace {

using TextLayoutTest = TextWindowFixture;

// A lead byte before a TAB byte (Latin-1 data such as "Ren\xe9\t42") is one two-column character for
// the rows, the columns, the caret and the painter alike, as a plain walk over the characters says.
TEST_F(TextLayoutTest, ALeadByteBeforeATabIsOneCharacterEverywhere) {
  std::mt19937 rng(17);
  const std::string pieces[] = {"\xe9\t", "\x82\t", "\t", "a", " ", "\x82\xa0", "\r\n"};
  host.client = Point{800, 16 * 400};
  for (int round = 0; round < 150; ++round) {
    std::string text;
    for (int n = 1 + int(rng() % 40); n > 0; --n) text += pieces[rng() % std::size(pieces)];
    const int width = 4 + int(rng() % 12), tab = 1 + int(rng() % 5);
    Open(text, width, tab);
    SCOPED_TRACE(::testing::Message() << "round " << round << " width " << width << " tab " << tab);
    std::set<std::uint32_t> starts;  // every character start of the text
    std::vector<std::pair<int, int>> glyphs;  // (y, x) of every drawn character
    std::uint32_t row = 0;
    int column = 0;
    for (std::uint32_t p = 0; p < text.size();) {
      if (row + 1 < doc->RowCount() && p == doc->RowStartAt(row + 1)) ++row, column = 0;
      ASSERT_EQ(doc->RowOfPos(p), row) << "a row starts inside a character at " << p;
      starts.insert(p);
      const std::uint32_t start = doc->RowStartAt(row);
      ASSERT_EQ(std::tuple(ColumnOfPos(*doc, p), ColumnInRow(*doc, start, p),
                           PosOfColumn(*doc, start, column, false).pos), std::tuple(column, column, p)) << p;
      const std::uint8_t b = std::uint8_t(text[p]);
      const bool pair = b == '\r' || (b >= 0x80 && p + 1 < text.size());
      if (b != '\r' && b != '\t') glyphs.emplace_back(int(row) * 16, column * 8);
      column += b == '\t' ? tab - column % tab : pair ? 2 : 1;
      p += pair ? 2 : 1;
    }
    // Right from the start of the text steps one character at a time.
    Key(vk::kHome, false, true);
    for (auto it = std::next(starts.begin()); it != starts.end(); ++it) {
      Key(vk::kRight);
      ASSERT_EQ(window->CaretOffset(), *it);
    }
    fakes::RecordingCanvas canvas;
    window->OnPaint(canvas, Rect{0, 0, host.client.x, host.client.y});
    std::vector<std::pair<int, int>> drawn;
    for (const auto& run : canvas.runs)
      for (std::size_t i = 0, x = run.x; i < run.advances.size(); x += run.advances[i++])
        if (run.advances[i] > 0) drawn.emplace_back(run.y, int(x));
    std::sort(drawn.begin(), drawn.end());
    EXPECT_EQ(drawn, glyphs);
  }
}

TEST(WordClassTest, ClassesOfCharacters) {
  const std::pair<std::uint16_t, int> cases[] = {
      {'a', 1},    {'Z', 1},    {'7', 1},    {'_', 3},    {' ', 3},    {0xA6, 2},   {0xDF, 2},   {0xA1, 3},
      {0x8140, 3}, {0x8141, 3}, {0x81AC, 3}, {0x815B, 5}, {0x817F, 6}, {0x829F, 4}, {0x82F1, 4}, {0x8340, 5},
      {0x8396, 5}, {0x837F, 6}, {0x889F, 6}, {0x8260, 6},
  };
  for (auto [c, cls] : cases) EXPECT_EQ(WordClassOf(c), cls) << std::hex << c;
}

}  // namespace
}  // namespace quarn::testing
