// Message boxes and the warning beep, as the platform provides them.
#pragma once

#include <string>

namespace quarn {

// Message box styles and answers, with their Windows values (they are
// recorded in macro files and compared by the program).
namespace mb {
constexpr unsigned kOk = 0x0;
constexpr unsigned kOkCancel = 0x1;
constexpr unsigned kYesNoCancel = 0x3;
constexpr unsigned kYesNo = 0x4;
constexpr unsigned kIconHand = 0x10;
constexpr unsigned kIconQuestion = 0x20;
constexpr unsigned kIconExclamation = 0x30;
constexpr unsigned kIconAsterisk = 0x40;
constexpr unsigned kSystemModal = 0x1000;
constexpr unsigned kTypeMask = 0xF;
}  // namespace mb

namespace answer {
constexpr int kOk = 1;
constexpr int kCancel = 2;
constexpr int kYes = 6;
constexpr int kNo = 7;
}  // namespace answer

class MessageService {
 public:
  virtual ~MessageService() = default;
  // Shows a modal box; text and caption are CP932. Returns the button pressed.
  virtual int messageBox(const std::string& text, const std::string& caption, unsigned style) = 0;
  // Says text (CP932) in the status bar's message pane until the next command.
  virtual void statusNotice(const std::string& /*text*/) {}
};

class BeepService {
 public:
  virtual ~BeepService() = default;
  // The MessageBeep type: 0xFFFFFFFF is the simple beep, 48 the exclamation.
  virtual void messageBeep(unsigned type) = 0;
};

}  // namespace quarn
