// The main toolbar's entries: command ids, 0 for a separator, 194 for the
// find box and 195 for the find-next button beside it.
#pragma once

#include <string>
#include <vector>

namespace quarn::toolbar {

constexpr unsigned kSeparator = 0;
constexpr unsigned kFindBox = 194;
constexpr unsigned kFindNextButton = 195;
constexpr int kSeparatorWidth = 8;
constexpr int kFindBoxWidth = 160;

// "標準設定": the 24 entries of the default toolbar.
const std::vector<unsigned>& DefaultToolbar();

// The 16 commands that have button images, in the order of the images.
const std::vector<unsigned>& ButtonCommands();

// The button image of a command (its place in the toolbar bitmap), -1 for
// a command that cannot be a button.
int ButtonImage(unsigned id);

// The tooltip: the second part of the command's string-table text, else
// its menu text without the mnemonic and the dots.
std::string ButtonTip(unsigned id);

}  // namespace quarn::toolbar
