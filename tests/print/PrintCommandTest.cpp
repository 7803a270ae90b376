#include <gtest/gtest.h>

#include "binaryview/BinaryWindowFixture.h"
#include "core/common/ParameterBlock.h"
#include "core/common/ProcessValues.h"
#include "core/document/CVeskDoc.h"
#include "core/macro/OperationRecorder.h"
#include "core/print/CPageLayout.h"
#include "core/print/PrintCommands.h"
#include "core/view/CVeskView.h"
#include "fakes/FakeViewParts.h"
#include "fakes/RecordingCanvas.h"
#include "platform/Platform.h"

namespace quarn {
namespace {

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
    pages = job.Begin(canvas, PrintDevice{600, 600, 4960, 7016}, chooseSelection);
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
    Platform().printing = nullptr;
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
