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
  std::optional<FileStamp> stamp(const std::string& path) override;
  bool writeRefused(const std::string& path) override;
  bool makeDirectories(const std::string& path) override;
};

// Opens a regular file for reading by its name in an open directory (the
// system's bytes); null for anything else or when it cannot.
std::unique_ptr<File> OpenRegularFileAt(int directory, const char* name);

}  // namespace quarn::qt
