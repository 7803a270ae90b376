#include "core/options/CommonSettingsSheet.h"

#include <gtest/gtest.h>

#include "RecordingEffects.h"
#include "app/SettingsTestSupport.h"
#include "core/common/BinarySettings.h"
#include "core/cabinet/CVeskCabinet.h"
#include "core/macro/OperationRecorder.h"
#include "core/options/CommonSettingsCommand.h"
#include "core/res/StringTable.h"

namespace quarn {
namespace {

using Calls = std::vector<std::string>;

class CommonSettingsSheetTest : public SettingsFixture {
 protected:
  void SetUp() override {
    SettingsFixture::SetUp();
    gCabinet.ResetToType(kDocTypeGeneral);
    gBinarySettings = BinaryViewSettings();
  }
  void TearDown() override {
    SetRecordSink({});
    gCabinet.ResetToType(kDocTypeGeneral);
    gBinarySettings = BinaryViewSettings();
    SettingsFixture::TearDown();
  }
  // Runs the command with one dialog script that edits the sheet and
  // presses OK.
  Calls RunWith(std::function<void(CommonSettingsRequest&)> edit) {
    platform.dialogs.sheetScript.push_back([edit](CommonSettingsRequest& s) {
      edit(s);
      return true;
    });
    RunCommonSettings(true, effects);
    return effects.calls;
  }
  RecordingEffects effects;
};

TEST_F(CommonSettingsSheetTest, TabListTextMustBeShortAndValidBeforeThePageIsLeft) {
  EditPage page;
  for (const char* ok : {"", "9,13,", "9,13", "2,250"}) {
    page.tabPositions = ok;
    EXPECT_EQ(page.Check(), 0) << ok;
  }
  for (const char* bad : {"1,5", "5,5", "9,x", "2,251", "13,9"}) {
    page.tabPositions = bad;
    EXPECT_EQ(page.Check(), ctl::kTabPositions) << bad;
  }
  // Twenty valid numbers written with leading zeros reach 96 characters.
  std::string longText;
  for (int i = 0; i < 16; ++i) longText += "00" + std::to_string(100 + i) + ",";
  ASSERT_EQ(longText.size(), 96u);
  page.tabPositions = longText;
  EXPECT_EQ(page.Check(), ctl::kTabPositions);
  page.tabPositions = longText.substr(1);
  EXPECT_EQ(page.Check(), 0);
}

TEST_F(CommonSettingsSheetTest, RefusedFieldsBeepAndKeepTheSheetOpenUntilCorrected) {
  platform.dialogs.sheetScript.push_back([](CommonSettingsRequest& s) {
    s.edit.tabPositions = "5,5";
    return true;
  });
  platform.dialogs.sheetScript.push_back([](CommonSettingsRequest& s) {
    s.view.leftMargin = 50.1;
    s.edit.tabPositions = "9,13,";
    return true;
  });
  platform.dialogs.sheetScript.push_back([](CommonSettingsRequest& s) {
    s.view.leftMargin = 50.0;
    return true;
  });
  RunCommonSettings(true, effects);
  EXPECT_EQ(platform.dialogs.sheetsShown, 1);
  EXPECT_EQ(platform.beep.beeps, (std::vector<unsigned>{48, 48}));
  EXPECT_EQ(gSettings.TabPosition.count, 2);
  EXPECT_EQ(gSettings.TabPosition.positions[1], 12);
  EXPECT_EQ(gSettings.LeftMarginLM, 500);
}

TEST_F(CommonSettingsSheetTest, CancelChangesNothing) {
  platform.dialogs.sheetScript.push_back([](CommonSettingsRequest& s) {
    s.view.toolBar = false;
    return false;
  });
  std::vector<std::uint32_t> recorded;
  SetRecordSink([&](std::uint32_t type, std::uint32_t, const std::vector<std::uint8_t>&) { recorded.push_back(type); });
  RunCommonSettings(true, effects);
  EXPECT_EQ(gSettings.DisplayToolBar, 1);
  EXPECT_TRUE(effects.calls.empty());
  EXPECT_TRUE(recorded.empty());
}

TEST_F(CommonSettingsSheetTest, UnchangedValuesHaveNoEffects) {
  EXPECT_EQ(RunWith([](CommonSettingsRequest&) {}), Calls{});
}

TEST_F(CommonSettingsSheetTest, EachChangeHasItsOwnEffect) {
  EXPECT_EQ(RunWith([](CommonSettingsRequest& s) { s.view.topMargin = 2.3; }), Calls{"text"});
  EXPECT_EQ(gSettings.TopMarginLM, 23);
  EXPECT_EQ(gBinarySettings.TopMarginLM, 23);
  effects.calls.clear();
  EXPECT_EQ(RunWith([](CommonSettingsRequest& s) { s.edit.columnOut = ")"; }), Calls{"text"});
  effects.calls.clear();
  EXPECT_EQ(RunWith([](CommonSettingsRequest& s) {
              s.view.rulerBar = true;
              s.view.toolBar = false;
              s.view.statusBar = false;
            }),
            (Calls{"rulers", "toolbar off", "status bar off"}));
  effects.calls.clear();
  EXPECT_EQ(RunWith([](CommonSettingsRequest& s) { s.view.lineBar = true; }), Calls{"rulers"});
}

TEST_F(CommonSettingsSheetTest, CommentColouringRelaysOutOnlyForCAndCpp) {
  EXPECT_EQ(RunWith([](CommonSettingsRequest& s) { s.edit.colorAreaComment = true; }), Calls{});
  EXPECT_EQ(gSettings.ColorAreaComment, 1);
  gCabinet.ResetToType(kDocTypeCpp);
  EXPECT_EQ(RunWith([](CommonSettingsRequest& s) { s.edit.colorAreaComment = false; }), Calls{"text"});
}

TEST_F(CommonSettingsSheetTest, CabinetIsSavedOnlyWhenImmediateSavingIsTurnedOn) {
  EXPECT_EQ(RunWith([](CommonSettingsRequest& s) { s.edit.cabinetSave = false; }), Calls{});
  EXPECT_EQ(gSettings.CabinetSave, 0);
  EXPECT_EQ(RunWith([](CommonSettingsRequest& s) { s.edit.cabinetSave = true; }), Calls{"save cabinet"});
}

TEST_F(CommonSettingsSheetTest, MarginsAreStoredInTenthsWithTheFractionCut) {
  EXPECT_EQ(MillimetresToLM(1.55), 15);
  EXPECT_EQ(MillimetresToLM(0.7), 7);
  EXPECT_EQ(MillimetresToLM(50.0), 500);
  ViewPage page;
  page.topMargin = -0.1;
  EXPECT_EQ(page.Check(), ctl::kTopMargin);
  ScrollPage scroll;
  scroll.autoScrollCount = 61;
  EXPECT_EQ(scroll.Check(), ctl::kAutoScrollCount);
  scroll.autoScrollCount = 60;
  scroll.scrollLineCount = 0;
  EXPECT_EQ(scroll.Check(), ctl::kScrollLineCount);
}

TEST_F(CommonSettingsSheetTest, DirectoriesArePackedAndScrollValuesStored) {
  RunWith([](CommonSettingsRequest& s) {
    s.directories.directories = {"", "", "/src", ""};
    s.scroll.autoScrollInt = 7;
    s.scroll.autoScrollBreak = true;
  });
  EXPECT_EQ(gSettings.FrequentlyUsedDirectory, (std::array<std::string, 4>{"/src", "", "", ""}));
  EXPECT_EQ(gSettings.AutoScrollInt, 7);
  EXPECT_EQ(gSettings.AutoScrollBreak, 1);
}

TEST_F(CommonSettingsSheetTest, TheEditPageIsRecordedAsAFrameCommandWithItsParameterBlock) {
  std::vector<std::uint8_t> data;
  std::uint32_t type = 0, id = 0;
  SetRecordSink([&](std::uint32_t t, std::uint32_t i, const std::vector<std::uint8_t>& d) {
    type = t;
    id = i;
    data = d;
  });
  RunWith([](CommonSettingsRequest& s) {
    s.edit.cabinetSave = false;
    s.edit.enableTabPosition = true;
    s.edit.tabPositions = "9,13,";
    s.edit.columnOut = "),";
  });
  EXPECT_EQ(type, 512u);
  EXPECT_EQ(id, 32813u);
  ASSERT_EQ(data.size(), 108u + 2);
  const std::vector<std::uint8_t> head = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0,
                                          2, 0, 0, 0, 8, 0, 0, 0, 12, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(std::vector<std::uint8_t>(data.begin(), data.begin() + 36), head);
  EXPECT_EQ(std::vector<std::uint8_t>(data.begin() + 104, data.end()), (std::vector<std::uint8_t>{2, 0, 0, 0, ')', ','}));

  EditPage replayed;
  TabPositionList tabs;
  ASSERT_TRUE(ReadEditPageRecord(data, replayed, tabs));
  EXPECT_TRUE(replayed.enableTabPosition);
  EXPECT_FALSE(replayed.cabinetSave);
  EXPECT_EQ(tabs, gSettings.TabPosition);
  EXPECT_EQ(replayed.columnOut, "),");
  // A record that declares more text than it holds is not replayed.
  data.pop_back();
  EXPECT_FALSE(ReadEditPageRecord(data, replayed, tabs));
}

TEST_F(CommonSettingsSheetTest, KinsokuTextIsCutToFortyBytesAtACharacterBoundary) {
  // 39 single bytes and a double-byte character: the character does not fit.
  const std::string text = std::string(39, ')') + "\x81\x41";
  RunWith([&](CommonSettingsRequest& s) { s.edit.columnOut = text; });
  EXPECT_EQ(gSettings.ColumnOutString, std::string(39, ')'));
}

TEST_F(CommonSettingsSheetTest, BrowseTakesTheDirectoryOfTheChosenFile) {
  EXPECT_EQ(DirectoryOfFile("/home/u/docs/a.txt"), "/home/u/docs");
  EXPECT_EQ(DirectoryOfFile("/a.txt"), "/");
  EXPECT_EQ(DirectoryOfFile("a.txt"), "");

  platform.dialogs.fileAnswers = {"/srv/data/x.bin", ""};
  std::string text = "/old";
  EXPECT_TRUE(BrowseForDirectory(text));
  EXPECT_EQ(text, "/srv/data");
  EXPECT_FALSE(BrowseForDirectory(text));
  EXPECT_EQ(text, "/srv/data");
  ASSERT_EQ(platform.dialogs.requests.size(), 2u);
  EXPECT_EQ(platform.dialogs.requests[0].title, LoadString(59449));
  EXPECT_EQ(platform.dialogs.requests[0].filter, "All Files(*.*)|*.*||");
  EXPECT_TRUE(platform.dialogs.requests[0].hideReadOnly);
}

TEST_F(CommonSettingsSheetTest, ChangedValuesSurviveTheSettingsFile) {
  RunWith([](CommonSettingsRequest& s) {
    s.edit.tabPositions = "9,13,";
    s.view.leftMargin = 4.2;
    s.directories.directories[1] = "/srv";
  });
  ASSERT_TRUE(WriteSettings());
  gSettings = AppSettings();
  ReadSettings();
  EXPECT_EQ(gSettings.TabPosition.count, 2);
  EXPECT_EQ(gSettings.LeftMarginLM, 42);
  EXPECT_EQ(gSettings.FrequentlyUsedDirectory[0], "/srv");
  EXPECT_EQ(FormatTabPositions(gSettings.TabPosition), "9,13");
}

}  // namespace
}  // namespace quarn
