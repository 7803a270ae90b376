// The common settings dialogs: values changed, refused and kept across runs.
#include <QDialog>
#include <QLineEdit>
#include <QSpinBox>
#include <QTabWidget>

#include "options/RecordingEffects.h"
#include "FrameTest.h"
#include "core/common/BinarySettings.h"
#include "core/common/ProgramDirectory.h"
#include "core/common/Settings.h"
#include "core/options/CommonSettingsCommand.h"
#include "core/options/ControlIds.h"
#include "qt/QtDialogService.h"
#include "qt/QtSettingsControls.h"

namespace quarn::qt {
namespace {

using testing::PressOk;

class QtCommonSettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetSettings();
    Platform().dialogs = &dialogs;
  }
  void TearDown() override { ResetSettings(); }
  static void ResetSettings() {
    gSettings = AppSettings();
    gBinarySettings = BinaryViewSettings();
  }
  fakes::FakePlatform platform;
  QtDialogService dialogs;
  RecordingEffects effects;
};

// The sheet keeps the edit page while its tab list is refused.
TEST_F(QtCommonSettingsTest, SheetAndBinaryDialogRefuseBadValuesAndKeepGoodOnesAcrossRuns) {
  testing::WhenModalShown([&](QWidget* modal) {
    auto* tabs = modal->findChild<QTabWidget*>();
    ASSERT_TRUE(tabs);
    auto* list = Control<QLineEdit>(modal, ctl::kTabPositions);
    list->setText(QStringLiteral("5,5"));
    tabs->setCurrentIndex(2);
    EXPECT_EQ(tabs->currentIndex(), 0);
    EXPECT_EQ(list->selectedText(), QStringLiteral("5,5"));
    list->setText(QStringLiteral("9,13,"));
    tabs->setCurrentIndex(3);
    EXPECT_EQ(tabs->currentIndex(), 3);
    Control<QSpinBox>(modal, ctl::kAutoScrollCount)->setValue(9);
    PressOk(modal);
  });
  RunCommonSettings(true, effects);
  EXPECT_EQ(platform.beep.beeps.size(), 1u);
  EXPECT_EQ(gSettings.AutoScrollCount, 9);
  EXPECT_EQ(FormatTabPositions(gSettings.TabPosition), "9,13");
  platform.beep.beeps.clear();
  platform.messages.notices.clear();
  ResetSettings();
  // A bad byte keeps the dialog open with the field selected; corrected, the
  // values are stored, written at exit and read at the next start.
  QtFileSystem files;
  Platform().files = &files;
  ReadSettings();
  ASSERT_EQ(gSettings.BytesPerLine, 16);
  {
    QtMainFrame frame;
    frame.show();
    testing::WhenModalShown([](QWidget* modal) {
      auto* bytes = Control<QSpinBox>(modal, ctl::kBytesPerLine);
      auto* hex = Control<QLineEdit>(modal, ctl::kBinary2);
      ASSERT_TRUE(bytes && hex);
      bytes->setValue(24);
      hex->setText(QStringLiteral("G1"));
      PressOk(modal);
      EXPECT_TRUE(modal->isVisible());
      EXPECT_EQ(hex->selectedText(), QStringLiteral("G1"));
      EXPECT_EQ(modal->focusWidget(), hex);
      EXPECT_EQ(gSettings.BytesPerLine, 16);
      hex->setText(QStringLiteral("a0"));
      PressOk(modal);
    });
    EXPECT_TRUE(frame.runCommand(32881));
    EXPECT_EQ(platform.beep.beeps, std::vector<unsigned>{48});
    EXPECT_EQ(platform.messages.notices, std::vector<std::string>{texts::kByteRefusedNotice});
    EXPECT_EQ(gBinarySettings.Binary2, 0xA0);
  }
  ASSERT_TRUE(WriteSettings());  // exit
  ResetSettings();
  ReadSettings();  // the next start
  EXPECT_EQ(gSettings.BytesPerLine, 24);
  EXPECT_EQ(gBinarySettings.BytesPerLine, 24);
  EXPECT_EQ(gSettings.Binary2, 0xA0);
  EXPECT_TRUE(testing::ReadFile(ToQString(SettingsFilePath())).contains("BytesPerLine=24"));
  ResetSettings();
  WriteSettings();
}

}  // namespace
}  // namespace quarn::qt
