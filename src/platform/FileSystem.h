// File access. Paths are CP932 strings as the program holds them; the
// implementation converts them for the operating system.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace quarn {

class File {
 public:
  virtual ~File() = default;
  virtual std::int64_t length() = 0;
  // Reads up to n bytes; returns the count read (0 at the end), -1 on error.
  virtual std::int64_t read(void* buffer, std::size_t n) = 0;
  // Writes n bytes; false when not all of them were written.
  virtual bool write(const void* buffer, std::size_t n) = 0;
  // Told before the first write how many bytes will be written in all:
  // false when they cannot fit on the disk (nothing has been written then).
  virtual bool reserve(std::uint64_t total) {
    (void)total;
    return true;
  }
  // Positional reads, for filling parts of a large buffer from several
  // threads at once: readAt reads up to n bytes at offset without moving the
  // file position (0 at the end, -1 on error) and may be called from any
  // thread. A file that cannot do this says so, and is read with read().
  virtual bool canReadAt() const { return false; }
  virtual std::int64_t readAt(std::uint64_t offset, void* buffer, std::size_t n) {
    (void)offset;
    (void)buffer;
    (void)n;
    return -1;
  }
  // Flushes and closes; false when the data could not be written.
  virtual bool close() = 0;
};

// What tells one state of a file on disk from another: a file written or
// replaced by another program since has another stamp.
struct FileStamp {
  std::int64_t size = 0;
  std::int64_t modifiedNs = 0;  // modification time
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // Opens an existing regular file for reading; null when it cannot (a
  // directory included).
  virtual std::unique_ptr<File> openRead(const std::string& path) = 0;
  // The one way the program writes a file: a file that replaces path only
  // when it is closed successfully with every byte on the disk; until then
  // (and after any failed write, or when it is dropped unclosed) the old
  // file stays as it was, and its permissions carry over. Null when it
  // cannot be made (a directory, a file the user may not write).
  virtual std::unique_ptr<File> createReplacing(const std::string& path) = 0;
  virtual bool exists(const std::string& path) = 0;
  virtual bool isDirectory(const std::string& path) = 0;
  // Both read and write access are allowed on an existing file.
  virtual bool canReadWrite(const std::string& path) = 0;
  virtual bool remove(const std::string& path) = 0;
  // The absolute form of a path (relative ones against the current directory).
  virtual std::string fullPath(const std::string& path) = 0;
  // Makes path the current directory; false when it cannot be.
  virtual bool setCurrentDirectory(const std::string& /*path*/) { return false; }
  // The stamp of an existing file; none when there is no such file or the
  // file system cannot say.
  virtual std::optional<FileStamp> stamp(const std::string& /*path*/) { return std::nullopt; }
  // Whether the system refuses the user writing path: an existing file the
  // user may not write, or a new one in a directory the user may not write.
  virtual bool writeRefused(const std::string& path) {
    return exists(path) && !isDirectory(path) && !canReadWrite(path);
  }
  // Makes the directory path and any parent that is missing; true when it
  // is a directory afterwards.
  virtual bool makeDirectories(const std::string& path) { return isDirectory(path); }

  // Whole-file helpers built on the primitives above; writeAll replaces the
  // file through createReplacing, so a failed write leaves the old one.
  bool readAll(const std::string& path, std::string& out);
  bool writeAll(const std::string& path, const std::string& data);
};

// Reads at most limit bytes of file into out (a longer file gives its
// first limit bytes), as the program reads its own files into a fixed
// buffer; false on a read error.
bool ReadUpTo(File& file, std::size_t limit, std::string& out);

}  // namespace quarn
