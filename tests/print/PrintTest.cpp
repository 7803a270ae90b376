// Page layout, header and footer codes, pagination, printed pages and the
// print commands, on recording canvases.
#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "binaryview/BinaryWindowFixture.h"
#include "core/common/ParameterBlock.h"
#include "core/common/ProcessValues.h"
#include "core/document/CVeskDoc.h"
#include "core/macro/OperationRecorder.h"
#include "core/print/CPageLayout.h"
#include "core/print/CPrtManeger.h"
#include "core/print/ExpandInsertion.h"
#include "core/print/PrintCommands.h"
#include "core/print/PrintPage.h"
#include "core/view/CVeskView.h"
#include "fakes/FakePlatform.h"
#include "fakes/FakeViewParts.h"
#include "fakes/RecordingCanvas.h"
#include "platform/Platform.h"

namespace quarn {
namespace {

// Tuesday 2026-03-03 09:05:07, day 62 of the year.
const std::tm kClock = [] {
  std::tm t{};
  t.tm_year = 126, t.tm_mon = 2, t.tm_mday = 3, t.tm_hour = 9, t.tm_min = 5, t.tm_sec = 7;
  t.tm_wday = 2, t.tm_yday = 61;
  return t;
}();

TEST(ExpandInsertionTest, CodesExpandAgainstAFixedClock) {
  const std::pair<const char*, const char*> cases[] = {
      {"$Y/$m/$d $H:$M:$S", "2026/03/03 09:05:07"},
      {"$y $j $w $I$p", "26 062 2 09AM"},
      {"$a $A $b $B", "Tue Tuesday Mar March"},
      {"$U $W", "09 09"},
      {"$e", "\x89\xce"},  // 火
      {"[$f] [$n]", "[/home/u/\x95\xb6\x8f\x91.txt] [\x95\xb6\x8f\x91.txt]"},
      {"L$l C$c", "L12 C34"},
      {"$$ $q $", "$ q "},   // "$$" is "$", an unknown code is itself, a final "$" is lost
      {"a\x82\xa0$", "a\x82\xa0"},
      {"ab\x82", "ab"},      // a lead byte that ends the text is dropped
      {"$\x82\xa0z", "\x82\xa0z"},  // a double-byte character after "$" stays whole
  };
  for (const auto& [text, expected] : cases) {
    EXPECT_EQ(ExpandInsertion(text, "/home/u/\x95\xb6\x8f\x91.txt", 12, 34, kClock), expected) << text;
  }
  EXPECT_EQ(ExpandInsertion("[$f][$n]", "", 1, 1, kClock), "[][]");
  // The result stops before reaching 256 bytes.
  const std::string a254(254, 'a');
  EXPECT_EQ(ExpandInsertion(a254 + "b" + "c", "", 1, 1, kClock), a254 + "b");
  // An expansion that would cross the limit is left out with everything after it.
  EXPECT_EQ(ExpandInsertion(a254 + "$Yxyz", "", 1, 1, kClock), a254);
  // A double-byte character is never cut in half.
  EXPECT_EQ(ExpandInsertion(a254 + "\x82\xa0", "", 1, 1, kClock), a254);
  // The page lines' codes are replaced once each, the lower case first.
  const PrintStamp stamp = MakePrintStamp(kClock);
  const std::pair<const char*, const char*> lines[] = {
      {"&p/&P", "10/&P"}, {"&p &p", "10 &p"}, {"&P &F &D &T", "10 /a.txt 26/03/03 09:05:07"}, {"&&x &q", "&&x &q"}};
  for (const auto& [text, expected] : lines) EXPECT_EQ(ExpandPageLine(text, 10, "/a.txt", stamp), expected) << text;
}

TEST(PageLayoutDialogTest, WholeMillimetresIndexesAndTheFontCap) {
  PageLayoutFields fields;
  fields.margins = {57, 100, 3, 10009};  // 0.1 mm: the dialog truncates
  fields.charSpacing = 15;
  fields.lineSpacing = 35;
  CPageLayout dialog(fields);
  EXPECT_EQ(std::tuple(dialog.charSpacing, dialog.lineSpacing), std::tuple(3, 7));
  dialog.headerOn = false;
  EXPECT_EQ(dialog.Block()[36], 1);  // the header's "しない" radio
  dialog.Store(fields);
  EXPECT_EQ(fields.margins, (std::array<std::int32_t, 4>{50, 100, 0, 10000}));
  // The printer font is capped at one hundred screen pixels.
  LogFont chosen;
  chosen.setFace("IPAGothic");
  EXPECT_TRUE(dialog.ChooseFont(chosen, 120, 96));
  EXPECT_EQ(dialog.font.height, 12);
  EXPECT_EQ(dialog.font.face(), "IPAGothic");
  EXPECT_FALSE(dialog.ChooseFont(chosen, 800, 96));  // 80 points are 106 pixels
  EXPECT_EQ(dialog.font.height, 75);
}

TEST(PageLayoutDialogTest, RefusedValuesAndBlocks) {
  CPageLayout dialog;
  dialog.header = "h";
  dialog.footer = "f";
  const auto good = dialog.Block();
  const std::tuple<const char*, std::size_t, std::uint8_t> cases[] = {
      {"margin over 1000 mm", 1, 0x10}, {"spacing index 8", 28, 8}, {"alignment 3", 40, 3},
      {"radio 2", 36, 2},               {"line numbers 2", 24, 2},  {"no zero after the footer", 115, 'x'},
  };
  for (const auto& [what, offset, value] : cases) {
    auto block = good;
    block[offset] = value;
    EXPECT_FALSE(CPageLayout::FromBlock(block)) << what;
  }
  EXPECT_FALSE(CPageLayout::FromBlock({good.begin(), good.end() - 1}));
  dialog.charSpacing = -1;  // no drop-down selection
  EXPECT_FALSE(dialog.Valid());
}

// A4 at 600 dpi.
constexpr PrintDevice kA4{600, 600, 4960, 7016};

std::unique_ptr<CVeskDoc> MakeDoc(const std::string& text, int width) {
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
  const int top = manager.Top(), pitch = manager.LinePitch();
  // Each row's runs, a continuation row without its number.
  std::vector<std::string> drawn;
  for (int k = 0; k < 4; ++k) {
    std::string row;
    for (const auto& run : canvas.RunsAt(top + k * pitch)) row += run.text + "|";
    drawn.push_back(row);
  }
  EXPECT_EQ(drawn, (std::vector<std::string>{"00010 |abcdefgh|", "ij|", "00011 |\x82\xa0\x82\xa2|", "00012 |x y|"}));
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

// Runs each job on a recording canvas of an A4 page at 600 dpi.
struct FakePrinting : PrintService {
  PrintRequest request;
  bool chooseSelection = false;
  unsigned pages = 0;
  fakes::RecordingCanvas canvas;
  bool print(const PrintRequest& r, PrintJob& job) override {
    request = r;
    canvas.metrics.aveCharWidth = 38;
    canvas.metrics.height = 75;
    pages = job.Begin(canvas, kA4, chooseSelection);
    for (unsigned p = 1; p <= pages; ++p) job.PrintPage(canvas, p);
    job.End();
    return pages > 0;
  }
};

// A binary window over a document, and a view for the commands.
struct PrintCommandTest : testing::BinaryWindowFixture {
  void SetUp() override {
    Platform().printing = &printing;
    SetRecordSink([this](std::uint32_t type, std::uint32_t id, const std::vector<std::uint8_t>& data) {
      records.push_back({type, id, data});
    });
    saved = gPageLayout;
  }
  void TearDown() override {
    SetRecordSink(nullptr);
    PageLayoutDialogHook() = nullptr;
    gPageLayout = saved;
  }
  struct Record {
    std::uint32_t type, id;
    std::vector<std::uint8_t> data;
  };
  FakePrinting printing;
  fakes::NoPlacer placer;
  std::vector<Record> records;
  PageLayoutFields saved;
};

TEST_F(PrintCommandTest, BinarySelectionIsOfferedAndPrintsOnlyItsRows) {
  Open(std::string(16 * 500, 'x'));
  CVeskView view(*doc, placer);
  view.AttachBinaryWindow(window.get());
  window->SetSelection(20, 40);  // rows 1 and 2
  printing.chooseSelection = true;
  ASSERT_TRUE(RunPrintCommand(view, 57607));
  EXPECT_TRUE(printing.request.offerSelection);
  EXPECT_FALSE(printing.request.noDialog);
  EXPECT_EQ(printing.pages, 1u);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].type, 512u);
  EXPECT_EQ(records[0].id, 57607u);
  const auto& runs = printing.canvas.runs;
  EXPECT_EQ(std::count_if(runs.begin(), runs.end(), [](auto& r) { return r.text == "00000010"; }), 1);
  EXPECT_EQ(std::count_if(runs.begin(), runs.end(), [](auto& r) { return r.text == "00000030"; }), 0);
  // Not choosing the selection drops it and prints every row: 500 rows at
  // (7016 - 472) / 75 - 2 = 85 rows a page.
  printing.chooseSelection = false;
  ASSERT_TRUE(RunPrintCommand(view, 57609));
  EXPECT_FALSE(window->HasSelection());
  EXPECT_EQ(printing.pages, 6u);
  EXPECT_EQ(records.back().id, 57609u);
  // Playback prints without the dialog.
  ScopedParameterBlock playback({});
  RunPrintCommand(view, 57607);
  EXPECT_TRUE(printing.request.noDialog);
}

TEST_F(PrintCommandTest, PageLayoutRecordsItsValuesAndPlaybackTakesThemWithoutTheDialog) {
  gProcess.nextDocKind = kTextDoc;
  CVeskDoc text;
  CVeskView view(text, placer);
  int shown = 0;
  PageLayoutDialogHook() = [&](CPageLayout& d) {
    ++shown;
    d.margins[0] = 20;
    d.footer = "&p";
    return true;
  };
  ASSERT_TRUE(RunPrintCommand(view, 32791));
  EXPECT_EQ(gPageLayout.margins[0], 200);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].data.size(), 114u + gPageLayout.header.size() + 2);
  CPageLayout recorded = *CPageLayout::FromBlock(records[0].data);
  recorded.firstPage = 7;
  {
    ScopedParameterBlock playback(recorded.Block());
    RunPrintCommand(view, 32791);
  }
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(gPageLayout.firstPage, 7u);
  EXPECT_EQ(records.back().data, recorded.Block());
  // Cancel stores and records nothing.
  PageLayoutDialogHook() = [](CPageLayout& d) { return d.margins[0] = 99, false; };
  RunPrintCommand(view, 32791);
  EXPECT_EQ(gPageLayout.margins[0], 200);
  EXPECT_EQ(records.size(), 2u);
}

}  // namespace
}  // namespace quarn
