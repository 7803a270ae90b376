// Offers every key press in the main frame to the user key table before any
// widget or Qt shortcut sees it: a bound key runs its command (or plays its
// operation) and goes no further.
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
  // The key's code and modifiers when it is one for the table, else false.
  bool TableKey(QObject* watched, const QKeyEvent& event, int& key, int& modifiers) const;

  QWidget& frame_;
  std::function<void(unsigned)> sendCommand_;
};

// Reads the key definition file and hands the key table to the operation
// dialogs (start-up, before the main frame).
void LoadKeyTable();
// Writes the bound keys into the main menu's texts.
void UpdateMenuKeys();

}  // namespace quarn::qt
