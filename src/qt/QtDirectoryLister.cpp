#include "qt/QtDirectoryLister.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

#include "platform/FileNames.h"
#include "qt/QtFileSystem.h"

namespace quarn::qt {

QtDirectoryLister::~QtDirectoryLister() { CloseListed(); }

void QtDirectoryLister::CloseListed() {
  if (listed_ >= 0) ::close(listed_);
  listed_ = -1;
  listedPath_.clear();
}

std::unique_ptr<File> QtDirectoryLister::openListed(const std::string& directory, const std::string& name) {
  if (listed_ < 0 || directory != listedPath_) return nullptr;
  return OpenRegularFileAt(listed_, names::ToOs(name).c_str());
}

bool QtDirectoryLister::identify(const std::string& directory, std::uint64_t& device, std::uint64_t& inode) {
  struct stat info;
  if (::stat(names::ToOs(directory).c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return false;
  device = std::uint64_t(info.st_dev);
  inode = std::uint64_t(info.st_ino);
  return true;
}

bool QtDirectoryLister::list(const std::string& directory, std::vector<DirectoryEntry>& out) {
  CloseListed();
  const std::string osDir = names::ToOs(directory);
  const int fd = ::open(osDir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  struct stat self;
  if (fd < 0 || ::fstat(fd, &self) != 0) {
    if (fd >= 0) ::close(fd);
    return false;
  }
  // The listing reads its own descriptor; the first stays for openListed.
  const int readFd = ::dup(fd);
  DIR* dir = readFd >= 0 ? ::fdopendir(readFd) : nullptr;
  if (!dir) {
    if (readFd >= 0) ::close(readFd);
    ::close(fd);
    return false;
  }
  listed_ = fd;
  listedPath_ = directory;
  while (const dirent* d = ::readdir(dir)) {
    if (!std::strcmp(d->d_name, ".") || !std::strcmp(d->d_name, "..")) continue;
    DirectoryEntry e;
    e.name = names::FromOs(d->d_name);
    // Plain files and directories are known from the entry; links and
    // entries of unknown kind are looked at (a broken link is left out).
    if (d->d_type == DT_REG || d->d_type == DT_DIR) {
      e.kind = d->d_type == DT_REG ? DirectoryEntry::kRegular : DirectoryEntry::kDirectory;
      e.device = std::uint64_t(self.st_dev);
      e.inode = std::uint64_t(d->d_ino);
      out.push_back(std::move(e));
      continue;
    }
    struct stat info;
    if (::stat((osDir + d->d_name).c_str(), &info) != 0) continue;
    e.kind = S_ISREG(info.st_mode)   ? DirectoryEntry::kRegular
             : S_ISDIR(info.st_mode) ? DirectoryEntry::kDirectory
                                     : DirectoryEntry::kOther;
    e.device = std::uint64_t(info.st_dev);
    e.inode = std::uint64_t(info.st_ino);
    out.push_back(std::move(e));
  }
  ::closedir(dir);
  std::sort(out.begin(), out.end(), [](const DirectoryEntry& a, const DirectoryEntry& b) { return a.name < b.name; });
  return true;
}

}  // namespace quarn::qt
