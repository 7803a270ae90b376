// File dialogs with the program's filters and open modes; message boxes.
#include "qt/QtDialogService.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QPushButton>

#include "FrameTest.h"
#include "core/res/StringTable.h"
#include "qt/QtMessageService.h"

namespace quarn::qt {
namespace {

// The open dialog hands back the path, the filter, the read-only choice and
// the open mode, telling each mode chosen on the way.
TEST(QtFileDialogTest, OpenAndSaveDialogsHandBackTheUsersChoices) {
  QTemporaryDir temp;
  QtDialogService service;
  for (const char* name : {"a.c", "é.inc"}) testing::WriteFile(temp.filePath(QString::fromUtf8(name)), {});
  FileDialogRequest request;
  request.filter = texts::kFilterC;
  request.filterIndex = 4;
  request.initialDir = ToCp932(temp.path());
  request.fileMustExist = request.pathMustExist = request.showOpenMode = true;
  for (unsigned id = 59464; id <= 59467; ++id) request.openModes.push_back(LoadString(id));
  std::vector<int> told;
  request.openModeChanged = [&told](int mode) { told.push_back(mode); };
  QString filter;
  QStringList filters;
  testing::WhenModalShown([&](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    ASSERT_TRUE(dialog);
    filter = dialog->selectedNameFilter();
    filters = dialog->nameFilters();
    if (auto* box = dialog->findChild<QCheckBox*>()) box->setChecked(true);
    auto* list = dialog->findChild<QComboBox*>(QStringLiteral("quarnOpenMode"));
    ASSERT_TRUE(list);
    list->setCurrentIndex(3);
    list->setCurrentIndex(2);
    dialog->selectFile(QString::fromUtf8("é.inc"));
    QMetaObject::invokeMethod(dialog, "accept");
  });
  ASSERT_TRUE(service.fileDialog(request));
  EXPECT_EQ(filter, QString::fromUtf8("ｱｾﾝﾌﾞﾗ(*.asm;*.inc)"));
  EXPECT_EQ(filters.value(3), QString::fromUtf8("ｱｾﾝﾌﾞﾗ(*.asm;*.inc) (*.asm *.inc)"));
  EXPECT_EQ(filters.value(5), QString::fromUtf8("すべてのﾌｧｲﾙ(*.*) (*)"));  // also files without a dot
  EXPECT_EQ(request.filterIndex, 4);
  EXPECT_TRUE(request.readOnly);
  EXPECT_EQ(told, (std::vector<int>{3, 2}));
  EXPECT_EQ(request.openMode, 2);
  // The name CP932 lacks comes back as the file's own bytes.
  EXPECT_EQ(PathToOs(request.fileName), QFile::encodeName(temp.filePath(QString::fromUtf8("é.inc"))));
  // The save dialog proposes a Japanese name and shows no open controls;
  // Cancel changes nothing.
  FileDialogRequest save;
  save.open = false;
  save.filter = texts::kFilterGeneral;
  save.hideReadOnly = save.showOpenMode = true;  // a save dialog shows no mode list
  save.openModes = {"a", "b"};
  save.fileName = ToCp932(temp.filePath(QString::fromUtf8("表示.bin")));
  bool hadOpenControls = true;
  testing::WhenModalShown([&](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    ASSERT_TRUE(dialog);
    hadOpenControls = dialog->findChild<QCheckBox*>() || dialog->findChild<QComboBox*>(QStringLiteral("quarnOpenMode"));
    QMetaObject::invokeMethod(dialog, "accept");
  });
  ASSERT_TRUE(service.fileDialog(save));
  EXPECT_FALSE(hadOpenControls);
  EXPECT_EQ(save.fileName, ToCp932(temp.filePath(QString::fromUtf8("表示.bin"))));
  const FileDialogRequest before = save;
  testing::WhenModalShown([](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); });
  EXPECT_FALSE(service.fileDialog(save));
  EXPECT_EQ(save.fileName, before.fileName);
}

using B = QMessageBox::StandardButton;

TEST(QtMessageServiceTest, BoxShowsConvertedTextsButtonsAndIconAndAnswersButtonNumbers) {
  // "保存しますか？" / "Quarn"
  auto box = MakeMessageBox("\x95\xDB\x91\xB6\x82\xB5\x82\xDC\x82\xB7\x82\xA9\x81\x48", "Quarn", mb::kYesNoCancel);
  EXPECT_EQ(box->text(), QString::fromUtf8("保存しますか？"));
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
  // The second-button default of the style.
  EXPECT_EQ(MakeMessageBox("x", "y", mb::kYesNo | 0x100)->defaultButton()->text(),
            MakeMessageBox("x", "y", mb::kYesNo)->button(B::No)->text());
  // Answers are the program's button numbers (No, Cancel: the modal box below);
  // closed without a button, the answer of the box's escape.
  EXPECT_EQ(AnswerOf(B::Yes, mb::kYesNoCancel), 6);
  EXPECT_EQ(AnswerOf(B::NoButton, mb::kOk), 1);
  EXPECT_EQ(AnswerOf(B::NoButton, mb::kYesNoCancel), 2);
  EXPECT_EQ(AnswerOf(B::NoButton, mb::kYesNo), 7);
  // Shown modally, the box answers the button clicked, or its escape when closed.
  QtMessageService service;
  testing::WhenModalShown([](QWidget* modal) { qobject_cast<QMessageBox*>(modal)->button(B::No)->click(); });
  EXPECT_EQ(service.messageBox("x", "Quarn", mb::kYesNoCancel | mb::kIconQuestion), 7);
  testing::WhenModalShown([](QWidget* modal) { modal->close(); });
  EXPECT_EQ(service.messageBox("x", "Quarn", mb::kOkCancel), 2);
}


}  // namespace
}  // namespace quarn::qt
