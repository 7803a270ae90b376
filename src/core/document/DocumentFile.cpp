// Loading and saving of a document: the file's bytes go into the store as
// they are (binary) or through the text repairs (text), and come back out
// byte for byte.
#include <algorithm>
#include <memory>

#include "core/common/AppMessage.h"
#include "core/common/ProcessValues.h"
#include "core/document/CVeskDoc.h"
#include "core/document/FileRead.h"
#include "core/document/SaveName.h"
#include "core/document/TextReader.h"
#include "core/res/MessageIds.h"
#include "core/res/StringTable.h"
#include "platform/DialogService.h"
#include "platform/FileSystem.h"
#include "platform/Platform.h"

namespace quarn {
namespace {

// Large writes: a file moves at the speed of the page cache.
constexpr std::size_t kChunk = std::size_t(8) << 20;

}  // namespace

bool CVeskDoc::LoadFrom(File& file) {
  store_.BeginDirect();
  const std::int64_t fileLength = std::max<std::int64_t>(file.length(), 0);
  std::uint32_t length = std::uint32_t(std::min<std::int64_t>(fileLength, 0xFFFFFFFFll));
  bool ok = true;
  cutShort_ = false;
  if (length > 0) {
    const std::uint32_t limit = gProcess.maxBytes - 3;
    if (fileLength > std::int64_t(limit)) {
      AppMessageBox(msg::kTooManyChars);
      length = limit;
      cutShort_ = true;
    }
    if (store_.Reserve(length) >= 2) {
      AppMessageBox(msg::kOutOfMemory);
      length = 0;
    }
  }
  std::uint32_t loaded = 0;
  if (length > 0) {
    const std::int64_t got = ReadWholeFile(file, store_.Data(), length);
    ok = got >= 0;
    loaded = got > 0 ? std::uint32_t(got) : 0;
  }
  if (docKind_ == kTextDoc) {
    const RepairedText text = RepairText(store_.Data(), loaded);
    SetTextLength(text.length, text.lastCharPos);
  } else {
    SetTextLength(loaded, loaded - 1);
  }
  store_.EndDirect();
  if (docKind_ == kTextDoc) RebuildRows();
  if (textLength_ > 0) UpdateAllViews(docKind_ == kTextDoc ? hint::kTextLoaded : hint::kBinaryLoaded);
  return ok;
}

bool CVeskDoc::SaveTo(File& file) {
  // Room for every byte first: a full disk refuses the save before anything
  // of the file is touched.
  if (!file.reserve(textLength_)) return false;
  store_.BeginDirect();
  bool ok = true;
  for (std::uint32_t done = 0; ok && done < textLength_;) {
    const std::uint32_t n = std::uint32_t(std::min<std::size_t>(kChunk, textLength_ - done));
    ok = file.write(store_.Data() + done, n);
    done += n;
  }
  store_.EndDirect();
  return ok;
}

bool CVeskDoc::OnOpenDocument(const std::string& path) {
  std::unique_ptr<File> file = Platform().files->openRead(path);
  if (!file) {
    AppMessageBox(msg::kOpenFailed);
    return false;
  }
  SetTextLength(0, kNone);
  marks_.Clear();
  undo_->Clear();
  redo_->Clear();
  SetModifiedFlag(true);
  const bool read = LoadFrom(*file);
  file->close();
  // A read error leaves the file as it was; the half-read document is not
  // offered as if it were the file.
  if (!read) {
    AppMessageBox(msg::kOpenFailed);
    return false;
  }
  if (docKind_ == kTextDoc) ReadAttributeFile(path);
  SetPathName(path);
  SetModifiedFlag(false);
  if (cutShort_) SetWriteProtected(true);
  return true;
}

bool CVeskDoc::OnSaveDocument(const std::string& path) {
  // The old file stays whole until the new bytes are all written.
  std::unique_ptr<File> file = Platform().files->createReplacing(path);
  if (!file) {
    AppMessageBox(msg::kInvalidFileName);
    return false;
  }
  const bool written = SaveTo(*file);
  const bool closed = file->close();
  // A failed write is a failed save: the document stays modified.
  if (!written || !closed) {
    AppMessageBox(msg::kSaveFailed);
    return false;
  }
  // The text stands; without its marks the document stays modified.
  if (docKind_ == kTextDoc && !WriteAttributeFile(path)) return false;
  SetModifiedFlag(false);
  return true;
}

bool CVeskDoc::DoSave(const std::string& path, bool replace) {
  std::string name = path;
  if (name.empty()) {
    FileDialogRequest request;
    request.open = false;
    request.title = LoadString(msg::kSaveAsTitle);
    request.fileName = pathName_.empty() ? ProposedSaveName(title_) : pathName_;
    request.hideReadOnly = true;
    request.pathMustExist = true;
    if (!Platform().dialogs->fileDialog(request)) return false;
    name = request.fileName;
  }
  // The first part of a file over the limit never goes back under the
  // file's own name: that would cut the file.
  if (cutShort_ && Platform().files->fullPath(name) == pathName_) {
    AppMessageBox(msg::kTooManyChars);
    return false;
  }
  const bool existed = Platform().files->exists(name);
  if (!OnSaveDocument(name)) {
    // A file made under a new name is not left behind half written; a file
    // that was there before is never removed.
    if (path.empty() && !existed) Platform().files->remove(name);
    return false;
  }
  if (replace) {
    SetPathName(name);
    cutShort_ = false;  // the new file holds exactly the document
  }
  return true;
}

bool CVeskDoc::DoFileSave() {
  if (!pathName_.empty() && !cutShort_ && Platform().files->canReadWrite(pathName_))
    return DoSave(pathName_, true);
  return DoSave({}, true);
}

bool CVeskDoc::SaveModified() {
  if (!modified_) return true;
  switch (AppMessageBox(msg::kSaveChanges, mb::kYesNoCancel | mb::kIconExclamation, title_)) {
    case answer::kYes:
      // A text document read from a file holds the file through the
      // reader's repairs (lone CRs dropped, NULs made blanks): writing it
      // back would change the file. Only its marks are kept beside it. A
      // tool's output (no file) may still be saved under a new name.
      if (docKind_ == kTextDoc && !pathName_.empty()) {
        if (!WriteAttributeFile(pathName_)) return false;
        SetModifiedFlag(false);
        return true;
      }
      return DoFileSave();
    case answer::kNo:
      return true;
    default:
      return false;
  }
}

}  // namespace quarn
