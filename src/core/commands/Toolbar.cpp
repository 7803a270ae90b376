#include "core/commands/CommandIds.h"
#include "core/commands/Toolbar.h"

#include <array>

#include "core/res/StringTable.h"

namespace quarn::toolbar {
namespace {

constexpr std::array<unsigned, 16> kImages = {cmd::kFileNew, cmd::kFileOpen, cmd::kFileSave, cmd::kCut, cmd::kCopy, cmd::kScreenCopy, cmd::kPaste, cmd::kUndo,
                                              cmd::kRedo, 195,   cmd::kCompare, cmd::kFormat, cmd::kMarkToggle, cmd::kMarkNext, cmd::kMarkPrev, cmd::kContextHelp};

}  // namespace

const std::vector<unsigned>& DefaultToolbar() {
  static const std::vector<unsigned> entries = {
      cmd::kFileNew, cmd::kFileOpen, cmd::kFileSave, kSeparator, cmd::kCut, cmd::kCopy, cmd::kScreenCopy, cmd::kPaste, kSeparator, cmd::kUndo, cmd::kRedo, kSeparator,
      kFindBox, kSeparator, kFindNextButton, kSeparator, cmd::kCompare, cmd::kFormat, kSeparator, cmd::kMarkToggle, cmd::kMarkNext, cmd::kMarkPrev,
      kSeparator, cmd::kContextHelp};
  return entries;
}

const std::vector<unsigned>& ButtonCommands() {
  static const std::vector<unsigned> commands(kImages.begin(), kImages.end());
  return commands;
}

int ButtonImage(unsigned id) {
  for (std::size_t i = 0; i < kImages.size(); ++i)
    if (kImages[i] == id) return int(i);
  return -1;
}

std::string ButtonTip(unsigned id) {
  const std::string& text = LoadString(id == kFindNextButton ? 59445 : id == cmd::kContextHelp ? 59447 : id);
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
