// The menus of the main frame as plain data: popups with their items in
// order. Texts are CP932 with the "&" mnemonics as the menus show them.
#pragma once

#include <string>
#include <vector>

#include "core/commands/CommandIds.h"

namespace quarn::menus {

enum class ItemKind {
  kCommand,      // sends its command id
  kSeparator,
  kRecentFiles,  // the place of the recent-file entries, 57616 to 57619
};

struct MenuItem {
  ItemKind kind = ItemKind::kCommand;
  unsigned id = 0;   // command id; the first recent-file id for kRecentFiles
  std::string text;  // empty for separators and the recent-file place
};

struct Popup {
  std::string text;
  std::vector<MenuItem> items;
};

using MenuBar = std::vector<Popup>;

constexpr unsigned kFirstRecentFile = cmd::kFirstRecentFile;
constexpr unsigned kRecentFileCount = 4;

// The menu bar while no document is open.
const MenuBar& NoDocumentMenu();

// The menu bar while a document window is open (the main menu): the 35
// menu commands, the recent files and the help items.
const MenuBar& DocumentMenu();
// The same menu for changing its texts (the key texts after a TAB).
MenuBar& MainMenu();

// The text of command id in bar ("" when no item has it), and its change;
// false when no item has the command.
std::string GetMenuString(const MenuBar& bar, unsigned id);
bool ModifyMenuString(MenuBar& bar, unsigned id, const std::string& text);

// The text of recent-file entry index (0-based): "&1 path" and so on.
std::string RecentFileText(unsigned index, const std::string& path);

}  // namespace quarn::menus
