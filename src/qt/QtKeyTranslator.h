// Offers every key press in the main frame to the user key table, then to
// the fixed accelerators, before any widget or Qt shortcut sees it: a bound
// key runs its command (or plays its operation) and goes no further.
#pragma once

#include <QObject>
#include <functional>

class QKeyEvent;
class QWidget;

namespace quarn::qt {

class QtKeyTranslator : public QObject {
 public:
  // Watches the application's key events for the windows of frame; bound
  // commands go to sendCommand.
  QtKeyTranslator(QWidget& frame, std::function<void(unsigned)> sendCommand);
  ~QtKeyTranslator() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The key is pressed in the frame's own window, with no dialog or menu open.
  bool InFrame(QObject* watched) const;

  QWidget& frame_;
  std::function<void(unsigned)> sendCommand_;
};

// Reads the key definition file and hands the key table to the operation
// dialogs (start-up, before the main frame).
void LoadKeyTable();
// Writes the bound keys into the main menu's texts.
void UpdateMenuKeys();

}  // namespace quarn::qt
