// The main window placement as the settings keep it in "WindowPos": ten
// numbers "flags,showCmd,minX,minY,maxX,maxY,left,top,right,bottom".
#pragma once

#include <string>

#include "platform/Types.h"

namespace quarn {

// WINDOWPLACEMENT flag kept when the window was maximised.
constexpr std::uint32_t kRestoreToMaximized = 2;

// True only when all ten numbers are there; placement is untouched otherwise.
bool ParseWindowPos(const std::string& text, WindowPlacement& placement);
std::string FormatWindowPos(const WindowPlacement& placement);

}  // namespace quarn
