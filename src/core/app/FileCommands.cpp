#include "core/app/FileCommands.h"

#include "core/app/DocTemplate.h"
#include "core/cabinet/CVeskCabinet.h"
#include "core/app/CabinetCommands.h"
#include "core/common/AppMessage.h"
#include "core/common/ProcessValues.h"
#include "core/document/CVeskDoc.h"
#include "core/document/OpenMode.h"
#include "core/commands/CommandCatalogue.h"
#include "core/commands/CommandIds.h"
#include "core/macro/OperationRecorder.h"
#include "core/common/ParameterBlock.h"
#include "core/res/MessageIds.h"
#include "core/res/StringTable.h"
#include "core/common/StatusPanes.h"
#include "platform/DialogService.h"
#include "platform/Platform.h"

namespace quarn {
namespace {

// The dialog remembers the filter chosen last in this process.
int gLastFilterIndex = 1;
bool gReadOnlyChoice = false;

constexpr unsigned kFirstOpenMode = 59464;  // "自動" to "キャビネットファイル"
constexpr unsigned kCabinetStatus = 59470;  // 現在のキャビネット：%1

// While "キャビネットファイル" is chosen the status bar names the current
// cabinet; the text goes when another mode is chosen or the dialog closes.
class CabinetStatus {
 public:
  void show(bool on) {
    if (on)
      StatusBar().SetMessage(FormatString1(kCabinetStatus, gCabinet.Path()));
    else if (shown_)
      StatusBar().SetMessage({});
    shown_ = on;
  }

 private:
  bool shown_ = false;
};

// Sets the next-document kind for one opening and puts it back to rest.
class NextKind {
 public:
  explicit NextKind(int kind) { gProcess.nextDocKind = kind; }
  ~NextKind() { gProcess.nextDocKind = kTextDoc; }
};

}  // namespace

CVeskDoc* FileNew(DocTemplate& documents) {
  NextKind kind(kBinaryDoc);
  return documents.OpenDocumentFile({});
}

CVeskDoc* OpenInMode(DocTemplate& documents, const std::string& path, int mode, bool readOnly) {
  const bool detected = mode == kOpenAuto;
  if (detected) mode = DetectOpenMode(path);
  // The header test takes many binary files for cabinets: one that then
  // fails the full check opens as binary data.
  if (mode == kOpenCabinet && detected && !IsCabinetFile(path)) mode = kOpenBinary;
  if (mode == kOpenCabinet) {
    OpenAsCabinet(path);
    return nullptr;
  }
  NextKind kind(mode == kOpenText ? kTextDoc : kBinaryDoc);
  CVeskDoc* doc = documents.OpenDocumentFile(path);
  // A file over the limit or one the user may not write stays protected
  // whatever the dialog said.
  if (doc) doc->SetWriteProtected(readOnly || doc->OpensProtected());
  return doc;
}

CVeskDoc* FileOpen(DocTemplate& documents) {
  // Played back: the recorded path and mode, without the dialog.
  if (const auto& replayed = ReplayedParameters()) {
    std::string path;
    std::vector<std::int32_t> mode(1);
    if (!ReadTextParameters(*replayed, path, mode)) return nullptr;
    if (mode[0] < kOpenAuto || mode[0] > kOpenCabinet) mode[0] = kOpenAuto;
    RecordOperation(rec::kFrameCommand, cmd::kFileOpen, TextParameters(path, mode));
    return OpenInMode(documents, path, mode[0], false);
  }
  FileDialogRequest request;
  request.open = true;
  request.title = LoadString(msg::kOpenTitle);
  request.filter = gCabinet.OpenDialogFilter();
  request.filterIndex = gLastFilterIndex;
  request.fileMustExist = true;
  request.showOpenMode = true;
  request.openMode = kOpenAuto;
  for (int mode = kOpenAuto; mode <= kOpenCabinet; ++mode)
    request.openModes.push_back(LoadString(kFirstOpenMode + unsigned(mode)));
  CabinetStatus status;
  request.openModeChanged = [&status](int mode) { status.show(mode == kOpenCabinet); };
  request.readOnly = gReadOnlyChoice;
  const bool chosen = Platform().dialogs->fileDialog(request);
  status.show(false);
  if (!chosen) return nullptr;
  if (request.openMode < kOpenAuto || request.openMode > kOpenCabinet) request.openMode = kOpenAuto;
  gLastFilterIndex = request.filterIndex;
  gReadOnlyChoice = request.readOnly;
  RecordOperation(rec::kFrameCommand, cmd::kFileOpen, TextParameters(request.fileName, {request.openMode}));
  return OpenInMode(documents, request.fileName, request.openMode, request.readOnly);
}

CVeskDoc* OpenRecentFile(DocTemplate& documents, std::size_t index) {
  if (index >= documents.Recent().Count()) return nullptr;
  std::string path = documents.Recent().At(index);
  NextKind kind(kBinaryDoc);
  CVeskDoc* doc = documents.OpenDocumentFile(path);
  if (!doc) documents.Recent().Remove(index);
  return doc;
}

void OpenDroppedFiles(DocTemplate& documents, const std::vector<std::string>& paths) {
  NextKind kind(kBinaryDoc);
  gProcess.droppingFiles = true;
  for (const std::string& path : paths) documents.OpenDocumentFile(path);
  gProcess.droppingFiles = false;
}

}  // namespace quarn
