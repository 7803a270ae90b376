// Feeds arbitrary bytes to the macro file reader (either format); whatever
// it accepts must walk record by record to its end and be written and read
// back to the same contents.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/macro/MacroFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quarn;
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  ReadMacroComment(bytes.substr(0, kMacroHeaderProbe));
  const auto read = ReadMacroFile(bytes);
  if (!read) return 0;
  if (read->records.size() > kRecordBufferSize || read->comment.size() > kMaxMacroComment ||
      !RecordsFill(read->records.data(), read->records.size(), read->count))
    std::abort();
  const auto again = ReadMacroFile(WriteMacroFile(read->comment, read->records.data(), read->records.size(), read->count));
  if (!again || again->comment != read->comment || again->records != read->records || again->count != read->count)
    std::abort();
  return 0;
}
