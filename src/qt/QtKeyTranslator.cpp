#include "qt/QtKeyTranslator.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QWidget>

#include "core/keys/CAccTblManeger.h"
#include "core/commands/Menus.h"
#include "platform/KeyCodes.h"
#include "qt/QtKeyMap.h"

namespace quarn::qt {
namespace {

// Letters, digits, Insert and Delete edit the text of an entry field (the
// toolbar's find box): they stay there. Function keys still reach the table.
bool EditsText(QObject* watched, int key) {
  const bool entry = qobject_cast<QLineEdit*>(watched) || qobject_cast<QAbstractSpinBox*>(watched) ||
                     qobject_cast<QTextEdit*>(watched) || qobject_cast<QPlainTextEdit*>(watched);
  return entry && key < vk::kF1;
}

}  // namespace

QtKeyTranslator::QtKeyTranslator(QWidget& frame, std::function<void(unsigned)> sendCommand)
    : QObject(&frame), frame_(frame), sendCommand_(std::move(sendCommand)) {
  qApp->installEventFilter(this);
}

QtKeyTranslator::~QtKeyTranslator() { qApp->removeEventFilter(this); }

bool QtKeyTranslator::InFrame(QObject* watched) const {
  auto* widget = qobject_cast<QWidget*>(watched);
  return widget && widget->window() == &frame_ && !QApplication::activeModalWidget() &&
         !QApplication::activePopupWidget();
}

bool QtKeyTranslator::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if ((type != QEvent::KeyPress && type != QEvent::ShortcutOverride) || !InFrame(watched)) return false;
  const auto* keyEvent = static_cast<QKeyEvent*>(event);
  const Qt::KeyboardModifiers state = keyEvent->modifiers();
  const int key = VirtualKeyFor(*keyEvent);
  if (key == 0 || (state & Qt::MetaModifier) || EditsText(watched, key)) return false;
  const bool control = state & Qt::ControlModifier, shift = state & Qt::ShiftModifier, alt = state & Qt::AltModifier;
  // With Alt a key is a system key, which the table never sees.
  const int modifiers = FoldModifiers(control, shift);
  const bool bound = !alt && gKeyTable.FindBinding(key, modifiers) >= 0;
  const unsigned fixed = bound ? 0 : FixedAccelerator(key, alt, shift, control);
  if (!bound && fixed == 0) return false;
  // Accepted, a ShortcutOverride keeps Qt's shortcuts away and the key
  // arrives as a key press. The command may close the window the key was
  // meant for: the key press ends here, accepted.
  event->accept();
  if (type == QEvent::KeyPress) {
    if (bound)
      gKeyTable.TranslateKey(key, modifiers, sendCommand_);
    else
      sendCommand_(fixed);
  }
  return true;
}

void LoadKeyTable() {
  gKeyTable.LoadKeys();
  InstallOperationKeys(&gKeyTable);
}

void UpdateMenuKeys() { gKeyTable.UpdateMenuKeys(menus::MainMenu()); }

}  // namespace quarn::qt
