// The find box, the replace dialog and the global find.
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>

#include "FrameTest.h"
#include "core/binaryview/CVeskBV.h"
#include "core/commands/CommandIds.h"
#include "core/search/CFindReplaceManeger.h"
#include "qt/QtDirectoryLister.h"
#include "qt/QtFindDialog.h"
#include "qt/QtGlobalFindDialog.h"
#include "qt/QtMainToolbar.h"

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
    GlobalFindDialogs() = nullptr;
    Directories() = nullptr;
    gFindReplace = CFindReplaceManeger();
  }
  QtDirectoryLister lister;
  QtGlobalFindDialogs dialogs{&frame};
};

// A file is opened by its name only in the directory listed last: a listing
// of another directory in between (the operation list, say) sends the caller
// back to the file's whole path.
TEST(QtDirectoryListerTest, ListedFilesOpenOnlyInTheDirectoryListedLast) {
  QTemporaryDir dir;
  for (const char* name : {"a", "b"}) ASSERT_TRUE(QDir(dir.path()).mkdir(QString::fromLatin1(name)));
  for (const char* name : {"a/f", "b/f"}) testing::WriteFile(dir.filePath(QString::fromLatin1(name)), name);
  const std::string a = PathToCp932(dir.path()) + "/a/", b = PathToCp932(dir.path()) + "/b/";
  QtDirectoryLister lister;
  std::vector<DirectoryEntry> entries;
  auto contents = [&lister](const std::string& folder, const char* name) {
    char bytes[8] = {};
    auto file = lister.openListed(folder, name);
    return file ? std::string(bytes, std::size_t(file->read(bytes, sizeof bytes))) : std::string("none");
  };
  ASSERT_TRUE(lister.list(a, entries));
  EXPECT_EQ(contents(a, "f") + contents(b, "f") + contents(a, "missing"), "a/fnonenone");
  ASSERT_TRUE(lister.list(b, entries));
  EXPECT_EQ(contents(a, "f") + contents(b, "f"), "noneb/f");
}

// The find box on the main toolbar and the replace dialog: type, press
// Enter, click the buttons; then the global find dialog.
TEST_F(QtGlobalFindTest, TheFindBoxTheReplaceDialogAndTheGlobalFind) {
  ASSERT_TRUE(Open(QStringLiteral("find.bin"), "xx\x01\x02yy\x01\x02", kOpenBinary));
  QtFindBox* box = frame.toolbar()->findBox();
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
  // Replace all reports and closes the dialog; closing the document closes
  // the find dialog opened over it.
  CVeskDoc* doc = Open(QStringLiteral("replace.bin"), "ab-ab-ab", kOpenBinary);
  ASSERT_TRUE(doc);
  EXPECT_TRUE(frame.runCommand(57641));
  QtFindDialog* dialog = frame.findDialog().dialog();
  ASSERT_TRUE(dialog);
  EXPECT_FALSE(dialog->findOnly());
  dialog->findBox()->setEditText(QStringLiteral("6162"));
  dialog->replaceBox()->setEditText(QStringLiteral("7A"));
  dialog->replaceAllButton()->click();
  EXPECT_EQ(testing::TextOf(*doc), "z-z-z");
  ASSERT_EQ(platform.messages.shown.size(), 1u);
  EXPECT_EQ(ToQString(platform.messages.shown[0].text), QStringLiteral("3 回置換しました。"));
  EXPECT_FALSE(frame.findDialog().isOpen());
  EXPECT_TRUE(frame.runCommand(57636));
  ASSERT_TRUE(frame.findDialog().isOpen());
  EXPECT_TRUE(frame.findDialog().isFindOnly());
  Documents().CloseAll();
  QApplication::processEvents();
  EXPECT_FALSE(frame.findDialog().isOpen());
  platform.messages.shown.clear();

  // The global find's dialog entries find the hits of a tree.
  ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("lib/deep")));
  Write(QStringLiteral("main.c"), "int main(void)\r\n{\r\n  return answer();\r\n}\r\n");
  Write(QStringLiteral("lib/deep/answer.c"), "/* the answer */\r\nint answer(void) { return 42; }\r\n");
  Write(QStringLiteral("lib/notes.txt"), "answer\r\n");
  gFindReplace.filePatternHistory.Add("/older/*.h");
  testing::WhenModalShown([&](QWidget* modal) {
    auto* dialog = qobject_cast<QtGlobalFindDialog*>(modal);
    ASSERT_TRUE(dialog);
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
    dialog->accept();
  });
  EXPECT_TRUE(frame.runCommand(cmd::kGlobalFind));
  ASSERT_EQ(Documents().Count(), 1u);
  const std::string root = ToCp932(dir.path());
  EXPECT_EQ(testing::TextOf(Documents().At(0)),
            root + "/main.c(3):   return answer();\r\n" + root + "/lib/deep/answer.c(1): /* the answer */\r\n" +
                root + "/lib/deep/answer.c(2): int answer(void) { return 42; }\r\n");
  EXPECT_EQ(platform.messages.shown.size(), 1u);
}

}  // namespace
}  // namespace quarn::qt
