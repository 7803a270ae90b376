// What the idle update of a menu item or toolbar button asks of the window
// that handles its command.
#pragma once

namespace quarn {

struct CommandState {
  bool enabled = true;
  bool checked = false;
};

}  // namespace quarn
