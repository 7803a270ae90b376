// The keys a user can bind, by name and virtual-key code, and the rules a
// new binding must pass in the keyboard page and the operation save dialog.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace quarn::keys {

// Modifier values of a key entry.
constexpr int kNoModifier = 0;
constexpr int kCtrl = 1;
constexpr int kShift = 2;
constexpr int kCtrlShift = 3;

// The 49 names in list order: "A" to "Z", "0" to "9", "F2" to "F12",
// "Insert", "Delete".
const std::vector<std::string>& BindableKeyNames();

// The virtual-key code of a name (exact match), or nothing.
std::optional<int> KeyCodeOfName(const std::string& name);

// The name of a virtual-key code (low byte), or "" for a key outside the 49.
std::string NameOfKeyCode(int code);

// A key without modifiers must be F2 to F12 (so typing stays typing), and
// Shift alone may not go with a letter or a digit (that is a capital letter
// or a symbol).
bool BindingAllowed(int code, int modifiers);

}  // namespace quarn::keys
