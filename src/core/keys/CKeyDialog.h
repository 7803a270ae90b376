// The keyboard page of the customisation sheet: the commands of a category,
// the keys bound to the chosen one, and the rules by which "追加" binds a
// key and "削除" removes one.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/KeyDialogs.h"

namespace quarn {

class CAccTblManeger;

class CKeyDialog {
 public:
  explicit CKeyDialog(CAccTblManeger& table) : table_(table) {}

  // The menu category with its first command chosen.
  void OnInitDialog(KeyboardPage& page);
  // The command list of page.category (the saved operations read again),
  // its first entry chosen.
  void OnCategory(KeyboardPage& page);
  // The keys of the chosen command.
  void OnCommand(KeyboardPage& page);
  void OnAdd(KeyboardPage& page);
  void OnRemove(KeyboardPage& page);

 private:
  std::uint32_t Category(const KeyboardPage& page) const;
  // The chosen command's id (menu, other) or name (operation).
  unsigned CommandId(const KeyboardPage& page) const;
  std::string OperationName(const KeyboardPage& page) const;
  void Refuse(KeyboardPage& page, KeyboardPage::Focus focus);

  CAccTblManeger& table_;
  std::vector<std::string> operations_;
};

}  // namespace quarn
