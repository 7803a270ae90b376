#include "qt/ReplacingFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <random>

namespace quarn::qt {
namespace {

// The new file is named "." + the target's name + "." + six hex digits; a
// long name is cut so that the whole stays within a 255-byte name.
constexpr std::size_t kMaxBaseBytes = 200;
constexpr int kNameAttempts = 64;

// Past a file-size limit the kernel ends the process with SIGXFSZ unless it
// is ignored; ignored, the write fails with EFBIG and the save is refused
// instead of every open document being lost.
void IgnoreFileSizeSignal() {
  static const bool ignored = (std::signal(SIGXFSZ, SIG_IGN), true);
  (void)ignored;
}

bool WriteFully(int fd, const char* p, std::size_t n) {
  while (n > 0) {
    const ssize_t put = ::write(fd, p, n);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return false;
    p += put;
    n -= std::size_t(put);
  }
  return true;
}

std::string DirectoryOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// The rename needs the new name on the disk too.
void SyncDirectory(const std::string& directory) {
  const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// A symbolic link is followed so that the file it names is replaced and the
// link stays; empty for a link that leads nowhere.
std::string ResolvedTarget(const std::string& path) {
  struct stat st;
  if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
  char* real = ::realpath(path.c_str(), nullptr);
  if (!real) return {};
  std::string resolved(real);
  std::free(real);
  return resolved;
}

class ReplacingFile : public File {
 public:
  // temp empty: fd is the target itself, written in place.
  ReplacingFile(int fd, std::string target, std::string temp, bool regular, std::optional<mode_t> mode)
      : fd_(fd), target_(std::move(target)), temp_(std::move(temp)), regular_(regular), mode_(mode) {}
  ~ReplacingFile() override {
    if (fd_ >= 0) Discard();
  }

  std::int64_t length() override { return std::int64_t(written_); }
  std::int64_t read(void*, std::size_t) override { return -1; }

  bool reserve(std::uint64_t total) override {
    if (fd_ < 0 || failed_) return false;
    if (!regular_ || total == 0) return true;
    struct stat before;
    if (::fstat(fd_, &before) != 0) return true;
    int result;
    do result = ::fallocate(fd_, 0, 0, off_t(total));
    while (result != 0 && errno == EINTR);
    // A file system without reservations finds out with the writes.
    if (result == 0 || errno == EOPNOTSUPP || errno == ENOSYS) return true;
    // Nothing was written: give the file its old length back.
    [[maybe_unused]] const int restored = ::ftruncate(fd_, before.st_size);
    failed_ = true;
    return false;
  }

  bool write(const void* buffer, std::size_t n) override {
    if (fd_ < 0 || failed_) return false;
    if (!WriteFully(fd_, static_cast<const char*>(buffer), n)) {
      failed_ = true;
      return false;
    }
    written_ += n;
    return true;
  }

  bool close() override {
    if (fd_ < 0) return false;
    bool ok = !failed_;
    // A reservation may have made the file longer than what was written.
    if (ok && regular_) ok = ::ftruncate(fd_, off_t(written_)) == 0;
    if (ok && mode_) ok = ::fchmod(fd_, *mode_) == 0;
    if (ok && regular_) ok = ::fsync(fd_) == 0;
    if (!ok) {
      Discard();
      return false;
    }
    const int fd = fd_;
    fd_ = -1;
    ok = ::close(fd) == 0;
    if (temp_.empty()) return ok;
    if (ok && ::rename(temp_.c_str(), target_.c_str()) == 0) {
      SyncDirectory(DirectoryOf(target_));
      return true;
    }
    ::unlink(temp_.c_str());
    return false;
  }

 private:
  void Discard() {
    ::close(fd_);
    fd_ = -1;
    if (!temp_.empty()) ::unlink(temp_.c_str());
  }

  int fd_;
  std::string target_;
  std::string temp_;
  bool regular_;
  std::optional<mode_t> mode_;  // the old file's permissions, set before the rename
  std::uint64_t written_ = 0;
  bool failed_ = false;
};

// A new file beside target; null when none can be made or the old file's
// owner could not be given to it.
std::unique_ptr<File> OpenBeside(const std::string& target, const struct stat* old) {
  const std::size_t slash = target.rfind('/');
  const std::string directory = slash == std::string::npos ? "." : DirectoryOf(target);
  const std::string base = target.substr(slash == std::string::npos ? 0 : slash + 1).substr(0, kMaxBaseBytes);
  static std::mt19937 random{std::random_device{}()};
  std::string temp;
  int fd = -1;
  for (int attempt = 0; attempt < kNameAttempts && fd < 0; ++attempt) {
    char suffix[8];
    std::snprintf(suffix, sizeof suffix, ".%06x", unsigned(random() & 0xFFFFFF));
    temp = directory + "/." + base + suffix;
    // Until the rename the new bytes are the user's alone; a new file gets
    // the usual permissions (the umask applies).
    fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, old ? 0600 : 0666);
    if (fd < 0 && errno != EEXIST) return nullptr;
  }
  if (fd < 0) return nullptr;
  if (old && (old->st_uid != ::geteuid() || old->st_gid != ::getegid()) &&
      ::fchown(fd, old->st_uid, old->st_gid) != 0) {
    ::close(fd);
    ::unlink(temp.c_str());
    return nullptr;
  }
  std::optional<mode_t> mode;
  if (old) mode = old->st_mode & 07777;
  return std::make_unique<ReplacingFile>(fd, target, temp, true, mode);
}

std::unique_ptr<File> OpenInPlace(const std::string& target) {
  const int fd = ::open(target.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0) return nullptr;
  struct stat st;
  const bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
  return std::make_unique<ReplacingFile>(fd, target, std::string(), regular, std::nullopt);
}

}  // namespace

std::unique_ptr<File> OpenReplacing(const std::string& nativePath) {
  IgnoreFileSizeSignal();
  if (nativePath.empty()) return nullptr;
  const std::string target = ResolvedTarget(nativePath);
  if (target.empty()) return OpenInPlace(nativePath);
  struct stat old;
  const bool exists = ::stat(target.c_str(), &old) == 0;
  if (exists && S_ISDIR(old.st_mode)) return nullptr;
  // A file the user may not write is not replaced behind its back.
  if (exists && ::access(target.c_str(), W_OK) != 0) return nullptr;
  // Another link to the file would keep the old bytes: write it in place.
  const bool replaceable = !exists || (S_ISREG(old.st_mode) && old.st_nlink == 1);
  if (replaceable)
    if (auto file = OpenBeside(target, exists ? &old : nullptr)) return file;
  return OpenInPlace(target);
}

}  // namespace quarn::qt
