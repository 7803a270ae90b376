// A user's round in the real frame: the menus, opening a file, typing into
// its window, saving, and looking at the file and the window.
#include <QAction>
#include <QDir>
#include <QImage>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTabBar>
#include <QScreen>
#include <QToolBar>
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

// The number of distinct colours in the widget's picture, counted up to 3.
std::size_t Colours(QWidget* widget) {
  const QImage image = widget->grab().toImage();
  std::set<QRgb> colours;
  for (int y = 0; y < image.height() && colours.size() < 3; y += 3)
    for (int x = 0; x < image.width() && colours.size() < 3; x += 3) colours.insert(image.pixel(x, y));
  return colours.size();
}

// Every item of both menu bars can be chosen by its access key; in the
// tools and option popups no two items share a key.
TEST(MenusTest, EveryItemHasAnAccessKey) {
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
}

// The menu bar built from the menu data: the program's texts, the recent
// files in place of their item, numbered; a long name keeps the menu on the
// screen.
TEST(QtMenuBuilderTest, RecentFilesExpandInPlaceWithNumberedMnemonics) {
  QMenuBar bar;
  BuildMenuBar(bar, menus::NoDocumentMenu(), {"/a/\x95\x5C.bin", "/b.bin"});
  QMenuBar wide;
  BuildMenuBar(wide, menus::MainMenu(), {"/" + std::string(240, 'n')});
  EXPECT_LE(wide.actions().front()->menu()->sizeHint().width(),
            QGuiApplication::primaryScreen()->availableGeometry().width());
  QMenu* file = bar.actions().first()->menu();
  ASSERT_TRUE(file);
  QStringList texts;
  for (QAction* a : file->actions()) texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
  EXPECT_EQ(texts, (QStringList{QString::fromUtf8("新規作成(&N)..."), QString::fromUtf8("開く(&O)..."),
                                QString::fromUtf8("&1 /a/表.bin"), QStringLiteral("&2 /b.bin"), QStringLiteral("-"),
                                QString::fromUtf8("終了(&X)")}));
  ASSERT_TRUE(FindCommand(bar, 57617));
  EXPECT_EQ(FindCommand(bar, 57617)->text(), QStringLiteral("&2 /b.bin"));
  EXPECT_FALSE(FindCommand(bar, 57618));
}

class QtDocumentWorkflowTest : public testing::FrameTest {
 protected:
  QtDocumentWorkflowTest() { gProcess.overwrite = false; }
  // The shown binary window, focused.
  QtBinaryWindow* FocusedWindow() {
    auto* window = frame.findChild<QtBinaryWindow*>();
    if (window) window->setFocus();
    return window;
  }
};

// The file's name is one CP932 lacks: it opens, shows and saves under itself.
TEST_F(QtDocumentWorkflowTest, OpenTypeSaveAndTheFileHoldsTheTypedBytes) {
  CVeskDoc* doc = Open(QString::fromUtf8("café.bin"), QByteArray("\x00\x01\x02\x03", 4), kOpenBinary);
  const QString path = dir.filePath(QString::fromUtf8("café.bin"));
  ASSERT_TRUE(doc);
  frame.MenusChanged();
  QApplication::processEvents();
  auto* window = FocusedWindow();
  ASSERT_TRUE(window);
  Press(window, Qt::Key_4, QStringLiteral("4"));
  Press(window, Qt::Key_1, QStringLiteral("1"));
  Press(window, Qt::Key_Tab, QStringLiteral("\t"));
  Press(window, Qt::Key_Z, QStringLiteral("z"));
  EXPECT_TRUE(frame.runCommand(57603));
  const QByteArray saved("\x41z\x00\x01\x02\x03", 6);
  EXPECT_EQ(ReadFile(path), saved);
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
  EXPECT_EQ(ReadFile(other), saved);
  EXPECT_TRUE(DisplayText(doc->GetTitle()).startsWith(other));
  EXPECT_TRUE(frame.runCommand(57643));  // undo: modified again
  QApplication::processEvents();
  EXPECT_GT(Colours(window), 2u) << "the binary window drew nothing";
  // Closing the modified document asks; No closes it without saving.
  platform.messages.answers = {answer::kNo};
  EXPECT_TRUE(frame.runCommand(57602));
  QApplication::processEvents();
  EXPECT_EQ(Documents().Count(), 0u);
  EXPECT_EQ(ReadFile(other), saved);
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
  EXPECT_EQ(ReadFile(path), QByteArray(1000, 'a') + QByteArray(5000, 'z'));
  ASSERT_EQ(platform.messages.shown.size(), 1u);
  EXPECT_NE(platform.messages.shown[0].style & mb::kOkIsOverwrite, 0u);
  platform.messages.answers = {answer::kOk};  // 上書き
  EXPECT_TRUE(doc.DoFileSave());
  EXPECT_EQ(ReadFile(path), "b" + QByteArray(999, 'a'));
}

// The menus follow the documents; the decoding pane follows its command;
// windows opened and cascaded have room for rows; tabs follow the windows, and opening a file already open
// activates its window; every toolbar button shows a picture of its own.
TEST_F(QtDocumentWorkflowTest, MenusPaneWindowsTabsAndToolbarFollowTheDocumentsUntilExit) {
  frame.resize(900, 700);
  // Without a document the file commands and the common settings are there;
  // a cancelled open dialog opens nothing.
  EXPECT_EQ(frame.windowTitle(), QStringLiteral("Quarn"));
  QStringList titles;
  for (QAction* a : frame.menuBar()->actions()) titles << a->text();
  EXPECT_EQ(titles, (QStringList{QString::fromUtf8("ファイル(&F)"), QString::fromUtf8("オプション(&O)"),
                                 QString::fromUtf8("ヘルプ(&H)")}));
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
  EXPECT_EQ(tabs->tabText(0), QStringLiteral("b.bin"));
  frame.SettingsEffects()->ShowTabBar(false);
  EXPECT_FALSE(frame.tabBar()->isVisible());
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
  FindCommand(*frame.menuBar(), 57665)->trigger();
  EXPECT_FALSE(frame.isVisible());
  EXPECT_EQ(Documents().Count(), 0u);
}

// A Shift_JIS text in text mode: drawn, copied whole through the system
// clipboard, and left unchanged by editing keys (it is not writable here).
TEST_F(QtDocumentWorkflowTest, OpenReadCopyAndTryToChangeAShiftJisText) {
  QtClipboard clipboard;
  Platform().clipboard = &clipboard;
  const QByteArray bytes("int main() {\r\n\t/* \x93\xfa\x96\x7b\x8c\xea */ return 0;\r\n}\r\n");
  CVeskDoc* doc = Open(QStringLiteral("text.c"), bytes, kOpenText);
  ASSERT_TRUE(doc && doc->DocKind() == kTextDoc);
  auto* window = frame.findChild<QtTextWindow*>();
  ASSERT_TRUE(window && window->isVisible());
  window->setFocus();
  const QImage image = window->grab().toImage();
  int dark = 0;
  for (int y = 0; y < image.height(); y += 2)
    for (int x = 0; x < image.width(); x += 2) dark += qGray(image.pixel(x, y)) < 100;
  EXPECT_GT(dark, 50) << "no text drawn";
  EXPECT_TRUE(frame.runCommand(32803));  // select all, copy
  EXPECT_TRUE(frame.runCommand(57634));
  std::string copied;
  ASSERT_TRUE(clipboard.getText(copied));
  EXPECT_EQ(QByteArray::fromStdString(copied), bytes);
  Press(window, Qt::Key_A, QStringLiteral("a"));
  Press(window, Qt::Key_Backspace, QStringLiteral("\b"));
  Press(window, Qt::Key_V, QString(), Qt::ControlModifier);
  EXPECT_EQ(QByteArray::fromStdString(testing::TextOf(*doc)), bytes);
  EXPECT_TRUE(platform.beep.beeps.empty());
}

}  // namespace
}  // namespace quarn::qt
