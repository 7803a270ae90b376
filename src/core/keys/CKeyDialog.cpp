#include "core/keys/CKeyDialog.h"

#include "core/commands/CommandLists.h"
#include "core/common/AppMessage.h"
#include "core/keys/CAccTblManeger.h"
#include "core/keys/KeyNames.h"
#include "core/keys/OperationLinks.h"

namespace quarn {
namespace {

// The longest text the combo box's key name may have.
constexpr std::size_t kMaxKeyText = 8;

const std::vector<CommandEntry>* EntriesOf(int category) {
  if (category == 0) return &MenuCommandList();
  if (category == 2) return &OthersList();
  return nullptr;
}

bool Chosen(int index, std::size_t count) { return index >= 0 && std::size_t(index) < count; }

}  // namespace

std::uint32_t CKeyDialog::Category(const KeyboardPage& page) const {
  return page.category == 0 ? kKeyMenu : page.category == 1 ? kKeyOperation : kKeyOther;
}

unsigned CKeyDialog::CommandId(const KeyboardPage& page) const {
  const std::vector<CommandEntry>* entries = EntriesOf(page.category);
  return entries && Chosen(page.command, entries->size()) ? (*entries)[std::size_t(page.command)].id : 0;
}

std::string CKeyDialog::OperationName(const KeyboardPage& page) const {
  return page.category == 1 && Chosen(page.command, operations_.size()) ? operations_[std::size_t(page.command)] : "";
}

void CKeyDialog::OnInitDialog(KeyboardPage& page) {
  page.category = 0;
  page.keyNames = keys::BindableKeyNames();
  OnCategory(page);
}

void CKeyDialog::OnCategory(KeyboardPage& page) {
  page.commands.clear();
  if (page.category == 1) {
    OperationLibrary* library = InstalledOperationLibrary();
    operations_ = library ? library->ReadOperationList() : std::vector<std::string>{};
    page.commands = operations_;
  } else if (const std::vector<CommandEntry>* entries = EntriesOf(page.category)) {
    for (const CommandEntry& entry : *entries) page.commands.push_back(DisplayName(entry.name));
  }
  page.command = page.commands.empty() ? -1 : 0;
  OnCommand(page);
}

void CKeyDialog::OnCommand(KeyboardPage& page) {
  page.keys.clear();
  page.key = -1;
  if (!Chosen(page.command, page.commands.size())) return;
  const std::uint32_t category = Category(page);
  const unsigned id = CommandId(page);
  const std::string name = OperationName(page);
  for (int i = table_.FindKey(category, 0, id, name); i >= 0; i = table_.FindKey(category, i + 1, id, name))
    page.keys.push_back(KeyName(table_.Entries()[std::size_t(i)]));
}

void CKeyDialog::Refuse(KeyboardPage& page, KeyboardPage::Focus focus) {
  WarningBeep();
  page.focus = focus;
}

void CKeyDialog::OnAdd(KeyboardPage& page) {
  page.focus = KeyboardPage::Focus::kNone;
  if (!Chosen(page.command, page.commands.size())) return Refuse(page, KeyboardPage::Focus::kCommands);
  const int modifiers = FoldModifiers(page.ctrl, page.shift);
  const std::optional<int> key =
      page.keyText.size() <= kMaxKeyText ? keys::KeyCodeOfName(page.keyText) : std::nullopt;
  if (!key || !keys::BindingAllowed(*key, modifiers)) return Refuse(page, KeyboardPage::Focus::kKeyBox);
  if (table_.AddKey(Category(page), *key, modifiers, CommandId(page), OperationName(page))) OnCommand(page);
}

void CKeyDialog::OnRemove(KeyboardPage& page) {
  page.focus = KeyboardPage::Focus::kNone;
  if (!Chosen(page.command, page.commands.size()) || !Chosen(page.key, page.keys.size()))
    return Refuse(page, KeyboardPage::Focus::kNone);
  const std::uint32_t category = Category(page);
  const unsigned id = CommandId(page);
  const std::string name = OperationName(page);
  for (int i = table_.FindKey(category, 0, id, name); i >= 0; i = table_.FindKey(category, i + 1, id, name)) {
    if (KeyName(table_.Entries()[std::size_t(i)]) != page.keys[std::size_t(page.key)]) continue;
    table_.RemoveKey(i);
    return OnCommand(page);
  }
  Refuse(page, KeyboardPage::Focus::kNone);
}

}  // namespace quarn
