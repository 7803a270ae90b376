// The tab position list of "タブキーで空白を入力": up to 20 zero-based
// columns, stored in the settings as 1-based numbers each followed by a
// comma ("9,13,").
#pragma once

#include <string>

#include "core/common/TabPositionList.h"

namespace quarn {

// Parses the stored text. An empty text gives the default positions. More
// than 20 numbers, a number that does not parse, a zero-based position
// outside 1 to 249 or positions that do not increase make the list invalid:
// false, and list is left empty (count 0).
bool ParseTabPositions(const std::string& text, TabPositionList& list);

// Each position + 1 followed by a comma, stopping before the text would
// reach 95 characters, without the final comma.
std::string FormatTabPositions(const TabPositionList& list);

}  // namespace quarn
