// Feeds arbitrary bytes to the user tools' block reader: a block it accepts
// must be written and read back to the same tools, and every block the data
// file's check passes must be accepted.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/app/DataFileFormat.h"
#include "core/operations/CMenuToolManeger.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quarn;
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  CMenuToolManeger tools;
  const std::size_t checked = CheckDataBlock(kToolsBlock, data, size);
  const bool accepted = tools.LoadBlock(bytes);
  if (checked > 0 && !accepted) std::abort();
  if (!accepted) return 0;
  CMenuToolManeger again;
  if (!again.LoadBlock(tools.SaveBlock()) || again.history != tools.history || again.tools != tools.tools ||
      again.toolbar != tools.toolbar || again.SaveBlock() != tools.SaveBlock())
    std::abort();
  return 0;
}
