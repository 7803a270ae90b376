// The popup menu of the text window: a list of command identifiers with
// separators, shown at the pointer when the right button goes down.
#pragma once

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
  // The entries of the menu with the names of the main menu's commands.
  std::vector<PopupEntry> BuildPopup() const;

 private:
  std::vector<int> list_ = DefaultList();
};

inline CPopupManeger gPopup;

}  // namespace quarn
