#include "core/macro/OperationDialogs.h"

#include <algorithm>

#include "core/common/ProgramDirectory.h"
#include "core/common/AppMessage.h"
#include "core/keys/KeyNames.h"
#include "core/macro/COperationManeger.h"
#include "core/res/MessageIds.h"
#include "platform/FileSystem.h"
#include "platform/Platform.h"

namespace quarn {
namespace {

constexpr std::size_t kMaxPath = 260;

// A bare file name the platform can take as a file's title.
bool IsBareName(const std::string& name) {
  if (name.empty() || name == "." || name == "..") return false;
  if (name.find_first_of("/*?") != std::string::npos || name.find('\0') != std::string::npos) return false;
  return name.size() + ProgramPath().size() < kMaxPath;
}

}  // namespace

bool CRecordDialog::OnOK(RecordDialogRequest& request, bool& focusName) {
  focusName = false;
  OperationKeys* keys = InstalledOperationKeys();
  if (!IsBareName(request.name)) {
    AppMessageBox(msg::kBadOperationName);
    focusName = true;
    return false;
  }
  FileSystem* files = Platform().files;
  if (files && files->exists(COperationManeger::MacroPath(request.name))) {
    if (AppMessageBox(msg::kOperationExists, mb::kOkCancel | mb::kIconExclamation) != answer::kOk) {
      focusName = true;
      return false;
    }
    if (keys) keys->RemoveOperationKeys(COperationManeger::ListName(request.name));
  }
  const auto& keyNames = keys::BindableKeyNames();
  std::optional<int> code;
  if (request.keyIndex >= 0 && std::size_t(request.keyIndex) < keyNames.size())
    code = keys::KeyCodeOfName(keyNames[std::size_t(request.keyIndex)]);
  else
    code = keys::KeyCodeOfName(request.keyText);
  keyAdded = false;
  if (code && keys) {
    const int modifiers = (request.ctrl ? keys::kCtrl : 0) | (request.shift ? keys::kShift : 0);
    if (!keys::BindingAllowed(*code, modifiers)) {
      WarningBeep();
      return false;
    }
    // Bound under the name the operation list will show, so that the purge
    // of orphaned keys keeps it.
    if (!keys->AddOperationKey(*code, modifiers, COperationManeger::ListName(request.name))) return false;
    keyAdded = true;
  }
  name = request.name;
  comment = request.comment.substr(0, kMaxMacroComment);
  return true;
}

bool CRecordDialog::DoModal() {
  if (OperationKeys* keys = InstalledOperationKeys()) keys->PurgeOperationKeys();
  OperationDialogService* service = OperationDialogs();
  if (!service) return false;
  RecordDialogRequest request;
  request.keyNames = keys::BindableKeyNames();
  request.accept = [this](RecordDialogRequest& r, bool& focusName) { return OnOK(r, focusName); };
  return service->recordDialog(request);
}

bool CPlayDialog::OnDelete(const std::string& text) {
  auto& list = operations_.Operations();
  const auto it = std::find_if(list.begin(), list.end(), [&](const OperationEntry& e) { return !e.deleteMark && e.name == text; });
  if (it == list.end()) {
    SimpleBeep();
    return false;
  }
  it->deleteMark = true;
  deleted = true;
  return true;
}

bool CPlayDialog::OnOK(const std::string& text) {
  auto& list = operations_.Operations();
  if (deleted) {
    FileSystem* files = Platform().files;
    for (const OperationEntry& e : list)
      if (e.deleteMark && (!files || !files->remove(COperationManeger::MacroPath(e.name)))) SimpleBeep();
    return true;
  }
  if (std::none_of(list.begin(), list.end(), [&](const OperationEntry& e) { return e.name == text; })) {
    SimpleBeep();
    return false;
  }
  name = text;
  return true;
}

PlayDialogAnswer CPlayDialog::DoModal() {
  OperationDialogService* service = OperationDialogs();
  if (!service) return PlayDialogAnswer::kCancel;
  PlayDialogRequest request;
  request.names = operations_.ReadOperationList();
  request.name = operations_.Name();
  request.describe = [this](const std::string& n, std::string& key, std::string& comment) {
    OperationKeys* keys = InstalledOperationKeys();
    key = keys ? keys->OperationKeyName(n) : std::string();
    comment.clear();
    for (const OperationEntry& e : operations_.Operations())
      if (e.name == n) comment = e.comment;
  };
  request.remove = [this](const std::string& n) { return OnDelete(n); };
  request.accept = [this](const std::string& n) { return OnOK(n); };
  const PlayDialogAnswer answer = service->playDialog(request);
  if (answer == PlayDialogAnswer::kPlay) name = request.name;
  return answer;
}

void SaveOperationCommand(COperationManeger& operations) {
  CRecordDialog dialog(operations);
  if (!dialog.DoModal()) return;
  operations.Save(dialog.name, dialog.comment);
  if (OperationKeys* keys = InstalledOperationKeys(); keys && dialog.keyAdded) keys->SaveKeys();
}

void LoadOperationCommand(COperationManeger& operations) {
  CPlayDialog dialog(operations);
  switch (dialog.DoModal()) {
    case PlayDialogAnswer::kOk:
      if (!dialog.deleted) operations.Load(dialog.name);
      break;
    case PlayDialogAnswer::kPlay: operations.Play(dialog.name); break;
    case PlayDialogAnswer::kCancel: break;
  }
}

}  // namespace quarn
