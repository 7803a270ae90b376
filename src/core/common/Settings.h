// Reading and writing the settings of the section "Settings" (the values
// themselves are in core/common/AppSettings.h).
#pragma once

#include <array>
#include <string>

#include "core/common/AppSettings.h"
#include "platform/Types.h"

namespace quarn {

// Reads every key from the settings file into gSettings (defaults when the
// file cannot be read), resolves the current cabinet path, packs the
// directories, sets the document limits and hands the binary window's
// values to it. An invalid tab position list gives the warning beep.
void ReadSettings();

// Writes the keys that are kept at exit; every other line of the file stays.
// False when the file could not be written (the program does not report it).
bool WriteSettings();

// Whether WriteSettings can write the settings file: it can be read (or is
// not there yet) and a file can replace it. Nothing is written to find out.
bool SettingsWritable();

// "MultiInstance" alone, for the instance check before the other settings.
int ReadMultiInstanceSetting();
// Writes gSettings.MultiInstance to the file at once.
bool WriteMultiInstance();

// Stores the placement of the closing main window, its flags replaced by
// kRestoreToMaximized when it is maximised and 0 otherwise, and writes it.
bool WriteWindowPos(const WindowPlacement& placement, bool maximized);

// Moves the non-empty directories up so that no empty slot precedes them.
void PackDirectories(std::array<std::string, 4>& directories);

// "quarn.cab" in the program's directory: the program path cut after its
// last "/" (searching back from the fifth character before its end); empty
// when the program path is empty or 251 characters or longer.
std::string DefaultCabinetPath();

}  // namespace quarn
