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

constexpr int kClear = 0x0C;
constexpr int kPause = 0x13;
constexpr int kCapital = 0x14;
constexpr int kKana = 0x15;
constexpr int kKanji = 0x19;
constexpr int kConvert = 0x1C;
constexpr int kNonConvert = 0x1D;
constexpr int kSnapshot = 0x2C;
constexpr int kHelp = 0x2F;
constexpr int kLWin = 0x5B;
constexpr int kApps = 0x5D;
constexpr int kNumpad0 = 0x60;  // the keypad's 0..9 are 0x60..0x69
constexpr int kMultiply = 0x6A;
constexpr int kAdd = 0x6B;
constexpr int kSeparator = 0x6C;
constexpr int kSubtract = 0x6D;
constexpr int kDecimal = 0x6E;
constexpr int kDivide = 0x6F;
constexpr int kNumLock = 0x90;
constexpr int kScroll = 0x91;
// Punctuation keys, named by what they carry on a US keyboard.
constexpr int kOem1 = 0xBA;       // ; :
constexpr int kOemPlus = 0xBB;    // = +
constexpr int kOemComma = 0xBC;   // , <
constexpr int kOemMinus = 0xBD;   // - _
constexpr int kOemPeriod = 0xBE;  // . >
constexpr int kOem2 = 0xBF;       // / ?
constexpr int kOem3 = 0xC0;       // ` ~
constexpr int kOem4 = 0xDB;       // [ {
constexpr int kOem5 = 0xDC;       // \ |
constexpr int kOem6 = 0xDD;       // ] }
constexpr int kOem7 = 0xDE;       // ' "
constexpr int kOem102 = 0xE2;     // the extra key beside the left Shift

}  // namespace quarn::vk

namespace quarn {

// Modifier state that travels with keyboard and mouse events.
struct KeyState {
  bool shift = false;
  bool control = false;
  bool alt = false;
  bool leftButton = false;
  bool rightButton = false;
  bool middleButton = false;
};

}  // namespace quarn
