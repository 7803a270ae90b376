// A user's rounds in the real frame: open, type, save, look at the file.
#include <QAction>
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>
#include <cctype>
#include <set>

#include "FrameTest.h"
#include "core/commands/CommandIds.h"
#include "core/commands/Menus.h"
#include "core/common/ProcessValues.h"
#include "core/common/StatusPanes.h"
#include "core/res/StringTable.h"
#include "qt/QtBinaryWindow.h"
#include "qt/QtClipboard.h"
#include "qt/QtMainToolbar.h"
#include "qt/QtMenuBuilder.h"
#include "qt/QtStatusBar.h"
#include "qt/QtTabBar.h"
#include "qt/QtTextWindow.h"

namespace quarn::qt {
namespace {

using testing::Press;
using testing::ReadFile;

using QtDocumentWorkflowTest = testing::FrameTest;

// Every item of both menu bars can be chosen by its access key; in the tools and option popups no two
// items share a key. A long recent-file name keeps the menu on the screen.
TEST(MenusTest, EveryItemHasAnAccessKeyAndALongRecentNameStaysOnTheScreen) {
  for (const menus::MenuBar* bar : {&menus::NoDocumentMenu(), &menus::DocumentMenu()})
    for (const menus::Popup& popup : *bar) {
      const bool ownKeys = popup.text == texts::kMenuTools || popup.text == texts::kMenuOption;
      std::set<char> keys;
      for (const menus::MenuItem& item : popup.items) {
        if (item.kind != menus::ItemKind::kCommand) continue;
        const std::size_t amp = item.text.find('&');
        ASSERT_TRUE(amp != std::string::npos && amp + 1 < item.text.size()) << item.id << " " << item.text;
        EXPECT_TRUE(keys.insert(char(std::toupper(item.text[amp + 1]))).second || !ownKeys) << item.text;
      }
    }
  QMenuBar wide;
  BuildMenuBar(wide, menus::MainMenu(), {"/" + std::string(240, 'n')});
  EXPECT_LE(wide.actions().front()->menu()->sizeHint().width(),
            QGuiApplication::primaryScreen()->availableGeometry().width());
}

// The file's name is one CP932 lacks: it opens, shows and saves under itself.
TEST_F(QtDocumentWorkflowTest, OpenTypeSaveThenOpenReadAndCopyAText) {
  CVeskDoc* doc = Open(QString::fromUtf8("café.bin"), QByteArray("\x00\x01\x02\x03", 4), kOpenBinary);
  const QString path = dir.filePath(QString::fromUtf8("café.bin"));
  frame.MenusChanged();
  QApplication::processEvents();
  auto* window = frame.findChild<QtBinaryWindow*>();
  ASSERT_TRUE(doc && window);
  window->setFocus();
  Press(window, Qt::Key_4, QStringLiteral("4"));
  Press(window, Qt::Key_1, QStringLiteral("1"));
  Press(window, Qt::Key_Tab, QStringLiteral("\t"));
  Press(window, Qt::Key_Z, QStringLiteral("z"));
  EXPECT_TRUE(frame.runCommand(57603));
  const QByteArray saved("\x41z\x00\x01\x02\x03", 6);
  EXPECT_EQ(ReadFile(path), saved);
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QString::fromUtf8("café.bin")});
  // The recent files show under their real names, numbered.
  ASSERT_TRUE(FindCommand(*frame.menuBar(), cmd::kFirstRecentFile));
  EXPECT_EQ(FindCommand(*frame.menuBar(), cmd::kFirstRecentFile)->text(), QStringLiteral("&1 ") + path);
  // Save As to a name with an emoji writes that very name.
  const QString other = dir.filePath(QString::fromUtf8("😀 naïve.bin"));
  platform.dialogs.fileAnswers = {PathToCp932(other)};
  EXPECT_TRUE(frame.runCommand(57604));
  EXPECT_EQ(ReadFile(other), saved);
  EXPECT_TRUE(DisplayText(doc->GetTitle()).startsWith(other));
  EXPECT_TRUE(frame.runCommand(57643));  // undo: modified again
  QApplication::processEvents();
  EXPECT_GT(testing::Colours(window->grab().toImage()), 2u) << "the binary window drew nothing";
  // Closing the modified document asks; No closes it without saving.
  platform.messages.answers = {answer::kNo};
  EXPECT_TRUE(frame.runCommand(57602));
  QApplication::processEvents();
  EXPECT_EQ(Documents().Count(), 0u);
  EXPECT_EQ(ReadFile(other), saved);
  // A Shift_JIS text in text mode: drawn, copied whole through the system
  // clipboard, and left unchanged by editing keys (it is not writable here).
  QtClipboard clipboard;
  Platform().clipboard = &clipboard;
  const QByteArray bytes("int main() {\r\n\t/* \x93\xfa\x96\x7b\x8c\xea */ return 0;\r\n}\r\n");
  CVeskDoc* text = Open(QStringLiteral("text.c"), bytes, kOpenText);
  ASSERT_TRUE(text && text->DocKind() == kTextDoc);
  auto* textWindow = frame.findChild<QtTextWindow*>();
  ASSERT_TRUE(textWindow && textWindow->isVisible());
  textWindow->setFocus();
  EXPECT_GT(testing::Colours(textWindow->grab().toImage()), 2u) << "no text drawn";
  EXPECT_TRUE(frame.runCommand(32803));  // select all, copy
  EXPECT_TRUE(frame.runCommand(57634));
  std::string copied;
  ASSERT_TRUE(clipboard.getText(copied));
  EXPECT_EQ(QByteArray::fromStdString(copied), bytes);
  Press(textWindow, Qt::Key_A, QStringLiteral("a"));
  Press(textWindow, Qt::Key_Backspace, QStringLiteral("\b"));
  Press(textWindow, Qt::Key_V, QString(), Qt::ControlModifier);
  EXPECT_EQ(QByteArray::fromStdString(testing::TextOf(*text)), bytes);
  EXPECT_TRUE(platform.beep.beeps.empty());
}

TEST_F(QtDocumentWorkflowTest, AFileAnotherProgramChangedIsOverwrittenOnlyWhenTheUserSaysSo) {
  const QString path = Write(QStringLiteral("grown.bin"), QByteArray(1000, 'a'));
  gProcess.overwrite = false;
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
  EXPECT_EQ(ReadFile(path), QByteArray(1000, 'a') + QByteArray(5000, 'z'));
  ASSERT_EQ(platform.messages.shown.size(), 1u);
  EXPECT_NE(platform.messages.shown[0].style & mb::kOkIsOverwrite, 0u);
  platform.messages.answers = {answer::kOk};  // 上書き
  EXPECT_TRUE(doc.DoFileSave());
  EXPECT_EQ(ReadFile(path), "b" + QByteArray(999, 'a'));
}

// Opening a file already open activates its window; windows opened and
// cascaded have room for rows.
TEST_F(QtDocumentWorkflowTest, MenusPaneWindowsTabsAndToolbarFollowTheDocumentsUntilExit) {
  frame.resize(900, 700);
  // Without a document the file commands and the common settings are there;
  // a cancelled open dialog opens nothing.
  for (unsigned id : {57600u, 57601u, 57665u, 32881u, 32916u, 57664u, 32780u, 32814u, 32776u, 32777u, 57670u}) {
    ASSERT_TRUE(FindCommand(*frame.menuBar(), id)) << id;
    EXPECT_TRUE(FindCommand(*frame.menuBar(), id)->isEnabled()) << id;
  }
  EXPECT_TRUE(frame.runCommand(57601));
  EXPECT_EQ(platform.dialogs.requests.size(), 1u);
  EXPECT_EQ(Documents().Count(), 0u);
  const int decoding = CVeskStatusBar::IndexOf(pane::kDecoding);
  std::vector<CVeskDoc*> docs = {Open(QStringLiteral("a.bin"), "\x01\x02", kOpenBinary)};
  ASSERT_TRUE(docs[0]);
  frame.updateCommandStates();
  EXPECT_EQ(frame.statusPanes()->paneText(decoding), QStringLiteral("SJIS"));
  EXPECT_TRUE(frame.runCommand(32913));
  frame.updateCommandStates();
  EXPECT_EQ(frame.statusPanes()->paneText(decoding), QStringLiteral("JIS"));
  // Recording shows in the menu text and its pane.
  QAction* record = FindCommand(*frame.menuBar(), cmd::kRecord);
  ASSERT_TRUE(record && frame.runCommand(cmd::kRecord));
  frame.updateCommandStates();
  EXPECT_EQ(record->text(), QString::fromUtf8("操作の記録終了(&R)"));
  EXPECT_EQ(frame.statusPanes()->paneText(7), QString::fromUtf8("記録中 0      "));
  ASSERT_TRUE(frame.runCommand(cmd::kRecord));
  frame.mdiArea()->activeSubWindow()->showNormal();
  for (const char* name : {"b.bin", "c.bin"}) docs.push_back(Open(QString::fromLatin1(name), "xy", kOpenBinary));
  const QSize room = frame.mdiArea()->viewport()->size();
  auto usable = [&](const char* when) {
    for (QMdiSubWindow* window : frame.mdiArea()->subWindowList()) {
      EXPECT_GE(window->height(), room.height() / 2) << when;
      EXPECT_GE(window->width(), room.width() / 2) << when;
    }
  };
  usable("opened");
  QTabBar* tabs = frame.tabBar()->tabs();
  ASSERT_EQ(tabs->count(), 3);
  EXPECT_EQ(tabs->tabText(1), QStringLiteral("b.bin"));
  EXPECT_EQ(tabs->currentIndex(), 2);
  EXPECT_EQ(OpenInMode(Documents(), PathToCp932(dir.filePath("b.bin")), kOpenBinary, false), docs[1]);
  EXPECT_EQ(frame.mdiArea()->subWindowList().size(), 3);
  ASSERT_TRUE(frame.ActiveView());
  EXPECT_EQ(&frame.ActiveView()->GetDocument(), docs[1]);
  EXPECT_EQ(tabs->currentIndex(), 1);
  tabs->setCurrentIndex(0);
  EXPECT_EQ(&frame.ActiveView()->GetDocument(), docs[0]);
  docs[1]->SetModifiedFlag(true);
  EXPECT_FALSE(tabs->tabIcon(1).isNull());
  docs[1]->SetModifiedFlag(false);
  EXPECT_TRUE(tabs->tabIcon(1).isNull());
  frame.mdiArea()->activeSubWindow()->showMaximized();
  EXPECT_TRUE(frame.runCommand(57650));
  QApplication::processEvents();
  usable("cascaded");
  Documents().CloseDocument(*docs[0], false);
  EXPECT_EQ(tabs->count(), 2);
  frame.SettingsEffects()->ShowTabBar(false);
  EXPECT_FALSE(frame.tabBar()->isVisible());
  // Sixteen buttons, each with a picture of its own.
  std::set<QByteArray> pictures;
  for (QAction* action : frame.toolbar()->actions()) {
    if (!action->data().isValid()) continue;
    const QImage image = action->icon().pixmap(20, 20).toImage().convertToFormat(QImage::Format_ARGB32);
    pictures.insert(QByteArray(reinterpret_cast<const char*>(image.constBits()), int(image.sizeInBytes())));
  }
  EXPECT_EQ(pictures.size(), 16u);
  FindCommand(*frame.menuBar(), 57665)->trigger();
  EXPECT_FALSE(frame.isVisible());
  EXPECT_EQ(Documents().Count(), 0u);
}


}  // namespace
}  // namespace quarn::qt
