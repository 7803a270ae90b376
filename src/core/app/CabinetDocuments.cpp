// The cabinet's file and its document list: Open with the reopening of the
// documents, Save with the list of the open ones, SaveNow and Create.
#include <memory>

#include "core/common/AppMessage.h"
#include "core/app/DocTemplate.h"
#include "core/common/ProcessValues.h"
#include "core/common/Settings.h"
#include "core/common/RejectedFile.h"
#include "core/common/ProgressStop.h"
#include "core/cabinet/CVeskCabinet.h"
#include "core/cabinet/CabinetFile.h"
#include "core/app/CabinetFrames.h"
#include "core/app/CabinetMessages.h"
#include "core/document/CVeskDoc.h"
#include "core/res/MessageIds.h"
#include "core/res/StringTable.h"
#include "core/view/CVeskView.h"
#include "core/common/StatusPanes.h"
#include "platform/FileNames.h"
#include "platform/FileSystem.h"
#include "platform/Platform.h"

namespace quarn {
namespace {

CVeskView* ViewOf(CVeskDoc& doc) {
  for (DocumentView* v : doc.Views())
    if (auto* view = dynamic_cast<CVeskView*>(v)) return view;
  return nullptr;
}

// The directory part of path ("/" for a file at the root); empty when path
// names no directory.
std::string DirectoryOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return {};
  return slash == 0 ? "/" : path.substr(0, slash);
}

// The next-document kind for one reopening, put back to rest afterwards.
class KindForReopening {
 public:
  explicit KindForReopening(int kind) {
    if (kind != 0) gProcess.nextDocKind = kind;
  }
  ~KindForReopening() { gProcess.nextDocKind = kTextDoc; }
};

}  // namespace

void ShowCabinetMessage(const char* fixedText) {
  if (MessageService* messages = Platform().messages)
    messages->messageBox(fixedText, LoadString(57347), mb::kOk | mb::kIconExclamation);
}

bool CVeskCabinet::ReadFile(const std::string& path, std::string& bytes, bool quiet) {
  FileSystem* files = Platform().files;
  if (path.empty() || !files) return false;
  std::unique_ptr<File> file = files->openRead(path);
  if (!file) {
    if (!quiet && files->exists(path)) ShowCabinetMessage(kCabinetReadFailed);
    return false;
  }
  bytes.assign(kCabinetBufferSize, '\0');
  std::size_t n = 0;
  while (n < bytes.size()) {
    const std::int64_t got = file->read(bytes.data() + n, bytes.size() - n);
    if (got < 0) {
      if (!quiet) ShowCabinetMessage(kCabinetReadFailed);
      return false;
    }
    if (got == 0) break;
    n += std::size_t(got);
  }
  file->close();
  bytes.resize(n);
  return true;
}

bool CVeskCabinet::Open(bool reopenDocuments) {
  std::string bytes;
  if (!ReadFile(path_, bytes)) return false;
  const CabinetContents contents = ReadCabinet(bytes);
  if (contents.format == CabinetFormat::kMalformed) {
    // The file stays the current cabinet and is written over at the next
    // save: its keywords, colours and filters are kept in a copy first.
    ShowRejectedFileMessage(msg::kCabinetMalformed, KeepRejectedFile(path_));
    return false;
  }
  Apply(contents, reopenDocuments);
  return true;
}

void CVeskCabinet::Apply(const CabinetContents& contents, bool reopenDocuments) {
  if (contents.format == CabinetFormat::kOlder) {
    // The older format has neither filter lists nor keyword switches: the
    // ones in effect stay.
    CabinetSet set = current_;
    set.record = contents.set.record;
    set.SetKeywords(contents.set.keywords);
    set.kinsoku = 0;
    current_ = set;
  } else {
    current_ = contents.set;
  }
  saved_ = current_;
  if (reopenDocuments && !contents.entries.empty()) Reopen(contents);
}

void CVeskCabinet::Reopen(const CabinetContents& contents) {
  const bool older = contents.format == CabinetFormat::kOlder;
  struct Reopened {
    CVeskDoc* doc;
    std::uint32_t showCmd;
  };
  std::vector<Reopened> reopened;
  CVeskDoc* active = nullptr;
  DocTemplate& documents = Documents();
  FileSystem* files = Platform().files;

  StatusBar().ShowProgress(texts::kCabinetOpening, int(contents.entries.size()));
  gProcess.reopeningCabinet = true;
  int cell = 0;
  std::string undecodable;
  {
    // "中断" leaves the documents not yet opened closed.
    ProgressStop progress(LoadString(msg::kCabinetSheetTitle), texts::kCabinetOpening, texts::kReopenedCount);
    for (const CabinetEntry& entry : contents.entries) {
      progress.SetText(texts::kCabinetOpening + entry.path);
      if (!progress.Continue(static_cast<unsigned long>(cell))) break;
      // A name stored in a form this program does not write (an earlier
      // version's) reaches no file; it is reported rather than dropped unseen.
      if (!names::Decodable(entry.path)) undecodable += "\n" + entry.path;
      CVeskDoc* doc = nullptr;
      {
        KindForReopening kind(older ? 0 : entry.docKind);
        std::unique_ptr<File> probe = files ? files->openRead(entry.path) : nullptr;
        if (probe) {
          probe->close();
          probe.reset();
          doc = documents.OpenDocumentFile(entry.path);
        }
      }
      StatusBar().StepProgress(cell++);
      if (!doc) continue;
      WindowPlacement hidden = entry.placement;
      hidden.showCmd = 0;
      if (frames_) frames_->SetPlacement(*doc, hidden);
      if (entry.active) active = doc;
      doc->SetWriteProtected(entry.writeProtected || doc->OpensProtected());
      if (CVeskView* view = ViewOf(*doc); view && (!older || doc->DocKind() == kTextDoc))
        view->RestorePosition(entry.position);
      reopened.push_back({doc, entry.placement.showCmd});
    }
  }
  StatusBar().EndProgress();
  gProcess.reopeningCabinet = false;
  if (!undecodable.empty()) AppMessageText(texts::kUndecodableNames + undecodable);

  if (!frames_ || reopened.empty()) return;
  for (const Reopened& r : reopened) frames_->Show(*r.doc, r.showCmd);
  if (active) {
    frames_->Activate(*active);
  } else if (!older) {
    frames_->Activate(*reopened.front().doc);
    frames_->Maximize(*reopened.front().doc);
  }
}

bool CVeskCabinet::Save(bool closeDocuments) {
  DocTemplate& documents = Documents();
  std::vector<CabinetEntry> entries;
  for (std::size_t i = 0; i < documents.Count() && entries.size() < kMaxCabinetDocuments; ++i) {
    CVeskDoc& doc = documents.At(i);
    if (doc.GetPathName().empty()) continue;
    CabinetEntry e;
    e.path = doc.GetPathName();
    if (frames_) {
      e.placement = frames_->Placement(doc);
      e.placement.length = 44;
      e.active = frames_->IsActive(doc);
    }
    e.docKind = doc.DocKind();
    e.writeProtected = doc.IsWriteProtected();
    if (CVeskView* view = ViewOf(doc)) e.position = view->SavePosition();
    entries.push_back(std::move(e));
  }
  FileSystem* files = Platform().files;
  if (path_.empty() || !files || !files->writeAll(path_, WriteCabinet(entries, saved_))) {
    ShowCabinetMessage(kCabinetWriteFailed);
    return false;
  }
  if (!closeDocuments) return true;
  // A document the user keeps (Cancel) keeps the cabinet: nothing is closed.
  if (!documents.SaveAllModified()) return false;
  documents.CloseAll();
  return true;
}

bool CVeskCabinet::SaveNow() {
  CopyCurrentToSaved();
  return Save(false);
}

void CVeskCabinet::SaveIfImmediate() {
  if (gSettings.CabinetSave == 1) SaveNow();
}

bool CVeskCabinet::Create(const std::string& path, int type) {
  FileSystem* files = Platform().files;
  if (!files) return false;
  const std::string full = path.empty() ? std::string() : files->fullPath(path);
  const std::string directory = DirectoryOf(full);
  if (full.empty() || full.back() == '/' || directory.empty() || !files->isDirectory(directory) ||
      files->isDirectory(full)) {
    AppMessageBox(msg::kCabinetBadPath);
    return false;
  }
  if (files->exists(full) &&
      AppMessageBox(msg::kCabinetExists, mb::kOkCancel | mb::kIconQuestion) != answer::kOk)
    return false;

  if (type == 3) {
    path_ = full;
    return Save(false);
  }
  // The settings change only once the new file is there.
  if (!files->writeAll(full, WriteCabinet({}, CabinetSet::Builtin(type), false))) {
    AppMessageBox(msg::kCabinetCreateFailed);
    return false;
  }
  ResetToType(type);
  path_ = full;
  Documents().OpenDocumentFile({});
  return true;
}

}  // namespace quarn
