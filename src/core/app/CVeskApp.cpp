#include "core/app/CVeskApp.h"

#include "core/app/CDataFile.h"
#include "core/app/DocTemplate.h"
#include "core/app/FileCommands.h"
#include "core/common/ProfileFile.h"
#include "core/common/ProgramDirectory.h"
#include "core/common/Settings.h"
#include "core/cabinet/CVeskCabinet.h"
#include "core/common/AppMessage.h"
#include "core/common/ProcessValues.h"
#include "core/document/CVeskDoc.h"
#include "core/res/StringTable.h"
#include "core/view/CVeskView.h"
#include "platform/FileSystem.h"
#include "platform/InstanceChannel.h"
#include "platform/Platform.h"

namespace quarn {
namespace {

constexpr std::size_t kMaxCabinetArgument = 259;

std::string FullPath(const std::string& path) {
  FileSystem* files = Platform().files;
  return files ? files->fullPath(path) : path;
}

}  // namespace

void LoadRecentFileList(DocTemplate& documents) {
  ProfileFile profile;
  if (profile.Load(SettingsFilePath())) documents.Recent().Load(profile);
}

void SaveRecentFileList(DocTemplate& documents) {
  ProfileFile profile;
  // An unreadable settings file is left alone rather than overwritten.
  if (!profile.Load(SettingsFilePath()) && Platform().files && Platform().files->exists(SettingsFilePath())) return;
  documents.Recent().Save(profile);
  profile.Save();
}

void CVeskApp::HandOver() {
  handedOver_ = true;
  if (arguments_.file.empty()) {
    SimpleBeep();
    return;
  }
  for (const std::string& name : SplitHandOverNames(arguments_.file)) {
    if (!channel_.send(OpenCommandMessage(FullPath(name)), kHandOverTimeoutMs)) SimpleBeep();
  }
}

bool CVeskApp::Begin(const std::string& commandLine) {
  handedOver_ = false;
  MakeProgramDirectory();
  PrepareSettingsFile();
  arguments_ = ParseCommandLine(commandLine);
  if (ReadMultiInstanceSetting() == 0 && !channel_.acquire()) {
    HandOver();
    return false;
  }
  ReadSettings();
  // Said once here: exit writes the settings without a word.
  if (Platform().files && !SettingsWritable())
    AppMessageText(FormatText1(texts::kSettingsNotWritable, SettingsFilePath()));
  gDataFile.Load(DataFilePath());
  gProcess.overwrite = gSettings.StartWithOverWrite != 0;
  LoadRecentFileList(documents_);
  return true;
}

void CVeskApp::OpenStartupDocuments(StartupFrame& frame) {
  if (!arguments_.cabinet.empty() && arguments_.cabinet.size() <= kMaxCabinetArgument)
    gSettings.CabinetName = arguments_.cabinet;
  gCabinet.SetPath(gSettings.CabinetName);
  gProcess.nextDocKind = kBinaryDoc;
  const bool cabinetOpened = gCabinet.Open(gSettings.InitialCabinetMode == 0);
  CVeskDoc* doc = nullptr;
  if (!arguments_.file.empty()) {
    doc = OpenInMode(documents_, FullPath(arguments_.file), startupMode_, false);
  } else if (!cabinetOpened && gSettings.InvokeWithoutUntitled == 0) {
    doc = FileNew(documents_);
  }
  gProcess.nextDocKind = kTextDoc;
  if (!cabinetOpened || !arguments_.file.empty()) frame.MaximizeActiveChild();
  if (doc && arguments_.line != 0) {
    const std::uint32_t line = std::uint32_t(arguments_.line - 1);
    const std::uint32_t column = arguments_.column > 0 ? std::uint32_t(arguments_.column - 1) : 0;
    if (!doc->Views().empty())
      if (auto* view = dynamic_cast<CVeskView*>(doc->Views().front())) view->SetPendingTextCaret(line, column);
  }
  if (!frame.HasActiveChild() && gSettings.InvokeWithoutUntitled == 0) {
    FileNew(documents_);
    frame.MaximizeActiveChild();
  }
}

void CVeskApp::OnInstanceMessage(const std::string& message) {
  const std::string path = PathOfOpenCommand(message);
  if (!path.empty()) OpenInMode(documents_, path, kOpenBinary, false);
}

void CVeskApp::Exit() {
  if (!handedOver_) {
    if (!gCabinet.Path().empty()) gSettings.CabinetName = gCabinet.Path();
    WriteSettings();
    SaveRecentFileList(documents_);
    gDataFile.Save(DataFilePath());
  }
  channel_.release();
}

}  // namespace quarn
