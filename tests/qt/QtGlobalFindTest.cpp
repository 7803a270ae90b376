// The global find used as a user would: fill the dialog, press OK, read the
// list. QUARN_GLOBAL_FIND_SHOT names a prefix for PNGs of the dialog
// (".dialog.png") and the list (".list.png").
#include <QComboBox>
#include <QDir>
#include <QLineEdit>

#include "FrameTest.h"
#include "core/commands/CommandIds.h"
#include "core/res/Texts.h"
#include "core/search/CFindReplaceManeger.h"
#include "qt/QtDirectoryLister.h"
#include "qt/QtGlobalFindDialog.h"

namespace quarn::qt {
namespace {

class QtGlobalFindTest : public testing::FrameTest {
 protected:
  QtGlobalFindTest() {
    Directories() = &lister;
    GlobalFindDialogs() = &dialogs;
    gFindReplace = CFindReplaceManeger();
  }
  ~QtGlobalFindTest() override {
    Documents().CloseAll();
    GlobalFindDialogs() = nullptr;
    Directories() = nullptr;
    gFindReplace = CFindReplaceManeger();
  }
  QtDirectoryLister lister;
  QtGlobalFindDialogs dialogs{&frame};
};

TEST_F(QtGlobalFindTest, TheDialogsEntriesFindTheHitsOfATree) {
  ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("lib/deep")));
  Write(QStringLiteral("main.c"), "int main(void)\r\n{\r\n  return answer();\r\n}\r\n");
  Write(QStringLiteral("lib/deep/answer.c"), "/* the answer */\r\nint answer(void) { return 42; }\r\n");
  Write(QStringLiteral("lib/notes.txt"), "answer\r\n");
  gFindReplace.filePatternHistory.Add("/older/*.h");
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
  const std::string root = ToCp932(dir.path());
  EXPECT_EQ(testing::TextOf(Documents().At(0)),
            root + "/main.c(3):   return answer();\r\n" + root + "/lib/deep/answer.c(1): /* the answer */\r\n" +
                root + "/lib/deep/answer.c(2): int answer(void) { return 42; }\r\n");
  ASSERT_EQ(platform.messages.shown.size(), 1u);
  EXPECT_EQ(platform.messages.shown[0].caption, texts::kGlobalFindCaption);
  EXPECT_EQ(gFindReplace.filePatternHistory.Newest(), root + "/*.c");
  if (!shot.isEmpty()) frame.grab().save(shot + QStringLiteral(".list.png"));
}

// A file is opened by its name only in the directory listed last: a listing
// of another directory in between (the operation list, say) sends the caller
// back to the file's whole path.
TEST(QtDirectoryListerTest, ListedFilesOpenOnlyInTheDirectoryListedLast) {
  QTemporaryDir dir;
  ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("a")) && QDir(dir.path()).mkpath(QStringLiteral("b")));
  for (const char* name : {"a/f", "b/f"}) testing::WriteFile(dir.filePath(QString::fromLatin1(name)), name);
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
