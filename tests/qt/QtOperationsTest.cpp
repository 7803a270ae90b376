#include "qt/QtOperationDialogs.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>

#include "QtTestUtil.h"
#include "core/commands/CommandIds.h"
#include "core/macro/COperationManeger.h"
#include "core/commands/Menus.h"
#include "fakes/FakePlatform.h"
#include "qt/QtMainFrame.h"
#include "qt/QtMenuBuilder.h"
#include "qt/QtStatusBar.h"

namespace quarn::qt {
namespace {

QPushButton* Button(QWidget* dialog, const QString& text) {
  for (QPushButton* b : dialog->findChildren<QPushButton*>())
    if (b->text() == text) return b;
  return nullptr;
}

TEST(QtOperationDialogsTest, SaveDialogHandsOverNameKeyAndCommentUntilAccepted) {
  QtOperationDialogs dialogs;
  RecordDialogRequest request;
  request.keyNames = {"A", "F5"};
  int asked = 0;
  request.accept = [&](RecordDialogRequest& r, bool& focusName) {
    focusName = ++asked == 1;
    return asked > 1 && r.name == "op" && r.shift && !r.ctrl && r.keyIndex == 1 && r.comment == "c";
  };
  testing::WhenModalShown([](QWidget* dialog) {
    auto edits = dialog->findChildren<QLineEdit*>();
    edits[0]->setText(QStringLiteral("op"));
    edits.back()->setText(QStringLiteral("c"));
    dialog->findChildren<QCheckBox*>()[1]->setChecked(true);
    dialog->findChild<QComboBox*>()->setCurrentIndex(1);
    auto* ok = dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
    ok->click();  // refused once: the dialog stays
    EXPECT_TRUE(dialog->isVisible());
    ok->click();
  });
  EXPECT_TRUE(dialogs.recordDialog(request));
  EXPECT_EQ(asked, 2);
}

TEST(QtOperationDialogsTest, LoadDialogDeletesThenCloses) {
  QtOperationDialogs dialogs;
  PlayDialogRequest request;
  request.names = {"one", "two"};
  request.name = "two";
  request.describe = [](const std::string& name, std::string& key, std::string& comment) {
    key = name == "two" ? "F5" : "";
    comment = name;
  };
  std::vector<std::string> removed;
  request.remove = [&](const std::string& name) { return removed.push_back(name), true; };
  request.accept = [](const std::string&) { return true; };
  testing::WhenModalShown([](QWidget* dialog) {
    auto* names = dialog->findChild<QComboBox*>();
    EXPECT_EQ(names->currentText(), QStringLiteral("two"));
    Button(dialog, QString::fromUtf8("削除(&D)"))->click();
    EXPECT_EQ(names->count(), 1);
    EXPECT_FALSE(Button(dialog, QString::fromUtf8("再生(&P)"))->isEnabled());
    Button(dialog, QString::fromUtf8("閉じる"))->click();
  });
  EXPECT_EQ(dialogs.playDialog(request), PlayDialogAnswer::kOk);
  EXPECT_EQ(removed, (std::vector<std::string>{"two"}));
}

// A name of 240 characters leaves the dialog and its buttons on the
// screen, and the recent-file menu within it.
TEST(QtOperationDialogsTest, LongNamesKeepDialogsAndMenusOnTheScreen) {
  const std::string name(240, 'n');
  const int screen = QGuiApplication::primaryScreen()->availableGeometry().width();
  QtOperationDialogs dialogs;
  PlayDialogRequest request;
  request.names = {name, "short"};
  request.name = name;
  testing::WhenModalShown([&](QWidget* dialog) {
    EXPECT_LE(dialog->frameGeometry().width(), screen);
    for (QPushButton* b : dialog->findChildren<QPushButton*>())
      EXPECT_LE(b->mapTo(dialog, QPoint(b->width(), 0)).x(), dialog->width()) << b->text().toStdString();
    static_cast<QDialog*>(dialog)->reject();
  });
  EXPECT_EQ(dialogs.playDialog(request), PlayDialogAnswer::kCancel);
  QMenuBar bar;
  BuildMenuBar(bar, menus::MainMenu(), {"/" + name});
  EXPECT_LE(bar.actions().front()->menu()->sizeHint().width(), screen);
}

TEST(QtOperationsFrameTest, RecordingShowsInThePaneAndTheMenuText) {
  fakes::FakePlatform platform;
  QtMainFrame frame;
  ASSERT_TRUE(frame.runCommand(cmd::kFileNew));
  QApplication::processEvents();
  QAction* record = FindCommand(*frame.menuBar(), cmd::kRecord);
  ASSERT_TRUE(record);
  ASSERT_TRUE(frame.runCommand(cmd::kRecord));
  frame.updateCommandStates();
  EXPECT_EQ(record->text(), QString::fromUtf8("操作の記録終了(&R)"));
  EXPECT_EQ(frame.statusPanes()->paneText(7), QString::fromUtf8("記録中 0      "));
  ASSERT_TRUE(frame.runCommand(cmd::kRecord));
  frame.updateCommandStates();
  EXPECT_EQ(record->text(), QString::fromUtf8("操作の記録開始(&R)"));
  EXPECT_EQ(frame.statusPanes()->paneText(7), QString());
  EXPECT_FALSE(FindCommand(*frame.menuBar(), cmd::kPlay)->isEnabled());
}

}  // namespace
}  // namespace quarn::qt
