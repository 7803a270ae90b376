#include "core/res/Toolbar.h"

#include <array>

#include "core/res/StringTable.h"

namespace quarn::toolbar {
namespace {

constexpr std::array<unsigned, 16> kImages = {57600, 57601, 57603, 57635, 57634, 32910, 57637, 57643,
                                              57644, 195,   32911, 32912, 32772, 32773, 32774, 57669};

}  // namespace

const std::vector<unsigned>& DefaultToolbar() {
  static const std::vector<unsigned> entries = {
      57600, 57601, 57603, kSeparator, 57635, 57634, 32910, 57637, kSeparator, 57643, 57644, kSeparator,
      kFindBox, kSeparator, kFindNextButton, kSeparator, 32911, 32912, kSeparator, 32772, 32773, 32774,
      kSeparator, 57669};
  return entries;
}

int ButtonImage(unsigned id) {
  for (std::size_t i = 0; i < kImages.size(); ++i)
    if (kImages[i] == id) return int(i);
  return -1;
}

std::string ButtonTip(unsigned id) {
  const std::string& text = LoadString(id == kFindNextButton ? 59445 : id == 57669 ? 59447 : id);
  const std::size_t lineBreak = text.find('\n');
  if (lineBreak != std::string::npos) return text.substr(lineBreak + 1);
  std::string tip = text;
  // "新規作成(&N)..." shows as "新規作成".
  if (tip.size() >= 3 && tip.compare(tip.size() - 3, 3, "...") == 0) tip.resize(tip.size() - 3);
  const std::size_t mnemonic = tip.rfind("(&");
  if (mnemonic != std::string::npos && tip.size() - mnemonic == 4 && tip.back() == ')') tip.resize(mnemonic);
  return tip;
}

}  // namespace quarn::toolbar
