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

TEST_F(SettingsTest, ValuesAndListsAreCheckedWhenReadAndWrittenBackBesideEveryOtherLine) {
  using S = AppSettings;
  const struct {
    const char* line;
    int S::*field;
    int expected;
  } cases[] = {
      {"maxeditrange=11", &S::MaxEditRange, 0},      {"LineSpacesLM=-5", &S::LineSpacesLM, 0},
      {"AutoScrollInt=0", &S::AutoScrollInt, 30},    {"BytesPerLine=4", &S::BytesPerLine, 16},
      {"RulerBackColor=17", &S::RulerBackColor, 16}, {"InsertionPosition=2", &S::InsertionPosition, 2},
      {"ScrollLineCount=x", &S::ScrollLineCount, 1}, {"LeftMarginLM=500", &S::LeftMarginLM, 500},
      {"TopMarginLM=501", &S::TopMarginLM, 15},      {"DecimalBlockBytes=64", &S::DecimalBlockBytes, 64},
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
  EXPECT_EQ(std::tuple(gProcess.maxBytes, gProcess.maxRows, gSettings.StrCodeType), std::tuple(104857600u, 1000000u, 9));
  // The binary window never sees an unknown string code.
  const BinaryViewSettings& b = gBinarySettings;
  EXPECT_EQ(std::tuple(b.BytesPerLine, b.Binary1, b.StrCodeType), std::tuple(32, 65, 1));
  gBinarySettings = BinaryViewSettings();
  // An invalid tab list is dropped with one beep of the stored type; the
  // frequent directories are packed. Writing keeps comments and other sections
  // and adds no read-only key.
  Store("[Settings]\r\nBeepSoundType=16\r\nTabPosition=1,5\r\n");
  ReadSettings();
  EXPECT_EQ(gSettings.TabPosition.count, 0);
  EXPECT_EQ(platform.beep.beeps, std::vector<unsigned>{16});
  Store("; mine\r\n[Settings]\r\nTabPosition=9,13,\r\nFrequentlyUsedDirectory2=/two\r\n"
        "FrequentlyUsedDirectory4=/four\r\n[Other]\r\nKey=value\r\n");
  platform.beep.beeps.clear();
  ReadSettings();
  const TabPositionList& tabs = gSettings.TabPosition;
  EXPECT_EQ(std::tuple(tabs.count, tabs.positions[0], tabs.positions[1]), std::tuple(2, 8, 12));
  EXPECT_TRUE(platform.beep.beeps.empty());
  EXPECT_EQ(gSettings.FrequentlyUsedDirectory, (std::array<std::string, 4>{"/two", "/four", "", ""}));
  WriteSettings();
  const ProfileFile written = StoredProfile();
  EXPECT_EQ(std::tuple(written.GetString("Settings", "TabPosition"), written.GetString("Other", "Key"),
                       written.GetString("Settings", "FrequentlyUsedDirectory1"),
                       written.GetString("Settings", "FrequentlyUsedDirectory4", "gone")),
            std::tuple("9,13", "value", "/two", ""));
  EXPECT_FALSE(written.Has("Settings", "RulerFontFlag"));
  EXPECT_EQ(Stored().rfind("; mine\r\n", 0), 0u);
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
  EXPECT_EQ(std::tuple(gSettings.UsedCount, ProgramDirectory(), SettingsFilePath()), std::tuple(10, "/home/q/", kIni));
  ScopedEnv noHome("QUARN_HOME", nullptr);
  SetProgramDirectory("/opt/quarn/bin");
  EXPECT_EQ(std::tuple(ProgramDirectory(), SettingsFilePath(), DefaultCabinetPath()),
            std::tuple("/opt/quarn/bin/", "/opt/quarn/bin/quarn.ini", "/opt/quarn/bin/quarn.cab"));
  SetProgramDirectory("/" + std::string(240, 'd'));  // the program path reaches 251 characters
  EXPECT_EQ(DefaultCabinetPath(), "");
  SetProgramDirectory("");
  EXPECT_EQ(SettingsFilePath(), "");
  ReadSettings();  // nowhere to read from: defaults, and nothing is written
  EXPECT_EQ((std::tuple{gSettings.CabinetName, WriteSettings()}), std::tuple("", false));
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
  TabPositionList wild;
  wild.count = 99;  // never read past the positions
  EXPECT_EQ(std::tuple(FormatTabPositions(list), FormatTabPositions(TabPositionList()), FormatTabPositions(wild)),
            std::tuple("8,12,20,28,36,44,52,60,68,72", "", "1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1"));
  WindowPlacement p;
  ASSERT_TRUE(ParseWindowPos("0, 1,2,3,4,5,6,7,8,9 trailing", p));
  EXPECT_EQ(FormatWindowPos(p), "0,1,2,3,4,5,6,7,8,9");
  const WindowPlacement before = p;
  for (const char* bad : {"", "1,2,3,4,5,6,7,8,9", "1 ,2,3,4,5,6,7,8,9,10", "1,2,3,4,5,6,7,8,9,", "a,2,3,4,5,6,7,8,9,10"})
    EXPECT_FALSE(ParseWindowPos(bad, p)) << bad;
  EXPECT_EQ(p, before);
  // Indexes outside the table are black.
  EXPECT_EQ(std::vector({PaletteColor(4), PaletteColor(16), PaletteColor(0), PaletteColor(17)}),
            std::vector<ColorRef>({0x00FF00u, 0xC0C0C0u, 0u, 0u}));
}

}  // namespace
}  // namespace quarn
