// A user's round with the common settings: change a value in dialog 142
// from the menu, exit (the settings are written), start again (read): the
// value is kept and the settings file holds it.
#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QFile>
#include <QSpinBox>
#include <QAbstractButton>

#include "QtTestUtil.h"
#include "core/common/ProgramDirectory.h"
#include "core/common/Settings.h"
#include "core/common/BinarySettings.h"
#include "core/options/ControlIds.h"
#include "fakes/FakePlatform.h"
#include "qt/QtDialogService.h"
#include "qt/QtFileSystem.h"
#include "qt/QtMainFrame.h"
#include "qt/QtSettingsControls.h"
#include "qt/QtText.h"

namespace quarn::qt {
namespace {

TEST(QtSettingsRoundTripTest, ABinarySettingChangedInTheDialogIsKeptAcrossRuns) {
  fakes::FakePlatform platform;
  QtFileSystem files;
  QtDialogService dialogs;
  Platform().files = &files;
  Platform().dialogs = &dialogs;
  ReadSettings();
  ASSERT_EQ(gSettings.BytesPerLine, 16);
  {
    QtMainFrame frame;
    frame.show();
    testing::WhenModalShown([](QWidget* modal) {
      auto* bytes = Control<QSpinBox>(modal, ctl::kBytesPerLine);
      ASSERT_TRUE(bytes);
      bytes->setValue(24);
      auto* box = modal->findChild<QDialogButtonBox*>();
      ASSERT_TRUE(box);
      for (QAbstractButton* b : box->buttons())
        if (box->buttonRole(b) == QDialogButtonBox::AcceptRole) b->click();
    });
    EXPECT_TRUE(frame.runCommand(32881));
    EXPECT_EQ(gSettings.BytesPerLine, 24);
    EXPECT_EQ(gBinarySettings.BytesPerLine, 24);
  }
  ASSERT_TRUE(WriteSettings());  // exit

  gSettings = AppSettings();
  gBinarySettings = BinaryViewSettings();
  ReadSettings();  // the next start
  EXPECT_EQ(gSettings.BytesPerLine, 24);
  EXPECT_EQ(gBinarySettings.BytesPerLine, 24);
  QFile file(ToQString(SettingsFilePath()));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_TRUE(file.readAll().contains("BytesPerLine=24"));

  gSettings = AppSettings();
  gBinarySettings = BinaryViewSettings();
  WriteSettings();
}

}  // namespace
}  // namespace quarn::qt
