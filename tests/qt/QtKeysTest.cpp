// Keys in the real main frame: a key bound in the key definition file runs
// its command and shows in the menu; one bound in the keyboard page too,
// and "一覧作成" makes the key list.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>

#include "QtTestUtil.h"
#include "core/app/DocTemplate.h"
#include "core/app/FileCommands.h"
#include "core/document/CVeskDoc.h"
#include "core/commands/CommandIds.h"
#include "core/keys/CAccTblManeger.h"
#include "core/macro/COperationManeger.h"
#include "core/keys/OperationLinks.h"
#include "fakes/FakePlatform.h"
#include "qt/QtBinaryWindow.h"
#include "qt/QtFileSystem.h"
#include "qt/QtKeyDialog.h"
#include "qt/QtKeyTranslator.h"
#include "qt/QtMainFrame.h"
#include "qt/QtMainToolbar.h"
#include "qt/QtMenuBuilder.h"
#include "qt/QtText.h"

namespace quarn::qt {
namespace {

void WriteFile(const QString& path, const std::string& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes.data(), qint64(bytes.size()));
}

TEST(QtKeysTest, BoundKeysRunTheirCommandsAndShowInTheMenu) {
  fakes::FakePlatform platform;
  QtFileSystem files;
  Platform().files = &files;
  QtKeyDialogs dialogs;
  KeyDialogs() = &dialogs;
  QTemporaryDir dir;
  // F5 selects all; Ctrl+A makes a screen copy instead.
  const std::vector<KeyEntry> keys = {{116, kKeyMenu, 0, 32803, {}}, {'A', kKeyMenu, 1, 32910, {}}};
  const QString keyFile = PathToQString(KeyFilePath());
  WriteFile(keyFile, WriteKeyFile(keys));
  LoadKeyTable();
  ASSERT_EQ(gKeyTable.Entries(), keys);
  const QString data = dir.filePath(QStringLiteral("data.bin"));
  WriteFile(data, "0123456789");

  QtMainFrame frame;
  frame.show();
  CVeskDoc* doc = OpenInMode(Documents(), PathToCp932(data), kOpenBinary, false);
  ASSERT_TRUE(doc);
  UpdateMenuKeys();
  frame.MenusChanged();
  QApplication::processEvents();
  auto* window = frame.findChild<QtBinaryWindow*>();
  ASSERT_TRUE(window);
  window->setFocus();
  testing::Press(window, Qt::Key_F5, {});
  EXPECT_EQ(window->Window().SelectionFirst(), 0u);
  EXPECT_EQ(window->Window().SelectionLast(), 9u);
  auto menuText = [&] { return FindCommand(*frame.menuBar(), 32803)->text().toStdString(); };
  EXPECT_EQ(menuText().substr(menuText().find('\t')), "\tF5");

  // A letter typed into the find box stays there, with or without Ctrl.
  QLineEdit* findEdit = frame.toolbar()->findBox()->lineEdit();
  findEdit->setFocus();
  findEdit->setText(QStringLiteral("abc"));
  testing::Press(findEdit, Qt::Key_A, {}, Qt::ControlModifier);
  EXPECT_EQ(findEdit->selectedText(), QStringLiteral("abc"));

  // F7 bound in the keyboard page wins the menu over F5 (the higher code).
  QStringList keysShown;
  testing::WhenModalShown([&](QWidget* sheet) {
    sheet->findChild<QListWidget*>(QStringLiteral("commands"))->setCurrentRow(20);
    sheet->findChild<QComboBox*>(QStringLiteral("keyBox"))->setEditText(QStringLiteral("F7"));
    sheet->findChild<QPushButton*>(QStringLiteral("add"))->click();
    auto* list = sheet->findChild<QListWidget*>(QStringLiteral("keys"));
    for (int i = 0; i < list->count(); ++i) keysShown << list->item(i)->text();
    static_cast<QDialog*>(sheet)->accept();
  });
  EXPECT_TRUE(frame.runCommand(32873));
  QApplication::processEvents();
  EXPECT_EQ(keysShown, (QStringList{QStringLiteral("F5"), QStringLiteral("F7")}));
  EXPECT_EQ(menuText().substr(menuText().find('\t')), "\tF7");
  EXPECT_EQ(QFile(keyFile).size(), qint64(12 + 276 * 3));

  testing::WhenModalShown([](QWidget* sheet) { sheet->findChild<QPushButton*>(QStringLiteral("list"))->click(); });
  EXPECT_TRUE(frame.runCommand(32873));
  ASSERT_EQ(Documents().Count(), 2u);
  EXPECT_EQ(Documents().At(1).DocKind(), kTextDoc);
  EXPECT_GT(Documents().At(1).TextLength(), 1000u);

  // A key that closes the window it was pressed in.
  gKeyTable.AddKey(kKeyMenu, 'W', 1, 57602, "");
  frame.Activate(*doc);
  QPointer<QtBinaryWindow> closing = window;
  QKeyEvent close(QEvent::KeyPress, Qt::Key_W, Qt::ControlModifier);
  QApplication::sendEvent(window, &close);
  QApplication::processEvents();
  EXPECT_EQ(Documents().Count(), 1u);
  EXPECT_FALSE(closing);

  Documents().CloseAll();
  QFile::remove(keyFile);
  gKeyTable.SetDefaults();
  UpdateMenuKeys();
  KeyDialogs() = nullptr;
}

// Enter in the key box adds the key and keeps the sheet open; elsewhere it
// is OK.
TEST(QtKeysTest, EnterInTheKeyBoxAddsTheKey) {
  CustomiseSheetRequest request;
  request.keyboard.commands = {"one", "two"};
  request.keyboard.command = 0;
  request.keyboard.keyNames = {"A", "F5"};
  std::vector<std::string> added;
  request.addKey = [&](KeyboardPage& page) { added.push_back(page.keyText); };
  QtCustomiseSheet sheet(request);
  sheet.show();
  sheet.activateWindow();
  QApplication::processEvents();
  auto* keyBox = sheet.findChild<QComboBox*>(QStringLiteral("keyBox"));
  keyBox->setEditText(QStringLiteral("F5"));
  for (int round = 0; round < 2; ++round) {  // again after the focus went away and came back
    keyBox->lineEdit()->setFocus();
    testing::Press(keyBox->lineEdit(), Qt::Key_Return, QStringLiteral("\r"));
    EXPECT_EQ(added.size(), std::size_t(round + 1));
    EXPECT_TRUE(sheet.isVisible());
    sheet.findChild<QListWidget*>(QStringLiteral("commands"))->setFocus();
  }
  testing::Press(sheet.findChild<QListWidget*>(QStringLiteral("commands")), Qt::Key_Return, QStringLiteral("\r"));
  EXPECT_EQ(sheet.result(), QDialog::Accepted);
  EXPECT_EQ(added, (std::vector<std::string>{"F5", "F5"}));
}

// A saved operation named with a capital extension and bound to
// Ctrl+Shift+2 in the key file plays when the key is pressed in a freshly
// started frame: the key arrives as "@" (US layout), Qt's name for it.
TEST(QtKeysTest, AKeyBoundToASavedOperationPlaysIt) {
  fakes::FakePlatform platform;
  QtFileSystem files;
  Platform().files = &files;
  InstallOperationLibrary(&Operations());
  QTemporaryDir dir;
  Operations().StartRecording();
  Operations().Record(512, cmd::kSelectAll, {});
  ASSERT_TRUE(Operations().Save("X.MAC", "the whole file"));
  const QString keyFile = PathToQString(KeyFilePath());
  WriteFile(keyFile, WriteKeyFile({{'2', kKeyOperation, 3, 0, "X.MAC"}}));
  LoadKeyTable();
  const QString data = dir.filePath(QStringLiteral("data.bin"));
  WriteFile(data, "0123456789");

  QtMainFrame frame;
  frame.show();
  ASSERT_TRUE(OpenInMode(Documents(), PathToCp932(data), kOpenBinary, false));
  QApplication::processEvents();
  auto* window = frame.findChild<QtBinaryWindow*>();
  ASSERT_TRUE(window);
  window->setFocus();
  testing::Press(window, Qt::Key_At, {}, Qt::ShiftModifier);
  EXPECT_FALSE(window->Window().HasSelection());
  testing::Press(window, Qt::Key_At, {}, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(window->Window().SelectionFirst(), 0u);
  EXPECT_EQ(window->Window().SelectionLast(), 9u);
  // Pressed while recording, the key adds what it plays to the recording.
  ASSERT_TRUE(frame.runCommand(cmd::kRecord));
  ASSERT_TRUE(frame.runCommand(cmd::kWriteProtect));
  testing::Press(window, Qt::Key_At, {}, Qt::ControlModifier | Qt::ShiftModifier);
  ASSERT_TRUE(frame.runCommand(cmd::kRecord));
  EXPECT_EQ(Operations().Count(), 2u);
  ASSERT_TRUE(frame.runCommand(cmd::kPlay));
  EXPECT_FALSE(Documents().At(0).IsWriteProtected());

  Documents().CloseAll();
  QFile::remove(keyFile);
  QFile::remove(PathToQString(COperationManeger::MacroPath("X.MAC")));
  gKeyTable.SetDefaults();
  InstallOperationLibrary(nullptr);
}

}  // namespace
}  // namespace quarn::qt
