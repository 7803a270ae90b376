#include "qt/QtFileSystem.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <unistd.h>

#include "qt/QtText.h"

namespace quarn::qt {
namespace {

// Unbuffered: reads and writes go straight between the caller's buffer and
// the operating system, in the pieces the caller asks for.
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

  bool write(const void* buffer, std::size_t n) override {
    const char* p = static_cast<const char*>(buffer);
    while (n > 0) {
      qint64 put = file_.write(p, qint64(n));
      if (put <= 0) {
        failed_ = true;
        return false;
      }
      p += put;
      n -= std::size_t(put);
    }
    return true;
  }

  bool close() override {
    if (!file_.isOpen()) return !failed_;
    const bool flushed = file_.flush();
    file_.close();
    return flushed && !failed_ && file_.error() == QFileDevice::NoError;
  }

 private:
  QFile file_;
  bool failed_ = false;
};

// Writes go to a new file beside the target, which takes the target's
// place (keeping its permissions) only when every write succeeded.
class QtReplacingFile : public File {
 public:
  explicit QtReplacingFile(const QString& path) : file_(path) {
    // Where no new file can be made beside it, the target is written in place.
    file_.setDirectWriteFallback(true);
  }
  ~QtReplacingFile() override {
    if (file_.isOpen()) file_.cancelWriting();
  }

  bool open() { return file_.open(QIODevice::WriteOnly); }
  std::int64_t length() override { return file_.size(); }
  std::int64_t read(void*, std::size_t) override { return -1; }

  bool write(const void* buffer, std::size_t n) override {
    const char* p = static_cast<const char*>(buffer);
    while (n > 0) {
      const qint64 put = file_.write(p, qint64(n));
      if (put <= 0) {
        file_.cancelWriting();
        return false;
      }
      p += put;
      n -= std::size_t(put);
    }
    return true;
  }

  bool close() override { return file_.isOpen() && file_.commit(); }

 private:
  QSaveFile file_;
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

std::unique_ptr<File> QtFileSystem::create(const std::string& path) {
  const QString os = OsPath(path);
  if (path.empty() || QFileInfo(os).isDir()) return nullptr;
  auto file = std::make_unique<QtFile>(os);
  if (!file->open(QIODevice::ReadWrite | QIODevice::Truncate)) return nullptr;
  return file;
}

std::unique_ptr<File> QtFileSystem::createReplacing(const std::string& path) {
  const QString os = OsPath(path);
  if (path.empty() || QFileInfo(os).isDir()) return nullptr;
  auto file = std::make_unique<QtReplacingFile>(os);
  if (!file->open()) return nullptr;
  return file;
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
