// The user's key table: the bindings of keys to menu commands, saved
// operations and the other commands, kept in insertion order. It reads and
// writes the key definition file next to the program, turns key presses
// into commands before the frame's own keys, writes the bound keys into the
// main menu's texts and lists the whole table as a text document.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/keys/KeyFile.h"
#include "core/keys/OperationLinks.h"
#include "core/commands/Menus.h"

namespace quarn {

class CVeskDoc;

class CAccTblManeger : public OperationKeys {
 public:
  CAccTblManeger() { SetDefaults(); }

  // The table the program has without a key definition file.
  void SetDefaults();
  const std::vector<KeyEntry>& Entries() const { return entries_; }
  // Puts back a table kept aside (the customisation sheet's Cancel).
  void SetEntries(std::vector<KeyEntry> entries) { entries_ = std::move(entries); }

  // The index of the next entry from from of the category whose command
  // (menu, other) or name (operation, exact) matches; -1 when none does.
  int FindKey(std::uint32_t category, int from, unsigned command, const std::string& name) const;
  // Appends a binding; false after 59432 (80 entries) or 59431 (the key
  // with these modifiers is bound already), the table unchanged.
  bool AddKey(std::uint32_t category, int key, int modifiers, unsigned command, const std::string& name);
  void RemoveKey(int index);
  // The index of the entry of that key (low byte) and those modifiers; -1.
  int FindBinding(int key, int modifiers) const;

  void PurgeOperationKeys() override;
  void RemoveOperationKeys(const std::string& name) override;
  bool AddOperationKey(int key, int modifiers, const std::string& name) override;
  std::string OperationKeyName(const std::string& name) const override;

  // Reads the key definition file: missing or unreadable leaves the table
  // silently, malformed shows 59428 and leaves it; a good file replaces it.
  void LoadKeys();
  // Writes the key definition file; 59430 when it cannot be written.
  void SaveKeys() override;

  // A key press with its modifiers (0 to 3) as the frame receives it: the
  // first entry of that key and exactly those modifiers sends its command
  // through sendCommand or plays its operation. True when the key was bound
  // (it then goes no further).
  bool TranslateKey(int key, int modifiers, const std::function<void(unsigned)>& sendCommand) const;

  // Every command item of menu gets its text up to a TAB, then a TAB and
  // the best key bound to the command when it has one; then the menu
  // command list is named from menu.
  void UpdateMenuKeys(menus::MenuBar& menu) const;

  // The lines of the key list, each ending in CR LF.
  std::vector<std::string> KeyListLines() const;
  // Appends the key list to a new text document; a beep when none could be
  // opened (null).
  void WriteKeyList(CVeskDoc* doc) const;

 private:
  std::string KeyLine(const std::string& name, std::uint32_t category, unsigned command) const;
  // Removes the operation entries pred picks; saves when any went.
  void RemoveOperationEntries(const std::function<bool(const std::string&)>& pred);

  std::vector<KeyEntry> entries_;
};

// The program's key table.
extern CAccTblManeger gKeyTable;

// "Ctrl+", "Shift+" or "Ctrl+Shift+" by the modifiers, then the key's name
// (nothing for a key outside the 49 bindable ones).
std::string KeyName(const KeyEntry& entry);

// The fixed accelerators the frame tries after the key table: Alt+Backspace
// undo, Alt+Shift+Backspace redo, F1 help, Shift+F1 context help; 0 for any
// other key (the modifiers must be exactly these).
unsigned FixedAccelerator(int key, bool alt, bool shift, bool control);

// Ctrl and Shift folded to the modifier value 0 to 3.
int FoldModifiers(bool control, bool shift);

// The program path with its last three characters replaced by "key"; empty
// when the program's directory is unknown.
std::string KeyFilePath();

}  // namespace quarn
