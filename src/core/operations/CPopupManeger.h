// The popup menu of the text window: a list of command identifiers with
// separators, shown at the pointer when the right button goes down.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace quarn {

struct PopupEntry {
  bool separator = false;
  unsigned id = 0;
  std::string name;  // CP932, the command's display name
};

class CPopupManeger {
 public:
  static constexpr int kSeparator = -1;

  // Undo, Redo, a separator, Cut, Copy, Paste.
  static std::vector<int> DefaultList();

  const std::vector<int>& List() const { return list_; }
  void SetList(std::vector<int> list) { list_ = std::move(list); }
  // The data file's block: a count and the identifiers (-1 a separator).
  std::string SaveBlock() const;
  // False (the list unchanged) when the count is over 30 or the block ends
  // early.
  bool LoadBlock(const std::string& block);

  static constexpr std::size_t kMaxEntries = 30;

  // The entries of the menu with the names of the main menu's commands.
  std::vector<PopupEntry> BuildPopup() const;

 private:
  std::vector<int> list_ = DefaultList();
};

inline CPopupManeger gPopup;

}  // namespace quarn
