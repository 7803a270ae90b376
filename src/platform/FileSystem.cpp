#include "platform/FileSystem.h"

namespace quarn {

bool FileSystem::readAll(const std::string& path, std::string& out) {
  auto file = openRead(path);
  if (!file) return false;
  std::string data;
  char buffer[65536];
  for (;;) {
    std::int64_t n = file->read(buffer, sizeof buffer);
    if (n < 0) return false;
    if (n == 0) break;
    data.append(buffer, std::size_t(n));
  }
  out.swap(data);
  return true;
}

bool FileSystem::writeAll(const std::string& path, const std::string& data) {
  auto file = createReplacing(path);
  if (!file) return false;
  // Dropped without close() after a failure, the file is not replaced.
  if (!file->reserve(data.size()) || !file->write(data.data(), data.size())) return false;
  return file->close();
}

bool ReadUpTo(File& file, std::size_t limit, std::string& out) {
  out.resize(limit);
  std::size_t got = 0;
  while (got < limit) {
    const std::int64_t n = file.read(out.data() + got, limit - got);
    if (n < 0) return false;
    if (n == 0) break;
    got += std::size_t(n);
  }
  out.resize(got);
  return true;
}

}  // namespace quarn
