// The jump dialog: one line of input with its label and hint; OK keeps the
// dialog open, beeping with the text selected, while the text is refused.
#pragma once

#include <QDialog>

#include "platform/DialogService.h"

class QLineEdit;

namespace quarn::qt {

class QtJumpDialog : public QDialog {
  Q_OBJECT

 public:
  QtJumpDialog(JumpDialogRequest& request, QWidget* parent = nullptr);
  QLineEdit* edit() const { return edit_; }
  void accept() override;

 private:
  JumpDialogRequest& request_;
  QLineEdit* edit_;
};

}  // namespace quarn::qt
