// Where the program keeps its own files (settings, data, key, macro and
// default cabinet files): the directory of the executable, or the directory
// named by the environment variable QUARN_HOME when that is set.
#pragma once

#include <string>

namespace quarn {

// Set once at start-up to the executable's directory (CP932).
void SetProgramDirectory(const std::string& directory);

// The executable's own directory, ending with "/" (CP932), whatever QUARN_HOME
// says: where the program's installed files (the manual) are found.
void SetExecutableDirectory(const std::string& directory);
std::string ExecutableDirectory();

// The directory to keep the program's files in when QUARN_HOME is not set:
// the executable's, unless it cannot be written (an installed prefix), then
// the per-user place.
std::string ChooseProgramDirectory(const std::string& executableDirectory, bool executableDirectoryWritable);

// QUARN_HOME when set and not empty, else the directory set at start-up;
// it ends with "/" unless no directory is known (then it is empty).
std::string ProgramDirectory();

// "<program directory>quarn.exe": the path the file names are derived from,
// so that they are the ones the stored files have always had. Empty when no
// directory is known.
std::string ProgramPath();

// Makes the program's directory when it is missing (a QUARN_HOME named
// before it was made), so that the program's files can be written there.
void MakeProgramDirectory();

// The program path with its extension replaced by ".ini".
std::string SettingsFilePath();

// The per-user place looked at when the program's directory has no settings
// file: $XDG_CONFIG_HOME/quarn/, else $HOME/.config/quarn/ (empty without both).
std::string FallbackSettingsDirectory();

// When the settings file is missing and the per-user place has a file of the
// same name, copies it next to the program. True when a copy was made.
bool PrepareSettingsFile();

}  // namespace quarn
