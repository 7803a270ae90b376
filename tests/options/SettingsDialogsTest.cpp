#include <gtest/gtest.h>

#include "RecordingEffects.h"
#include "app/SettingsTestSupport.h"
#include "core/cabinet/CVeskCabinet.h"
#include "core/common/BinarySettings.h"
#include "core/macro/OperationRecorder.h"
#include "core/options/BinarySettingsDialog.h"
#include "core/options/CommonSettingsCommand.h"
#include "core/options/CommonSettingsSheet.h"

namespace quarn {
namespace {

using Calls = std::vector<std::string>;
using SheetEdit = std::function<void(CommonSettingsRequest&)>;
using BinaryEdit = std::function<void(BinarySettingsRequest&)>;

// The settings command on scripted dialogs: each step edits the common
// sheet or the binary dialog, then presses OK (or Cancel).
class SettingsDialogsTest : public SettingsFixture {
 protected:
  SettingsDialogsTest() { gCabinet.ResetToType(kDocTypeGeneral); }
  ~SettingsDialogsTest() override {
    SetRecordSink({});
    gCabinet.ResetToType(kDocTypeGeneral);
  }
  void Sheet(SheetEdit edit, bool ok = true) {
    platform.dialogs.sheetScript.push_back([=](CommonSettingsRequest& s) { return edit(s), ok; });
  }
  void Binary(BinaryEdit edit) {
    platform.dialogs.binaryScript.push_back([=](BinarySettingsRequest& d) { return edit(d), true; });
  }
  Calls Run(bool sheet) {
    effects.calls.clear();
    RunCommonSettings(sheet, effects);
    return effects.calls;
  }
  Calls RunSheet(SheetEdit edit) { return Sheet(edit), Run(true); }
  Calls RunBinary(BinaryEdit edit) { return Binary(edit), Run(false); }
  RecordingEffects effects;
  Restore<BinaryViewSettings> binarySettings{gBinarySettings, {}};
};

TEST(SettingsFieldsTest, HexBytesMillimetresAndTabListTexts) {
  const std::pair<const char*, int> kHex[] = {{"", 256},   {"F", 15},  {"fF", 255}, {"0a", 10}, {"100", -1},
                                              {"1G", -1}, {" 1", -1}, {"-1", -1},  {"x", -1}};
  for (const auto& [text, value] : kHex) EXPECT_EQ(ParseHexByte(text), value) << text;
  for (const auto& [value, text] : {std::pair{256, ""}, {10, "0A"}, {255, "FF"}}) EXPECT_EQ(FormatHexByte(value), text);
  // Margins are stored in tenths with the fraction cut.
  for (const auto& [mm, lm] : {std::pair{1.55, 15}, {0.7, 7}, {50.0, 500}}) EXPECT_EQ(MillimetresToLM(mm), lm) << mm;
  // Sixteen valid numbers written with leading zeros reach 96 characters, one too many.
  std::string longText;
  for (int i = 0; i < 16; ++i) longText += "00" + std::to_string(100 + i) + ",";
  const std::pair<std::string, int> kTabs[] = {{"", 0},    {"9,13,", 0}, {"9,13", 0},  {"2,250", 0},
                                               {"1,5", 1}, {"5,5", 1},   {"9,x", 1},   {"2,251", 1},
                                               {"13,9", 1}, {longText, 1}, {longText.substr(1), 0}};
  EditPage page;
  for (const auto& [text, bad] : kTabs) {
    page.tabPositions = text;
    EXPECT_EQ(page.Check(), bad ? ctl::kTabPositions : 0) << text;
  }
  // Each page names the first field it refuses.
  ViewPage view;
  view.topMargin = -0.1;
  ScrollPage scroll;
  scroll.autoScrollCount = 61;
  ScrollPage lines;
  lines.autoScrollCount = 60, lines.scrollLineCount = 0;
  BinarySettingsDialog hex, block, row;
  hex.binary2 = "G";
  block.hexBlockBytes = 65;
  row.hexBlockBytes = 64, row.bytesPerLine = 4;
  EXPECT_EQ(std::vector({view.Check(), scroll.Check(), lines.Check(), hex.Check(), block.Check(), row.Check()}),
            std::vector({ctl::kTopMargin, ctl::kAutoScrollCount, ctl::kScrollLineCount, ctl::kBinary2,
                         ctl::kHexBlockBytes, ctl::kBytesPerLine}));
}

TEST_F(SettingsDialogsTest, RefusedFieldsBeepAndKeepTheDialogOpenAndCancelChangesNothing) {
  Sheet([](CommonSettingsRequest& s) { s.edit.tabPositions = "5,5"; });
  Sheet([](CommonSettingsRequest& s) { s.view.leftMargin = 50.1, s.edit.tabPositions = "9,13,"; });
  Sheet([](CommonSettingsRequest& s) { s.view.leftMargin = 50.0, s.directories.directories = {"", "", "/src", ""}; });
  Run(true);
  EXPECT_EQ(std::tuple(platform.dialogs.sheetsShown, platform.beep.beeps), std::tuple(1, std::vector<unsigned>{48, 48}));
  EXPECT_EQ(std::tuple(FormatTabPositions(gSettings.TabPosition), gSettings.LeftMarginLM), std::tuple("9,13", 500));
  EXPECT_EQ(gSettings.FrequentlyUsedDirectory, (std::array<std::string, 4>{"/src", "", "", ""}));
  Binary([](BinarySettingsRequest& m) { m.binary1 = "1G"; });
  Binary([](BinarySettingsRequest& m) { m.binary1 = "1f"; });
  Run(false);
  EXPECT_EQ(std::tuple(platform.dialogs.binaryDialogsShown, platform.beep.beeps.size()), std::tuple(1, std::size_t(3)));
  EXPECT_EQ(std::tuple(gSettings.Binary1, gBinarySettings.Binary1), std::tuple(0x1F, 0x1F));
  // Cancel changes and records nothing.
  std::vector<std::uint32_t> recorded;
  SetRecordSink([&](std::uint32_t type, std::uint32_t, const std::vector<std::uint8_t>&) { recorded.push_back(type); });
  Sheet([](CommonSettingsRequest& s) { s.view.toolBar = false; }, false);
  EXPECT_EQ(Run(true), Calls{});
  EXPECT_EQ(gSettings.DisplayToolBar, 1);
  EXPECT_TRUE(recorded.empty());
}

TEST_F(SettingsDialogsTest, EachChangeOfTheSheetOrTheBinaryDialogHasItsOwnEffect) {
  const std::pair<SheetEdit, Calls> kCases[] = {
      {[](CommonSettingsRequest&) {}, {}},
      {[](CommonSettingsRequest& s) { s.view.topMargin = 2.3; }, {"text"}},
      {[](CommonSettingsRequest& s) { s.edit.columnOut = ")"; }, {"text"}},
      {[](CommonSettingsRequest& s) { s.view.rulerBar = true, s.view.toolBar = false, s.view.statusBar = false; },
       {"rulers", "toolbar off", "status bar off"}},
      {[](CommonSettingsRequest& s) { s.view.lineBar = true; }, {"rulers"}},
      {[](CommonSettingsRequest& s) { s.edit.colorAreaComment = true; }, {}},  // relays out only C and C++
  };
  for (std::size_t i = 0; i < std::size(kCases); ++i) EXPECT_EQ(RunSheet(kCases[i].first), kCases[i].second) << i;
  EXPECT_EQ(std::tuple(gSettings.TopMarginLM, gBinarySettings.TopMarginLM, gSettings.ColorAreaComment),
            std::tuple(23, 23, 1));
  gCabinet.ResetToType(kDocTypeCpp);
  EXPECT_EQ(RunSheet([](CommonSettingsRequest& s) { s.edit.colorAreaComment = false; }), Calls{"text"});
  // The cabinet is saved only when immediate saving is turned on.
  EXPECT_EQ(RunSheet([](CommonSettingsRequest& s) { s.edit.cabinetSave = false; }), Calls{});
  EXPECT_EQ(gSettings.CabinetSave, 0);
  EXPECT_EQ(RunSheet([](CommonSettingsRequest& s) { s.edit.cabinetSave = true; }), Calls{"save cabinet"});
  // Kinsoku text is cut to 40 bytes at a character boundary.
  RunSheet([](CommonSettingsRequest& s) { s.edit.columnOut = std::string(39, ')') + "\x81\x41"; });
  EXPECT_EQ(gSettings.ColumnOutString, std::string(39, ')'));
  // Binary windows relay out fully only for a new row width; single instance takes the lock.
  EXPECT_EQ(RunBinary([](BinarySettingsRequest& d) { d.bytesPerLine = 32; }), Calls{"binary full"});
  EXPECT_EQ(std::tuple(gSettings.BytesPerLine, gBinarySettings.BytesPerLine), std::tuple(32, 32));
  EXPECT_EQ(RunBinary([](BinarySettingsRequest& d) { d.longTitle = false, d.displayTabBar = false; }),
            (Calls{"binary", "titles", "tab bar off"}));
  // The block size follows the address mode; the line spacing is shown but never stored.
  gSettings.LineSpacesLM = 7;
  RunBinary([](BinarySettingsRequest& d) { d.hexAddress = false, d.decimalBlockBytes = 10, d.lineSpacing = 30; });
  EXPECT_EQ(std::tuple(gBinarySettings.BlockBytes(), gSettings.LineSpacesLM), std::tuple(10, 7));
  EXPECT_EQ(RunBinary([](BinarySettingsRequest& d) { d.multiInstance = false; }), (Calls{"binary", "lock"}));
  EXPECT_EQ(StoredProfile().GetInt(kSettingsSection, "MultiInstance", 1), 0);
  EXPECT_EQ(RunBinary([](BinarySettingsRequest& d) { d.multiInstance = true; }), Calls{"binary"});
  EXPECT_EQ(StoredProfile().GetInt(kSettingsSection, "MultiInstance", 0), 1);
  // Unchanged: nothing is written.
  Stored().clear();
  RunBinary([](BinarySettingsRequest&) {});
  EXPECT_EQ(Stored(), "");
}

TEST_F(SettingsDialogsTest, TheEditPageIsRecordedAsAFrameCommandWithItsParameterBlock) {
  std::vector<std::uint8_t> data;
  std::uint32_t type = 0, id = 0;
  SetRecordSink([&](std::uint32_t t, std::uint32_t i, const std::vector<std::uint8_t>& d) {
    type = t, id = i, data = d;
  });
  RunSheet([](CommonSettingsRequest& s) {
    s.edit.cabinetSave = false;
    s.edit.enableTabPosition = true;
    s.edit.tabPositions = "9,13,";
    s.edit.columnOut = "),";
  });
  EXPECT_EQ(std::tuple(type, id, data.size()), std::tuple(512u, 32813u, 108u + 2));
  const std::vector<std::uint8_t> head = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0,
                                          2, 0, 0, 0, 8, 0, 0, 0, 12, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(std::vector<std::uint8_t>(data.begin(), data.begin() + 36), head);
  EXPECT_EQ(std::vector<std::uint8_t>(data.begin() + 104, data.end()), (std::vector<std::uint8_t>{2, 0, 0, 0, ')', ','}));
  EditPage replayed;
  TabPositionList tabs;
  ASSERT_TRUE(ReadEditPageRecord(data, replayed, tabs));
  EXPECT_EQ(std::tuple(replayed.enableTabPosition, replayed.cabinetSave, replayed.columnOut),
            std::tuple(true, false, "),"));
  EXPECT_EQ(tabs, gSettings.TabPosition);
  // A record that declares more text than it holds is not replayed.
  data.pop_back();
  EXPECT_FALSE(ReadEditPageRecord(data, replayed, tabs));
}

TEST_F(SettingsDialogsTest, BrowseTakesTheDirectoryOfTheChosenFile) {
  const std::pair<const char*, const char*> cases[] = {
      {"/home/u/docs/a.txt", "/home/u/docs"}, {"/a.txt", "/"}, {"a.txt", ""}};
  for (const auto& [file, directory] : cases) EXPECT_EQ(DirectoryOfFile(file), directory) << file;
  platform.dialogs.fileAnswers = {"/srv/data/x.bin", ""};
  std::string text = "/old";
  EXPECT_TRUE(BrowseForDirectory(text));
  EXPECT_FALSE(BrowseForDirectory(text));
  EXPECT_EQ(text, "/srv/data");
}

}  // namespace
}  // namespace quarn
