#include <gtest/gtest.h>

#include "app/FrameFixture.h"
#include "core/app/ToolCommands.h"
#include "core/commands/CommandIds.h"
#include "core/common/ParameterBlock.h"
#include "core/macro/COperationManeger.h"
#include "core/res/MessageIds.h"
#include "core/res/StringTable.h"
#include "core/tools/CConvManeger.h"
#include "core/tools/CExtractManeger.h"
#include "core/tools/CFormManeger.h"
#include "fakes/FakeProgress.h"
#include "fakes/FakeToolDialogs.h"

namespace quarn {
namespace {

// The tools start afresh; documents open with a window each, the last made active.
class ToolCommandsTest : public FrameFixture {
 protected:
  void SetUp() override {
    FrameFixture::SetUp();
    gExtract = CExtractManeger();
    gConv = CConvManeger();
    gForm = CFormManeger();
    ForgetCompareResult();
    ToolDialogs() = &dialogs;
  }
  void TearDown() override {
    ToolDialogs() = nullptr;
    FrameFixture::TearDown();
  }
  CVeskDoc* OpenFile(const std::string& path, const std::string& bytes, int kind) {
    platform.files.files[path] = bytes;
    gProcess.nextDocKind = kind;
    CVeskDoc* doc = documents.OpenDocumentFile(path);
    EXPECT_TRUE(doc) << path;
    return doc;
  }
  // The command run as a playback runs it, with its parameter block.
  void Replay(unsigned id, const std::vector<std::uint8_t>& block) {
    ScopedParameterBlock replay(block);
    frame.OnCommand(id);
  }
  void CompareWith(const std::string& name) {
    dialogs.compares.push_back([name](CompareRequest& r) {
      r.chosen = int(std::find(r.candidates.begin(), r.candidates.end(), name) - r.candidates.begin());
      return true;
    });
  }
  fakes::FakeToolDialogs dialogs;
};

TEST_F(ToolCommandsTest, ExtractionOfACapturedLogRecordsItselfAloneAndReplaysWithoutItsSheet) {
  const std::string more = gExtract.step1[0].text, subject = gExtract.starts[0].text, after = gExtract.ends[0].text;
  const auto text = "From: a\r\n" + subject + "one\r\nbody\r\n" + more + "\r\nhidden\r\ntail\r\n" + after + "\r\n";
  CVeskDoc* log = OpenFile("/w/log.txt", text, kTextDoc);
  gSettings.RecordExtractOperation = 1;
  dialogs.sheets.push_back([](ExtractSheetRequest& r) { return r.page = 2, r.display = false, true; });
  ASSERT_TRUE(frame.OnCommand(cmd::kExtractLines));
  ASSERT_EQ(documents.Count(), 2u);
  const std::string expected = "From: a\r\n" + subject + "one\r\nbody\r\ntail\r\n";
  EXPECT_EQ(TextOf(documents.At(1)), expected);
  EXPECT_TRUE(gExtract.noDisplay);
  ASSERT_EQ(dialogs.results.size(), 1u);
  EXPECT_EQ(std::pair(dialogs.results[0].step1.deleted, dialogs.results[0].step2.extracted), std::pair(2u, 4u));
  // The operation recorded is this extraction alone.
  EXPECT_EQ(Operations().Count(), 1u);
  // Replayed on the log again: the block's settings, no sheet.
  frames.active = log;
  gExtract.noDisplay = false;
  CExtractManeger replayed;
  replayed.noDisplay = true;
  replayed.showInformation = false;
  Replay(cmd::kExtractLines, replayed.SaveParameters());
  EXPECT_EQ(std::pair(dialogs.shownSheets, gExtract.noDisplay), std::pair(1, true));
  ASSERT_EQ(documents.Count(), 3u);
  EXPECT_EQ(TextOf(documents.At(2)), expected);
  // Nothing to extract: a beep, and the new document is closed again.
  frames.active = log;
  gExtract.starts = {{"nowhere", 0, 1}};
  dialogs.sheets.push_back([](ExtractSheetRequest&) { return true; });
  frame.OnCommand(cmd::kExtractLines);
  EXPECT_EQ(std::pair(documents.Count(), platform.beep.beeps.size()), std::pair(3ul, 1ul));
}

TEST_F(ToolCommandsTest, ConversionInASelectionInPlaceAndIntoANewDocument) {
  CVeskDoc* doc = OpenFile("/w/kana.txt", "x\x82\xa0\x82\xa2\x82\xa4y", kTextDoc);
  frames.texts[doc]->SelectRange(1, 7);
  const std::string hira = texts::kClassHiragana, kata = texts::kClassKatakana;
  // The first answer is refused and the dialog stays open.
  dialogs.conversions.push_back([&](FreeConvRequest& r) { return r.rows[0] = {hira, "\x81\x40"}, true; });
  dialogs.conversions.push_back([&](FreeConvRequest& r) { return r.rows[0] = {hira, kata}, true; });
  frame.OnCommand(cmd::kFreeConversion);
  EXPECT_EQ(std::pair(TextOf(*doc), doc->Undo().Count()), std::pair(std::string("x\x83\x41\x83\x43\x83\x45y"), 2u));
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].id, cmd::kFreeConversion);
  // Into a new document, by the replayed rules; the source stays.
  CConvManeger m;
  m.rules = {{27, "", 28, ""}};
  m.toNewDocument = true;
  Replay(cmd::kFreeConversion, m.SaveParameters());
  ASSERT_EQ(documents.Count(), 2u);
  EXPECT_EQ(TextOf(documents.At(1)) + TextOf(*doc), "x\x82\xa0\x82\xa2\x82\xa4yx\x83\x41\x83\x43\x83\x45y");
  // A source over 1 MiB changes nothing.
  CVeskDoc* big = OpenFile("/w/big.txt", std::string(CConvManeger::kMaxSource + 1, 'a'), kTextDoc);
  m.toNewDocument = false;
  Replay(cmd::kFreeConversion, m.SaveParameters());
  EXPECT_TRUE(platform.Shown(msg::kConvertTooLarge));
  EXPECT_EQ(big->Undo().Count(), 0u);
}

TEST_F(ToolCommandsTest, FormattingListsTheRecordInTheOneTableDocument) {
  platform.files.files["/w/rec.tpl"] = "size,W\r\nname,5\r\n";
  platform.files.files["/w/bad.tpl"] = "nothing here\r\n";
  CVeskDoc* bin = OpenFile("/w/rec.bin", std::string("\x34\x12" "AB\r\nC", 7), kBinaryDoc);
  frames.binaries[bin]->SelectAll();
  auto answer = [&](const std::string& name) {
    dialogs.forms.push_back([name](FormRequest& r) { return r.name = name, true; });
  };
  answer("/w/rec.tpl");
  frame.OnCommand(cmd::kFormat);
  ASSERT_EQ(documents.Count(), 2u);
  CVeskDoc& table = documents.At(1);
  const std::string one = "/w/rec.tpl\r\n\tsize = 1234\r\n\tname = AB..C\r\n\r\n\r\n";
  EXPECT_EQ(TextOf(table), one);
  EXPECT_EQ(gForm.History(), (std::vector<std::string>{"/w/rec.tpl"}));
  frames.active = bin;
  answer("/w/rec.tpl");
  frame.OnCommand(cmd::kFormat);
  EXPECT_EQ(std::tuple(documents.Count(), TextOf(table), frames.active), std::tuple(2ul, one + one, &table));
  frames.active = bin;
  answer("/w/bad.tpl");
  frame.OnCommand(cmd::kFormat);
  EXPECT_TRUE(platform.Shown(msg::kTemplateMalformed));
  EXPECT_EQ(TextOf(table), one + one);
}

TEST_F(ToolCommandsTest, ComparisonListsDifferingRowsReplacesItsLastResultAndKeepsTheRowsOfAStop) {
  CVeskDoc* a = OpenFile("/w/a.bin", std::string(20, 'x'), kBinaryDoc);
  OpenFile("/w/b.bin", std::string(16, 'x'), kBinaryDoc);
  OpenFile("/w/t.txt", "text", kTextDoc);
  CVeskDoc* c = OpenFile("/w/c.bin", std::string(17, 'x') + "yxx", kBinaryDoc);
  // 20 against 16 bytes: the sizes differ, only the first row is compared, and it is equal.
  frames.active = a;
  CompareWith("/w/b.bin");
  frame.OnCommand(cmd::kCompare);
  ASSERT_EQ(platform.messages.shown.size(), 2u);
  EXPECT_NE(platform.messages.shown[0].text.find(LoadString(msg::kCompareSizes).substr(10, 10)), std::string::npos);
  EXPECT_NE(platform.messages.shown[1].text.find(LoadString(msg::kCompareEqual).substr(12)), std::string::npos);
  EXPECT_EQ(documents.Count(), 4u);
  frames.active = a;
  CompareWith("/w/c.bin");
  frame.OnCommand(cmd::kCompare);
  ASSERT_EQ(documents.Count(), 5u);
  CVeskDoc& result = documents.At(4);
  EXPECT_TRUE(result.IsComparisonResult());
  EXPECT_NE(TextOf(result).find("00000010  -- 79 -- --"), std::string::npos);
  // The next comparison replaces the result.
  frames.active = c;
  CompareWith("/w/a.bin");
  frame.OnCommand(cmd::kCompare);
  EXPECT_EQ(documents.Count(), 5u);
  // A long comparison shows the progress window; 中断 keeps the rows written.
  OpenFile("/w/e.bin", std::string(16 * 5000, 'y'), kBinaryDoc);
  OpenFile("/w/d.bin", std::string(16 * 5000, 'x'), kBinaryDoc);
  fakes::FakeProgress progress;
  progress.stopAfter = 1;
  CompareWith("/w/e.bin");
  frame.OnCommand(cmd::kCompare);
  EXPECT_EQ(std::tuple(progress.opened, progress.isOpen), std::tuple(1, false));
  ASSERT_EQ(documents.Count(), 7u);
  const std::string stopped = TextOf(documents.At(6));
  EXPECT_NE(stopped.find("0000FFF0"), std::string::npos);
  EXPECT_EQ(stopped.find("00010000"), std::string::npos);
}

}  // namespace
}  // namespace quarn
