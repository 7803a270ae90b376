#include "qt/QtMainToolbar.h"

#include <QAction>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QWidget>
#include <QWidgetAction>

#include "core/res/Toolbar.h"
#include "qt/QtText.h"

namespace quarn::qt {
namespace {

// The button pictures: the platform's own for the file commands, a drawn
// sign for the others (in the order of the toolbar bitmap).
QIcon ButtonIcon(QWidget* owner, int image) {
  switch (image) {
    case 0: return owner->style()->standardIcon(QStyle::SP_FileIcon);
    case 1: return owner->style()->standardIcon(QStyle::SP_DialogOpenButton);
    case 2: return owner->style()->standardIcon(QStyle::SP_DialogSaveButton);
    default: break;
  }
  static const char* const kSigns[] = {"", "", "", "切", "写", "画", "貼", "↶", "↷", "検", "比", "整", "◆", "▼", "▲", "?"};
  QPixmap pixmap(32, 32);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  QFont font = painter.font();
  font.setPixelSize(22);
  painter.setFont(font);
  painter.setPen(owner->palette().color(QPalette::ButtonText));
  painter.drawText(pixmap.rect(), Qt::AlignCenter, QString::fromUtf8(kSigns[image]));
  return QIcon(pixmap);
}

}  // namespace

QtFindBox::QtFindBox(QWidget* parent) : QComboBox(parent) {
  setEditable(true);
  setInsertPolicy(QComboBox::NoInsert);
  setFixedWidth(toolbar::kFindBoxWidth);
  setToolTip(ToQString(toolbar::ButtonTip(32790)));
}

std::string QtFindBox::text() const { return ToCp932(currentText()); }

void QtFindBox::setHistory(const std::vector<std::string>& entries) {
  const QString current = currentText();
  clear();
  for (const std::string& entry : entries) addItem(ToQString(entry));
  setEditText(current);
}

void QtFindBox::focusAndSelect() {
  setFocus(Qt::ShortcutFocusReason);
  lineEdit()->selectAll();
}

bool QtFindBox::hasFocus() const { return QComboBox::hasFocus() || lineEdit()->hasFocus(); }

void QtFindBox::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    emit findRequested();
    return;
  }
  QComboBox::keyPressEvent(event);
}

QtMainToolbar::QtMainToolbar(QWidget* parent, CommandRunner run, StateQuery query)
    : QToolBar(parent), run_(std::move(run)), query_(std::move(query)), findBox_(new QtFindBox(this)) {
  setObjectName(QStringLiteral("MainToolbar"));
  setMovable(false);
  setIconSize(QSize(20, 20));
  findBoxAction_ = new QWidgetAction(this);
  findBoxAction_->setDefaultWidget(findBox_);
  connect(findBox_, &QtFindBox::findRequested, this, [this] { run_(toolbar::kFindNextButton); });
}

void QtMainToolbar::build(const std::vector<unsigned>& entries) {
  // The find box's action is kept: it owns the box.
  for (QAction* action : actions()) {
    removeAction(action);
    if (action != findBoxAction_) delete action;
  }
  bool hasFindBox = false;
  for (unsigned id : entries) {
    if (id == toolbar::kSeparator) {
      addSeparator();
    } else if (id == toolbar::kFindBox) {
      if (hasFindBox) continue;
      hasFindBox = true;
      addAction(findBoxAction_);
    } else if (const int image = toolbar::ButtonImage(id); image >= 0) {
      QAction* action = addAction(ButtonIcon(this, image), ToQString(toolbar::ButtonTip(id)));
      action->setData(id);
      connect(action, &QAction::triggered, this, [this, id] { run_(id); });
    }
  }
  if (!hasFindBox) findBox_->hide();
  updateStates();
}

void QtMainToolbar::updateStates() {
  for (QAction* action : actions()) {
    if (!action->data().isValid()) continue;
    CommandState state;
    state.enabled = false;
    query_(action->data().toUInt(), state);
    action->setEnabled(state.enabled);
  }
}

}  // namespace quarn::qt
