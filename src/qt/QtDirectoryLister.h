// The directory listing of the global find on Linux: readdir with stat, so
// links are followed and each entry carries the identity of what it names.
#pragma once

#include "platform/DirectoryList.h"

namespace quarn::qt {

class QtDirectoryLister : public DirectoryLister {
 public:
  QtDirectoryLister() = default;
  ~QtDirectoryLister() override;
  QtDirectoryLister(const QtDirectoryLister&) = delete;
  QtDirectoryLister& operator=(const QtDirectoryLister&) = delete;

  bool list(const std::string& directory, std::vector<DirectoryEntry>& out) override;
  bool identify(const std::string& directory, std::uint64_t& device, std::uint64_t& inode) override;
  std::unique_ptr<File> openListed(const std::string& directory, const std::string& name) override;

 private:
  void CloseListed();

  int listed_ = -1;  // the directory listed last, kept open for its files
  std::string listedPath_;
};

}  // namespace quarn::qt
