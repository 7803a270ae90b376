// The main frame's commands of recorded operations: start or stop
// recording, play, save and load, their enable rules and the menu text of
// the recording switch.
#pragma once

#include <functional>

#include "platform/CommandState.h"

namespace quarn {

class COperationManeger;

// False when id is not one of them. The play command shows the wait
// cursor through waitCursor while it plays.
bool RunOperationCommand(COperationManeger& operations, unsigned id, const std::function<void(bool)>& waitCursor = {});
bool UpdateOperationCommand(const COperationManeger& operations, unsigned id, CommandState& state);

}  // namespace quarn
