// The user manual: F1, Shift+F1 and the toolbar's help button open the page
// about the active window in the desktop's browser.
#pragma once

#include <string>

namespace quarn {

enum class HelpSubject { kGeneral, kTextWindow, kBinaryWindow };

// The directory holding the manual's HTML pages, ending with "/": beside the
// executable in a build tree ("manual/"), else under the installed prefix
// ("../share/doc/quarn/manual/"). Empty when neither has the index page.
std::string ManualDirectory();

// The page of the manual about subject; empty without a manual.
std::string ManualPage(HelpSubject subject);

// Opens the page about subject. Without a manual, or when no handler takes
// the page, a message says where the manual is (or that it is not there).
void OpenHelp(HelpSubject subject);

}  // namespace quarn
