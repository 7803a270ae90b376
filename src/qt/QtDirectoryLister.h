// The directory listing of the global find on Linux: readdir with stat, so
// links are followed and each entry carries the identity of what it names.
#pragma once

#include "platform/DirectoryList.h"

namespace quarn::qt {

class QtDirectoryLister : public DirectoryLister {
 public:
  bool list(const std::string& directory, std::vector<DirectoryEntry>& out) override;
};

}  // namespace quarn::qt
