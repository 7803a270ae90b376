// Feeds arbitrary bytes to the data file reader; whatever it accepts must be
// written and read back to the same contents.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "core/app/DataFileFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quarn;
  DataFileContents read;
  if (ReadDataFile(data, size, read) == DataFileFormat::kMalformed) return 0;
  const std::string bytes = WriteDataFile(read);
  DataFileContents again;
  if (ReadDataFile(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), again) !=
          DataFileFormat::kCurrent ||
      !(again == read))
    std::abort();
  return 0;
}
