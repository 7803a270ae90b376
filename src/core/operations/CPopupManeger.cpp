#include "core/commands/CommandIds.h"
#include "core/operations/CPopupManeger.h"

#include "core/res/Menus.h"

namespace quarn {

std::vector<int> CPopupManeger::DefaultList() { return {cmd::kUndo, cmd::kRedo, kSeparator, cmd::kCut, cmd::kCopy, cmd::kPaste}; }

std::vector<PopupEntry> CPopupManeger::BuildPopup() const {
  std::vector<PopupEntry> entries;
  for (int id : list_) {
    if (id == kSeparator)
      entries.push_back(PopupEntry{true, 0, {}});
    else
      entries.push_back(PopupEntry{false, unsigned(id), MenuCommandName(unsigned(id))});
  }
  return entries;
}

std::string DisplayName(const std::string& menuText) {
  std::string name = menuText.substr(0, menuText.find('\t'));
  for (std::size_t i = 0; i + 1 < name.size(); ++i) {
    if (name[i] == '(' && (name[i + 1] == '&' || name[i + 1] == '\x1E')) return name.substr(0, i);
  }
  return name;
}

std::string MenuCommandName(unsigned id) {
  for (const menus::Popup& popup : menus::DocumentMenu())
    for (const menus::MenuItem& item : popup.items)
      if (item.kind == menus::ItemKind::kCommand && item.id == id) return DisplayName(item.text);
  return {};
}

}  // namespace quarn
