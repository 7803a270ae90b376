// How a run entry becomes a started program: the shell for a command of the
// command interpreter, otherwise the program with its parameters split as a
// shell would split them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/operations/CMenuToolManeger.h"
#include "platform/ProcessService.h"

namespace quarn {

// Words separated by blanks; single quotes keep everything, double quotes
// keep all but a backslash before " \ $ or `, a backslash outside quotes
// keeps the next character. A double-byte character is never split, so its
// trail byte 0x5C is no backslash.
std::vector<std::string> SplitCommandWords(const std::string& text);

// The "$" codes of a program's parameters expanded for the document at
// path with the caret on line and column (from 1); without a document the
// path is empty and the caret 1, 1.
std::string ExpandParameters(const std::string& text, const std::string& path, std::uint32_t line,
                             std::uint32_t column);

// expandedParameters: the entry's parameters with their "$" codes expanded.
ProcessRequest MakeProcessRequest(const RunEntry& entry, const std::string& expandedParameters);

}  // namespace quarn
