#include "qt/QtJumpDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "qt/QtText.h"

namespace quarn::qt {

QtJumpDialog::QtJumpDialog(JumpDialogRequest& request, QWidget* parent)
    : QDialog(parent), request_(request), edit_(new QLineEdit(this)) {
  setWindowTitle(ToQString(request.title));
  auto* layout = new QVBoxLayout(this);
  auto* label = new QLabel(ToQString(request.label), this);
  label->setBuddy(edit_);
  layout->addWidget(label);
  edit_->setMaxLength(request.maxLength);
  edit_->setText(ToQString(request.text));
  edit_->selectAll();
  layout->addWidget(edit_);
  if (!request.hint.empty()) layout->addWidget(new QLabel(ToQString(request.hint), this));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QtJumpDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
}

void QtJumpDialog::accept() {
  const std::string text = ToCp932(edit_->text());
  if (request_.accept && !request_.accept(text)) {
    edit_->selectAll();
    edit_->setFocus();
    return;
  }
  request_.text = text;
  QDialog::accept();
}

}  // namespace quarn::qt
