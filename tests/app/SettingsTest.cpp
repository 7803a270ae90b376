#include <gtest/gtest.h>

#include "SettingsTestSupport.h"
#include "core/common/BinarySettings.h"
#include "core/common/Palette.h"
#include "core/common/ProgramDirectory.h"
#include "core/common/TabPositions.h"
#include "core/common/WindowPos.h"

namespace quarn {
namespace {

using SettingsTest = SettingsFixture;

TEST_F(SettingsTest, ValuesOutOfRangeOrNotNumbersReadAsTheirDefaultsAndValidOnesAreFollowed) {
  using S = AppSettings;
  const struct {
    const char* line;
    int S::*field;
    int expected;
  } cases[] = {
      {"maxeditrange=11", &S::MaxEditRange, 0},        {"LineSpacesLM=-5", &S::LineSpacesLM, 0},
      {"TabBarImageNo=3", &S::TabBarImageNo, 0},       {"AutoScrollInt=0", &S::AutoScrollInt, 30},
      {"AutoScrollCount=61", &S::AutoScrollCount, 5},  {"BytesPerLine=4", &S::BytesPerLine, 16},
      {"HexBlockBytes=65", &S::HexBlockBytes, 8},      {"RulerBackColor=17", &S::RulerBackColor, 16},
      {"RulerCursorColor=0", &S::RulerCursorColor, 4}, {"InsertionPosition=2", &S::InsertionPosition, 2},
      {"ScrollLineCount=x", &S::ScrollLineCount, 1},   {"LeftMarginLM=500", &S::LeftMarginLM, 500},
      {"TopMarginLM=501", &S::TopMarginLM, 15},        {"DecimalBlockBytes=64", &S::DecimalBlockBytes, 64},
  };
  std::string text = "[settings]\r\n";
  for (const auto& c : cases) text += c.line + std::string("\r\n");
  Store(text);
  ReadSettings();
  for (const auto& c : cases) EXPECT_EQ(gSettings.*c.field, c.expected) << c.line;
  // The tab bar's height needs button-style tabs.
  for (const auto& [text, expected] : {std::pair{"0\r\nTabBarHeightAdjust=5", 0}, {"1\r\nTabBarHeightAdjust=5", 5},
                                       {"1\r\nTabBarHeightAdjust=11", 2}}) {
    Store(std::string("[Settings]\r\nButtonStyleTabBar=") + text + "\r\n");
    ReadSettings();
    EXPECT_EQ(gSettings.TabBarHeightAdjust, expected) << text;
  }
  // The document limits and the binary window's values follow the settings.
  Store("[Settings]\r\nMaxEditRange=10\r\nBytesPerLine=32\r\nStrCodeType=9\r\nBinary1=65\r\n");
  ReadSettings();
  EXPECT_EQ(gProcess.maxBytes, 104857600u);
  EXPECT_EQ(gProcess.maxRows, 1000000u);
  EXPECT_EQ(gBinarySettings.BytesPerLine, 32);
  EXPECT_EQ(gBinarySettings.Binary1, 65);
  EXPECT_EQ(gBinarySettings.StrCodeType, 1);  // the window never sees an unknown code
  EXPECT_EQ(gSettings.StrCodeType, 9);
  gBinarySettings = BinaryViewSettings();
}

// An invalid tab list is dropped with one beep of the stored type; the
// frequent directories are packed.
TEST_F(SettingsTest, ListsAreCheckedAndPackedWhenRead) {
  Store("[Settings]\r\nBeepSoundType=16\r\nTabPosition=1,5\r\n");
  ReadSettings();
  EXPECT_EQ(gSettings.TabPosition.count, 0);
  EXPECT_EQ(platform.beep.beeps, std::vector<unsigned>{16});
  Store("[Settings]\r\nTabPosition=9,13,\r\nFrequentlyUsedDirectory2=/two\r\nFrequentlyUsedDirectory4=/four\r\n");
  platform.beep.beeps.clear();
  ReadSettings();
  const TabPositionList& tabs = gSettings.TabPosition;
  EXPECT_EQ(std::tuple(tabs.count, tabs.positions[0], tabs.positions[1]), std::tuple(2, 8, 12));
  EXPECT_TRUE(platform.beep.beeps.empty());
  EXPECT_EQ(gSettings.FrequentlyUsedDirectory, (std::array<std::string, 4>{"/two", "/four", "", ""}));
  WriteSettings();
  const ProfileFile written = StoredProfile();
  EXPECT_EQ(written.GetString("Settings", "TabPosition"), "9,13");
  EXPECT_EQ(written.GetString("Settings", "FrequentlyUsedDirectory1"), "/two");
  EXPECT_EQ(written.GetString("Settings", "FrequentlyUsedDirectory4", "gone"), "");
}

TEST_F(SettingsTest, TheStoredCabinetIsUsedOnlyWhenItExistsAndIsNotOverridden) {
  platform.files.files["/cabs/work.cab"] = "x";
  platform.files.directories.insert("/cabs/dir.cab");
  const std::pair<const char*, const char*> cases[] = {
      {"CabinetName=/cabs/work.cab", "/cabs/work.cab"},
      {"CabinetName=/cabs/work.cab\r\nInitialCabinet=1", "/home/q/quarn.cab"},
      {"CabinetName=/cabs/gone.cab", "/home/q/quarn.cab"},
      {"CabinetName=/cabs/dir.cab", "/home/q/quarn.cab"},
  };
  for (const auto& [text, expected] : cases) {
    Store(std::string("[Settings]\r\n") + text + "\r\n");
    ReadSettings();
    EXPECT_EQ(gSettings.CabinetName, expected) << text;
  }
}

// Written back as read, keeping other sections, comments and read-only keys.
TEST_F(SettingsTest, WrittenBackAsReadKeepingOtherSectionsAndReadOnlyKeys) {
  Store("; mine\r\n[Recent File List]\r\nFile1=/r.bin\r\n[Settings]\r\nUsedCount=4\r\nAutoScrollInt=600\r\n"
        "InsertionString= two words \r\nBinary1Color=-1\r\n[Other]\r\nKey=value\r\n");
  ReadSettings();
  EXPECT_EQ(gSettings.InsertionString, "two words");
  EXPECT_EQ(gSettings.Binary1Color, 0xFFFFFFFFu);
  gSettings.InsertionString = " two words ";
  ASSERT_TRUE(WriteSettings());
  const ProfileFile written = StoredProfile();
  EXPECT_EQ(written.GetString("Recent File List", "File1"), "/r.bin");
  EXPECT_EQ(written.GetString("Other", "Key"), "value");
  EXPECT_EQ(written.GetString("Settings", "AutoScrollInt"), "600");
  EXPECT_EQ(written.GetInt("Settings", "UsedCount", 0), 5);
  EXPECT_EQ(written.GetInt("Settings", "Binary1Color", 0), -1);
  EXPECT_EQ(Stored().rfind("; mine\r\n", 0), 0u);
  ReadSettings();
  EXPECT_EQ(gSettings.InsertionString, " two words ");
}

TEST_F(SettingsTest, WithoutAFileEverySettingHasItsDefaultAndReadOnlyKeysAreNeverWritten) {
  ReadSettings();
  EXPECT_EQ(gSettings.UsedCount, 1);
  EXPECT_EQ(gSettings.CabinetName, "/home/q/quarn.cab");
  EXPECT_EQ(gSettings.TabPosition, DefaultTabPositions());
  EXPECT_EQ(gSettings.ColumnOutString, texts::kColumnOutStringDefault);
  EXPECT_EQ(std::tie(gSettings.BeepSoundType, gSettings.Binary2Color, gSettings.HasWindowPos),
            std::tuple(48, 0xFF0000u, false));
  EXPECT_EQ(gProcess.maxBytes, 314572800u);
  EXPECT_TRUE(platform.beep.beeps.empty());
  WriteSettings();
  const ProfileFile written = StoredProfile();
  for (const char* key : {"BeepSoundType", "RulerFontFlag", "SpotConversionIME", "EnableRedirectForWin4",
                          "ValiableInsertion", "FlatToolbar", "ParallelView", "WindowPos"})
    EXPECT_FALSE(written.Has("Settings", key)) << key;
  for (const char* key : {"InitialCabinet", "UsedCount", "FrequentlyUsedDirectory4", "TabPosition",
                          "DeleteSelectionAtInput", "CursorUnderLineColor", "TabBarHeightAdjust", "EnRexp"})
    EXPECT_TRUE(written.Has("Settings", key)) << key;
  // An unreadable file gives the defaults and is not overwritten.
  Store("[Settings]\r\nUsedCount=40\r\n");
  platform.files.unreadable.insert(kIni);
  ReadSettings();
  EXPECT_EQ(gSettings.UsedCount, 1);
  EXPECT_FALSE(WriteSettings());
  EXPECT_EQ(Stored(), "[Settings]\r\nUsedCount=40\r\n");
}

// The placement needs all ten numbers; the show state is written with the
// last placement. The instance setting is read and written alone.
TEST_F(SettingsTest, WindowPlacementNeedsAllTenNumbersAndMultiInstanceIsWrittenAtOnce) {
  Store("[Settings]\r\nWindowPos=0,1,-1,-1,-8,-8,10,20,800\r\n");
  ReadSettings();
  EXPECT_FALSE(gSettings.HasWindowPos);
  Store("[Settings]\r\nMultiInstance=0\r\nWindowPos=2,3,-1,-1,-8,-8,10,20,800,600\r\n");
  EXPECT_EQ(ReadMultiInstanceSetting(), 0);
  ReadSettings();
  ASSERT_TRUE(gSettings.HasWindowPos);
  WindowPlacement placement = gSettings.WindowPos;
  placement.normalPosition.right = 1024;
  ASSERT_TRUE(WriteWindowPos(placement, false));
  EXPECT_EQ(StoredProfile().GetString("Settings", "WindowPos"), "0,3,-1,-1,-8,-8,10,20,1024,600");
  WriteWindowPos(placement, true);
  gSettings.MultiInstance = 1;
  ASSERT_TRUE(WriteMultiInstance());
  EXPECT_EQ(Stored(), "[Settings]\r\nMultiInstance=1\r\nWindowPos=2,3,-1,-1,-8,-8,10,20,1024,600\r\n");
  platform.files.files.erase(kIni);
  EXPECT_EQ(ReadMultiInstanceSetting(), 1);
}

// A settings file only in the user's place is copied next to the program.
TEST_F(SettingsTest, ProgramDirectoryComesFromQuarnHomeFirstAndTheSettingsFileIsCopiedThere) {
  ScopedEnv config("XDG_CONFIG_HOME", "/cfg");
  platform.files.files["/cfg/quarn/quarn.ini"] = "[Settings]\r\nUsedCount=9\r\n";
  EXPECT_TRUE(PrepareSettingsFile());
  EXPECT_EQ(Stored(), "[Settings]\r\nUsedCount=9\r\n");
  platform.files.files["/cfg/quarn/quarn.ini"] = "[Settings]\r\nUsedCount=1\r\n";
  EXPECT_FALSE(PrepareSettingsFile());  // later runs use the copy
  ReadSettings();
  EXPECT_EQ(gSettings.UsedCount, 10);
  EXPECT_EQ(ProgramDirectory(), "/home/q/");
  EXPECT_EQ(SettingsFilePath(), kIni);
  ScopedEnv noHome("QUARN_HOME", nullptr);
  SetProgramDirectory("/opt/quarn/bin");
  EXPECT_EQ(ProgramDirectory(), "/opt/quarn/bin/");
  EXPECT_EQ(SettingsFilePath(), "/opt/quarn/bin/quarn.ini");
  EXPECT_EQ(DefaultCabinetPath(), "/opt/quarn/bin/quarn.cab");
  SetProgramDirectory("/" + std::string(240, 'd'));  // the program path reaches 251 characters
  EXPECT_EQ(DefaultCabinetPath(), "");
  SetProgramDirectory("");
  EXPECT_EQ(SettingsFilePath(), "");
  ReadSettings();  // nowhere to read from: defaults, and nothing is written
  EXPECT_EQ(gSettings.CabinetName, "");
  EXPECT_FALSE(WriteSettings());
}

TEST(SettingsPartsTest, TabListsWindowPositionsDirectoriesAndPaletteIndexes) {
  TabPositionList list;
  for (const char* valid : {"2", "9,13", "9,13,", " 9 , 13", "2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21",
                            "250"})
    EXPECT_TRUE(ParseTabPositions(valid, list)) << valid;
  for (const char* invalid : {"1,5", "5,5", "9,5", "251", "0", "-3", ",", "9,,13", "9,13,,", "9x", "abc",
                              "2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,22", "99999999999"}) {
    list = DefaultTabPositions();
    EXPECT_FALSE(ParseTabPositions(invalid, list)) << invalid;
    EXPECT_EQ(list.count, 0) << invalid;
  }
  ASSERT_TRUE(ParseTabPositions("", list));
  EXPECT_EQ(FormatTabPositions(list), "8,12,20,28,36,44,52,60,68,72");
  EXPECT_EQ(FormatTabPositions(TabPositionList()), "");
  TabPositionList wild;
  wild.count = 99;  // never read past the positions
  EXPECT_EQ(FormatTabPositions(wild), "1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1");
  WindowPlacement p;
  EXPECT_TRUE(ParseWindowPos("0, 1,2,3,4,5,6,7,8,9 trailing", p));
  EXPECT_EQ(FormatWindowPos(p), "0,1,2,3,4,5,6,7,8,9");
  const WindowPlacement before = p;
  for (const char* bad : {"", "1,2,3,4,5,6,7,8,9", "1 ,2,3,4,5,6,7,8,9,10", "1,2,3,4,5,6,7,8,9,", "a,2,3,4,5,6,7,8,9,10"})
    EXPECT_FALSE(ParseWindowPos(bad, p)) << bad;
  EXPECT_EQ(p, before);
  // Indexes outside the table are black.
  EXPECT_EQ(PaletteColor(4), 0x00FF00u);
  EXPECT_EQ(PaletteColor(16), 0xC0C0C0u);
  EXPECT_EQ(PaletteColor(0), 0u);
  EXPECT_EQ(PaletteColor(17), 0u);
}

}  // namespace
}  // namespace quarn
