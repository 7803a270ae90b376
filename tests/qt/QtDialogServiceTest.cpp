// The dialog and message services of the Qt layer: file dialogs with the
// program's filters and open modes, and message boxes with their answers.
#include "qt/QtDialogService.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>

#include "FrameTest.h"
#include "core/res/StringTable.h"
#include "platform/Cp932Codec.h"
#include "qt/QtMessageService.h"
#include "qt/QtText.h"

namespace quarn::qt {
namespace {

std::string Cp932(const QString& s) { return codec::Utf8ToCp932(s.toStdString()); }

TEST(QtDialogServiceTest, ProgramFiltersBecomeQtNameFilters) {
  const QStringList c = QtNameFilters(texts::kFilterC);
  ASSERT_EQ(c.size(), 6);
  EXPECT_EQ(c[3], QString::fromUtf8("ｱｾﾝﾌﾞﾗ(*.asm;*.inc) (*.asm *.inc)"));
  EXPECT_EQ(c[5], QString::fromUtf8("すべてのﾌｧｲﾙ(*.*) (*)"));  // also files without a dot
  EXPECT_TRUE(QtNameFilters("||").isEmpty());
  EXPECT_EQ(QtNameFilters("A|*.a"), QStringList{"A (*.a)"});           // no closing "||"
  EXPECT_EQ(QtNameFilters("A|*.a|B"), QStringList{"A (*.a)"});         // title without pattern
}

class QtFileDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(temp_.isValid());
    for (const char* name : {"a.c", "é.h"}) testing::WriteFile(temp_.filePath(QString::fromUtf8(name)), {});
  }
  QTemporaryDir temp_;
  QtDialogService service_;
};

// The open dialog hands back the path, the filter, the read-only choice and
// the open mode, telling each mode chosen on the way.
TEST_F(QtFileDialogTest, OpenAndSaveDialogsHandBackTheUsersChoices) {
  FileDialogRequest request;
  request.title = LoadString(61440);
  request.filter = texts::kFilterC;
  request.filterIndex = 2;
  request.initialDir = Cp932(temp_.path());
  request.fileMustExist = true;
  request.pathMustExist = true;
  request.showOpenMode = true;
  for (unsigned id = 59464; id <= 59467; ++id) request.openModes.push_back(LoadString(id));
  std::vector<int> told;
  request.openModeChanged = [&told](int mode) { told.push_back(mode); };
  QString title, filter, label;
  QStringList shown;
  int initial = -1;
  testing::WhenModalShown([&](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    ASSERT_TRUE(dialog);
    title = dialog->windowTitle();
    filter = dialog->selectedNameFilter();
    if (auto* box = dialog->findChild<QCheckBox*>()) box->setChecked(true);
    auto* list = dialog->findChild<QComboBox*>(QStringLiteral("quarnOpenMode"));
    ASSERT_TRUE(list);
    for (int i = 0; i < list->count(); ++i) shown << list->itemText(i);
    initial = list->currentIndex();
    for (const QLabel* l : dialog->findChildren<QLabel*>())
      if (l->buddy() == list) label = l->text();
    list->setCurrentIndex(3);
    list->setCurrentIndex(2);
    dialog->selectFile(QString::fromUtf8("é.h"));
    QMetaObject::invokeMethod(dialog, "accept");
  });
  ASSERT_TRUE(service_.fileDialog(request));
  EXPECT_EQ(title, QString::fromUtf8("ファイルを開く"));
  EXPECT_TRUE(filter.startsWith(QString::fromUtf8("ﾍｯﾀﾞ(*.h)")));
  EXPECT_EQ(request.filterIndex, 2);
  EXPECT_TRUE(request.readOnly);
  EXPECT_EQ(shown, QString::fromUtf8("自動,テキストファイル,バイナリファイル,キャビネットファイル").split(u','));
  EXPECT_EQ(label, QString::fromUtf8("用途(&U):"));
  EXPECT_EQ(initial, 0);
  EXPECT_EQ(told, (std::vector<int>{3, 2}));
  EXPECT_EQ(request.openMode, 2);
  // The name CP932 lacks comes back as the file's own bytes.
  EXPECT_EQ(PathToOs(request.fileName), QFile::encodeName(temp_.filePath(QString::fromUtf8("é.h"))));
  // The save dialog proposes a Japanese name and shows no open controls;
  // Cancel changes nothing.
  FileDialogRequest save;
  save.open = false;
  save.title = LoadString(61441);
  save.filter = texts::kFilterGeneral;
  save.hideReadOnly = true;
  save.showOpenMode = true;  // a save dialog shows no mode list
  save.openModes = {"a", "b"};
  save.pathMustExist = true;
  save.fileName = Cp932(temp_.filePath(QString::fromUtf8("表示.bin")));
  bool hadOpenControls = true;
  testing::WhenModalShown([&](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    ASSERT_TRUE(dialog);
    hadOpenControls = dialog->findChild<QCheckBox*>() || dialog->findChild<QComboBox*>(QStringLiteral("quarnOpenMode"));
    QMetaObject::invokeMethod(dialog, "accept");
  });
  ASSERT_TRUE(service_.fileDialog(save));
  EXPECT_FALSE(hadOpenControls);
  EXPECT_EQ(save.fileName, Cp932(temp_.filePath(QString::fromUtf8("表示.bin"))));
  EXPECT_EQ(save.filterIndex, 1);
  const FileDialogRequest before = save;
  testing::WhenModalShown([](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); });
  EXPECT_FALSE(service_.fileDialog(save));
  EXPECT_EQ(save.fileName, before.fileName);
}

using B = QMessageBox::StandardButton;

TEST(QtMessageServiceTest, BoxShowsConvertedTextsButtonsAndIconAndAnswersButtonNumbers) {
  // "保存しますか？" / "Quarn"
  auto box = MakeMessageBox("\x95\xDB\x91\xB6\x82\xB5\x82\xDC\x82\xB7\x82\xA9\x81\x48", "Quarn", mb::kYesNoCancel);
  EXPECT_EQ(box->text(), QString::fromUtf8("保存しますか？"));
  EXPECT_EQ(box->windowTitle(), QStringLiteral("Quarn"));
  EXPECT_EQ(box->defaultButton(), box->button(B::Yes));
  struct Case {
    unsigned style;
    QMessageBox::StandardButtons buttons;
    QMessageBox::Icon icon;
  };
  const Case cases[] = {
      {mb::kOk, B::Ok, QMessageBox::NoIcon},
      {mb::kYesNoCancel | mb::kIconQuestion, B::Yes | B::No | B::Cancel, QMessageBox::Question},
      {mb::kOkCancel | mb::kIconExclamation, B::Ok | B::Cancel, QMessageBox::Warning},
      {mb::kYesNo | mb::kIconAsterisk, B::Yes | B::No, QMessageBox::Information},
      {mb::kOk | mb::kSystemModal | mb::kIconHand, B::Ok, QMessageBox::Critical},
  };
  for (const Case& c : cases) {
    auto b = MakeMessageBox("x", "y", c.style);
    EXPECT_EQ(b->standardButtons(), c.buttons) << c.style;
    EXPECT_EQ(b->icon(), c.icon) << c.style;
  }
  auto overwrite = MakeMessageBox("x", "y", mb::kOkCancel | mb::kOkIsOverwrite);
  EXPECT_EQ(overwrite->button(B::Ok)->text(), QString::fromUtf8("上書き"));
  EXPECT_EQ(overwrite->button(B::Cancel)->text(), QString::fromUtf8("キャンセル"));
  // The second-button default of the style.
  EXPECT_EQ(MakeMessageBox("x", "y", mb::kYesNo | 0x100)->defaultButton()->text(),
            MakeMessageBox("x", "y", mb::kYesNo)->button(B::No)->text());
  // Answers are the program's button numbers (No, Cancel: the modal box below);
  // closed without a button, the answer of the box's escape.
  EXPECT_EQ(AnswerOf(B::Yes, mb::kYesNoCancel), 6);
  EXPECT_EQ(AnswerOf(B::NoButton, mb::kOk), 1);
  EXPECT_EQ(AnswerOf(B::NoButton, mb::kYesNoCancel), 2);
  EXPECT_EQ(AnswerOf(B::NoButton, mb::kYesNo), 7);
}

TEST(QtMessageServiceTest, ModalBoxReturnsTheButtonClicked) {
  QtMessageService service;
  QString shownText;
  testing::WhenModalShown([&](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    ASSERT_TRUE(box);
    shownText = box->text();
    box->button(B::No)->click();
  });
  EXPECT_EQ(service.messageBox("\x82\xA0", "Quarn", mb::kYesNoCancel | mb::kIconQuestion), 7);
  EXPECT_EQ(shownText, QString::fromUtf8("あ"));
  testing::WhenModalShown([](QWidget* modal) { modal->close(); });
  EXPECT_EQ(service.messageBox("x", "Quarn", mb::kOkCancel), 2);
}

}  // namespace
}  // namespace quarn::qt
