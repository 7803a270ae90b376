#include "core/commands/CommandLists.h"

#include "core/commands/CommandIds.h"
#include "core/res/StringTable.h"

namespace quarn {
namespace {

// GetMenuString's buffer of 80 bytes holds 79 and the terminating zero.
constexpr std::size_t kMenuStringLimit = 79;
constexpr char kMnemonicMark = '\x1E';

std::string CutMenuString(const menus::MenuBar& menu, unsigned id) {
  const std::string text = menus::GetMenuString(menu, id).substr(0, kMenuStringLimit);
  return text.substr(0, text.find('\t'));
}

std::vector<CommandEntry>& MutableMenuCommands() {
  static std::vector<CommandEntry> list = [] {
    const unsigned ids[kMenuCommandCount] = {
        cmd::kFileNew,   cmd::kFileOpen,     cmd::kFileClose,   cmd::kFileSave,     cmd::kFileSaveAs,   cmd::kPrint,
        cmd::kPrintPreview, cmd::kPageLayout, cmd::kPrintSetup, cmd::kAppExit,      cmd::kUndo,         cmd::kRedo,
        cmd::kCut,       cmd::kCopy,         cmd::kScreenCopy,  cmd::kPaste,        cmd::kFind,         cmd::kReplace,
        cmd::kCompare,   cmd::kFormat,       cmd::kSelectAll,   cmd::kWriteProtect, cmd::kJump,         cmd::kMarkToggle,
        cmd::kMarkNext,  cmd::kMarkPrev,     cmd::kMarkClearAll, cmd::kCodeSwitch,  cmd::kCommonSettings, cmd::kFont,
        cmd::kCustomise, cmd::kWindowNew,    cmd::kWindowCascade, cmd::kWindowTile, cmd::kWindowArrange};
    // Named from the main menu as it stands until start-up names them again.
    std::vector<CommandEntry> entries;
    for (unsigned id : ids) entries.push_back({std::uint16_t(id), CutMenuString(menus::MainMenu(), id)});
    return entries;
  }();
  return list;
}

}  // namespace

const std::vector<CommandEntry>& MenuCommandList() { return MutableMenuCommands(); }

void FillMenuCommandNames(const menus::MenuBar& menu) {
  for (CommandEntry& entry : MutableMenuCommands()) entry.name = CutMenuString(menu, entry.id);
}

const std::vector<CommandEntry>& OthersList() {
  static const std::vector<CommandEntry> list = {
      {std::uint16_t(cmd::kFindBoxFocus), texts::kOtherFindBox},
      {std::uint16_t(cmd::kFindNext), texts::kOtherFindNext},
      {std::uint16_t(cmd::kFindPrev), texts::kOtherFindPrev},
  };
  return list;
}

std::string DisplayName(const std::string& name) {
  for (std::size_t i = 0; i + 1 < name.size(); ++i)
    if (name[i] == '(' && (name[i + 1] == '&' || name[i + 1] == kMnemonicMark)) return name.substr(0, i);
  return name;
}

std::string MenuCommandName(unsigned id) {
  for (const CommandEntry& entry : MenuCommandList())
    if (entry.id == id) return DisplayName(entry.name);
  return {};
}

}  // namespace quarn
