// A key bound in the key definition file, pressed in the real main frame.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QTemporaryDir>

#include "core/app/DocTemplate.h"
#include "core/app/FileCommands.h"
#include "core/app/ProgramDirectory.h"
#include "core/keys/CAccTblManeger.h"
#include "core/res/Menus.h"
#include "fakes/FakePlatform.h"
#include "qt/QtBinaryWindow.h"
#include "qt/QtFileSystem.h"
#include "qt/QtKeyTranslator.h"
#include "qt/QtMainFrame.h"
#include "qt/QtMainToolbar.h"
#include "qt/QtMenuBuilder.h"
#include "qt/QtText.h"

namespace quarn::qt {
namespace {

void Press(QWidget* widget, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, const QString& text = {}) {
  QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
  QApplication::sendEvent(widget, &press);
  QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
  QApplication::sendEvent(widget, &release);
}

TEST(QtKeyTranslatorTest, AKeyFromTheKeyFileRunsItsCommandAndShowsInTheMenu) {
  fakes::FakePlatform platform;
  QtFileSystem files;
  Platform().files = &files;
  QTemporaryDir dir;
  // F5 selects all; Ctrl+A (the default) no longer does.
  const std::vector<KeyEntry> keys = {{116, kKeyMenu, 0, 32803, {}}, {'A', kKeyMenu, 1, 32910, {}}};
  const std::string bytes = WriteKeyFile(keys);
  QFile keyFile(PathToQString(KeyFilePath()));
  ASSERT_TRUE(keyFile.open(QIODevice::WriteOnly));
  keyFile.write(bytes.data(), qint64(bytes.size()));
  keyFile.close();
  LoadKeyTable();
  ASSERT_EQ(gKeyTable.Entries(), keys);

  QFile data(dir.filePath(QStringLiteral("data.bin")));
  ASSERT_TRUE(data.open(QIODevice::WriteOnly));
  data.write("0123456789");
  data.close();
  QtMainFrame frame;
  frame.resize(800, 500);
  frame.show();
  ASSERT_TRUE(OpenInMode(Documents(), PathToCp932(data.fileName()), kOpenBinary, false));
  UpdateMenuKeys();
  frame.MenusChanged();
  QApplication::processEvents();
  auto* window = frame.findChild<QtBinaryWindow*>();
  ASSERT_TRUE(window);
  window->setFocus();

  Press(window, Qt::Key_F5);
  EXPECT_EQ(window->Window().SelectionFirst(), 0u);
  EXPECT_EQ(window->Window().SelectionLast(), 9u);
  QAction* selectAll = FindCommand(*frame.menuBar(), 32803);
  ASSERT_TRUE(selectAll);
  EXPECT_TRUE(selectAll->text().endsWith(QStringLiteral("\tF5"))) << selectAll->text().toStdString();

  // A letter typed into the find box stays there, with or without Ctrl.
  QLineEdit* findEdit = frame.toolbar()->findBox()->lineEdit();
  ASSERT_TRUE(findEdit);
  findEdit->setFocus();
  findEdit->setText(QStringLiteral("abc"));
  Press(findEdit, Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(findEdit->selectedText(), QStringLiteral("abc"));

  Documents().CloseAll();
  gKeyTable.SetDefaults();
  UpdateMenuKeys();
  QFile::remove(keyFile.fileName());
}

}  // namespace
}  // namespace quarn::qt
