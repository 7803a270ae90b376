// Qt's keys, modifiers and typed text in the terms the program's windows
// speak: Windows virtual-key codes, a KeyState and CP932 character bytes.
#pragma once

#include <Qt>
#include <string>

#include "platform/KeyCodes.h"

class QKeyEvent;

namespace quarn::qt {

// The virtual-key code of a Qt key; 0 for a key the program has no code
// for. Shifted punctuation gives the code of its key on a US keyboard.
int VirtualKeyFor(int qtKey, Qt::KeyboardModifiers modifiers);

KeyState KeyStateFor(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons);

// The character bytes a key press types (what the program would receive as
// characters): control characters for Backspace, Tab, Enter (Ctrl+Enter a
// line feed), Escape and Ctrl+letter; else the event's text in CP932.
// Nothing while Alt is held, and nothing for keys that type no text.
std::string CharBytesFor(const QKeyEvent& event);

}  // namespace quarn::qt
