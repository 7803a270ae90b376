// The main frame's cabinet commands: change the cabinet, make a new one,
// the cabinet sheet, the font, and the replay of recorded format and colour
// operations. Each records itself; played back, its values come from the
// recorded parameters and no dialog opens.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/commands/CommandIds.h"

namespace quarn {

namespace cabinet_command {
constexpr unsigned kChange = cmd::kCabinetChange;
constexpr unsigned kNew = cmd::kCabinetNew;
constexpr unsigned kPlayFormat = cmd::kCabinetFormat;
constexpr unsigned kPlayColors = cmd::kCabinetColors;
constexpr unsigned kFont = cmd::kFont;
constexpr unsigned kSettings = cmd::kCabinetSettings;
}  // namespace cabinet_command

bool IsCabinetCommand(unsigned id);
// Runs command id; playback is the recorded parameter record, null when
// the user gave the command.
void RunCabinetCommand(unsigned id, const std::vector<std::uint8_t>* playback = nullptr);

// The path as the current cabinet: the same path (in any letter case)
// beeps; an unreadable or malformed file changes nothing; else the old
// cabinet is saved with its documents, which close, and the new one is
// opened with its own. False when the cabinet stayed.
bool OpenAsCabinet(const std::string& path);
// The file at path passes the check of either cabinet format (read quietly).
bool IsCabinetFile(const std::string& path);

// The new-cabinet dialog's OK on name: false (after a beep or 59401) keeps
// the dialog; ".cab" is appended when no dot is among the last four
// characters.
bool AcceptCabinetName(std::string& name, int type);

}  // namespace quarn
