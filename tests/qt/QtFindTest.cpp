// The find box on the main toolbar and the replace dialog, used as a user
// would: type, press Enter, click the buttons.
#include <QComboBox>
#include <QPushButton>

#include "FrameTest.h"
#include "core/binaryview/CVeskBV.h"
#include "core/search/CFindReplaceManeger.h"
#include "qt/QtFindDialog.h"
#include "qt/QtMainToolbar.h"

namespace quarn::qt {
namespace {

class QtFindTest : public testing::FrameTest {
 protected:
  QtFindTest() { gFindReplace = CFindReplaceManeger(); }
  ~QtFindTest() override { gFindReplace = CFindReplaceManeger(); }
};

TEST_F(QtFindTest, TheFindBoxFindsAndTheDialogReplacesAll) {
  ASSERT_TRUE(Open(QStringLiteral("find.bin"), "xx\x01\x02yy\x01\x02", kOpenBinary));
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
  EXPECT_EQ(gFindReplace.replaceHistory.Newest(), "7A");
  EXPECT_TRUE(frame.runCommand(57636));
  ASSERT_TRUE(frame.findDialog().isOpen());
  EXPECT_TRUE(frame.findDialog().isFindOnly());
  Documents().CloseAll();
  QApplication::processEvents();
  EXPECT_FALSE(frame.findDialog().isOpen());
}

}  // namespace
}  // namespace quarn::qt
