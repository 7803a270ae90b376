// The lists keys are assigned from: the menu commands (named from the main
// menu at start-up) and the three other commands; and the short names the
// keyboard page, the key list and the popup lists show for them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/commands/Menus.h"

namespace quarn {

// A command and its name (at most 81 bytes).
struct CommandEntry {
  std::uint16_t id = 0;
  std::string name;
};

constexpr std::size_t kMenuCommandCount = 35;
constexpr std::size_t kMaxCommandName = 81;

// The 35 menu commands in the order of the lists, named as
// FillMenuCommandNames names them from the main menu.
const std::vector<CommandEntry>& MenuCommandList();

// Names every menu command from its item in menu: the text as the menu
// gives it (at most 79 bytes), cut at its first TAB. A command without an
// item gets an empty name.
void FillMenuCommandNames(const menus::MenuBar& menu);

// The find box, find next and find previous, with their names.
const std::vector<CommandEntry>& OthersList();

// The name without its mnemonic suffix: it ends before the first "(" that
// is followed by "&" or by the byte 0x1E, as in "フォント(&F)...".
std::string DisplayName(const std::string& name);

// The display name of a menu command; "" for a command not in the list.
std::string MenuCommandName(unsigned id);

}  // namespace quarn
