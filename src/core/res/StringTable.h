// The string table: every message and label by its resource id, in CP932.
#pragma once

#include <string>

#include "core/res/Texts.h"

namespace quarn {

// The text of id; empty when the table has no such entry.
const std::string& LoadString(unsigned id);

// Replaces "%1" in a string-table text by arg (as the framework's
// formatting of a message with one insertion does).
std::string FormatString1(unsigned id, const std::string& arg);
// The same for a text given by name (texts::k...).
std::string FormatText1(const std::string& text, const std::string& arg);

}  // namespace quarn
