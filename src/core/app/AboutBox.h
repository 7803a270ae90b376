// The help menu's two commands: the version box and the program's home
// page, which is its README when no web page is configured.
#pragma once

#include <string>

#include "platform/DesktopService.h"

namespace quarn {

AboutBoxRequest AboutBoxContents();

// The configured home page; else the user manual; else the first README.md
// that exists: in the program's directory, then the one of the source tree
// the program was built from. Empty when there is none.
std::string HomePageAddress();

// Opens the home page with the desktop's handler; a beep when there is no
// address or no handler took it.
void OpenHomePage();
void ShowAboutBox();

}  // namespace quarn
