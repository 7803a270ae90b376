// Builds Qt menus from the program's menu data. Every command item becomes
// a QAction whose data() is its command id.
#pragma once

#include <QString>
#include <string>
#include <vector>

#include "core/commands/Menus.h"

class QAction;
class QMenuBar;

namespace quarn::qt {

// Fills bar with the popups of menu; the recent-file place expands to one
// entry per path (none while the list is empty).
void BuildMenuBar(QMenuBar& bar, const menus::MenuBar& menu, const std::vector<std::string>& recentFiles);

// The action of command id in bar, or null.
QAction* FindCommand(const QMenuBar& bar, unsigned id);

}  // namespace quarn::qt
