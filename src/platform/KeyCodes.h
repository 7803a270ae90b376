// Windows virtual-key codes: the program stores them in key files, so the
// core speaks them and the Qt layer maps its keys to them.
#pragma once

namespace quarn::vk {

constexpr int kBack = 0x08;
constexpr int kTab = 0x09;
constexpr int kReturn = 0x0D;
constexpr int kShift = 0x10;
constexpr int kControl = 0x11;
constexpr int kMenu = 0x12;
constexpr int kEscape = 0x1B;
constexpr int kSpace = 0x20;
constexpr int kPrior = 0x21;
constexpr int kNext = 0x22;
constexpr int kEnd = 0x23;
constexpr int kHome = 0x24;
constexpr int kLeft = 0x25;
constexpr int kUp = 0x26;
constexpr int kRight = 0x27;
constexpr int kDown = 0x28;
constexpr int kInsert = 0x2D;
constexpr int kDelete = 0x2E;
constexpr int k0 = 0x30;  // '0'..'9' are 0x30..0x39
constexpr int kA = 0x41;  // 'A'..'Z' are 0x41..0x5A
constexpr int kF1 = 0x70;  // F1..F24 are 0x70..0x87

}  // namespace quarn::vk

namespace quarn {

// Modifier state that travels with keyboard and mouse events.
struct KeyState {
  bool shift = false;
  bool control = false;
  bool alt = false;
  bool leftButton = false;
};

}  // namespace quarn
