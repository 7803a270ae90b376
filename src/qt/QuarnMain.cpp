#include "qt/QuarnMain.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QTimer>
#include <QTranslator>
#include <cstdlib>

#include "platform/Platform.h"
#include "qt/QtBeep.h"
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
  PlatformServices& platform = Platform();
  platform.messages = &messages;
  platform.beep = &beep;
  platform.files = &files;
  platform.dialogs = &dialogs;

  QtMainFrame frame;
  frame.resize(960, 640);
  frame.show();

  const QString screenshot = qEnvironmentVariable("QUARN_SCREENSHOT");
  if (!screenshot.isEmpty()) {
    QTimer::singleShot(kScreenshotDelayMs, &frame, [&frame, &app, screenshot] {
      app.exit(SaveScreenshot(frame, screenshot) ? 0 : 1);
    });
  }
  const int code = app.exec();
  platform = PlatformServices{};
  return code;
}

}  // namespace quarn::qt
