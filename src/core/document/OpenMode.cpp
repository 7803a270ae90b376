#include "core/document/OpenMode.h"

#include <memory>

#include "platform/FileSystem.h"
#include "platform/Platform.h"
#include "platform/Types.h"

namespace quarn {
namespace {

constexpr std::size_t kHeadBytes = 32;
constexpr std::uint32_t kCabinetBufferSize = 30720;

}  // namespace

bool LooksLikeCabinetHeader(const std::uint8_t* head, std::size_t n) {
  if (n < 8) return false;
  const std::uint32_t header = GetLe32(head);
  const std::uint32_t settingsOffset = GetLe32(head + 4);
  return (header >> 24) < 2 && (header & 0xFFFFFF) < 31 && settingsOffset - 1 < kCabinetBufferSize;
}

int DetectOpenModeOf(const std::uint8_t* head, std::size_t n) {
  if (n == 0) return 1;
  if (LooksLikeCabinetHeader(head, n)) return 3;
  for (std::size_t i = 0; i < n; ++i)
    if (head[i] <= 0x05 || (head[i] >= 0x0E && head[i] <= 0x1F)) return 2;
  return 1;
}

int DetectOpenMode(const std::string& path) {
  std::unique_ptr<File> file = Platform().files->openRead(path);
  if (!file) return 1;
  std::uint8_t head[kHeadBytes];
  std::size_t n = 0;
  while (n < kHeadBytes) {
    std::int64_t got = file->read(head + n, kHeadBytes - n);
    if (got <= 0) break;
    n += std::size_t(got);
  }
  file->close();
  return DetectOpenModeOf(head, n);
}

}  // namespace quarn
