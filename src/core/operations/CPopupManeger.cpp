#include "core/commands/CommandIds.h"
#include "core/operations/CPopupManeger.h"

#include "core/commands/CommandLists.h"
#include "platform/Types.h"

namespace quarn {

std::vector<int> CPopupManeger::DefaultList() { return {cmd::kUndo, cmd::kRedo, kSeparator, cmd::kCut, cmd::kCopy, cmd::kPaste}; }

std::string CPopupManeger::SaveBlock() const {
  std::string b;
  auto put = [&b](std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b += char((v >> (8 * i)) & 0xFF);
  };
  put(std::uint32_t(list_.size()));
  for (int id : list_) put(std::uint32_t(id));
  return b;
}

bool CPopupManeger::LoadBlock(const std::string& block) {
  const auto* p = reinterpret_cast<const std::uint8_t*>(block.data());
  if (block.size() < 4) return false;
  const std::uint32_t n = GetLe32(p);
  if (n > kMaxEntries || block.size() < 4 + 4 * std::size_t(n)) return false;
  std::vector<int> list;
  for (std::uint32_t i = 0; i < n; ++i) list.push_back(int(GetLe32(p + 4 + 4 * i)));
  list_ = std::move(list);
  return true;
}

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
