// The command line of the program: the options "/A" (cabinet), "/L" (line)
// and "/C" (column), "-" as well as "/", and one file name, scanned the way
// the command line has always been read.
#pragma once

#include <string>
#include <vector>

namespace quarn {

struct CommandLineArguments {
  std::string cabinet;  // "/A", empty when absent
  std::string file;     // as written (not yet a full path), empty when absent
  int line = 0;         // "/L", 0 when absent
  int column = 0;       // "/C", 0 when absent
};

// Scans text from the left; lead bytes of Shift_JIS are passed over with
// their trail byte wherever a character is tested.
CommandLineArguments ParseCommandLine(const std::string& text);

// The single line the scan reads, made of the program's arguments: each one
// holding a space is put in double quotes, as a shell would have had it, and
// so is an absolute path, which would otherwise read as an option; "/A",
// "/A=...", "/Aname", "/L=n", "/Ln", "/C=n", "/Cn" and two-character items
// stay options.
std::string JoinArguments(const std::vector<std::string>& arguments);
// True for an argument beginning with "/" that JoinArguments keeps as an
// option.
bool LooksLikeSlashOption(const std::string& argument);

// The names a second instance hands over: at most 20, separated by spaces;
// when there are two or more and one of them is not an absolute path, the
// whole argument is one name.
std::vector<std::string> SplitHandOverNames(const std::string& file);

// The message that asks the running instance to open path, and its reading
// (empty when the message is not an open command).
std::string OpenCommandMessage(const std::string& path);
std::string PathOfOpenCommand(const std::string& message);

}  // namespace quarn
