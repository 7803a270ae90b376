// The double click on a tag line: the text window asks the application
// whether its caret's line is a tag line to jump to. The main frame installs
// the handler; with none installed a double click selects a word.
#pragma once

#include <functional>

namespace quarn {

class CVeskEV;

// True when the handler took the double click (it jumped or tried to).
using TagLineHandler = std::function<bool(CVeskEV& window)>;
TagLineHandler& TagLineDoubleClickHandler();

}  // namespace quarn
