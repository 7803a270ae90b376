// Files on the local disk through QFile; the program's CP932 paths are
// converted to Unicode for the operating system.
#pragma once

#include "platform/FileSystem.h"

namespace quarn::qt {

class QtFileSystem : public FileSystem {
 public:
  std::unique_ptr<File> openRead(const std::string& path) override;
  std::unique_ptr<File> createReplacing(const std::string& path) override;
  bool exists(const std::string& path) override;
  bool isDirectory(const std::string& path) override;
  bool canReadWrite(const std::string& path) override;
  bool remove(const std::string& path) override;
  std::string fullPath(const std::string& path) override;
  bool setCurrentDirectory(const std::string& path) override;
};

}  // namespace quarn::qt
