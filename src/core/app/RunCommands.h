// The commands that start programs: "プログラムの実行" (32834) with its run
// history, the file manager (32833) and the user tools (32851 to 32870).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/commands/Menus.h"
#include "core/operations/CMenuToolManeger.h"
#include "platform/CommandState.h"

namespace quarn {

class CVeskView;
class DocTemplate;

// Starts the entry's program with its "$" codes expanded for the active
// view; with redirect its output goes into a new text document. False (after
// a beep) when it could not be started.
bool RunEntryProgram(DocTemplate& documents, CVeskView* view, const RunEntry& entry);

// False when id is not one of the commands.
bool RunProgramCommand(DocTemplate& documents, CVeskView* view, unsigned id);
bool UpdateProgramCommand(unsigned id, CommandState& state);

// The menu of its own that offers these commands: running a program, the
// file manager, then the user tools by their titles (separators as lines).
menus::Popup UserToolMenu();

// The parameter block of a recorded 32834: the three texts with their
// zeros, then the three flags.
std::vector<std::uint8_t> RunEntryRecord(const RunEntry& entry);
bool ParseRunEntryRecord(const std::vector<std::uint8_t>& data, RunEntry& entry);

}  // namespace quarn
