// Qt's keys, modifiers and typed text in the terms the program's windows
// speak: Windows virtual-key codes, a KeyState and CP932 character bytes.
#pragma once

#include <Qt>
#include <string>

#include "platform/KeyCodes.h"

class QKeyEvent;

namespace quarn::qt {

// The virtual-key code of a Qt key; 0 for a key the program has no code
// for. keycode is the key's X keycode (its evdev code + 8), 0 when unknown:
// it names the physical key, so that the digit row and the punctuation keys
// give the same code with or without Shift on every layout, and letters
// come through on a layout without Latin letters. Without it, shifted
// punctuation gives the code of its key on a US keyboard.
int VirtualKeyFor(int qtKey, Qt::KeyboardModifiers modifiers, unsigned keycode = 0);
// The same for a key event, with its keycode where the platform gives X
// keycodes (X11, Wayland).
int VirtualKeyFor(const QKeyEvent& event);

KeyState KeyStateFor(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons);

// The character bytes a key press types (what the program would receive as
// characters): control characters for Backspace, Tab, Enter (Ctrl+Enter a
// line feed), Escape and Ctrl+letter; else the event's text in CP932.
// Nothing while Alt is held, and nothing for keys that type no text.
std::string CharBytesFor(const QKeyEvent& event);

}  // namespace quarn::qt
