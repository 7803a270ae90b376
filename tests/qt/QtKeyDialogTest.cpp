// The customisation sheet in the real main frame: a key bound in the
// keyboard page shows in the menu and is saved; "一覧作成" makes the list.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>

#include "QtTestUtil.h"
#include "core/app/DocTemplate.h"
#include "core/app/FileCommands.h"
#include "core/document/CVeskDoc.h"
#include "core/keys/CAccTblManeger.h"
#include "fakes/FakePlatform.h"
#include "qt/QtFileSystem.h"
#include "qt/QtKeyDialog.h"
#include "qt/QtKeyTranslator.h"
#include "qt/QtMainFrame.h"
#include "qt/QtMenuBuilder.h"
#include "qt/QtText.h"

namespace quarn::qt {
namespace {

template <typename W>
W* Child(QWidget* parent, const char* name) {
  W* child = parent->findChild<W*>(QString::fromLatin1(name));
  EXPECT_TRUE(child) << name;
  return child;
}

TEST(QtKeyDialogTest, AKeyBoundInTheKeyboardPageShowsInTheMenuAndTheListIsMade) {
  fakes::FakePlatform platform;
  QtFileSystem files;
  Platform().files = &files;
  QtKeyDialogs dialogs;
  KeyDialogs() = &dialogs;
  gKeyTable.SetDefaults();
  QtMainFrame frame;
  frame.show();
  ASSERT_TRUE(FileNew(Documents()));

  QStringList keysShown;
  testing::WhenModalShown([&](QWidget* sheet) {
    Child<QListWidget>(sheet, "commands")->setCurrentRow(20);  // select all
    Child<QComboBox>(sheet, "keyBox")->setEditText(QStringLiteral("F7"));
    Child<QPushButton>(sheet, "add")->click();
    for (int i = 0; i < Child<QListWidget>(sheet, "keys")->count(); ++i)
      keysShown << Child<QListWidget>(sheet, "keys")->item(i)->text();
    static_cast<QDialog*>(sheet)->accept();
  });
  EXPECT_TRUE(frame.runCommand(32873));
  QApplication::processEvents();
  EXPECT_EQ(keysShown, (QStringList{QStringLiteral("Ctrl+A"), QStringLiteral("F7")}));
  QAction* selectAll = FindCommand(*frame.menuBar(), 32803);
  ASSERT_TRUE(selectAll);
  EXPECT_TRUE(selectAll->text().endsWith(QStringLiteral("\tF7"))) << selectAll->text().toStdString();
  QFile keyFile(PathToQString(KeyFilePath()));
  ASSERT_TRUE(keyFile.open(QIODevice::ReadOnly));
  EXPECT_EQ(keyFile.size(), qint64(12 + 276 * 20));

  testing::WhenModalShown([](QWidget* sheet) { Child<QPushButton>(sheet, "list")->click(); });
  EXPECT_TRUE(frame.runCommand(32873));
  ASSERT_EQ(Documents().Count(), 2u);
  EXPECT_EQ(Documents().At(1).DocKind(), kTextDoc);
  EXPECT_GT(Documents().At(1).TextLength(), 1000u);

  Documents().CloseAll();
  keyFile.remove();
  gKeyTable.SetDefaults();
  UpdateMenuKeys();
  KeyDialogs() = nullptr;
}

}  // namespace
}  // namespace quarn::qt
