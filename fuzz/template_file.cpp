// Feeds arbitrary bytes to the template reader, and the first bytes as a
// record to the table of the fields it read.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "core/tools/CFormManeger.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quarn;
  const std::vector<TemplateField> fields = ReadTemplate(data, size);
  if (fields.size() > kMaxTemplateFields) std::abort();
  for (const TemplateField& f : fields)
    if (f.size == 0 || f.size > kMaxCharacterField) std::abort();
  FormatTable(data, size / 2, "t", fields);
  return 0;
}
