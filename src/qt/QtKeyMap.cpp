#include "qt/QtKeyMap.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <string>

#include "qt/QtText.h"

namespace quarn::qt {

namespace {

struct KeyPair {
  int qtKey;
  int vk;
};

constexpr KeyPair kNamedKeys[] = {
    {Qt::Key_Backspace, vk::kBack},      {Qt::Key_Tab, vk::kTab},
    {Qt::Key_Backtab, vk::kTab},         {Qt::Key_Return, vk::kReturn},
    {Qt::Key_Enter, vk::kReturn},        {Qt::Key_Shift, vk::kShift},
    {Qt::Key_Control, vk::kControl},     {Qt::Key_Alt, vk::kMenu},
    {Qt::Key_AltGr, vk::kMenu},          {Qt::Key_Pause, vk::kPause},
    {Qt::Key_CapsLock, vk::kCapital},    {Qt::Key_Escape, vk::kEscape},
    {Qt::Key_Space, vk::kSpace},         {Qt::Key_PageUp, vk::kPrior},
    {Qt::Key_PageDown, vk::kNext},       {Qt::Key_End, vk::kEnd},
    {Qt::Key_Home, vk::kHome},           {Qt::Key_Left, vk::kLeft},
    {Qt::Key_Up, vk::kUp},               {Qt::Key_Right, vk::kRight},
    {Qt::Key_Down, vk::kDown},           {Qt::Key_Print, vk::kSnapshot},
    {Qt::Key_Insert, vk::kInsert},       {Qt::Key_Delete, vk::kDelete},
    {Qt::Key_Help, vk::kHelp},           {Qt::Key_Clear, vk::kClear},
    {Qt::Key_Meta, vk::kLWin},           {Qt::Key_Super_L, vk::kLWin},
    {Qt::Key_Menu, vk::kApps},           {Qt::Key_NumLock, vk::kNumLock},
    {Qt::Key_ScrollLock, vk::kScroll},   {Qt::Key_Kanji, vk::kKanji},
    {Qt::Key_Zenkaku_Hankaku, vk::kKanji}, {Qt::Key_Henkan, vk::kConvert},
    {Qt::Key_Muhenkan, vk::kNonConvert}, {Qt::Key_Hiragana_Katakana, vk::kKana},
    {Qt::Key_Katakana, vk::kKana},       {Qt::Key_Hiragana, vk::kKana},
};

// Punctuation and shifted digits by the key that carries them on a US
// keyboard.
constexpr KeyPair kCharacterKeys[] = {
    {Qt::Key_Semicolon, vk::kOem1},    {Qt::Key_Colon, vk::kOem1},
    {Qt::Key_Equal, vk::kOemPlus},     {Qt::Key_Plus, vk::kOemPlus},
    {Qt::Key_Comma, vk::kOemComma},    {Qt::Key_Less, vk::kOemComma},
    {Qt::Key_Minus, vk::kOemMinus},    {Qt::Key_Underscore, vk::kOemMinus},
    {Qt::Key_Period, vk::kOemPeriod},  {Qt::Key_Greater, vk::kOemPeriod},
    {Qt::Key_Slash, vk::kOem2},        {Qt::Key_Question, vk::kOem2},
    {Qt::Key_QuoteLeft, vk::kOem3},    {Qt::Key_AsciiTilde, vk::kOem3},
    {Qt::Key_BracketLeft, vk::kOem4},  {Qt::Key_BraceLeft, vk::kOem4},
    {Qt::Key_Backslash, vk::kOem5},    {Qt::Key_Bar, vk::kOem5},
    {Qt::Key_yen, vk::kOem5},          {Qt::Key_BracketRight, vk::kOem6},
    {Qt::Key_BraceRight, vk::kOem6},   {Qt::Key_Apostrophe, vk::kOem7},
    {Qt::Key_QuoteDbl, vk::kOem7},     {Qt::Key_AsciiCircum, vk::kOem7},
    {Qt::Key_At, vk::kOem3},           {Qt::Key_Exclam, vk::k0 + 1},
    {Qt::Key_NumberSign, vk::k0 + 3},  {Qt::Key_Dollar, vk::k0 + 4},
    {Qt::Key_Percent, vk::k0 + 5},     {Qt::Key_Ampersand, vk::k0 + 7},
    {Qt::Key_Asterisk, vk::k0 + 8},    {Qt::Key_ParenLeft, vk::k0 + 9},
    {Qt::Key_ParenRight, vk::k0},
};

// The keys of the main block by X keycode, named as on a US keyboard.
constexpr KeyPair kPhysicalKeys[] = {
    {10, vk::k0 + 1},   {11, vk::k0 + 2},       {12, vk::k0 + 3},     {13, vk::k0 + 4},  {14, vk::k0 + 5},
    {15, vk::k0 + 6},   {16, vk::k0 + 7},       {17, vk::k0 + 8},     {18, vk::k0 + 9},  {19, vk::k0},
    {20, vk::kOemMinus}, {21, vk::kOemPlus},    {34, vk::kOem4},      {35, vk::kOem6},   {47, vk::kOem1},
    {48, vk::kOem7},    {49, vk::kOem3},        {51, vk::kOem5},      {59, vk::kOemComma}, {60, vk::kOemPeriod},
    {61, vk::kOem2},    {94, vk::kOem102},      {97, vk::kOem102},    {132, vk::kOem5},
};

// The letter keys by X keycode, rows as on a US keyboard.
int PhysicalLetterFor(unsigned keycode) {
  static constexpr struct {
    unsigned first;
    const char* letters;
  } kRows[] = {{24, "QWERTYUIOP"}, {38, "ASDFGHJKL"}, {52, "ZXCVBNM"}};
  for (const auto& row : kRows)
    if (keycode >= row.first && keycode - row.first < std::char_traits<char>::length(row.letters))
      return row.letters[keycode - row.first];
  return 0;
}

// A shifted "@" or "^" is the US keyboard's 2 or 6; unshifted they have
// keys of their own (as on a Japanese keyboard).
int ShiftedOnDigitFor(int qtKey) {
  switch (qtKey) {
    case Qt::Key_At: return vk::k0 + 2;
    case Qt::Key_AsciiCircum: return vk::k0 + 6;
    default: return 0;
  }
}

// The keypad's keys when Num Lock gives digits and operators.
int KeypadKeyFor(int qtKey) {
  if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return vk::kNumpad0 + (qtKey - Qt::Key_0);
  switch (qtKey) {
    case Qt::Key_Asterisk: return vk::kMultiply;
    case Qt::Key_Plus: return vk::kAdd;
    case Qt::Key_Minus: return vk::kSubtract;
    case Qt::Key_Period: return vk::kDecimal;
    case Qt::Key_Comma: return vk::kSeparator;
    case Qt::Key_Slash: return vk::kDivide;
    default: return 0;
  }
}

template <std::size_t N>
int Lookup(const KeyPair (&table)[N], int qtKey) {
  for (const KeyPair& pair : table) {
    if (pair.qtKey == qtKey) return pair.vk;
  }
  return 0;
}

}  // namespace

int VirtualKeyFor(int qtKey, Qt::KeyboardModifiers modifiers, unsigned keycode) {
  if (modifiers & Qt::KeypadModifier) {
    if (const int vk = KeypadKeyFor(qtKey)) return vk;
  }
  if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return vk::kA + (qtKey - Qt::Key_A);
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return vk::kF1 + (qtKey - Qt::Key_F1);
  // Named keys first: a Japanese keyboard has 半角/全角 where a US one has "`".
  if (const int vk = Lookup(kNamedKeys, qtKey)) return vk;
  // X keycodes stay below 256; the table holds no keycode 0.
  if (const int vk = keycode < 256 ? Lookup(kPhysicalKeys, int(keycode)) : 0) return vk;
  if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return vk::k0 + (qtKey - Qt::Key_0);
  if (const int vk = modifiers & Qt::ShiftModifier ? ShiftedOnDigitFor(qtKey) : 0) return vk;
  if (const int vk = Lookup(kCharacterKeys, qtKey)) return vk;
  return PhysicalLetterFor(keycode);
}

int VirtualKeyFor(const QKeyEvent& event) {
  // X11 and Wayland give X keycodes; other platforms (offscreen) name keys
  // by what they type only.
  const QString platform = QGuiApplication::platformName();
  const bool xKeycodes = platform == QLatin1String("xcb") || platform.startsWith(QLatin1String("wayland"));
  return VirtualKeyFor(event.key(), event.modifiers(), xKeycodes ? event.nativeScanCode() : 0);
}

KeyState KeyStateFor(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) {
  KeyState state;
  state.shift = modifiers & Qt::ShiftModifier;
  state.control = modifiers & Qt::ControlModifier;
  state.alt = modifiers & Qt::AltModifier;
  state.leftButton = buttons & Qt::LeftButton;
  state.rightButton = buttons & Qt::RightButton;
  state.middleButton = buttons & Qt::MiddleButton;
  return state;
}

std::string CharBytesFor(const QKeyEvent& event) {
  const Qt::KeyboardModifiers modifiers = event.modifiers();
  if (modifiers & Qt::AltModifier) return {};
  const bool control = modifiers & Qt::ControlModifier;
  const int key = event.key();
  switch (key) {
    case Qt::Key_Backspace: return "\x08";
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return "\x09";
    case Qt::Key_Return:
    case Qt::Key_Enter: return control ? "\x0A" : "\x0D";
    case Qt::Key_Escape: return "\x1B";
    default: break;
  }
  if (control) {
    if (key >= Qt::Key_A && key <= Qt::Key_Z) return std::string(1, char(1 + key - Qt::Key_A));
    return {};
  }
  QString text = event.text();
  text.removeIf([](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7F; });
  if (text.isEmpty()) return {};
  return ToCp932(text);
}

}  // namespace quarn::qt
