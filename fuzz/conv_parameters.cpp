// Feeds arbitrary bytes to the free conversion's parameter block reader; a
// block it takes must write back the same, pass the data file's check of
// its block, and convert every kind of character without fault.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "core/app/DataFileFormat.h"
#include "core/tools/CConvManeger.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quarn;
  CConvManeger m;
  if (!m.LoadParameters(data, size)) return 0;
  const std::vector<std::uint8_t> block = m.SaveParameters();
  CConvManeger again;
  if (!again.LoadParameters(block) || again.SaveParameters() != block) std::abort();
  if (CheckDataBlock(3, block.data(), block.size()) != block.size()) std::abort();
  static const char kText[] = "aZ09 !\x81\x40\x82\xa0\x83\x41\xb6\xde\xca\xdf\xa1\x82\x60\x82\x81\x81";
  m.Convert(reinterpret_cast<const std::uint8_t*>(kText), sizeof kText - 1);
  return 0;
}
