#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <cctype>
#include <set>

#include "FrameTest.h"
#include "core/commands/CommandIds.h"
#include "core/commands/Menus.h"
#include "core/res/StringTable.h"
#include "qt/QtMenuBuilder.h"
#include "qt/QtStatusBar.h"

namespace quarn::qt {
namespace {

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

class QtMainFrameTest : public testing::FrameTest {};

// Without a document the file commands and the common settings are there;
// with one, recording shows in the pane and the menu text; Exit hides.
TEST_F(QtMainFrameTest, MenusFollowTheDocumentsAndTheRecordingUntilExit) {
  EXPECT_EQ(frame.windowTitle(), QStringLiteral("Quarn"));
  QStringList titles;
  for (QAction* a : frame.menuBar()->actions()) titles << a->text();
  EXPECT_EQ(titles, (QStringList{QString::fromUtf8("ファイル(&F)"), QString::fromUtf8("オプション(&O)"),
                                 QString::fromUtf8("ヘルプ(&H)")}));
  for (unsigned id : {57600u, 57601u, 57665u, 32881u, 32916u, 57664u, 32780u, 32814u, 32776u, 32777u, 57670u}) {
    ASSERT_TRUE(FindCommand(*frame.menuBar(), id)) << id;
    EXPECT_TRUE(FindCommand(*frame.menuBar(), id)->isEnabled()) << id;
  }
  // A cancelled open dialog opens nothing.
  EXPECT_TRUE(frame.runCommand(57601));
  EXPECT_EQ(platform.dialogs.requests.size(), 1u);
  EXPECT_EQ(Documents().Count(), 0u);
  ASSERT_TRUE(frame.runCommand(cmd::kFileNew));
  QApplication::processEvents();
  QAction* record = FindCommand(*frame.menuBar(), cmd::kRecord);
  ASSERT_TRUE(record);
  ASSERT_TRUE(frame.runCommand(cmd::kRecord));
  frame.updateCommandStates();
  EXPECT_EQ(record->text(), QString::fromUtf8("操作の記録終了(&R)"));
  EXPECT_EQ(frame.statusPanes()->paneText(7), QString::fromUtf8("記録中 0      "));
  Documents().CloseAll();
  QApplication::processEvents();
  QAction* exit = FindCommand(*frame.menuBar(), 57665);
  ASSERT_TRUE(exit);
  exit->trigger();
  EXPECT_FALSE(frame.isVisible());
}

}  // namespace
}  // namespace quarn::qt
