#include "qt/QtKeyTranslator.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QWidget>

#include "core/keys/CAccTblManeger.h"
#include "core/res/Menus.h"
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

bool QtKeyTranslator::TableKey(QObject* watched, const QKeyEvent& event, int& key, int& modifiers) const {
  auto* widget = qobject_cast<QWidget*>(watched);
  // Dialogs, open menus and other windows keep their keys; Alt makes a
  // system key, which the table never sees.
  if (!widget || widget->window() != &frame_ || QApplication::activeModalWidget() ||
      QApplication::activePopupWidget() || (event.modifiers() & (Qt::AltModifier | Qt::MetaModifier)))
    return false;
  key = VirtualKeyFor(event.key(), event.modifiers());
  if (key == 0 || EditsText(watched, key)) return false;
  modifiers = FoldModifiers(event.modifiers() & Qt::ControlModifier, event.modifiers() & Qt::ShiftModifier);
  return true;
}

bool QtKeyTranslator::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type != QEvent::KeyPress && type != QEvent::ShortcutOverride) return false;
  auto* keyEvent = static_cast<QKeyEvent*>(event);
  int key = 0;
  int modifiers = 0;
  if (!TableKey(watched, *keyEvent, key, modifiers)) return false;
  if (type == QEvent::ShortcutOverride) {
    // Accepted, a bound key skips Qt's shortcuts and arrives as a key press.
    if (gKeyTable.FindBinding(key, modifiers) < 0) return false;
    event->accept();
    return true;
  }
  // The command may close the window the key was meant for: the event ends
  // here, accepted.
  if (!gKeyTable.TranslateKey(key, modifiers, sendCommand_)) return false;
  event->accept();
  return true;
}

void LoadKeyTable() {
  gKeyTable.LoadKeys();
  InstallOperationKeys(&gKeyTable);
}

void UpdateMenuKeys() { gKeyTable.UpdateMenuKeys(menus::MainMenu()); }

}  // namespace quarn::qt
