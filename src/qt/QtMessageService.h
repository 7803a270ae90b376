// Message boxes shown with QMessageBox, answering with the program's button
// numbers (1 OK, 2 Cancel, 6 Yes, 7 No, ...).
#pragma once

#include <QMessageBox>
#include <memory>

#include "platform/MessageService.h"

namespace quarn::qt {

class QtMessageService : public MessageService {
 public:
  int messageBox(const std::string& text, const std::string& caption, unsigned style) override;
  void statusNotice(const std::string& text) override;
};

// The box for a CP932 text, caption and style: its buttons, icon, default
// button and modality. Parented to the active window when there is one.
std::unique_ptr<QMessageBox> MakeMessageBox(const std::string& text, const std::string& caption, unsigned style);

// The answer number of a box's standard button; the answer of the box's
// escape when the box was closed without one.
int AnswerOf(QMessageBox::StandardButton button, unsigned style);

}  // namespace quarn::qt
