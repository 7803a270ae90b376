#include "qt/QtMainFrame.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QTemporaryDir>
#include <QImage>
#include <cctype>
#include <set>

#include "core/commands/Menus.h"
#include "core/res/StringTable.h"
#include "fakes/FakePlatform.h"
#include "qt/QtMenuBuilder.h"

namespace quarn::qt {
namespace {

// The menu data holds the CP932 bytes of the program's own texts.
TEST(MenusTest, NoDocumentMenuHoldsTheSystemsTexts) {
  const menus::MenuBar& bar = menus::NoDocumentMenu();
  ASSERT_EQ(bar.size(), 3u);
  EXPECT_EQ(bar[0].text, "\x83\x74\x83\x40\x83\x43\x83\x8B(&F)");        // ファイル(&F)
  EXPECT_EQ(bar[1].text, "\x83\x49\x83\x76\x83\x56\x83\x87\x83\x93(&O)");  // オプション(&O)
  EXPECT_EQ(bar[2].text, "\x83\x77\x83\x8B\x83\x76(&H)");                  // ヘルプ(&H)

  const auto& file = bar[0].items;
  ASSERT_EQ(file.size(), 5u);
  EXPECT_EQ(file[0].id, 57600u);
  EXPECT_EQ(file[0].text, "\x90\x56\x8B\x4B\x8D\xEC\x90\xAC(&N)...");  // 新規作成(&N)...
  EXPECT_EQ(file[1].text, "\x8A\x4A\x82\xAD(&O)...");                  // 開く(&O)...
  EXPECT_EQ(file[2].kind, menus::ItemKind::kRecentFiles);
  EXPECT_EQ(file[3].kind, menus::ItemKind::kSeparator);
  EXPECT_EQ(file[4].text, "\x8F\x49\x97\xB9(&X)");                     // 終了(&X)

  std::vector<unsigned> ids;
  for (const auto& popup : bar)
    for (const auto& item : popup.items)
      if (item.kind == menus::ItemKind::kCommand) {
        ids.push_back(item.id);
        EXPECT_FALSE(item.text.empty()) << item.id;
      }
  EXPECT_EQ(ids, (std::vector<unsigned>{57600, 57601, 57665, 32881, 32814, 32780, 32776, 32777, 57670, 32916, 57664}));
}

// Every item of both menu bars can be chosen by its access key; in the tools
// and option popups no two items share a key.
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

TEST(QtMenuBuilderTest, RecentFilesExpandInPlaceWithNumberedMnemonics) {
  QMenuBar bar;
  BuildMenuBar(bar, menus::NoDocumentMenu(), {"/a/\x95\x5C.bin", "/b.bin"});
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

TEST(QtMainFrameTest, NoDocumentMenuEnablesTheFileCommandsAndTheCommonSettings) {
  fakes::FakePlatform platform;
  QtMainFrame frame;
  EXPECT_EQ(frame.windowTitle(), QStringLiteral("Quarn"));
  QStringList titles;
  for (QAction* a : frame.menuBar()->actions()) titles << a->text();
  EXPECT_EQ(titles, (QStringList{QString::fromUtf8("ファイル(&F)"), QString::fromUtf8("オプション(&O)"),
                                 QString::fromUtf8("ヘルプ(&H)")}));
  for (unsigned id : {57600u, 57601u, 57665u, 32881u, 32916u, 57664u, 32780u, 32814u, 32776u, 32777u}) {
    ASSERT_TRUE(FindCommand(*frame.menuBar(), id)) << id;
    EXPECT_TRUE(FindCommand(*frame.menuBar(), id)->isEnabled()) << id;
  }
  // A cancelled open dialog opens nothing.
  EXPECT_TRUE(frame.runCommand(57601));
  EXPECT_EQ(platform.dialogs.requests.size(), 1u);

  frame.show();
  QAction* exit = FindCommand(*frame.menuBar(), 57665);
  ASSERT_TRUE(exit);
  exit->trigger();
  EXPECT_FALSE(frame.isVisible());
}

// Runs the real program in its screenshot mode.
TEST(QuarnProcessTest, ScreenshotModeWritesAPictureAndExitsCleanly) {
  QTemporaryDir home;
  ASSERT_TRUE(home.isValid());
  const QString shot = home.filePath(QStringLiteral("shot.png"));
  QProcess quarn;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("QUARN_SCREENSHOT"), shot);
  env.insert(QStringLiteral("QUARN_HOME"), home.path());
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  quarn.setProcessEnvironment(env);
  quarn.setProcessChannelMode(QProcess::MergedChannels);
  quarn.start(QStringLiteral(QUARN_BINARY_DIR "/quarn"), {});
  ASSERT_TRUE(quarn.waitForStarted()) << "the program " QUARN_BINARY_DIR "/quarn must be built";
  ASSERT_TRUE(quarn.waitForFinished(60000)) << quarn.readAll().toStdString();
  EXPECT_EQ(quarn.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(quarn.exitCode(), 0) << quarn.readAll().toStdString();

  QImage image(shot);
  ASSERT_FALSE(image.isNull());
  EXPECT_GE(image.width(), 200);
  EXPECT_GE(image.height(), 100);
  std::set<QRgb> colours;
  for (int y = 0; y < image.height() && colours.size() < 3; y += 2)
    for (int x = 0; x < image.width() && colours.size() < 3; x += 2) colours.insert(image.pixel(x, y));
  EXPECT_GT(colours.size(), 1u) << "the screenshot is blank";
}

}  // namespace
}  // namespace quarn::qt
