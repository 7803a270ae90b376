#include "core/options/BinarySettingsDialog.h"

#include <gtest/gtest.h>

#include "RecordingEffects.h"
#include "app/SettingsTestSupport.h"
#include "core/common/BinarySettings.h"
#include "core/options/CommonSettingsCommand.h"

namespace quarn {
namespace {

using Calls = std::vector<std::string>;

class BinarySettingsDialogTest : public SettingsFixture {
 protected:
  void SetUp() override {
    SettingsFixture::SetUp();
    gBinarySettings = BinaryViewSettings();
  }
  void TearDown() override {
    gBinarySettings = BinaryViewSettings();
    SettingsFixture::TearDown();
  }
  Calls RunWith(std::function<void(BinarySettingsRequest&)> edit) {
    effects.calls.clear();
    platform.dialogs.binaryScript.push_back([edit](BinarySettingsRequest& d) {
      edit(d);
      return true;
    });
    RunCommonSettings(false, effects);
    return effects.calls;
  }
  RecordingEffects effects;
};

TEST_F(BinarySettingsDialogTest, HexByteFieldsTakeOneOrTwoDigitsOrNothing) {
  EXPECT_EQ(ParseHexByte(""), 256);
  EXPECT_EQ(ParseHexByte("F"), 15);
  EXPECT_EQ(ParseHexByte("fF"), 255);
  EXPECT_EQ(ParseHexByte("0a"), 10);
  for (const char* bad : {"100", "1G", " 1", "-1", "x"}) EXPECT_EQ(ParseHexByte(bad), -1) << bad;
  EXPECT_EQ(FormatHexByte(256), "");
  EXPECT_EQ(FormatHexByte(10), "0A");
  EXPECT_EQ(FormatHexByte(255), "FF");
}

TEST_F(BinarySettingsDialogTest, RefusedFieldsBeepAndKeepTheDialogOpen) {
  BinarySettingsDialog d;
  d.binary2 = "G";
  EXPECT_EQ(d.Check(), ctl::kBinary2);
  d.binary2 = "";
  d.hexBlockBytes = 65;
  EXPECT_EQ(d.Check(), ctl::kHexBlockBytes);
  d.hexBlockBytes = 64;
  d.bytesPerLine = 4;
  EXPECT_EQ(d.Check(), ctl::kBytesPerLine);

  platform.dialogs.binaryScript.push_back([](BinarySettingsRequest& m) {
    m.binary1 = "1G";
    return true;
  });
  platform.dialogs.binaryScript.push_back([](BinarySettingsRequest& m) {
    m.binary1 = "1f";
    return true;
  });
  RunCommonSettings(false, effects);
  EXPECT_EQ(platform.dialogs.binaryDialogsShown, 1);
  EXPECT_EQ(platform.beep.beeps.size(), 1u);
  EXPECT_EQ(gSettings.Binary1, 0x1F);
  EXPECT_EQ(gBinarySettings.Binary1, 0x1F);
}

TEST_F(BinarySettingsDialogTest, CancelChangesNothing) {
  platform.dialogs.binaryScript.push_back([](BinarySettingsRequest& m) {
    m.bytesPerLine = 32;
    return false;
  });
  RunCommonSettings(false, effects);
  EXPECT_EQ(gSettings.BytesPerLine, 16);
  EXPECT_TRUE(effects.calls.empty());
}

TEST_F(BinarySettingsDialogTest, BinaryWindowsAlwaysRelayoutFullyOnlyForANewRowWidth) {
  EXPECT_EQ(RunWith([](BinarySettingsRequest&) {}), Calls{"binary"});
  EXPECT_EQ(RunWith([](BinarySettingsRequest& d) { d.bytesPerLine = 32; }), Calls{"binary full"});
  EXPECT_EQ(gSettings.BytesPerLine, 32);
  EXPECT_EQ(gBinarySettings.BytesPerLine, 32);
  EXPECT_EQ(RunWith([](BinarySettingsRequest& d) {
              d.longTitle = false;
              d.displayTabBar = false;
            }),
            (Calls{"binary", "titles", "tab bar off"}));
}

TEST_F(BinarySettingsDialogTest, BlockSizeFollowsTheAddressMode) {
  RunWith([](BinarySettingsRequest& d) {
    d.hexAddress = false;
    d.decimalBlockBytes = 10;
    d.hexBlockBytes = 4 + 8;
  });
  EXPECT_EQ(gSettings.HexAddress, 0);
  EXPECT_EQ(gBinarySettings.BlockBytes(), 10);
  RunWith([](BinarySettingsRequest& d) { d.hexAddress = true; });
  EXPECT_EQ(gBinarySettings.BlockBytes(), 12);
}

TEST_F(BinarySettingsDialogTest, SingleInstanceIsWrittenAtOnceAndTakesTheLock) {
  EXPECT_EQ(RunWith([](BinarySettingsRequest& d) { d.multiInstance = false; }), (Calls{"binary", "lock"}));
  EXPECT_EQ(StoredProfile().GetInt(kSettingsSection, "MultiInstance", 1), 0);
  EXPECT_EQ(RunWith([](BinarySettingsRequest& d) { d.multiInstance = true; }), Calls{"binary"});
  EXPECT_EQ(StoredProfile().GetInt(kSettingsSection, "MultiInstance", 0), 1);
  // Unchanged: nothing is written.
  Stored().clear();
  RunWith([](BinarySettingsRequest&) {});
  EXPECT_EQ(Stored(), "");
}

TEST_F(BinarySettingsDialogTest, LineSpacingIsShownButNeverStored) {
  gSettings.LineSpacesLM = 7;
  RunWith([](BinarySettingsRequest& d) { d.lineSpacing = 30; });
  EXPECT_EQ(gSettings.LineSpacesLM, 7);
}

}  // namespace
}  // namespace quarn
