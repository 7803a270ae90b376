// A user's round: open a file in the real frame, type into its binary
// window, save, and look at the file and the window.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QToolBar>
#include <QMenu>
#include <QMenuBar>
#include <QTabBar>
#include <QTemporaryDir>
#include <set>

#include "core/app/DocTemplate.h"
#include "core/app/FileCommands.h"
#include "core/common/ProcessValues.h"
#include "core/document/CVeskDoc.h"
#include "core/view/CVeskView.h"
#include "core/common/StatusPanes.h"
#include "fakes/FakeClipboard.h"
#include "fakes/FakePlatform.h"
#include "qt/QtBinaryWindow.h"
#include "qt/QtFileSystem.h"
#include "qt/QtMainFrame.h"
#include "qt/QtMainToolbar.h"
#include "qt/QtStatusBar.h"
#include "qt/QtTabBar.h"
#include "qt/QtText.h"

namespace quarn::qt {
namespace {

void Press(QWidget* widget, int key, const QString& text, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
  QApplication::sendEvent(widget, &press);
  QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
  QApplication::sendEvent(widget, &release);
}

class QtDocumentWorkflowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    Platform().files = &files;  // real files under the fake messages and dialogs
    gProcess.overwrite = false;
  }
  void TearDown() override { Documents().CloseAll(); }

  QString Write(const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return path;
  }
  static QByteArray Read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

  fakes::FakePlatform platform;
  fakes::FakeClipboard clipboard;
  QtFileSystem files;
  QTemporaryDir dir;
};

TEST_F(QtDocumentWorkflowTest, OpenTypeSaveAndTheFileHoldsTheTypedBytes) {
  const QString path = Write(QStringLiteral("data.bin"), QByteArray("\x00\x01\x02\x03", 4));
  QtMainFrame frame;
  frame.resize(900, 600);
  frame.show();
  CVeskDoc* doc = OpenInMode(Documents(), ToCp932(path), kOpenBinary, false);
  ASSERT_TRUE(doc);
  QApplication::processEvents();
  auto* window = frame.findChild<QtBinaryWindow*>();
  ASSERT_TRUE(window);
  window->setFocus();

  Press(window, Qt::Key_4, QStringLiteral("4"));
  Press(window, Qt::Key_1, QStringLiteral("1"));
  Press(window, Qt::Key_Tab, QStringLiteral("\t"));
  Press(window, Qt::Key_Z, QStringLiteral("z"));
  EXPECT_TRUE(doc->IsModified());
  EXPECT_TRUE(frame.runCommand(57603));
  EXPECT_EQ(Read(path), QByteArray("\x41z\x00\x01\x02\x03", 6));
  EXPECT_FALSE(doc->IsModified());

  // Undo through the menu command, then the read-only switch stops saving.
  EXPECT_TRUE(frame.runCommand(57643));
  EXPECT_EQ(doc->TextLength(), 5u);
  EXPECT_TRUE(frame.runCommand(32789));
  EXPECT_TRUE(doc->IsWriteProtected());
  EXPECT_FALSE(frame.runCommand(57603));

  QApplication::processEvents();
  const QImage image = window->grab().toImage();
  std::set<QRgb> colours;
  for (int y = 0; y < image.height() && colours.size() < 3; y += 3)
    for (int x = 0; x < image.width() && colours.size() < 3; x += 3) colours.insert(image.pixel(x, y));
  EXPECT_GT(colours.size(), 2u) << "the binary window drew nothing";

  // Closing the modified document asks; No closes it without saving.
  platform.messages.answers = {answer::kNo};
  EXPECT_TRUE(frame.runCommand(57602));
  QApplication::processEvents();
  EXPECT_EQ(Documents().Count(), 0u);
  EXPECT_EQ(Read(path), QByteArray("\x41z\x00\x01\x02\x03", 6));
}

TEST_F(QtDocumentWorkflowTest, ANameCp932LacksOpensShowsAndSavesUnderItself) {
  const QString path = Write(QString::fromUtf8("café.bin"), QByteArray("\x00\x01", 2));
  QtMainFrame frame;
  frame.show();
  CVeskDoc* doc = OpenInMode(Documents(), PathToCp932(path), kOpenBinary, false);
  ASSERT_TRUE(doc);
  frame.MenusChanged();
  QApplication::processEvents();
  auto* window = frame.findChild<QtBinaryWindow*>();
  ASSERT_TRUE(window);
  window->setFocus();
  Press(window, Qt::Key_7, QStringLiteral("7"));
  Press(window, Qt::Key_F, QStringLiteral("f"));
  EXPECT_TRUE(frame.runCommand(57603));
  EXPECT_EQ(Read(path), QByteArray("\x7f\x00\x01", 3));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QString::fromUtf8("café.bin")});

  const QMdiSubWindow* child = frame.findChild<QMdiArea*>()->activeSubWindow();
  ASSERT_TRUE(child);
  EXPECT_TRUE(child->windowTitle().startsWith(path)) << child->windowTitle().toStdString();
  bool listed = false;
  for (const QAction* top : frame.menuBar()->actions())
    if (top->menu())
      for (const QAction* item : top->menu()->actions()) listed |= item->text().endsWith(QString::fromUtf8("café.bin"));
  EXPECT_TRUE(listed) << "the recent-file list shows the real name";

  // Save As to a name with an emoji writes that very name.
  const QString other = dir.filePath(QString::fromUtf8("😀 naïve.bin"));
  platform.dialogs.fileAnswers = {PathToCp932(other)};
  EXPECT_TRUE(frame.runCommand(57604));
  EXPECT_EQ(Read(other), QByteArray("\x7f\x00\x01", 3));
  EXPECT_TRUE(DisplayText(doc->GetTitle()).startsWith(other));
}

TEST_F(QtDocumentWorkflowTest, AFileAnotherProgramChangedIsOverwrittenOnlyWhenTheUserSaysSo) {
  const QString path = Write(QStringLiteral("grown.bin"), QByteArray(1000, 'a'));
  gProcess.nextDocKind = kBinaryDoc;
  CVeskDoc doc;
  ASSERT_TRUE(doc.OnOpenDocument(ToCp932(path)));
  doc.Store().SetAt(0, 'b');
  doc.SetModifiedFlag(true);
  QFile other(path);  // another program appends to the file
  ASSERT_TRUE(other.open(QIODevice::Append));
  other.write(QByteArray(5000, 'z'));
  other.close();
  platform.messages.answers = {answer::kCancel};
  EXPECT_FALSE(doc.DoFileSave());
  EXPECT_EQ(Read(path), QByteArray(1000, 'a') + QByteArray(5000, 'z'));
  ASSERT_EQ(platform.messages.shown.size(), 1u);
  EXPECT_NE(platform.messages.shown[0].style & mb::kOkIsOverwrite, 0u);
  platform.messages.answers = {answer::kOk};  // 上書き
  EXPECT_TRUE(doc.DoFileSave());
  EXPECT_EQ(Read(path), "b" + QByteArray(999, 'a'));
  // The file now is what was saved: the next save asks nothing.
  EXPECT_TRUE(doc.DoFileSave());
  EXPECT_EQ(platform.messages.shown.size(), 2u);
}

TEST_F(QtDocumentWorkflowTest, TheSameFileIsActivatedNotOpenedTwice) {
  const QString a = Write(QStringLiteral("a.bin"), "aaaa");
  const QString b = Write(QStringLiteral("b.bin"), "bbbb");
  QtMainFrame frame;
  frame.show();
  CVeskDoc* first = OpenInMode(Documents(), ToCp932(a), kOpenBinary, false);
  OpenInMode(Documents(), ToCp932(b), kOpenBinary, false);
  EXPECT_EQ(OpenInMode(Documents(), ToCp932(a), kOpenBinary, false), first);
  EXPECT_EQ(frame.mdiArea()->subWindowList().size(), 2);
  ASSERT_TRUE(frame.ActiveView());
  EXPECT_EQ(&frame.ActiveView()->GetDocument(), first);
}

TEST_F(QtDocumentWorkflowTest, TabsActivateTheirWindowsShowTheModifiedMarkAndHideAtOnce) {
  QtMainFrame frame;
  frame.show();
  std::vector<CVeskDoc*> docs;
  for (const char* name : {"a.bin", "b.bin", "c.bin"})
    docs.push_back(OpenInMode(Documents(), ToCp932(Write(QString::fromLatin1(name), "xy")), kOpenBinary, false));
  QApplication::processEvents();
  QTabBar* tabs = frame.tabBar()->tabs();
  ASSERT_EQ(tabs->count(), 3);
  EXPECT_EQ(tabs->tabText(1), QStringLiteral("b.bin"));
  EXPECT_EQ(tabs->currentIndex(), 2);
  tabs->setCurrentIndex(0);
  ASSERT_TRUE(frame.ActiveView());
  EXPECT_EQ(&frame.ActiveView()->GetDocument(), docs[0]);
  docs[1]->SetModifiedFlag(true);
  EXPECT_FALSE(tabs->tabIcon(1).isNull());
  docs[1]->SetModifiedFlag(false);
  EXPECT_TRUE(tabs->tabIcon(1).isNull());
  Documents().CloseDocument(*docs[0], false);
  EXPECT_EQ(tabs->count(), 2);
  EXPECT_EQ(tabs->tabText(0), QStringLiteral("b.bin"));
  frame.SettingsEffects()->ShowTabBar(false);
  EXPECT_FALSE(frame.tabBar()->isVisible());
}

TEST_F(QtDocumentWorkflowTest, DecodingPaneCascadedWindowsAndToolbarPictures) {
  QtMainFrame frame;
  frame.resize(900, 700);
  frame.show();
  const int decoding = CVeskStatusBar::IndexOf(pane::kDecoding);
  frame.updateCommandStates();
  EXPECT_EQ(frame.statusPanes()->paneText(decoding), QString());

  std::vector<QString> paths;
  for (const char* name : {"a.bin", "b.bin", "c.bin"}) paths.push_back(Write(QString::fromLatin1(name), "\x01\x02"));
  ASSERT_TRUE(OpenInMode(Documents(), ToCp932(paths[0]), kOpenBinary, false));
  QApplication::processEvents();
  frame.updateCommandStates();
  EXPECT_EQ(frame.statusPanes()->paneText(decoding), QStringLiteral("SJIS"));
  EXPECT_TRUE(frame.runCommand(32913));
  frame.updateCommandStates();
  EXPECT_EQ(frame.statusPanes()->paneText(decoding), QStringLiteral("JIS"));
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(frame.runCommand(32913));

  // Windows that are not maximised, new and cascaded, have room for rows.
  frame.mdiArea()->activeSubWindow()->showNormal();
  for (std::size_t i = 1; i < paths.size(); ++i) ASSERT_TRUE(OpenInMode(Documents(), ToCp932(paths[i]), kOpenBinary, false));
  QApplication::processEvents();
  const QSize room = frame.mdiArea()->viewport()->size();
  auto usable = [&](const char* when) {
    for (QMdiSubWindow* window : frame.mdiArea()->subWindowList()) {
      EXPECT_GE(window->height(), room.height() / 2) << when;
      EXPECT_GE(window->width(), room.width() / 2) << when;
    }
  };
  usable("opened");
  frame.mdiArea()->activeSubWindow()->showMaximized();
  EXPECT_TRUE(frame.runCommand(57650));
  QApplication::processEvents();
  usable("cascaded");

  // Every button shows a picture of its own, not a letter.
  std::set<QByteArray> pictures;
  int buttons = 0;
  for (QAction* action : frame.toolbar()->actions()) {
    if (!action->data().isValid()) continue;
    ++buttons;
    ASSERT_FALSE(action->icon().isNull()) << action->text().toStdString();
    const QImage image = action->icon().pixmap(20, 20).toImage().convertToFormat(QImage::Format_ARGB32);
    pictures.insert(QByteArray(reinterpret_cast<const char*>(image.constBits()), int(image.sizeInBytes())));
    int inked = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) inked += qAlpha(image.pixel(x, y)) > 128;
    EXPECT_GT(inked, 30) << action->text().toStdString();
  }
  EXPECT_EQ(buttons, 16);
  EXPECT_EQ(pictures.size(), 16u);
}

}  // namespace
}  // namespace quarn::qt
