#include "qt/QtDirectoryLister.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstring>

#include "platform/FileNames.h"

namespace quarn::qt {

bool QtDirectoryLister::list(const std::string& directory, std::vector<DirectoryEntry>& out) {
  const std::string osDir = names::ToOs(directory);
  struct stat self;
  DIR* dir = ::stat(osDir.c_str(), &self) == 0 ? ::opendir(osDir.c_str()) : nullptr;
  if (!dir) return false;
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
