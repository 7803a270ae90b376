// Feeds arbitrary bytes to the cabinet reader (current and older format);
// whatever it accepts must be written and read back to the same contents.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "core/cabinet/CabinetFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quarn;
  const CabinetContents read = ReadCabinet(data, size);
  if (read.format == CabinetFormat::kMalformed) return 0;
  std::vector<CabinetEntry> entries = read.entries;
  for (CabinetEntry& e : entries)
    if (e.docKind == 0) e.docKind = 1;
  const CabinetContents again = ReadCabinet(WriteCabinet(entries, read.set));
  if (again.format != CabinetFormat::kCurrent || !(again.set == read.set)) std::abort();
  return 0;
}
