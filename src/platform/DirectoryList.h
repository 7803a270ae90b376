// Listing a directory for the global find: the names in it with their kind.
// Paths are CP932 strings as the program holds them.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace quarn {

struct DirectoryEntry {
  std::string name;
  enum Kind { kRegular, kDirectory, kOther } kind = kOther;  // links are followed
  // Identifies a directory on its device, so that one reached again through a
  // link is not listed twice.
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
};

class DirectoryLister {
 public:
  virtual ~DirectoryLister() = default;
  // The entries of directory (ending in "/") without "." and "..", in name
  // order; false when it cannot be read.
  virtual bool list(const std::string& directory, std::vector<DirectoryEntry>& out) = 0;
  // Opens a regular file of directory by its name there, without walking
  // its path again, when directory is the one listed last (someone else may
  // have listed another meanwhile); null otherwise or when it cannot (the
  // caller then opens the file by its path).
  // The identity of directory itself, as an entry naming it would carry;
  // false when it cannot be had.
  virtual bool identify(const std::string& /*directory*/, std::uint64_t& /*device*/, std::uint64_t& /*inode*/) {
    return false;
  }
  virtual std::unique_ptr<File> openListed(const std::string& /*directory*/, const std::string& /*name*/) {
    return nullptr;
  }
};

// The lister the global find uses; main() installs the platform's, tests a fake.
DirectoryLister*& Directories();

}  // namespace quarn
