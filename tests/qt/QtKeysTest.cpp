// Qt keys as virtual-key codes and typed bytes; bound keys and tools in the
// real main frame.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>

#include "FrameTest.h"
#include "core/app/CDataFile.h"
#include "core/commands/CommandIds.h"
#include "core/keys/CAccTblManeger.h"
#include "core/keys/OperationLinks.h"
#include "core/macro/COperationManeger.h"
#include "core/operations/CMenuToolManeger.h"
#include "platform/Cp932Codec.h"
#include "platform/PosixProcessService.h"
#include "qt/QtBinaryWindow.h"
#include "qt/QtKeyDialog.h"
#include "qt/QtKeyMap.h"
#include "qt/QtKeyTranslator.h"
#include "qt/QtMainToolbar.h"
#include "qt/QtMenuBuilder.h"
#include "qt/QtRunDialogs.h"

namespace quarn::qt {
namespace {

using testing::Press;

// Keys by what they type and, with the X keycode, by the physical key: the
// digit row and the punctuation keys are named by the physical key whatever
// Shift and the layout make them type; letters follow the layout, and reach a
// layout without Latin letters by position.
TEST(QtKeyMapTest, KeysMapToTheVirtualKeyCodesOfTheirPhysicalKeys) {
  constexpr Qt::KeyboardModifiers kShift = Qt::ShiftModifier, kPad = Qt::KeypadModifier;
  constexpr Qt::KeyboardModifiers kCtrlShift = Qt::ControlModifier | Qt::ShiftModifier;
  const struct {
    int qtKey;
    Qt::KeyboardModifiers modifiers;
    unsigned keycode;
    int vk;
  } cases[] = {
      {Qt::Key_A, {}, 0, 0x41}, {Qt::Key_Z, kShift, 0, 0x5A}, {Qt::Key_0, {}, 0, 0x30}, {Qt::Key_9, {}, 0, 0x39},
      {Qt::Key_F1, {}, 0, 0x70}, {Qt::Key_F24, {}, 0, 0x87}, {Qt::Key_Backspace, {}, 0, vk::kBack},
      {Qt::Key_Backtab, kShift, 0, vk::kTab}, {Qt::Key_Enter, kPad, 0, vk::kReturn}, {Qt::Key_Alt, {}, 0, vk::kMenu},
      {Qt::Key_5, kPad, 0, vk::kNumpad0 + 5}, {Qt::Key_Plus, kPad, 0, vk::kAdd}, {Qt::Key_Left, kPad, 0, vk::kLeft},
      {Qt::Key_Comma, {}, 0, vk::kOemComma}, {Qt::Key_Henkan, {}, 0, vk::kConvert}, {Qt::Key_unknown, {}, 0, 0},
      {Qt::Key_At, kCtrlShift, 11, '2'},                  // US Shift+2
      {Qt::Key_Plus, kShift, 47, vk::kOem1},              // Japanese Shift+; on the US ; key
      {0x0421, kCtrlShift, 54, 'C'},                      // Cyrillic ES on the C key
      {Qt::Key_Comma, {}, 25, vk::kOemComma},             // a comma on a letter's place
      {Qt::Key_Zenkaku_Hankaku, {}, 49, vk::kKanji},      // Japanese, on the US ` key
      // Without a keycode a shifted "@" or "^" is the US keyboard's digit.
      {Qt::Key_At, kCtrlShift, 0, '2'},
      {Qt::Key_AsciiCircum, kShift, 0, '6'},
      {Qt::Key_At, {}, 0, vk::kOem3},
      {Qt::Key_ParenLeft, kShift, 0, '9'},
      {0x0421, {}, 0, 0},
  };
  for (const auto& c : cases)
    EXPECT_EQ(VirtualKeyFor(c.qtKey, c.modifiers, c.keycode), c.vk)
        << "Qt key 0x" << std::hex << c.qtKey << " keycode " << std::dec << c.keycode;
  // The bytes a key press types: control characters and CP932 text.
  const auto Typed = [](int key, Qt::KeyboardModifiers modifiers, const QString& text) {
    return CharBytesFor(QKeyEvent(QEvent::KeyPress, key, modifiers, text));
  };
  EXPECT_EQ(Typed(Qt::Key_A, {}, "a"), "a");
  EXPECT_EQ(Typed(Qt::Key_Backspace, {}, "\b"), "\x08");
  EXPECT_EQ(Typed(Qt::Key_Backtab, Qt::ShiftModifier, ""), "\x09");
  EXPECT_EQ(Typed(Qt::Key_Return, {}, "\r"), "\x0D");
  EXPECT_EQ(Typed(Qt::Key_Return, Qt::ControlModifier, ""), "\x0A");
  EXPECT_EQ(Typed(Qt::Key_C, Qt::ControlModifier, ""), "\x03");
  EXPECT_EQ(Typed(Qt::Key_Escape, {}, "\x1b"), "\x1B");
  EXPECT_EQ(Typed(Qt::Key_F5, {}, ""), "");
  EXPECT_EQ(Typed(Qt::Key_Delete, {}, "\x7f"), "");
  EXPECT_EQ(Typed(Qt::Key_F, Qt::AltModifier, "f"), "");  // a menu key, not a character
  EXPECT_EQ(Typed(Qt::Key_unknown, {}, QString::fromUtf8("あ")), codec::Utf8ToCp932("あ"));
  EXPECT_EQ(Typed(Qt::Key_unknown, {}, QString::fromUtf8("ｱ")), "\xB1");
}

class QtKeysTest : public testing::FrameTest {
 protected:
  QtKeysTest() { KeyDialogs() = &dialogs; }
  ~QtKeysTest() override {
    QFile::remove(keyFile);
    gKeyTable.SetDefaults();
    UpdateMenuKeys();
    KeyDialogs() = nullptr;
  }
  QtKeyDialogs dialogs;
  const QString keyFile = PathToQString(KeyFilePath());
};

// F5 selects all; Ctrl+A makes a screen copy instead. A saved operation named
// with a capital extension plays on Ctrl+Shift+2: the key arrives as "@" (US
// layout), Qt's name for it.
TEST_F(QtKeysTest, BoundKeysRunTheirCommandsAndOperationsAndShowInTheMenu) {
  InstallOperationLibrary(&Operations());
  Operations().StartRecording();
  Operations().Record(512, cmd::kSelectAll, {});
  ASSERT_TRUE(Operations().Save("X.MAC", "the whole file"));
  const std::vector<KeyEntry> keys = {
      {116, kKeyMenu, 0, 32803, {}}, {'A', kKeyMenu, 1, 32910, {}}, {'2', kKeyOperation, 3, 0, "X.MAC"}};
  testing::WriteFile(keyFile, QByteArray::fromStdString(WriteKeyFile(keys)));
  LoadKeyTable();
  ASSERT_TRUE(Open(QStringLiteral("data.bin"), "0123456789", kOpenBinary));
  auto* window = frame.findChild<QtBinaryWindow*>();
  ASSERT_TRUE(window);
  window->setFocus();
  Press(window, Qt::Key_At, {}, Qt::ShiftModifier);
  EXPECT_FALSE(window->Window().HasSelection());
  Press(window, Qt::Key_At, {}, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(window->Window().SelectionFirst(), 0u);
  EXPECT_EQ(window->Window().SelectionLast(), 9u);
  // Pressed while recording, the key adds what it plays to the recording.
  ASSERT_TRUE(frame.runCommand(cmd::kRecord));
  ASSERT_TRUE(frame.runCommand(cmd::kWriteProtect));
  Press(window, Qt::Key_At, {}, Qt::ControlModifier | Qt::ShiftModifier);
  ASSERT_TRUE(frame.runCommand(cmd::kRecord));
  EXPECT_EQ(Operations().Count(), 2u);
  ASSERT_TRUE(frame.runCommand(cmd::kPlay));
  EXPECT_FALSE(Documents().At(0).IsWriteProtected());
  QFile::remove(PathToQString(COperationManeger::MacroPath("X.MAC")));
  InstallOperationLibrary(nullptr);

  Press(window, Qt::Key_Right, {});
  ASSERT_FALSE(window->Window().HasSelection());
  UpdateMenuKeys();
  frame.MenusChanged();
  QApplication::processEvents();
  Press(window, Qt::Key_F5, {});
  EXPECT_EQ(window->Window().SelectionFirst(), 0u);
  EXPECT_EQ(window->Window().SelectionLast(), 9u);
  auto menuText = [&] { return FindCommand(*frame.menuBar(), 32803)->text().toStdString(); };
  EXPECT_EQ(menuText().substr(menuText().find('\t')), "\tF5");
  // A letter typed into the find box stays there, with or without Ctrl.
  QLineEdit* findEdit = frame.toolbar()->findBox()->lineEdit();
  findEdit->setFocus();
  findEdit->setText(QStringLiteral("abc"));
  Press(findEdit, Qt::Key_A, {}, Qt::ControlModifier);
  EXPECT_EQ(findEdit->selectedText(), QStringLiteral("abc"));
  // F7 bound in the keyboard page wins the menu over F5 (the higher code).
  // Enter in the key box adds the key, also after the focus went away and
  // came back; elsewhere it is OK.
  QStringList keysShown;
  testing::WhenModalShown([&](QWidget* sheet) {
    auto* commands = sheet->findChild<QListWidget*>(QStringLiteral("commands"));
    auto* keyBox = sheet->findChild<QComboBox*>(QStringLiteral("keyBox"));
    sheet->activateWindow();
    QApplication::processEvents();
    commands->setCurrentRow(20);
    keyBox->setEditText(QStringLiteral("F7"));
    keyBox->lineEdit()->setFocus();
    commands->setFocus();
    keyBox->lineEdit()->setFocus();
    Press(keyBox->lineEdit(), Qt::Key_Return, QStringLiteral("\r"));
    auto* list = sheet->findChild<QListWidget*>(QStringLiteral("keys"));
    for (int i = 0; i < list->count(); ++i) keysShown << list->item(i)->text();
    commands->setFocus();
    Press(commands, Qt::Key_Return, QStringLiteral("\r"));
  });
  EXPECT_TRUE(frame.runCommand(32873));
  QApplication::processEvents();
  EXPECT_EQ(keysShown, (QStringList{QStringLiteral("F5"), QStringLiteral("F7")}));
  EXPECT_EQ(menuText().substr(menuText().find('\t')), "\tF7");
  testing::WhenModalShown([](QWidget* sheet) { sheet->findChild<QPushButton*>(QStringLiteral("list"))->click(); });
  EXPECT_TRUE(frame.runCommand(32873));
  ASSERT_EQ(Documents().Count(), 2u);
  EXPECT_GT(Documents().At(1).TextLength(), 1000u);
  // A key that closes the window it was pressed in.
  gKeyTable.AddKey(kKeyMenu, 'W', 1, 57602, "");
  frame.Activate(Documents().At(0));
  QPointer<QtBinaryWindow> closing = window;
  QKeyEvent close(QEvent::KeyPress, Qt::Key_W, Qt::ControlModifier);
  QApplication::sendEvent(window, &close);
  QApplication::processEvents();
  EXPECT_EQ(Documents().Count(), 1u);
  EXPECT_FALSE(closing);
}

// Chooses the first entry of the popup menu that opens next.
void ChooseFirstInNextPopup() {
  QTimer::singleShot(10, [] {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (!menu) return ChooseFirstInNextPopup();
    menu->setActiveAction(menu->actions().first());
    Press(menu, Qt::Key_Return, {});
  });
}

// A program tool added through the customisation sheet runs from the user
// tools' menu and its output becomes a new text document.
TEST_F(QtKeysTest, AToolAddedInTheSheetRunsFromItsMenuIntoANewDocument) {
  PosixProcessService processes;
  Platform().processes = &processes;
  QtRunDialogs runDialogs;
  RunDialogs() = &runDialogs;
  const CMenuToolManeger saved = gMenuTools;
  ASSERT_TRUE(Open(QStringLiteral("a.c"), "int x;\n", kOpenText));
  platform.dialogs.fileAnswers = {"/bin/echo"};
  testing::WhenModalShown([](QWidget* sheet) {
    ChooseFirstInNextPopup();
    sheet->findChild<QPushButton*>(QStringLiteral("toolNew"))->click();
    auto* parameters = sheet->findChild<QLineEdit*>(QStringLiteral("toolParameters"));
    parameters->setText(QStringLiteral("$f"));
    emit parameters->textEdited(parameters->text());
    sheet->findChild<QCheckBox*>(QStringLiteral("toolRedirect"))->setChecked(true);
    static_cast<QDialog*>(sheet)->accept();
  });
  EXPECT_TRUE(frame.runCommand(32873));
  frame.MenusChanged();
  QApplication::processEvents();
  QAction* item = FindCommand(*frame.menuBar(), CMenuToolManeger::kFirstToolCommand);
  ASSERT_TRUE(item);
  EXPECT_EQ(item->text(), QStringLiteral("Echo"));
  EXPECT_TRUE(frame.runCommand(CMenuToolManeger::kFirstToolCommand));
  ASSERT_EQ(Documents().Count(), 2u);
  EXPECT_EQ(testing::TextOf(Documents().At(1)), PathToCp932(dir.filePath(QStringLiteral("a.c"))) + "\r\n");
  Documents().CloseAll();
  QFile::remove(PathToQString(DataFilePath()));
  gMenuTools = saved;
  RunDialogs() = nullptr;
}

}  // namespace
}  // namespace quarn::qt
