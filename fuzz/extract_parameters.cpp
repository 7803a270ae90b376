// Feeds arbitrary bytes to the line extraction's parameter block reader;
// a block it takes must write back the same, pass the data file's check of
// its block, and plan a small text without fault.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "core/app/DataFileFormat.h"
#include "core/tools/CExtractManeger.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quarn;
  CExtractManeger m;
  if (!m.LoadParameters(data, size)) return 0;
  const std::vector<std::uint8_t> block = m.SaveParameters();
  CExtractManeger again;
  if (!again.LoadParameters(block) || again.SaveParameters() != block) std::abort();
  if (CheckDataBlock(1, block.data(), block.size()) != block.size()) std::abort();
  static const char kText[] = "a\r\nb\r\n\r\nab\r\nc";
  ExtractPlan plan;
  for (std::uint32_t run = 1; run <= 3; ++run)
    m.Plan(run, reinterpret_cast<const std::uint8_t*>(kText), sizeof kText - 1, plan);
  return 0;
}
