// Feeds arbitrary bytes to the key definition file reader; whatever it
// accepts must be written and read back to the same table.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "core/keys/KeyFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quarn;
  std::vector<KeyEntry> read;
  if (ReadKeyFile(data, size, read) == KeyFileFormat::kMalformed) return 0;
  if (read.size() > kMaxKeyEntries) std::abort();
  const std::string bytes = WriteKeyFile(read);
  std::vector<KeyEntry> again;
  if (ReadKeyFile(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), again) != KeyFileFormat::kCurrent ||
      again != read)
    std::abort();
  return 0;
}
