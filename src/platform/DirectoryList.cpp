#include "platform/DirectoryList.h"

namespace quarn {

DirectoryLister*& Directories() {
  static DirectoryLister* lister = nullptr;
  return lister;
}

}  // namespace quarn
