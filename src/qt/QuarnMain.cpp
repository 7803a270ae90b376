#include "qt/QuarnMain.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QTimer>
#include <QTranslator>
#include <cstdlib>

#include "core/app/DocTemplate.h"
#include "core/app/FileCommands.h"
#include "core/app/ProcessValues.h"
#include "core/app/ProfileFile.h"
#include "core/app/ProgramDirectory.h"
#include "core/app/Settings.h"
#include "platform/Platform.h"
#include "qt/QtBeep.h"
#include "qt/QtClipboard.h"
#include "qt/QtDialogService.h"
#include "qt/QtFileSystem.h"
#include "qt/QtMainFrame.h"
#include "qt/QtMessageService.h"
#include "qt/QtScreenshot.h"
#include "qt/QtText.h"

namespace quarn::qt {
namespace {

// How long after the frame is shown the screenshot is taken: enough for the
// first layout and paint.
constexpr int kScreenshotDelayMs = 500;

// The recent-file list lives in its own section of the settings file.
void LoadRecentFiles() {
  ProfileFile profile;
  if (profile.Load(SettingsFilePath())) Documents().Recent().Load(profile);
}

void SaveRecentFiles() {
  ProfileFile profile;
  profile.Load(SettingsFilePath());
  Documents().Recent().Save(profile);
  profile.Save();
}

}  // namespace

std::string ExecutableDirectory() { return ToCp932(QCoreApplication::applicationDirPath()); }

int RunQuarn(QApplication& app) {
  // Qt's own dialogs and buttons in Japanese, like the program's texts.
  QTranslator qtTranslator;
  if (qtTranslator.load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    app.installTranslator(&qtTranslator);
  // The default fonts have no Japanese glyphs.
  QFont font(QStringLiteral("IPAGothic"));
  font.setPointSize(10);
  app.setFont(font);

  QtMessageService messages;
  QtBeep beep;
  QtFileSystem files;
  QtDialogService dialogs;
  QtClipboard clipboard;
  PlatformServices& platform = Platform();
  platform.messages = &messages;
  platform.beep = &beep;
  platform.files = &files;
  platform.dialogs = &dialogs;
  platform.clipboard = &clipboard;

  SetProgramDirectory(ExecutableDirectory());
  PrepareSettingsFile();
  ReadSettings();
  gProcess.overwrite = gSettings.StartWithOverWrite != 0;
  LoadRecentFiles();

  int code = 0;
  {
    QtMainFrame frame;
    frame.resize(960, 640);
    frame.show();
    // Files named on the command line open as binary documents.
    const QStringList arguments = app.arguments();
    for (qsizetype i = 1; i < arguments.size(); ++i)
      OpenInMode(Documents(), ToCp932(arguments[i]), kOpenBinary, false);
    frame.MenusChanged();

    const QString screenshot = qEnvironmentVariable("QUARN_SCREENSHOT");
    if (!screenshot.isEmpty()) {
      QTimer::singleShot(kScreenshotDelayMs, &frame, [&frame, &app, screenshot] {
        app.exit(SaveScreenshot(frame, screenshot) ? 0 : 1);
      });
    }
    code = app.exec();
  }
  WriteSettings();
  SaveRecentFiles();
  platform = PlatformServices{};
  return code;
}

}  // namespace quarn::qt
