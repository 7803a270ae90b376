#include "core/commands/Menus.h"

#include "core/commands/CommandCatalogue.h"
#include "core/commands/CommandIds.h"
#include "core/res/StringTable.h"
#include "core/res/Texts.h"

namespace quarn::menus {
namespace {

// A command's name from the catalogue.
MenuItem Command(unsigned id) { return {ItemKind::kCommand, id, CommandName(id)}; }
// The manual (F1) has no entry of its own in the command catalogue.
MenuItem Manual() { return {ItemKind::kCommand, cmd::kHelp, texts::kMenuManual}; }
// A command whose catalogue entry has no menu text.
MenuItem Named(unsigned id, const char* text) { return {ItemKind::kCommand, id, text}; }
// A command known by its tooltip where it has one ("グローバル検索"): the
// commands of the tools popup have long status prompts and no menu text.
MenuItem ToolCommand(unsigned id) {
  const std::string& text = LoadString(id);
  const std::size_t tip = text.find('\n');
  return {ItemKind::kCommand, id, tip == std::string::npos ? text : text.substr(tip + 1)};
}
// An item whose text names no access key gets key as "(&key)".
MenuItem Keyed(MenuItem item, char key) {
  item.text += std::string("(&") + key + ")";
  return item;
}
MenuItem Separator() { return {ItemKind::kSeparator, 0, {}}; }
MenuItem RecentFiles() { return {ItemKind::kRecentFiles, kFirstRecentFile, {}}; }

}  // namespace

const MenuBar& NoDocumentMenu() {
  static const MenuBar bar = {
      {texts::kMenuFile, {Command(cmd::kFileNew), Command(cmd::kFileOpen), RecentFiles(), Separator(), Command(cmd::kAppExit)}},
      {texts::kMenuOption,
       {Command(cmd::kCommonSettings), Keyed(Command(cmd::kCabinetSettings), 'A'), Command(cmd::kFont), Separator(),
        Keyed(Command(cmd::kCabinetChange), 'C'), Keyed(Command(cmd::kCabinetNew), 'N')}},
      {texts::kMenuHelp, {Manual(), Command(cmd::kHomePage), Separator(), Command(cmd::kAbout)}},
  };
  return bar;
}

const MenuBar& DocumentMenu() { return MainMenu(); }

MenuBar& MainMenu() {
  static MenuBar bar = {
      {texts::kMenuFile,
       {Command(cmd::kFileNew), Command(cmd::kFileOpen), Command(cmd::kFileClose), Command(cmd::kFileSave), Command(cmd::kFileSaveAs), Separator(),
        Command(cmd::kPrint), Command(cmd::kPrintPreview), Command(cmd::kPageLayout), Command(cmd::kPrintSetup), Separator(), RecentFiles(),
        Separator(), Command(cmd::kAppExit)}},
      {texts::kMenuEdit,
       {Command(cmd::kUndo), Command(cmd::kRedo), Separator(), Command(cmd::kCut), Command(cmd::kCopy), Command(cmd::kScreenCopy),
        Command(cmd::kPaste), Separator(), Command(cmd::kFind), Command(cmd::kReplace), Command(cmd::kCompare), Command(cmd::kFormat),
        Separator(), Command(cmd::kSelectAll), Command(cmd::kWriteProtect), Command(cmd::kJump), Separator(), Command(cmd::kMarkToggle),
        Command(cmd::kMarkNext), Command(cmd::kMarkPrev), Command(cmd::kMarkClearAll), Command(cmd::kCodeSwitch)}},
      {texts::kMenuTools,
       {Keyed(ToolCommand(cmd::kGlobalFind), 'G'), Keyed(ToolCommand(cmd::kTagJump), 'J'),
        Keyed(ToolCommand(cmd::kTagNext), 'N'), Keyed(ToolCommand(cmd::kTagPrev), 'P'),
        Keyed(ToolCommand(cmd::kTagWindow), 'W'), Separator(), Keyed(ToolCommand(cmd::kLineMarkToggle), 'M'),
        Keyed(ToolCommand(cmd::kLineMarkNext), 'D'), Keyed(ToolCommand(cmd::kLineMarkPrev), 'U'),
        Keyed(ToolCommand(cmd::kLineMarkClearAll), 'C'), Separator(), Keyed(ToolCommand(cmd::kExtractLines), 'E'),
        Keyed(ToolCommand(cmd::kFreeConversion), 'F'), Separator(), Keyed(ToolCommand(cmd::kRulerBar), 'R'),
        Keyed(ToolCommand(cmd::kLineBar), 'L')}},
      {texts::kMenuOption,
       {Command(cmd::kCommonSettings), Keyed(Command(cmd::kCabinetSettings), 'A'), Command(cmd::kFont), Command(cmd::kCustomise),
        Separator(), Keyed(Command(cmd::kCabinetChange), 'C'), Keyed(Command(cmd::kCabinetNew), 'N'), Separator(),
        Keyed(Command(cmd::kRecord), 'R'), Keyed(Command(cmd::kPlay), 'P'), Keyed(Command(cmd::kSaveOperation), 'S'),
        Keyed(Command(cmd::kLoadOperation), 'L')}},
      {texts::kMenuWindow,
       {Command(cmd::kWindowNew), Command(cmd::kWindowCascade), Command(cmd::kWindowTile), Command(cmd::kWindowArrange),
        Separator(), Named(cmd::kWindowMarkToggle, texts::kMenuWindowMark),
        Named(cmd::kWindowMarkNext, texts::kMenuWindowMarkNext), Named(cmd::kWindowMarkPrev, texts::kMenuWindowMarkPrev),
        Named(cmd::kWindowMarkClearAll, texts::kMenuWindowMarkClearAll)}},
      {texts::kMenuHelp, {Manual(), Command(cmd::kHomePage), Separator(), Command(cmd::kAbout)}},
  };
  return bar;
}

std::string GetMenuString(const MenuBar& bar, unsigned id) {
  for (const Popup& popup : bar)
    for (const MenuItem& item : popup.items)
      if (item.kind == ItemKind::kCommand && item.id == id) return item.text;
  return {};
}

bool ModifyMenuString(MenuBar& bar, unsigned id, const std::string& text) {
  bool found = false;
  for (Popup& popup : bar)
    for (MenuItem& item : popup.items)
      if (item.kind == ItemKind::kCommand && item.id == id) {
        item.text = text;
        found = true;
      }
  return found;
}

std::string RecentFileText(unsigned index, const std::string& path) {
  return "&" + std::to_string(index + 1) + " " + path;
}

}  // namespace quarn::menus
