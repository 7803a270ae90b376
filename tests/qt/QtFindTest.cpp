// The find box on the main toolbar and the replace dialog, used as a user
// would: type, press Enter, click the buttons.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include "core/app/DocTemplate.h"
#include "core/app/FileCommands.h"
#include "core/binaryview/CVeskBV.h"
#include "core/document/CVeskDoc.h"
#include "core/search/CFindReplaceManeger.h"
#include "core/view/CVeskView.h"
#include "fakes/FakePlatform.h"
#include "qt/QtBinaryWindow.h"
#include "qt/QtFileSystem.h"
#include "qt/QtFindDialog.h"
#include "qt/QtMainFrame.h"
#include "qt/QtMainToolbar.h"
#include "qt/QtText.h"

namespace quarn::qt {
namespace {

class QtFindTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    Platform().files = &files;
    gFindReplace = CFindReplaceManeger();
  }
  void TearDown() override {
    Documents().CloseAll();
    gFindReplace = CFindReplaceManeger();
  }
  CVeskDoc* OpenFile(const QByteArray& bytes) {
    const QString path = dir.filePath(QStringLiteral("find.bin"));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    CVeskDoc* doc = OpenInMode(Documents(), ToCp932(path), kOpenBinary, false);
    QApplication::processEvents();
    return doc;
  }
  static std::string Text(CVeskDoc& doc) {
    std::string out(doc.TextLength(), '\0');
    doc.Store().Read(reinterpret_cast<std::uint8_t*>(out.data()), 0, doc.TextLength());
    return out;
  }

  fakes::FakePlatform platform;
  QtFileSystem files;
  QTemporaryDir dir;
};

TEST_F(QtFindTest, EnterInTheFindBoxSelectsTheNextMatchAndKeepsTheText) {
  QtMainFrame frame;
  frame.resize(900, 600);
  frame.show();
  ASSERT_TRUE(OpenFile("xx\x01\x02yy\x01\x02"));
  QtFindBox* box = frame.toolbar()->findBox();
  ASSERT_TRUE(box->isVisible());
  EXPECT_TRUE(frame.runCommand(32790));  // the focus goes into the box
  box->setEditText(QStringLiteral("0102"));
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QApplication::sendEvent(box, &enter);
  CVeskView* view = frame.ActiveView();
  auto* window = view ? dynamic_cast<CVeskBV*>(view->BinaryWindow()) : nullptr;
  ASSERT_TRUE(window);
  EXPECT_TRUE(window->HasSelection());
  EXPECT_EQ(window->SelectionFirst(), 2u);
  EXPECT_TRUE(frame.runCommand(32850));
  EXPECT_EQ(window->SelectionFirst(), 6u);
  EXPECT_EQ(box->count(), 1);  // the history
  EXPECT_EQ(box->currentText(), QStringLiteral("0102"));
}

TEST_F(QtFindTest, ReplaceAllFromTheDialogReplacesReportsAndCloses) {
  QtMainFrame frame;
  frame.resize(900, 600);
  frame.show();
  CVeskDoc* doc = OpenFile("ab-ab-ab");
  ASSERT_TRUE(doc);
  EXPECT_TRUE(frame.runCommand(57641));
  QtFindDialog* dialog = frame.findDialog().dialog();
  ASSERT_TRUE(dialog);
  EXPECT_FALSE(dialog->findOnly());
  dialog->findBox()->setEditText(QStringLiteral("6162"));
  dialog->replaceBox()->setEditText(QStringLiteral("7A"));
  dialog->replaceAllButton()->click();
  EXPECT_EQ(Text(*doc), "z-z-z");
  ASSERT_EQ(platform.messages.shown.size(), 1u);
  EXPECT_EQ(ToQString(platform.messages.shown[0].text), QStringLiteral("3 回置換しました。"));
  EXPECT_FALSE(frame.findDialog().isOpen());
  EXPECT_EQ(gFindReplace.replaceHistory.Newest(), "7A");
  // Undo takes back the last insertion, then its deletion.
  EXPECT_TRUE(frame.runCommand(57643));
  EXPECT_EQ(Text(*doc), "z-z-");
  EXPECT_TRUE(frame.runCommand(57643));
  EXPECT_EQ(Text(*doc), "z-z-ab");
}

TEST_F(QtFindTest, ClosingTheDocumentClosesItsDialog) {
  QtMainFrame frame;
  frame.show();
  ASSERT_TRUE(OpenFile("abc"));
  EXPECT_TRUE(frame.runCommand(57636));
  ASSERT_TRUE(frame.findDialog().isOpen());
  EXPECT_TRUE(frame.findDialog().isFindOnly());
  Documents().CloseAll();
  QApplication::processEvents();
  EXPECT_FALSE(frame.findDialog().isOpen());
}

}  // namespace
}  // namespace quarn::qt
