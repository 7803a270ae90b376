#include "qt/QtFileSystem.h"

#include <QFileInfo>

#include <cerrno>
#include <filesystem>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "platform/FileNames.h"
#include "qt/QtText.h"
#include "qt/ReplacingFile.h"

namespace quarn::qt {
namespace {

// A file opened for reading, unbuffered: reads go straight from the
// operating system into the caller's buffer, in the pieces it asks for. The
// descriptor is used as it is, so that reading a small file costs no more
// calls than its reads.
class QtFile : public File {
 public:
  explicit QtFile(int fd) : fd_(fd) {}
  ~QtFile() override { close(); }

  std::int64_t length() override {
    struct stat info;
    return fd_ >= 0 && ::fstat(fd_, &info) == 0 ? std::int64_t(info.st_size) : 0;
  }

  std::int64_t read(void* buffer, std::size_t n) override {
    if (fd_ < 0) return -1;
    for (;;) {
      const ssize_t got = ::read(fd_, buffer, n);
      if (got >= 0) return got;
      if (errno != EINTR) return -1;
    }
  }

  bool canReadAt() const override { return fd_ >= 0; }

  // pread: the shared file position would make reads from two threads race.
  std::int64_t readAt(std::uint64_t offset, void* buffer, std::size_t n) override {
    if (fd_ < 0) return -1;
    for (;;) {
      const ssize_t got = ::pread(fd_, buffer, n, off_t(offset));
      if (got >= 0) return got;
      if (errno != EINTR) return -1;
    }
  }

  // Files are written only through OpenReplacing.
  bool write(const void*, std::size_t) override { return false; }

  bool close() override {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    return true;
  }

 private:
  int fd_;
};

// The name on disk of a path the program holds, as the system's bytes: every
// call here works on them, so a name that is not UTF-8 is reached too.
QByteArray OsName(const std::string& path) { return PathToOs(path); }

bool Stat(const std::string& path, struct stat& info) {
  return !path.empty() && ::stat(OsName(path).constData(), &info) == 0;
}

// "." and ".." and repeated separators taken out of an absolute path, byte
// by byte: no name changes on the way.
std::string CleanPath(const std::string& path) {
  std::vector<std::string> parts;
  std::size_t at = 0;
  while (at <= path.size()) {
    std::size_t slash = path.find('/', at);
    if (slash == std::string::npos) slash = path.size();
    const std::string part = path.substr(at, slash - at);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    at = slash + 1;
  }
  std::string clean;
  for (const std::string& part : parts) clean += "/" + part;
  return clean.empty() ? "/" : clean;
}

}  // namespace

std::unique_ptr<File> OpenRegularFileAt(int directory, const char* name) {
  // Without waiting for a writer of a pipe; only regular files are read (a
  // directory, a device or a pipe is no document). O_NONBLOCK has no effect
  // on the reads of a regular file, so it stays set.
  const int fd = ::openat(directory, name, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return nullptr;
  struct stat info;
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return nullptr;
  }
  return std::make_unique<QtFile>(fd);
}

std::unique_ptr<File> QtFileSystem::openRead(const std::string& path) {
  if (path.empty()) return nullptr;
  return OpenRegularFileAt(AT_FDCWD, OsName(path).constData());
}

std::unique_ptr<File> QtFileSystem::createReplacing(const std::string& path) {
  if (path.empty()) return nullptr;
  // The replacing file works on the name's bytes, so a name that is not
  // UTF-8 is saved under its own name too.
  return OpenReplacing(OsName(path).toStdString());
}

bool QtFileSystem::exists(const std::string& path) {
  struct stat info;
  return Stat(path, info);
}

bool QtFileSystem::isDirectory(const std::string& path) {
  struct stat info;
  return Stat(path, info) && S_ISDIR(info.st_mode);
}

bool QtFileSystem::canReadWrite(const std::string& path) {
  struct stat info;
  return Stat(path, info) && !S_ISDIR(info.st_mode) && ::access(OsName(path).constData(), R_OK | W_OK) == 0;
}

bool QtFileSystem::remove(const std::string& path) { return !path.empty() && ::unlink(OsName(path).constData()) == 0; }

std::string QtFileSystem::fullPath(const std::string& path) {
  if (path.empty()) return {};
  if (path[0] == '/') return CleanPath(path);
  std::error_code error;
  const std::string current = std::filesystem::current_path(error).native();
  return CleanPath(names::FromOs(current) + "/" + path);
}

std::optional<FileStamp> QtFileSystem::stamp(const std::string& path) {
  struct stat info;
  if (!Stat(path, info) || S_ISDIR(info.st_mode)) return std::nullopt;
  return FileStamp{std::int64_t(info.st_size), std::int64_t(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec,
                   std::uint64_t(info.st_dev), std::uint64_t(info.st_ino)};
}

bool QtFileSystem::writeRefused(const std::string& path) {
  if (path.empty()) return false;
  const QByteArray os = OsName(path);
  if (::access(os.constData(), W_OK) == 0) return false;
  if (errno != ENOENT) return errno == EACCES || errno == EPERM || errno == EROFS;
  // A new file: the directory it would be made in.
  const qsizetype slash = os.lastIndexOf('/');
  const QByteArray directory = slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : os.left(slash);
  return ::access(directory.constData(), W_OK) != 0 && (errno == EACCES || errno == EPERM || errno == EROFS);
}

bool QtFileSystem::makeDirectories(const std::string& path) {
  if (path.empty()) return false;
  std::error_code error;
  std::filesystem::create_directories(OsName(path).toStdString(), error);
  return isDirectory(path);
}

bool QtFileSystem::setCurrentDirectory(const std::string& path) {
  return !path.empty() && ::chdir(OsName(path).constData()) == 0;
}

}  // namespace quarn::qt
