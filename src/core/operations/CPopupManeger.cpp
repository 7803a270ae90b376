#include "core/commands/CommandIds.h"
#include "core/operations/CPopupManeger.h"

#include "core/commands/CommandLists.h"

namespace quarn {

std::vector<int> CPopupManeger::DefaultList() { return {cmd::kUndo, cmd::kRedo, kSeparator, cmd::kCut, cmd::kCopy, cmd::kPaste}; }

std::vector<PopupEntry> CPopupManeger::BuildPopup() const {
  std::vector<PopupEntry> entries;
  for (int id : list_) {
    if (id == kSeparator)
      entries.push_back(PopupEntry{true, 0, {}});
    else
      entries.push_back(PopupEntry{false, unsigned(id), MenuCommandName(unsigned(id))});
  }
  return entries;
}

}  // namespace quarn
