#include "qt/QtFileSystem.h"

#include <QFile>
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
// operating system into the caller's buffer, in the pieces it asks for.
class QtFile : public File {
 public:
  explicit QtFile(const QString& path) : file_(path) {}
  ~QtFile() override { file_.close(); }

  bool open(QIODevice::OpenMode mode) { return file_.open(mode | QIODevice::Unbuffered); }
  // A descriptor opened by name bytes; the file closes it.
  bool open(int fd, QIODevice::OpenMode mode) {
    return file_.open(fd, mode | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle);
  }

  std::int64_t length() override { return file_.size(); }

  std::int64_t read(void* buffer, std::size_t n) override {
    qint64 got = file_.read(static_cast<char*>(buffer), qint64(n));
    return got < 0 ? -1 : got;
  }

  bool canReadAt() const override { return file_.handle() >= 0; }

  // pread on the descriptor: QFile has no positional read, and the shared
  // file position would make reads from two threads race.
  std::int64_t readAt(std::uint64_t offset, void* buffer, std::size_t n) override {
    const int fd = file_.handle();
    if (fd < 0) return -1;
    for (;;) {
      const ssize_t got = ::pread(fd, buffer, n, off_t(offset));
      if (got >= 0) return got;
      if (errno != EINTR) return -1;
    }
  }

  // Files are written only through OpenReplacing.
  bool write(const void*, std::size_t) override { return false; }

  bool close() override {
    file_.close();
    return true;
  }

 private:
  QFile file_;
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

std::unique_ptr<File> QtFileSystem::openRead(const std::string& path) {
  // Only regular files: a directory, a device or a pipe is no document.
  struct stat info;
  if (!Stat(path, info) || !S_ISREG(info.st_mode)) return nullptr;
  const int fd = ::open(OsName(path).constData(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return nullptr;
  auto file = std::make_unique<QtFile>(QString());
  if (!file->open(fd, QIODevice::ReadOnly)) {
    ::close(fd);
    return nullptr;
  }
  return file;
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

bool QtFileSystem::setCurrentDirectory(const std::string& path) {
  return !path.empty() && ::chdir(OsName(path).constData()) == 0;
}

}  // namespace quarn::qt
