#include "core/operations/CustomisePages.h"

#include <algorithm>
#include <utility>

#include "core/commands/CommandLists.h"
#include "core/commands/Toolbar.h"
#include "core/common/AppMessage.h"
#include "core/operations/CPopupManeger.h"
#include "core/res/MessageIds.h"
#include "core/res/StringTable.h"

namespace quarn {
namespace {

template <typename T>
void Move(std::vector<T>& list, int& selected, int step) {
  const int to = selected + step;
  if (selected < 0 || selected >= int(list.size()) || to < 0 || to >= int(list.size())) return;
  std::swap(list[std::size_t(selected)], list[std::size_t(to)]);
  selected = to;
}

template <typename T>
void Remove(std::vector<T>& list, int& selected) {
  if (selected < 0 || selected >= int(list.size())) return;
  list.erase(list.begin() + selected);
  if (selected >= int(list.size())) selected = int(list.size()) - 1;
}

std::string TitleOf(std::string name) {
  if (!name.empty() && name[0] >= 'a' && name[0] <= 'z') name[0] = char(name[0] - 'a' + 'A');
  return name;
}

}  // namespace

CustomisePages*& OpenCustomisePages() {
  static CustomisePages* pages = nullptr;
  return pages;
}

CustomisePages::CustomisePages()
    : tools(gMenuTools.tools), tool(tools.empty() ? -1 : 0), buttons(gMenuTools.toolbar),
      button(buttons.empty() ? -1 : 0), popup(gPopup.List()), popupEntry(popup.empty() ? -1 : 0) {}

std::vector<std::string> CustomisePages::ToolTexts() const {
  std::vector<std::string> texts;
  for (const UserTool& t : tools) texts.push_back(t.kind == ToolKind::kSeparator ? std::string(20, '-') : t.title);
  return texts;
}

bool CustomisePages::AddProgramTool(const std::string& path) {
  if (tools.size() >= CMenuToolManeger::kMaxTools) return AppMessageBox(msg::kTooManyTools), false;
  std::string name = path.substr(path.rfind('/') + 1);
  if (const std::size_t dot = name.rfind('.'); dot != std::string::npos && dot > 0) name.resize(dot);
  tools.push_back(UserTool{ToolKind::kProgram, TitleOf(name), RunEntry{path, {}, {}, false, false, false}, false});
  tool = int(tools.size()) - 1;
  return true;
}

bool CustomisePages::AddOperationTool(const std::string& name) {
  if (tools.size() >= CMenuToolManeger::kMaxTools) return AppMessageBox(msg::kTooManyTools), false;
  tools.push_back(UserTool{ToolKind::kOperation, TitleOf(name), RunEntry{name, {}, {}, false, false, false}, false});
  tool = int(tools.size()) - 1;
  return true;
}

bool CustomisePages::AddSeparator() {
  if (tools.size() >= CMenuToolManeger::kMaxTools) return AppMessageBox(msg::kTooManyTools), false;
  tools.push_back(UserTool{ToolKind::kSeparator, {}, {}, false});
  tool = int(tools.size()) - 1;
  return true;
}

void CustomisePages::MoveTool(int step) { Move(tools, tool, step); }
void CustomisePages::RemoveTool() { Remove(tools, tool); }

const std::vector<unsigned>& CustomisePages::AvailableButtons() {
  static const std::vector<unsigned> list = [] {
    std::vector<unsigned> ids = toolbar::ButtonCommands();
    ids.push_back(toolbar::kSeparator);
    ids.push_back(toolbar::kFindBox);
    return ids;
  }();
  return list;
}

std::string CustomisePages::ButtonText(unsigned id) {
  if (id == toolbar::kSeparator) return LoadString(msg::kSeparatorEntry);
  if (id == toolbar::kFindBox) return LoadString(msg::kFindBoxEntry);
  return toolbar::ButtonTip(id);
}

void CustomisePages::AddButton(unsigned id) {
  if (buttons.size() >= CMenuToolManeger::kMaxButtons ||
      (id == toolbar::kFindBox && std::find(buttons.begin(), buttons.end(), id) != buttons.end()))
    return WarningBeep();
  buttons.push_back(id);
  button = int(buttons.size()) - 1;
}

void CustomisePages::MoveButton(int step) { Move(buttons, button, step); }
void CustomisePages::RemoveButton() { Remove(buttons, button); }
void CustomisePages::DefaultButtons() {
  buttons = toolbar::DefaultToolbar();
  button = 0;
}

std::vector<int> CustomisePages::AvailablePopup() {
  std::vector<int> ids;
  for (const CommandEntry& e : MenuCommandList()) ids.push_back(e.id);
  for (const CommandEntry& e : OthersList()) ids.push_back(e.id);
  ids.push_back(CPopupManeger::kSeparator);
  return ids;
}

std::string CustomisePages::PopupText(int id) {
  if (id == CPopupManeger::kSeparator) return LoadString(msg::kSeparatorEntry);
  for (const std::vector<CommandEntry>* list : {&MenuCommandList(), &OthersList()})
    for (const CommandEntry& e : *list)
      if (e.id == id) return DisplayName(e.name);
  return {};
}

void CustomisePages::AddPopup(int id) {
  if (popup.size() >= CPopupManeger::kMaxEntries) return WarningBeep();
  popup.push_back(id);
  popupEntry = int(popup.size()) - 1;
}

void CustomisePages::MovePopup(int step) { Move(popup, popupEntry, step); }
void CustomisePages::RemovePopup() { Remove(popup, popupEntry); }
void CustomisePages::DefaultPopup() {
  popup = CPopupManeger::DefaultList();
  popupEntry = 0;
}

void CustomisePages::Apply() const {
  gMenuTools.tools = tools;
  gMenuTools.toolbar = buttons;
  gPopup.SetList(popup);
}

}  // namespace quarn
