// The one safe write of the program: a new file beside the target, written
// with plain system calls (nothing buffered that could fail unseen after the
// last check), synced to the disk, then renamed over the target with its
// permissions and owner. Where no file can be made beside the target (a
// directory the user may not write, an owner that cannot be kept, a file
// with several links), the target itself is written in place.
#pragma once

#include <memory>
#include <string>

#include "platform/FileSystem.h"

namespace quarn::qt {

// nativePath is the name as the operating system spells it. Null when
// neither a new file nor the target can be opened for writing.
std::unique_ptr<File> OpenReplacing(const std::string& nativePath);

}  // namespace quarn::qt
