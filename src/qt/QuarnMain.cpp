#include "qt/QuarnMain.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QLibraryInfo>
#include <QSocketNotifier>
#include <QTimer>
#include <QTranslator>
#include <fcntl.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>

#include "core/app/CVeskApp.h"
#include "core/app/CommandLine.h"
#include "core/app/DocTemplate.h"
#include "core/app/FileCommands.h"
#include "core/common/ProfileFile.h"
#include "core/common/ProgramDirectory.h"
#include "core/common/Settings.h"
#include "core/cabinet/CVeskCabinet.h"
#include "core/common/ProcessValues.h"
#include "core/commands/CommandIds.h"
#include "core/macro/COperationManeger.h"
#include "platform/CabinetDialogService.h"
#include "platform/DirectoryList.h"
#include "platform/FileNames.h"
#include "platform/Platform.h"
#include "qt/QtBeep.h"
#include "qt/QtCabinetDialogs.h"
#include "qt/QtOperationDialogs.h"
#include "qt/QtToolDialogs.h"
#include "platform/PosixProcessService.h"
#include "platform/ToolDialogs.h"
#include "qt/QtClipboard.h"
#include "qt/QtDialogService.h"
#include "qt/QtDirectoryLister.h"
#include "qt/QtFileSystem.h"
#include "qt/QtGlobalFindDialog.h"
#include "qt/QtRunDialogs.h"
#include "qt/QtInstanceChannel.h"
#include "qt/QtKeyDialog.h"
#include "qt/QtKeyTranslator.h"
#include "qt/QtMainFrame.h"
#include "qt/QtMessageService.h"
#include "qt/QtScreenshot.h"
#include "qt/QtText.h"

namespace quarn::qt {
namespace {

// How long after the frame is shown the screenshot is taken: enough for the
// first layout and paint.
constexpr int kScreenshotDelayMs = 500;

// SIGTERM and SIGINT close the main window as the Exit command does (a
// modified document is asked about first), so that the settings are
// written; the handler only wakes the event loop. It is installed before
// anything else runs: a signal that comes while the documents of the last
// session are still being reopened waits in the pipe for the event loop.
int gSignalPipe[2] = {-1, -1};

void OnTerminationSignal(int) {
  const char byte = 1;
  [[maybe_unused]] const ssize_t written = write(gSignalPipe[1], &byte, 1);
}

void CloseOnTerminationSignal(QMainWindow& frame) {
  if (gSignalPipe[0] < 0) return;
  auto* notifier = new QSocketNotifier(gSignalPipe[0], QSocketNotifier::Read, &frame);
  QObject::connect(notifier, &QSocketNotifier::activated, &frame, [&frame] {
    char byte;
    [[maybe_unused]] const ssize_t got = read(gSignalPipe[0], &byte, 1);
    frame.close();
  });
}

}  // namespace

void CatchTerminationSignals() {
  if (pipe2(gSignalPipe, O_CLOEXEC) != 0) return;
  struct sigaction action = {};
  action.sa_handler = OnTerminationSignal;
  sigemptyset(&action.sa_mask);
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGINT, &action, nullptr);
}

int RunQuarn(QApplication& app, const std::vector<std::string>& arguments) {
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
  QtCabinetDialogs cabinetDialogs;
  CabinetDialogs() = &cabinetDialogs;
  QtOperationDialogs operationDialogs;
  OperationDialogs() = &operationDialogs;
  QtToolDialogs toolDialogs;
  ToolDialogs() = &toolDialogs;
  PosixProcessService processes;
  InstallOperationLibrary(&Operations());
  QtDirectoryLister directories;
  Directories() = &directories;
  QtGlobalFindDialogs globalFindDialogs;
  GlobalFindDialogs() = &globalFindDialogs;
  QtKeyDialogs keyDialogs;
  KeyDialogs() = &keyDialogs;
  QtRunDialogs runDialogs;
  RunDialogs() = &runDialogs;
  PlatformServices& platform = Platform();
  platform.messages = &messages;
  platform.beep = &beep;
  platform.files = &files;
  platform.dialogs = &dialogs;
  platform.clipboard = &clipboard;
  platform.processes = &processes;
  // The services live on this stack: nothing may reach them after it unwinds.
  auto releaseServices = [&platform] {
    platform = PlatformServices{};
    CabinetDialogs() = nullptr;
    OperationDialogs() = nullptr;
    ToolDialogs() = nullptr;
    InstallOperationLibrary(nullptr);
    Directories() = nullptr;
    GlobalFindDialogs() = nullptr;
    KeyDialogs() = nullptr;
    RunDialogs() = nullptr;
  };

  // The program's files live beside the executable, or in the per-user place
  // when it runs from a prefix it cannot write (an installed copy).
  const QString executableDirectory = QCoreApplication::applicationDirPath();
  SetExecutableDirectory(PathToCp932(executableDirectory));
  const std::string programDirectory =
      ChooseProgramDirectory(ExecutableDirectory(), QFileInfo(executableDirectory).isWritable());
  if (programDirectory != ExecutableDirectory()) QDir().mkpath(PathToQString(programDirectory));
  SetProgramDirectory(programDirectory);
  // The instance channel is named after the executable, as the lock of a
  // single instance always was ("quarn" + "11").
  QtInstanceChannel channel(QStringLiteral("quarn11"));
  CVeskApp quarn(Documents(), channel);
  // The arguments as the system gave them: a file name keeps every byte.
  std::vector<std::string> words;
  for (const std::string& argument : arguments) words.push_back(names::FromOs(argument));
  if (!quarn.Begin(JoinArguments(words))) {
    quarn.Exit();
    releaseServices();
    return 0;
  }
  LoadKeyTable();
  channel.setReceiver([&quarn](const std::string& message) { quarn.OnInstanceMessage(message); });

  int code = 0;
  {
    QtMainFrame frame;
    cabinetDialogs.setParent(&frame);
    operationDialogs.setParent(&frame);
    toolDialogs.setParent(&frame);
    globalFindDialogs.setParent(&frame);
    toolDialogs.setParent(&frame);
    frame.SetInstanceChannel(&channel);
    CloseOnTerminationSignal(frame);
    const QString screenshot = qEnvironmentVariable("QUARN_SCREENSHOT");
    if (screenshot.isEmpty()) {
      frame.ShowWithStoredPlacement();
    } else {
      frame.resize(960, 640);
      frame.show();
    }
    // QUARN_SCREENSHOT_TEXT opens the command line's file as a text document
    // of the named type ("c", "cpp", anything else general text), with
    // kinsoku and the tab marks on as a user would set them in the type.
    const QString textType = qEnvironmentVariable("QUARN_SCREENSHOT_TEXT").toLower();
    if (!screenshot.isEmpty() && !textType.isEmpty()) {
      gCabinet.ResetToType(textType == QStringLiteral("cpp") ? kDocTypeCpp
                           : textType == QStringLiteral("c") ? kDocTypeC
                                                             : kDocTypeGeneral);
      gCabinet.Current().kinsoku = 1;
      gCabinet.Current().record.ShowTabMark = 1;
      quarn.SetStartupOpenMode(kOpenText);
    }
    quarn.OpenStartupDocuments(frame);
    UpdateMenuKeys();
    frame.MenusChanged();
    // QUARN_SCREENSHOT_RECORD starts a recording before the picture.
    if (!screenshot.isEmpty() && qEnvironmentVariableIsSet("QUARN_SCREENSHOT_RECORD")) frame.runCommand(cmd::kRecord);

    if (!screenshot.isEmpty()) {
      QTimer::singleShot(kScreenshotDelayMs, &frame, [&frame, &app, screenshot] {
        app.exit(SaveScreenshot(frame, screenshot) ? 0 : 1);
      });
    }
    code = app.exec();
  }
  quarn.Exit();
  releaseServices();
  return code;
}

}  // namespace quarn::qt
