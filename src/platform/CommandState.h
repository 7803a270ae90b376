// What the idle update of a menu item or toolbar button asks of the window
// that handles its command.
#pragma once

#include <string>

namespace quarn {

struct CommandState {
  bool enabled = true;
  bool checked = false;
  std::string text;  // a new menu text (CP932); empty: the text stays
};

}  // namespace quarn
