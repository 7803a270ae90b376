// Feeds arbitrary bytes to the template history's data-file block reader; a
// block it takes must write back one that reads the same and passes the
// data file's check.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "core/app/DataFileFormat.h"
#include "core/tools/CFormManeger.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quarn;
  CFormManeger form;
  if (!form.LoadBlock(data, size)) return 0;
  const std::vector<std::uint8_t> block = form.SaveBlock();
  CFormManeger again;
  if (!again.LoadBlock(block.data(), block.size()) || again.History() != form.History()) std::abort();
  if (CheckDataBlock(5, block.data(), block.size()) != block.size()) std::abort();
  return 0;
}
