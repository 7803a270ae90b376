// A file of the program (cabinet, data file) whose contents failed their
// check is replaced by the next save with what the program holds. Its bytes
// are kept beside it first, under a name that says so, and the message that
// reports it names the copy.
#pragma once

#include <string>

namespace quarn {

// Copies the whole file at path to "<path>.bad" ("<path>.bad2" and on while
// an earlier copy of other bytes holds the name). Returns the copy's name;
// empty when no copy could be made.
std::string KeepRejectedFile(const std::string& path);

// Shows message id as the message box routine does, followed by a line
// naming copy when there is one.
void ShowRejectedFileMessage(unsigned id, const std::string& copy);

}  // namespace quarn
