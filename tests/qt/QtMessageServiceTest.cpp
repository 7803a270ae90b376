#include "qt/QtMessageService.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QPushButton>

#include "QtTestUtil.h"

namespace quarn::qt {
namespace {

using B = QMessageBox::StandardButton;

TEST(QtMessageServiceTest, BoxShowsConvertedTextsButtonsAndIcon) {
  // "保存しますか？" / "Quarn"
  auto box = MakeMessageBox("\x95\xDB\x91\xB6\x82\xB5\x82\xDC\x82\xB7\x82\xA9\x81\x48", "Quarn",
                            mb::kYesNoCancel | mb::kIconQuestion);
  EXPECT_EQ(box->text(), QString::fromUtf8("保存しますか？"));
  EXPECT_EQ(box->windowTitle(), QStringLiteral("Quarn"));
  EXPECT_EQ(box->icon(), QMessageBox::Question);
  EXPECT_EQ(box->standardButtons(), B::Yes | B::No | B::Cancel);
  EXPECT_EQ(box->defaultButton(), box->button(B::Yes));

  struct Case {
    unsigned style;
    QMessageBox::StandardButtons buttons;
    QMessageBox::Icon icon;
  };
  const Case cases[] = {
      {mb::kOk, B::Ok, QMessageBox::NoIcon},
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
}

TEST(QtMessageServiceTest, AnswersAreTheProgramsButtonNumbers) {
  EXPECT_EQ(AnswerOf(B::Ok, mb::kOk), 1);
  EXPECT_EQ(AnswerOf(B::Cancel, mb::kOkCancel), 2);
  EXPECT_EQ(AnswerOf(B::Yes, mb::kYesNoCancel), 6);
  EXPECT_EQ(AnswerOf(B::No, mb::kYesNoCancel), 7);
  // Closed without a button: the answer of the box's escape.
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
