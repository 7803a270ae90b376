#include "qt/QtFileSystem.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <unistd.h>

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

QString OsPath(const std::string& path) { return ToQString(path); }

}  // namespace

std::unique_ptr<File> QtFileSystem::openRead(const std::string& path) {
  const QString os = OsPath(path);
  // Only regular files: a directory, a device or a pipe is no document.
  if (path.empty() || !QFileInfo(os).isFile()) return nullptr;
  auto file = std::make_unique<QtFile>(os);
  if (!file->open(QIODevice::ReadOnly)) return nullptr;
  return file;
}

std::unique_ptr<File> QtFileSystem::createReplacing(const std::string& path) {
  if (path.empty()) return nullptr;
  return OpenReplacing(QFile::encodeName(OsPath(path)).toStdString());
}

bool QtFileSystem::exists(const std::string& path) { return !path.empty() && QFileInfo::exists(OsPath(path)); }

bool QtFileSystem::isDirectory(const std::string& path) { return !path.empty() && QFileInfo(OsPath(path)).isDir(); }

bool QtFileSystem::canReadWrite(const std::string& path) {
  if (path.empty()) return false;
  const QFileInfo info(OsPath(path));
  return info.exists() && !info.isDir() && info.isReadable() && info.isWritable();
}

bool QtFileSystem::remove(const std::string& path) { return !path.empty() && QFile::remove(OsPath(path)); }

std::string QtFileSystem::fullPath(const std::string& path) {
  if (path.empty()) return {};
  return ToCp932(QDir::cleanPath(QDir::current().absoluteFilePath(OsPath(path))));
}

bool QtFileSystem::setCurrentDirectory(const std::string& path) { return !path.empty() && QDir::setCurrent(OsPath(path)); }

}  // namespace quarn::qt
