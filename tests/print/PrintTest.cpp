#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "binaryview/BinaryWindowFixture.h"
#include "core/common/ProcessValues.h"
#include "core/document/CVeskDoc.h"
#include "core/print/CPrtManeger.h"
#include "core/print/PrintPage.h"
#include "fakes/FakePlatform.h"
#include "fakes/RecordingCanvas.h"

namespace quarn {
namespace {

// A4 at 600 dpi.
constexpr PrintDevice kA4{600, 600, 4960, 7016};

std::unique_ptr<CVeskDoc> MakeDoc(const std::string& text, int width, int kind = kTextDoc) {
  if (kind == kBinaryDoc) return testing::MakeBinaryDoc(text);
  gProcess.nextDocKind = kTextDoc;
  auto doc = std::make_unique<CVeskDoc>();
  doc->Format().charsPerLine = width;
  doc->Format().tabColumns = 4;
  doc->InsertText(0, reinterpret_cast<const std::uint8_t*>(text.data()), std::uint32_t(text.size()));
  doc->SetPathName("/tmp/a.txt");
  return doc;
}

struct PrintFixture : ::testing::Test {
  void SetUp() override {
    canvas.metrics.aveCharWidth = 40;  // a 10-point font at 600 dpi
    canvas.metrics.height = 83;
  }
  fakes::FakePlatform platform;
  fakes::RecordingCanvas canvas;
  PageLayoutFields fields;
  CPrtManeger manager{fields};
};

TEST_F(PrintFixture, PaginationFigures) {
  struct Case {
    const char* what;
    std::array<std::int32_t, 4> margins;
    std::int32_t charSpacing;
    bool numbers, binary;
    int docWidth;
    int charsPerLine, linesPerPage, numberColumns;  // all 0: refused
  } cases[] = {
      // (4960 - 2 x 118) / 40 = 118 columns; (7016 - 2 x 236) / 83 = 78 lines
      {"plain", {50, 100, 50, 100}, 0, false, false, 250, 118, 78, 6},
      {"cut to the format", {50, 100, 50, 100}, 0, false, false, 80, 80, 78, 6},
      {"line numbers", {50, 100, 50, 100}, 0, true, false, 250, 112, 78, 6},
      // pitch 40 + 11: ceil(240 / 51) = 5 number columns, 4724 / 51 = 92
      {"spacing", {50, 100, 50, 100}, 5, true, false, 250, 87, 78, 5},
      {"binary", {50, 100, 50, 100}, 0, true, true, 80, 118, 76, 6},
      {"binary, room for 3 rows", {50, 100, 50, 2743}, 0, false, true, 80, 118, 1, 6},
      {"binary, room for 4 rows", {50, 100, 50, 2709}, 0, false, true, 80, 118, 2, 6},
      {"margins of 1000 mm", {10000, 10000, 10000, 10000}, 0, false, false, 80, 0, 0, 0},
      {"one column left", {50, 100, 2024, 100}, 0, false, false, 80, 0, 0, 0},
  };
  for (const auto& c : cases) {
    fields.margins = c.margins;
    fields.charSpacing = c.charSpacing;
    fields.printLineNumbers = c.numbers;
    const bool ok = c.charsPerLine > 0;
    const std::size_t shown = platform.CountShown(59417);
    ASSERT_EQ(manager.Paginate(canvas, kA4, c.docWidth, c.binary), ok) << c.what;
    EXPECT_EQ(platform.CountShown(59417), shown + (ok ? 0 : 1)) << c.what;
    if (ok) {
      EXPECT_EQ(std::tuple(manager.CharsPerLine(), manager.LinesPerPage(), manager.LineNumberColumns()),
                std::tuple(c.charsPerLine, c.linesPerPage, c.numberColumns)) << c.what;
    }
  }
  // The print font is the page layout's, sized at the printer's resolution.
  EXPECT_EQ(canvas.fonts.back().height, -75);
}

// The printed rows are the text window's own rows when the printed width
// is the document's width.
TEST_F(PrintFixture, TextRowsMatchTheWindowsRowsAtTheSameWidth) {
  std::mt19937 rng(7);
  const char* pieces[] = {"a", "bb ", "\t", "\x82\xa0", "\r\n", "\x81\x42", "word "};
  for (int step = 0; step < 200; ++step) {
    std::string text;
    for (int n = int(rng() % 120); n > 0; --n) text += pieces[rng() % 7];
    const int width = 4 + int(rng() % 20);
    auto doc = MakeDoc(text, width);
    fields.printLineNumbers = 0;
    ASSERT_TRUE(manager.Paginate(canvas, kA4, width, false));
    ASSERT_EQ(manager.PrepareTextRows(*doc, false, 0, 0, 1000000), TextRowsResult::kDone);
    std::vector<std::uint32_t> expected;
    for (std::uint32_t r = 0; r < doc->RowCount(); ++r) {
      if (doc->RowStartAt(r) < text.size()) expected.push_back(doc->RowStartAt(r));
    }
    ASSERT_EQ(manager.RowStarts(), expected) << "step " << step;
  }
}

TEST_F(PrintFixture, TextPageNumbersOnlyTheFirstRowOfALineAndHasItsBands) {
  // Line 1 wraps into two rows at width 8; line 3 holds a tab.
  auto doc = MakeDoc("abcdefghij\r\n\x82\xa0\x82\xa2\r\nx\ty\r\n", 8);
  fields.firstLine = 10;
  ASSERT_TRUE(manager.Paginate(canvas, kA4, 8, false));
  ASSERT_EQ(manager.PrepareTextRows(*doc, false, 0, 0, 1000000), TextRowsResult::kDone);
  ASSERT_EQ(manager.RowStarts().size(), 4u);
  PrintStamp stamp;
  PagePrinter(canvas, manager, *doc, stamp).DrawTextPage(1, false);
  const int top = manager.Top(), pitch = manager.LinePitch(), left = manager.Left();
  const int body = left + 6 * 40;
  struct Row {
    const char* number;  // null: a continuation row
    const char* text;
  } rows[] = {{"00010 ", "abcdefgh"}, {nullptr, "ij"}, {"00011 ", "\x82\xa0\x82\xa2"}, {"00012 ", "x y"}};
  for (int k = 0; k < 4; ++k) {
    auto runs = canvas.RunsAt(top + k * pitch);
    ASSERT_EQ(runs.size(), rows[k].number ? 2u : 1u) << k;
    if (rows[k].number) {
      EXPECT_EQ(runs[0].text, rows[k].number);
    }
    EXPECT_EQ(runs.back().x, body);
    EXPECT_EQ(runs.back().text, rows[k].text) << k;
  }
  // The tab runs to column 4.
  EXPECT_EQ(canvas.RunsAt(top + 3 * pitch).back().advances, (std::vector<int>{40, 120, 40}));
  // Printing the selection of line 2 numbers it as the first line.
  ASSERT_EQ(manager.PrepareTextRows(*doc, true, 13, 14, 1000000), TextRowsResult::kDone);
  ASSERT_EQ(manager.RowStarts(), (std::vector<std::uint32_t>{12}));
  canvas.Clear();
  PagePrinter(canvas, manager, *doc, stamp).DrawTextPage(1, false);
  EXPECT_EQ(canvas.RunsAt(top)[0].text, "00010 ");
  EXPECT_EQ(manager.PrepareTextRows(*doc, false, 0, 0, 3), TextRowsResult::kTooManyRows);
  // The header and footer bands.
  fields.firstPage = 10;
  fields.footerAlign = 2;
  canvas.Clear();
  stamp = PrintStamp{"26/03/03", "09:05:07"};
  PagePrinter(canvas, manager, *doc, stamp).DrawHeaderFooter(2);
  ASSERT_EQ(canvas.texts.size(), 2u);
  EXPECT_EQ(canvas.texts[0].text, "FileName = /tmp/a.txt  26/03/03 09:05:07");
  EXPECT_EQ(canvas.texts[1].text, "- 11 -");
  EXPECT_EQ(canvas.texts[1].format & 3, dt::kRight);
  fields.headerOn = fields.footerOn = 0;
  canvas.Clear();
  PagePrinter(canvas, manager, *doc, stamp).DrawHeaderFooter(1);
  EXPECT_TRUE(canvas.texts.empty());
}

TEST_F(PrintFixture, BinaryPageHasAHeaderRowABlankRowAndItsRows) {
  std::string bytes;
  for (int i = 0; i < 40; ++i) bytes.push_back(char('A' + i % 26));
  auto doc = MakeDoc(bytes, 80, kBinaryDoc);
  fields.margins = {50, 100, 50, 2709};  // two rows a page
  ASSERT_TRUE(manager.Paginate(canvas, kA4, 80, true));
  BinaryViewSettings settings;
  PrintStamp stamp;
  PagePrinter(canvas, manager, *doc, stamp).DrawBinaryPage(2, settings, 0, 0xFFFFFFFF);
  const int top = manager.Top(), pitch = manager.LinePitch();
  EXPECT_EQ(canvas.RunsAt(top)[0].text, "ADDRESS   ");
  EXPECT_TRUE(canvas.RunsAt(top + pitch).empty());
  auto row = canvas.RunsAt(top + 2 * pitch);
  ASSERT_EQ(row.size(), 3u);
  EXPECT_EQ(row[0].text + row[2].text.substr(0, 8), "00000020GHIJKLMN");
  EXPECT_TRUE(canvas.RunsAt(top + 3 * pitch).empty());  // the document ends at row 2
  // A printed selection counts its rows from the first one it touches.
  canvas.Clear();
  PagePrinter(canvas, manager, *doc, stamp).DrawBinaryPage(1, settings, 1, 1);
  EXPECT_EQ(canvas.RunsAt(top + 2 * pitch)[0].text, "00000010");
  EXPECT_TRUE(canvas.RunsAt(top + 3 * pitch).empty());
  auto empty = MakeDoc("", 80, kBinaryDoc);
  canvas.Clear();
  PagePrinter(canvas, manager, *empty, stamp).DrawBinaryPage(1, settings, 0, 0xFFFFFFFF);
  EXPECT_TRUE(canvas.runs.empty());
}

}  // namespace
}  // namespace quarn
