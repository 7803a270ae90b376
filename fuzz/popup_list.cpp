// Feeds arbitrary bytes to the popup menu's block reader: a list it accepts
// must be written and read back unchanged, and every block the data file's
// check passes must be accepted.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/app/DataFileFormat.h"
#include "core/operations/CPopupManeger.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quarn;
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  CPopupManeger popup;
  const std::size_t checked = CheckDataBlock(kPopupBlock, data, size);
  const bool accepted = popup.LoadBlock(bytes);
  if (checked > 0 && !accepted) std::abort();
  if (!accepted) return 0;
  CPopupManeger again;
  if (!again.LoadBlock(popup.SaveBlock()) || again.List() != popup.List()) std::abort();
  return 0;
}
