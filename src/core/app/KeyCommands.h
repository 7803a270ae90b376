// The main frame's key assignment command: the customisation sheet (32873)
// with its keyboard page, and the key list it may ask for.
#pragma once

#include "platform/CommandState.h"

namespace quarn {

class DocTemplate;

// Runs id when it is the sheet's command; false for any other command.
bool RunKeyCommand(unsigned id, DocTemplate& documents);
// The sheet's command is always enabled; false for any other command.
bool UpdateKeyCommand(unsigned id, CommandState& state);

}  // namespace quarn
