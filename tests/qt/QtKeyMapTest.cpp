// Qt keys as the virtual-key codes stored in key files, and the character
// bytes a key press types.
#include <gtest/gtest.h>

#include <QKeyEvent>

#include "platform/Cp932Codec.h"
#include "qt/QtKeyMap.h"

namespace quarn::qt {
namespace {

TEST(QtKeyMapTest, KeysMapToTheirVirtualKeyCodes) {
  const struct {
    int qtKey;
    Qt::KeyboardModifiers modifiers;
    int vk;
  } cases[] = {
      {Qt::Key_A, {}, 0x41}, {Qt::Key_Z, Qt::ShiftModifier, 0x5A}, {Qt::Key_0, {}, 0x30},
      {Qt::Key_9, {}, 0x39}, {Qt::Key_F1, {}, 0x70}, {Qt::Key_F12, {}, 0x7B},
      {Qt::Key_F24, {}, 0x87}, {Qt::Key_Left, {}, vk::kLeft}, {Qt::Key_Down, {}, vk::kDown},
      {Qt::Key_PageUp, {}, vk::kPrior}, {Qt::Key_PageDown, {}, vk::kNext}, {Qt::Key_Home, {}, vk::kHome},
      {Qt::Key_End, {}, vk::kEnd}, {Qt::Key_Insert, {}, vk::kInsert}, {Qt::Key_Delete, {}, vk::kDelete},
      {Qt::Key_Backspace, {}, vk::kBack}, {Qt::Key_Backtab, Qt::ShiftModifier, vk::kTab},
      {Qt::Key_Enter, Qt::KeypadModifier, vk::kReturn}, {Qt::Key_Escape, {}, vk::kEscape},
      {Qt::Key_Space, {}, vk::kSpace}, {Qt::Key_Shift, {}, vk::kShift}, {Qt::Key_Control, {}, vk::kControl},
      {Qt::Key_Alt, {}, vk::kMenu}, {Qt::Key_5, Qt::KeypadModifier, vk::kNumpad0 + 5},
      {Qt::Key_Plus, Qt::KeypadModifier, vk::kAdd}, {Qt::Key_Left, Qt::KeypadModifier, vk::kLeft},
      {Qt::Key_Exclam, Qt::ShiftModifier, 0x31}, {Qt::Key_Comma, {}, vk::kOemComma},
      {Qt::Key_Question, Qt::ShiftModifier, vk::kOem2}, {Qt::Key_Henkan, {}, vk::kConvert},
      {Qt::Key_unknown, {}, 0}, {Qt::Key_VolumeUp, {}, 0},
  };
  for (const auto& c : cases)
    EXPECT_EQ(VirtualKeyFor(c.qtKey, c.modifiers), c.vk) << "Qt key 0x" << std::hex << c.qtKey;
}

// With the X keycode, the digit row and the punctuation keys are named by
// the physical key whatever Shift and the layout make them type; letters
// follow the layout, and reach a layout without Latin letters by position.
TEST(QtKeyMapTest, PhysicalKeysGiveTheSameCodeOnEveryLayout) {
  constexpr Qt::KeyboardModifiers kCtrlShift = Qt::ControlModifier | Qt::ShiftModifier;
  const struct {
    int qtKey;
    Qt::KeyboardModifiers modifiers;
    unsigned keycode;
    int vk;
  } cases[] = {
      {Qt::Key_At, kCtrlShift, 11, '2'},                  // US Shift+2
      {Qt::Key_ParenLeft, kCtrlShift, 17, '8'},           // Japanese Shift+8
      {Qt::Key_ParenRight, kCtrlShift, 18, '9'},          // Japanese Shift+9
      {Qt::Key_QuoteDbl, Qt::ShiftModifier, 11, '2'},     // Japanese Shift+2
      {Qt::Key_Eacute, {}, 11, '2'},                      // French 2 unshifted
      {Qt::Key_Plus, Qt::ShiftModifier, 47, vk::kOem1},   // Japanese Shift+; on the US ; key
      {Qt::Key_Colon, Qt::ShiftModifier, 47, vk::kOem1},  // US Shift+;
      {Qt::Key_Q, {}, 38, 'Q'},                           // French A key types Q
      {0x0421, kCtrlShift, 54, 'C'},                      // Cyrillic ES on the C key
      {Qt::Key_Comma, {}, 25, vk::kOemComma},             // a comma on a letter's place
      {Qt::Key_8, Qt::KeypadModifier, 80, vk::kNumpad0 + 8},
      {Qt::Key_F5, Qt::ShiftModifier, 71, vk::kF1 + 4},
      {Qt::Key_Zenkaku_Hankaku, {}, 49, vk::kKanji},      // Japanese, on the US ` key
      // Without a keycode a shifted "@" or "^" is the US keyboard's digit.
      {Qt::Key_At, kCtrlShift, 0, '2'},
      {Qt::Key_AsciiCircum, Qt::ShiftModifier, 0, '6'},
      {Qt::Key_At, {}, 0, vk::kOem3},
      {Qt::Key_ParenLeft, Qt::ShiftModifier, 0, '9'},
      {0x0421, {}, 0, 0},
  };
  for (const auto& c : cases)
    EXPECT_EQ(VirtualKeyFor(c.qtKey, c.modifiers, c.keycode), c.vk)
        << "Qt key 0x" << std::hex << c.qtKey << " keycode " << std::dec << c.keycode;
}

std::string Typed(int key, Qt::KeyboardModifiers modifiers, const QString& text) {
  const QKeyEvent event(QEvent::KeyPress, key, modifiers, text);
  return CharBytesFor(event);
}

TEST(QtKeyMapTest, KeyPressesTypeControlCharactersAndCp932Text) {
  EXPECT_EQ(Typed(Qt::Key_A, {}, "a"), "a");
  EXPECT_EQ(Typed(Qt::Key_Backspace, {}, "\b"), "\x08");
  EXPECT_EQ(Typed(Qt::Key_Tab, {}, "\t"), "\x09");
  EXPECT_EQ(Typed(Qt::Key_Backtab, Qt::ShiftModifier, ""), "\x09");
  EXPECT_EQ(Typed(Qt::Key_Return, {}, "\r"), "\x0D");
  EXPECT_EQ(Typed(Qt::Key_Return, Qt::ControlModifier, ""), "\x0A");
  EXPECT_EQ(Typed(Qt::Key_Escape, {}, "\x1b"), "\x1B");
  EXPECT_EQ(Typed(Qt::Key_C, Qt::ControlModifier, ""), "\x03");
  EXPECT_EQ(Typed(Qt::Key_F5, {}, ""), "");
  EXPECT_EQ(Typed(Qt::Key_Delete, {}, "\x7f"), "");
  EXPECT_EQ(Typed(Qt::Key_F, Qt::AltModifier, "f"), "");  // a menu key, not a character
  EXPECT_EQ(Typed(Qt::Key_unknown, {}, QString::fromUtf8("あ")), codec::Utf8ToCp932("あ"));
  EXPECT_EQ(Typed(Qt::Key_unknown, {}, QString::fromUtf8("ｱ")), "\xB1");
}

}  // namespace
}  // namespace quarn::qt
