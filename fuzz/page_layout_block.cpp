// The page layout command's recorded block: a block is taken whole or not
// at all, what is taken stores valid page layout values, and its block
// reads back the same.
#include "FuzzInput.h"
#include "core/print/CPageLayout.h"

using namespace quarn;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::uint8_t> block(data, data + size);
  auto dialog = CPageLayout::FromBlock(block);
  if (!dialog) return 0;
  fuzz::Check(dialog->Valid(), "a block read holds values the dialog can show");
  PageLayoutFields fields;
  dialog->Store(fields);
  fuzz::Check(CPageLayout(fields).Block() == dialog->Block(), "stored values give the same block");
  auto again = CPageLayout::FromBlock(dialog->Block());
  fuzz::Check(again && again->Block() == dialog->Block(), "a block written reads back");
  return 0;
}
