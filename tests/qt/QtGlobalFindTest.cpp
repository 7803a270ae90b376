// The global find used as a user would: fill the dialog, press OK, read the
// list, double-click a hit. QUARN_GLOBAL_FIND_SHOT names a PNG to write of
// the file jumped to (with ".dialog.png" and ".list.png" beside it).
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>

#include "core/app/DocTemplate.h"
#include "core/commands/CommandIds.h"
#include "core/document/CVeskDoc.h"
#include "core/res/Texts.h"
#include "core/textview/CVeskEV.h"
#include "core/search/CFindReplaceManeger.h"
#include "core/view/CVeskView.h"
#include "fakes/FakePlatform.h"
#include "qt/QtDirectoryLister.h"
#include "qt/QtFileSystem.h"
#include "qt/QtGlobalFindDialog.h"
#include "qt/QtMainFrame.h"
#include "qt/QtTestUtil.h"
#include "qt/QtText.h"

namespace quarn::qt {
namespace {

void Write(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

TEST(QtGlobalFindTest, TheDialogsEntriesFindTheHitsOfATree) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("lib/deep")));
  Write(dir.filePath(QStringLiteral("main.c")), "int main(void)\r\n{\r\n  return answer();\r\n}\r\n");
  Write(dir.filePath(QStringLiteral("lib/deep/answer.c")), "/* the answer */\r\nint answer(void) { return 42; }\r\n");
  Write(dir.filePath(QStringLiteral("lib/notes.txt")), "answer\r\n");

  fakes::FakePlatform platform;
  QtFileSystem files;
  Platform().files = &files;
  QtDirectoryLister lister;
  Directories() = &lister;
  gFindReplace = CFindReplaceManeger();
  gFindReplace.filePatternHistory.Add("/older/*.h");
  {
    QtMainFrame frame;
    QtGlobalFindDialogs dialogs(&frame);
    GlobalFindDialogs() = &dialogs;
    frame.resize(960, 640);
    frame.show();
    const QString shot = qEnvironmentVariable("QUARN_GLOBAL_FIND_SHOT");
    QStringList history;
    testing::WhenModalShown([&](QWidget* modal) {
      auto* dialog = qobject_cast<QtGlobalFindDialog*>(modal);
      ASSERT_TRUE(dialog);
      for (int i = 0; i < dialog->patternBox()->count(); ++i) history << dialog->patternBox()->itemText(i);
      // The newest pattern shows as its folder and its name; one picked
      // from the list is split the same way.
      EXPECT_EQ(dialog->patternBox()->currentText(), QStringLiteral("*.h"));
      EXPECT_EQ(dialog->folderEdit()->text(), QStringLiteral("/older/"));
      dialog->folderEdit()->setText(QStringLiteral("/elsewhere"));
      dialog->patternBox()->setEditText(dialog->patternBox()->itemText(0));
      emit dialog->patternBox()->activated(0);
      EXPECT_EQ(dialog->folderEdit()->text(), QStringLiteral("/older/"));
      EXPECT_EQ(dialog->patternBox()->currentText(), QStringLiteral("*.h"));
      dialog->textBox()->setEditText(QStringLiteral("answer"));
      dialog->patternBox()->setEditText(QStringLiteral("*.c"));
      dialog->folderEdit()->setText(dir.path());
      if (!shot.isEmpty()) dialog->grab().save(shot + QStringLiteral(".dialog.png"));
      dialog->accept();
    });
    EXPECT_TRUE(frame.runCommand(cmd::kGlobalFind));
    EXPECT_EQ(history, QStringList{QStringLiteral("/older/*.h")});
    ASSERT_EQ(Documents().Count(), 1u);
    CVeskDoc& list = Documents().At(0);
    std::string text(list.TextLength(), '\0');
    list.Store().Read(reinterpret_cast<std::uint8_t*>(text.data()), 0, list.TextLength());
    const std::string root = ToCp932(dir.path());
    EXPECT_EQ(text, root + "/main.c(3):   return answer();\r\n" + root + "/lib/deep/answer.c(1): /* the answer */\r\n" +
                        root + "/lib/deep/answer.c(2): int answer(void) { return 42; }\r\n");
    ASSERT_EQ(platform.messages.shown.size(), 1u);
    EXPECT_EQ(platform.messages.shown[0].caption, texts::kGlobalFindCaption);
    EXPECT_EQ(gFindReplace.filePatternHistory.Newest(), root + "/*.c");

    // The tag commands wait for a tag list: a double click on the second
    // hit makes the list one and opens its file; next tag goes to the third,
    // in the same file.
    EXPECT_FALSE(frame.runCommand(cmd::kTagNext));
    if (!shot.isEmpty()) frame.grab().save(shot + QStringLiteral(".list.png"));
    ASSERT_TRUE(frame.ActiveView());
    auto* window = dynamic_cast<CVeskEV*>(frame.ActiveView()->TextWindow());
    ASSERT_TRUE(window);
    const Point hit = window->Layout().CellToClient(2, 1);
    window->OnMouse(MouseKind::kLeftDown, hit.x, hit.y + 2, {});
    window->OnMouse(MouseKind::kLeftUp, hit.x, hit.y + 2, {});
    window->OnMouse(MouseKind::kLeftDoubleClick, hit.x, hit.y + 2, {});
    EXPECT_EQ(Documents().Count(), 2u);
    EXPECT_TRUE(frame.runCommand(cmd::kTagNext));
    QApplication::processEvents();
    EXPECT_EQ(Documents().Count(), 2u);
    ASSERT_TRUE(frame.ActiveView());
    EXPECT_EQ(frame.ActiveView()->GetDocument().GetPathName(), root + "/lib/deep/answer.c");
    EXPECT_EQ(frame.ActiveView()->Rulers().caretRow, 1u);
    if (!shot.isEmpty()) frame.grab().save(shot);
    Documents().CloseAll();
    GlobalFindDialogs() = nullptr;
  }
  Directories() = nullptr;
  gFindReplace = CFindReplaceManeger();
}

// A file is opened by its name only in the directory listed last: a listing
// of another directory in between (the operation list, say) sends the caller
// back to the file's whole path.
TEST(QtGlobalFindTest, ListedFilesOpenOnlyInTheDirectoryListedLast) {
  QTemporaryDir dir;
  ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("a")) && QDir(dir.path()).mkpath(QStringLiteral("b")));
  for (const char* name : {"a/f", "b/f"}) {
    QFile file(dir.filePath(QString::fromLatin1(name)));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(name);
  }
  const std::string a = PathToCp932(dir.filePath(QStringLiteral("a"))) + "/";
  const std::string b = PathToCp932(dir.filePath(QStringLiteral("b"))) + "/";
  QtDirectoryLister lister;
  std::vector<DirectoryEntry> entries;
  ASSERT_TRUE(lister.list(a, entries));
  auto contents = [](std::unique_ptr<File> file) {
    char bytes[8] = {};
    return file ? std::string(bytes, std::size_t(file->read(bytes, sizeof bytes))) : std::string("none");
  };
  EXPECT_EQ(contents(lister.openListed(a, "f")), "a/f");
  EXPECT_EQ(contents(lister.openListed(b, "f")), "none");
  EXPECT_EQ(contents(lister.openListed(a, "missing")), "none");
  ASSERT_TRUE(lister.list(b, entries));
  EXPECT_EQ(contents(lister.openListed(a, "f")), "none");
  EXPECT_EQ(contents(lister.openListed(b, "f")), "b/f");
}

}  // namespace
}  // namespace quarn::qt
