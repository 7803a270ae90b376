#include "qt/QtMessageService.h"

#include <QApplication>
#include <QList>

#include "core/common/StatusPanes.h"
#include "qt/QtText.h"

namespace quarn::qt {
namespace {

// The buttons of a style's type, in the order the box shows them.
QList<QMessageBox::StandardButton> ButtonsOf(unsigned style) {
  using B = QMessageBox::StandardButton;
  switch (style & mb::kTypeMask) {
    case mb::kOkCancel: return {B::Ok, B::Cancel};
    case 0x2: return {B::Abort, B::Retry, B::Ignore};
    case mb::kYesNoCancel: return {B::Yes, B::No, B::Cancel};
    case mb::kYesNo: return {B::Yes, B::No};
    case 0x5: return {B::Retry, B::Cancel};
    default: return {B::Ok};
  }
}

QMessageBox::Icon IconOf(unsigned style) {
  switch (style & 0xF0) {
    case mb::kIconHand: return QMessageBox::Critical;
    case mb::kIconQuestion: return QMessageBox::Question;
    case mb::kIconExclamation: return QMessageBox::Warning;
    case mb::kIconAsterisk: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
  }
}

}  // namespace

std::unique_ptr<QMessageBox> MakeMessageBox(const std::string& text, const std::string& caption, unsigned style) {
  const bool systemModal = (style & mb::kSystemModal) != 0;
  // The system-modal box has no owner, like the out-of-memory box that must
  // appear even when the window it would belong to is in trouble.
  QWidget* parent = systemModal ? nullptr : QApplication::activeWindow();
  auto box = std::make_unique<QMessageBox>(IconOf(style), ToQString(caption), DisplayText(text),
                                           QMessageBox::NoButton, parent);
  const auto buttons = ButtonsOf(style);
  for (auto b : buttons) box->addButton(b);
  // Default button 1, 2 or 3 of the style (0x000, 0x100, 0x200).
  const auto defaultIndex = qsizetype((style >> 8) & 0x3);
  box->setDefaultButton(buttons[defaultIndex < buttons.size() ? defaultIndex : 0]);
  box->setWindowModality(Qt::ApplicationModal);
  if (systemModal) box->setWindowFlag(Qt::WindowStaysOnTopHint);
  return box;
}

int AnswerOf(QMessageBox::StandardButton button, unsigned style) {
  using B = QMessageBox::StandardButton;
  switch (button) {
    case B::Ok: return answer::kOk;
    case B::Cancel: return answer::kCancel;
    case B::Abort: return 3;
    case B::Retry: return 4;
    case B::Ignore: return 5;
    case B::Yes: return answer::kYes;
    case B::No: return answer::kNo;
    default: break;
  }
  switch (style & mb::kTypeMask) {
    case mb::kOk: return answer::kOk;
    case mb::kYesNo: return answer::kNo;
    case 0x2: return 3;
    default: return answer::kCancel;
  }
}

int QtMessageService::messageBox(const std::string& text, const std::string& caption, unsigned style) {
  auto box = MakeMessageBox(text, caption, style);
  box->exec();
  return AnswerOf(box->standardButton(box->clickedButton()), style);
}

void QtMessageService::statusNotice(const std::string& text) { StatusBar().ShowNotice(text); }

}  // namespace quarn::qt
