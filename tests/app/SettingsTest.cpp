#include <gtest/gtest.h>

#include "SettingsTestSupport.h"
#include "core/common/ProgramDirectory.h"
#include "core/common/BinarySettings.h"

namespace quarn {
namespace {

using SettingsTest = SettingsFixture;

TEST_F(SettingsTest, WithoutAFileEverySettingHasItsDefault) {
  ReadSettings();
  EXPECT_EQ(gSettings.UsedCount, 1);
  EXPECT_EQ(gSettings.CabinetName, "/home/q/quarn.cab");
  EXPECT_EQ(gSettings.TabPosition, DefaultTabPositions());
  EXPECT_EQ(gSettings.ColumnOutString, texts::kColumnOutStringDefault);
  EXPECT_EQ(gSettings.BeepSoundType, 48);
  EXPECT_EQ(gSettings.Binary2Color, 0xFF0000u);
  EXPECT_EQ(gSettings.TabBarHeightAdjust, 0);  // no button-style tabs
  EXPECT_FALSE(gSettings.HasWindowPos);
  EXPECT_EQ(gProcess.maxBytes, 314572800u);
  EXPECT_TRUE(platform.beep.beeps.empty());
}

TEST_F(SettingsTest, ValuesOutOfRangeOrNotNumbersReadAsTheirDefaults) {
  Store(
      "[settings]\r\nmaxeditrange=11\r\nLineSpacesLM=-5\r\nTabBarImageNo=3\r\nAutoScrollInt=0\r\n"
      "AutoScrollCount=61\r\nBytesPerLine=4\r\nHexBlockBytes=65\r\nRulerBackColor=17\r\n"
      "RulerCursorColor=0\r\nInsertionPosition=2\r\nScrollLineCount=x\r\nLeftMarginLM=500\r\n"
      "TopMarginLM=501\r\nDecimalBlockBytes=64\r\n");
  ReadSettings();
  EXPECT_EQ(gSettings.MaxEditRange, 0);
  EXPECT_EQ(gSettings.LineSpacesLM, 0);
  EXPECT_EQ(gSettings.TabBarImageNo, 0);
  EXPECT_EQ(gSettings.AutoScrollInt, 30);
  EXPECT_EQ(gSettings.AutoScrollCount, 5);
  EXPECT_EQ(gSettings.BytesPerLine, 16);
  EXPECT_EQ(gSettings.HexBlockBytes, 8);
  EXPECT_EQ(gSettings.RulerBackColor, 16);
  EXPECT_EQ(gSettings.RulerCursorColor, 4);
  EXPECT_EQ(gSettings.InsertionPosition, 2);
  EXPECT_EQ(gSettings.ScrollLineCount, 1);
  EXPECT_EQ(gSettings.LeftMarginLM, 500);
  EXPECT_EQ(gSettings.TopMarginLM, 15);
  EXPECT_EQ(gSettings.DecimalBlockBytes, 64);
}

TEST_F(SettingsTest, DocumentLimitsAndBinaryWindowValuesFollowTheSettings) {
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

TEST_F(SettingsTest, TabBarHeightNeedsButtonStyleTabs) {
  Store("[Settings]\r\nButtonStyleTabBar=0\r\nTabBarHeightAdjust=5\r\n");
  ReadSettings();
  EXPECT_EQ(gSettings.TabBarHeightAdjust, 0);
  Store("[Settings]\r\nButtonStyleTabBar=1\r\nTabBarHeightAdjust=5\r\n");
  ReadSettings();
  EXPECT_EQ(gSettings.TabBarHeightAdjust, 5);
  Store("[Settings]\r\nButtonStyleTabBar=1\r\nTabBarHeightAdjust=11\r\n");
  ReadSettings();
  EXPECT_EQ(gSettings.TabBarHeightAdjust, 2);
}

TEST_F(SettingsTest, AnInvalidTabListIsDroppedWithOneBeepOfTheStoredType) {
  Store("[Settings]\r\nBeepSoundType=16\r\nTabPosition=1,5\r\n");
  ReadSettings();
  EXPECT_EQ(gSettings.TabPosition.count, 0);
  EXPECT_EQ(platform.beep.beeps, std::vector<unsigned>{16});

  Store("[Settings]\r\nTabPosition=9,13,\r\n");
  platform.beep.beeps.clear();
  ReadSettings();
  ASSERT_EQ(gSettings.TabPosition.count, 2);
  EXPECT_EQ(gSettings.TabPosition.positions[0], 8);
  EXPECT_EQ(gSettings.TabPosition.positions[1], 12);
  EXPECT_TRUE(platform.beep.beeps.empty());
  WriteSettings();
  EXPECT_EQ(StoredProfile().GetString("Settings", "TabPosition"), "9,13");
}

TEST_F(SettingsTest, DirectoriesArePackedWhenRead) {
  Store("[Settings]\r\nFrequentlyUsedDirectory2=/two\r\nFrequentlyUsedDirectory4=/four\r\n");
  ReadSettings();
  EXPECT_EQ(gSettings.FrequentlyUsedDirectory, (std::array<std::string, 4>{"/two", "/four", "", ""}));
  WriteSettings();
  ProfileFile written = StoredProfile();
  EXPECT_EQ(written.GetString("Settings", "FrequentlyUsedDirectory1"), "/two");
  EXPECT_EQ(written.GetString("Settings", "FrequentlyUsedDirectory4", "gone"), "");
}

TEST_F(SettingsTest, TheStoredCabinetIsUsedOnlyWhenItExistsAndIsNotOverridden) {
  platform.files.files["/cabs/work.cab"] = "x";
  platform.files.directories.insert("/cabs/dir.cab");
  const struct {
    const char* text;
    const char* expected;
  } cases[] = {
      {"CabinetName=/cabs/work.cab", "/cabs/work.cab"},
      {"CabinetName=/cabs/work.cab\r\nInitialCabinet=1", "/home/q/quarn.cab"},
      {"CabinetName=/cabs/gone.cab", "/home/q/quarn.cab"},
      {"CabinetName=/cabs/dir.cab", "/home/q/quarn.cab"},
  };
  for (const auto& c : cases) {
    Store(std::string("[Settings]\r\n") + c.text + "\r\n");
    ReadSettings();
    EXPECT_EQ(gSettings.CabinetName, c.expected) << c.text;
  }
  WriteSettings();
  EXPECT_EQ(StoredProfile().GetString("Settings", "CabinetName"), "/home/q/quarn.cab");
}

TEST_F(SettingsTest, WrittenBackAsReadKeepingOtherSectionsAndReadOnlyKeys) {
  Store(
      "; mine\r\n[Recent File List]\r\nFile1=/r.bin\r\n[Settings]\r\nUsedCount=4\r\n"
      "BeepSoundType=64\r\nAutoScrollInt=600\r\nColumnOutString=),.\r\nInsertionString= two words \r\n"
      "Binary1Color=-1\r\nReplacingChar=*\r\nMultiInstance=0\r\nWindowPos=0,1,2,3,4,5,6,7,8,9\r\n"
      "FrequentlyUsedDirectory1=/d\r\nTabPosition=3,10,250\r\n[Other]\r\nKey=value\r\n");
  ReadSettings();
  EXPECT_EQ(gSettings.InsertionString, "two words");
  gSettings.InsertionString = " two words ";
  const AppSettings first = gSettings;
  ASSERT_TRUE(WriteSettings());

  ProfileFile written = StoredProfile();
  EXPECT_EQ(written.GetString("Recent File List", "File1"), "/r.bin");
  EXPECT_EQ(written.GetString("Other", "Key"), "value");
  EXPECT_EQ(written.GetInt("Settings", "UsedCount", 0), 5);
  EXPECT_EQ(written.GetInt("Settings", "Binary1Color", 0), -1);
  EXPECT_EQ(Stored().rfind("; mine\r\n", 0), 0u);

  ReadSettings();
  EXPECT_EQ(gSettings.UsedCount, first.UsedCount + 1);
  gSettings.UsedCount = first.UsedCount;
  EXPECT_EQ(gSettings.BeepSoundType, 64);
  EXPECT_EQ(gSettings.InsertionString, " two words ");
  EXPECT_EQ(gSettings.Binary1Color, 0xFFFFFFFFu);
  EXPECT_EQ(gSettings.TabPosition, first.TabPosition);
  EXPECT_EQ(gSettings.WindowPos, first.WindowPos);
  const std::string before = Stored();
  WriteSettings();
  ProfileFile again = StoredProfile();
  for (const char* key : {"AutoScrollInt", "ColumnOutString", "ReplacingChar", "MultiInstance", "TabPosition"})
    EXPECT_EQ(again.GetString("Settings", key), written.GetString("Settings", key)) << key;
  EXPECT_EQ(Stored().size(), before.size());
}

TEST_F(SettingsTest, ReadOnlyKeysAreNeverWrittenAndEveryOtherKeyIs) {
  ReadSettings();
  WriteSettings();
  ProfileFile written = StoredProfile();
  for (const char* key : {"BeepSoundType", "RulerFontFlag", "SpotConversionIME", "EnableRedirectForWin4",
                          "ValiableInsertion", "FlatToolbar", "ParallelView", "WindowPos"})
    EXPECT_FALSE(written.Has("Settings", key)) << key;
  for (const char* key : {"InitialCabinet", "UsedCount", "FrequentlyUsedDirectory4", "TabPosition",
                          "DeleteSelectionAtInput", "CursorUnderLineColor", "TabBarHeightAdjust", "EnRexp"})
    EXPECT_TRUE(written.Has("Settings", key)) << key;
  EXPECT_EQ(written.GetString("Settings", "TabPosition"), "8,12,20,28,36,44,52,60,68,72");
}

TEST_F(SettingsTest, AnUnreadableFileGivesDefaultsAndIsNotOverwritten) {
  Store("[Settings]\r\nUsedCount=40\r\n");
  platform.files.unreadable.insert(kIni);
  ReadSettings();
  EXPECT_EQ(gSettings.UsedCount, 1);
  EXPECT_FALSE(WriteSettings());
  EXPECT_EQ(Stored(), "[Settings]\r\nUsedCount=40\r\n");
}

TEST_F(SettingsTest, WindowPlacementNeedsAllTenNumbers) {
  Store("[Settings]\r\nWindowPos=0,1,-1,-1,-8,-8,10,20,800\r\n");
  ReadSettings();
  EXPECT_FALSE(gSettings.HasWindowPos);

  Store("[Settings]\r\nWindowPos=2,3,-1,-1,-8,-8,10,20,800,600\r\n");
  ReadSettings();
  ASSERT_TRUE(gSettings.HasWindowPos);
  EXPECT_EQ(gSettings.WindowPos.showCmd, 3u);
  EXPECT_EQ(gSettings.WindowPos.maxPosition, (Point{-8, -8}));
  EXPECT_EQ(gSettings.WindowPos.normalPosition, (Rect{10, 20, 800, 600}));

  WindowPlacement placement = gSettings.WindowPos;
  placement.flags = 7;
  placement.normalPosition.right = 1024;
  ASSERT_TRUE(WriteWindowPos(placement, false));
  EXPECT_EQ(StoredProfile().GetString("Settings", "WindowPos"), "0,3,-1,-1,-8,-8,10,20,1024,600");
  WriteWindowPos(placement, true);
  WriteSettings();
  EXPECT_EQ(StoredProfile().GetString("Settings", "WindowPos"), "2,3,-1,-1,-8,-8,10,20,1024,600");
}

TEST_F(SettingsTest, MultiInstanceIsReadAloneAndWrittenAtOnce) {
  EXPECT_EQ(ReadMultiInstanceSetting(), 1);
  Store("[Settings]\r\nMultiInstance=0\r\nOther=1\r\n");
  EXPECT_EQ(ReadMultiInstanceSetting(), 0);
  gSettings.MultiInstance = 1;
  ASSERT_TRUE(WriteMultiInstance());
  EXPECT_EQ(Stored(), "[Settings]\r\nMultiInstance=1\r\nOther=1\r\n");
}

TEST_F(SettingsTest, ProgramDirectoryComesFromQuarnHomeFirst) {
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

TEST_F(SettingsTest, ASettingsFileOnlyInTheUserPlaceIsCopiedNextToTheProgram) {
  ScopedEnv config("XDG_CONFIG_HOME", "/cfg");
  platform.files.files["/cfg/quarn/quarn.ini"] = "[Settings]\r\nUsedCount=9\r\n";
  EXPECT_TRUE(PrepareSettingsFile());
  EXPECT_EQ(Stored(), "[Settings]\r\nUsedCount=9\r\n");
  platform.files.files["/cfg/quarn/quarn.ini"] = "[Settings]\r\nUsedCount=1\r\n";
  EXPECT_FALSE(PrepareSettingsFile());  // later runs use the copy
  ReadSettings();
  EXPECT_EQ(gSettings.UsedCount, 10);
}

}  // namespace
}  // namespace quarn
