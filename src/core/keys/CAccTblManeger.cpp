#include "core/keys/CAccTblManeger.h"

#include <algorithm>

#include "core/document/CVeskDoc.h"
#include "core/common/ProgramDirectory.h"
#include "core/commands/CommandIds.h"
#include "core/commands/CommandLists.h"
#include "core/common/AppMessage.h"
#include "core/document/CVeskDoc.h"
#include "core/keys/KeyNames.h"
#include "core/res/MessageIds.h"
#include "core/res/StringTable.h"
#include "platform/FileSystem.h"
#include "platform/KeyCodes.h"
#include "platform/Platform.h"

namespace quarn {
namespace {

// GetMenuString's buffer of 80 bytes holds 79 and the terminating zero.
constexpr std::size_t kMenuTextLimit = 79;
// A key list line with its CR LF fits 256 bytes; its name is padded to 30.
constexpr std::size_t kKeyLineLimit = 256;
constexpr std::size_t kKeyLineNameWidth = 30;
constexpr char kLineEnd[] = "\r\n";

int Low(std::uint32_t v) { return int(v & 0xFF); }

bool SameBinding(const KeyEntry& e, int key, int modifiers) {
  return Low(e.key) == Low(std::uint32_t(key)) && Low(e.modifiers) == Low(std::uint32_t(modifiers));
}

bool Matches(const KeyEntry& e, std::uint32_t category, unsigned command, const std::string& name) {
  if (e.category != category) return false;
  return category == kKeyOperation ? e.name == name : e.command == command;
}

// The key shown in the menu: fewer modifiers first (none, Ctrl, Shift,
// Ctrl+Shift), then the higher key code.
const KeyEntry* BestMenuKey(const std::vector<KeyEntry>& entries, unsigned command) {
  const KeyEntry* best = nullptr;
  for (const KeyEntry& e : entries) {
    if (e.category != kKeyMenu || e.command != command) continue;
    if (!best || Low(e.modifiers) < Low(best->modifiers) ||
        (Low(e.modifiers) == Low(best->modifiers) && Low(e.key) > Low(best->key)))
      best = &e;
  }
  return best;
}

}  // namespace

CAccTblManeger gKeyTable;

void CAccTblManeger::SetDefaults() {
  using keys::kCtrl;
  using keys::kCtrlShift;
  using keys::kNoModifier;
  using keys::kShift;
  constexpr int kF3 = vk::kF1 + 2;
  struct Default {
    int key;
    int modifiers;
    std::uint32_t category;
    unsigned command;
  };
  static const Default kDefaults[] = {
      {'A', kCtrl, kKeyMenu, cmd::kSelectAll},         {'C', kCtrl, kKeyMenu, cmd::kCopy},
      {'C', kCtrlShift, kKeyMenu, cmd::kScreenCopy},   {'E', kCtrl, kKeyMenu, cmd::kCodeSwitch},
      {'F', kCtrl, kKeyOther, cmd::kFindBoxFocus},     {'N', kCtrl, kKeyOther, cmd::kFindNext},
      {'O', kCtrl, kKeyMenu, cmd::kFileOpen},          {'P', kCtrl, kKeyOther, cmd::kFindPrev},
      {'R', kCtrl, kKeyMenu, cmd::kRedo},              {'S', kCtrl, kKeyMenu, cmd::kFileSave},
      {'V', kCtrl, kKeyMenu, cmd::kPaste},             {vk::kDelete, kShift, kKeyMenu, cmd::kCut},
      {kF3, kNoModifier, kKeyMenu, cmd::kMarkNext},    {kF3, kCtrl, kKeyMenu, cmd::kMarkToggle},
      {kF3, kShift, kKeyMenu, cmd::kMarkPrev},         {vk::kInsert, kCtrl, kKeyMenu, cmd::kCopy},
      {vk::kInsert, kShift, kKeyMenu, cmd::kPaste},    {'X', kCtrl, kKeyMenu, cmd::kCut},
      {'Z', kCtrl, kKeyMenu, cmd::kUndo},
  };
  entries_.clear();
  for (const Default& d : kDefaults)
    entries_.push_back({std::uint32_t(d.key), d.category, std::uint16_t(d.modifiers), std::uint16_t(d.command), {}});
}

int CAccTblManeger::FindKey(std::uint32_t category, int from, unsigned command, const std::string& name) const {
  for (int i = std::max(from, 0); i < int(entries_.size()); ++i)
    if (Matches(entries_[std::size_t(i)], category, command, name)) return i;
  return -1;
}

bool CAccTblManeger::AddKey(std::uint32_t category, int key, int modifiers, unsigned command, const std::string& name) {
  if (entries_.size() >= kMaxKeyEntries) {
    AppMessageBox(msg::kKeyTableFull);
    return false;
  }
  if (FindBinding(key, modifiers) >= 0) {
    AppMessageBox(msg::kKeyBoundAlready);
    return false;
  }
  const bool operation = category == kKeyOperation;
  entries_.push_back({std::uint32_t(key), category, std::uint16_t(modifiers), std::uint16_t(operation ? 0 : command),
                      operation ? name.substr(0, kKeyNameField - 1) : std::string()});
  return true;
}

void CAccTblManeger::RemoveKey(int index) {
  if (index >= 0 && index < int(entries_.size())) entries_.erase(entries_.begin() + index);
}

void CAccTblManeger::RemoveOperationEntries(const std::function<bool(const std::string&)>& pred) {
  const auto gone = std::remove_if(entries_.begin(), entries_.end(),
                                   [&](const KeyEntry& e) { return e.category == kKeyOperation && pred(e.name); });
  if (gone == entries_.end()) return;
  entries_.erase(gone, entries_.end());
  SaveKeys();
}

void CAccTblManeger::PurgeOperationKeys() {
  // Without the saved operations every operation key would look orphaned.
  OperationLibrary* library = InstalledOperationLibrary();
  if (!library) return;
  const std::vector<std::string> names = library->ReadOperationList();
  if (!library->ListComplete()) return;
  RemoveOperationEntries([&](const std::string& name) { return std::find(names.begin(), names.end(), name) == names.end(); });
}

void CAccTblManeger::RemoveOperationKeys(const std::string& name) {
  RemoveOperationEntries([&](const std::string& n) { return n == name; });
}

bool CAccTblManeger::AddOperationKey(int key, int modifiers, const std::string& name) {
  return AddKey(kKeyOperation, key, modifiers, 0, name);
}

std::string CAccTblManeger::OperationKeyName(const std::string& name) const {
  const int i = FindKey(kKeyOperation, 0, 0, name);
  return i < 0 ? std::string() : KeyName(entries_[std::size_t(i)]);
}

void CAccTblManeger::LoadKeys() {
  FileSystem* files = Platform().files;
  const std::string path = KeyFilePath();
  if (!files || path.empty()) return;
  auto file = files->openRead(path);
  std::string bytes;
  if (!file || !ReadUpTo(*file, kKeyFileBuffer, bytes)) return;
  std::vector<KeyEntry> read;
  if (ReadKeyFile(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), read) == KeyFileFormat::kMalformed) {
    AppMessageBox(msg::kKeyFileMalformed);
    return;
  }
  entries_ = std::move(read);
}

void CAccTblManeger::SaveKeys() {
  FileSystem* files = Platform().files;
  const std::string path = KeyFilePath();
  if (!files || path.empty() || !files->writeAll(path, WriteKeyFile(entries_))) AppMessageBox(msg::kKeyFileWriteFailed);
}

int CAccTblManeger::FindBinding(int key, int modifiers) const {
  for (std::size_t i = 0; i < entries_.size(); ++i)
    if (SameBinding(entries_[i], key, modifiers)) return int(i);
  return -1;
}

bool CAccTblManeger::TranslateKey(int key, int modifiers, const std::function<void(unsigned)>& sendCommand) const {
  const int i = FindBinding(key, modifiers);
  if (i < 0) return false;
  // A copy: the command may change the table.
  const KeyEntry e = entries_[std::size_t(i)];
  if (e.category == kKeyOperation) {
    if (OperationLibrary* library = InstalledOperationLibrary()) library->PlayOperation(e.name);
  } else if (sendCommand) {
    sendCommand(e.command);
  }
  return true;
}

void CAccTblManeger::UpdateMenuKeys(menus::MenuBar& menu) const {
  for (menus::Popup& popup : menu)
    for (menus::MenuItem& item : popup.items) {
      if (item.kind != menus::ItemKind::kCommand) continue;
      // A key removed since the last update leaves no text behind.
      item.text = item.text.substr(0, item.text.find('\t'));
      if (const KeyEntry* best = BestMenuKey(entries_, item.id))
        item.text = item.text.substr(0, kMenuTextLimit) + '\t' + KeyName(*best);
    }
  FillMenuCommandNames(menu);
}

std::string CAccTblManeger::KeyLine(const std::string& name, std::uint32_t category, unsigned command) const {
  std::string line = name;
  if (line.size() < kKeyLineNameWidth) line.append(kKeyLineNameWidth - line.size(), ' ');
  for (int i = FindKey(category, 0, command, name); i >= 0; i = FindKey(category, i + 1, command, name)) {
    const std::string key = KeyName(entries_[std::size_t(i)]) + "  ";
    if (line.size() + key.size() + 2 > kKeyLineLimit) break;
    line += key;
  }
  return line + kLineEnd;
}

std::vector<std::string> CAccTblManeger::KeyListLines() const {
  std::vector<std::string> lines{std::string(texts::kKeyListMenu) + kLineEnd};
  for (const CommandEntry& entry : MenuCommandList())
    lines.push_back(KeyLine(DisplayName(entry.name), kKeyMenu, entry.id));
  lines.push_back(std::string(texts::kKeyListOperation) + kLineEnd);
  if (OperationLibrary* library = InstalledOperationLibrary())
    for (const std::string& name : library->ReadOperationList()) lines.push_back(KeyLine(name, kKeyOperation, 0));
  lines.push_back(std::string(texts::kKeyListOthers) + kLineEnd);
  for (const CommandEntry& entry : OthersList()) lines.push_back(KeyLine(DisplayName(entry.name), kKeyOther, entry.id));
  return lines;
}

void CAccTblManeger::WriteKeyList(CVeskDoc* doc) const {
  if (!doc) {
    WarningBeep();
    return;
  }
  doc->UpdateAllViews(hint::kRefresh);
  for (const std::string& line : KeyListLines()) doc->AppendStringToViews(line.c_str());
}

std::string KeyName(const KeyEntry& entry) {
  static const char* const kPrefixes[] = {"", "Ctrl+", "Shift+", "Ctrl+Shift+"};
  const int modifiers = Low(entry.modifiers);
  return std::string(modifiers <= 3 ? kPrefixes[modifiers] : "") + keys::NameOfKeyCode(int(entry.key));
}

unsigned FixedAccelerator(int key, bool alt, bool shift, bool control) {
  if (control) return 0;
  if (key == vk::kBack && alt) return shift ? cmd::kRedo : cmd::kUndo;
  if (key == vk::kF1 && !alt) return shift ? cmd::kContextHelp : cmd::kHelp;
  return 0;
}

int FoldModifiers(bool control, bool shift) { return (control ? keys::kCtrl : 0) | (shift ? keys::kShift : 0); }

std::string KeyFilePath() {
  const std::string program = ProgramPath();
  if (program.size() < 3) return {};
  return program.substr(0, program.size() - 3) + "key";
}

}  // namespace quarn
