#include "core/commands/CommandIds.h"
#include "qt/QtMainToolbar.h"

#include <QAction>
#include <QIcon>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWidget>
#include <QWidgetAction>

#include "core/commands/Toolbar.h"
#include "qt/QtText.h"

namespace quarn::qt {

// The button pictures in the order of the toolbar's image list: the desktop
// theme's icon where the theme names one, else the program's own.
QIcon ButtonIcon(int image) {
  struct Picture {
    const char* theme;  // empty: the theme has no such picture
    const char* file;
  };
  static constexpr Picture kPictures[] = {
      {"document-new", "new"},   {"document-open", "open"}, {"document-save", "save"}, {"edit-cut", "cut"},
      {"edit-copy", "copy"},     {"", "screencopy"},        {"edit-paste", "paste"},   {"edit-undo", "undo"},
      {"edit-redo", "redo"},     {"edit-find", "findnext"}, {"", "compare"},           {"", "format"},
      {"bookmark-new", "mark"},  {"", "nextmark"},          {"", "prevmark"},          {"help-contents", "help"}};
  const Picture& picture = kPictures[image];
  QIcon own;
  const QString base = QStringLiteral(":/toolbar/") + QLatin1String(picture.file);
  own.addFile(base + QStringLiteral(".png"), QSize(20, 20));
  own.addFile(base + QStringLiteral("@2x.png"), QSize(40, 40));
  return *picture.theme ? QIcon::fromTheme(QLatin1String(picture.theme), own) : own;
}

QtFindBox::QtFindBox(QWidget* parent) : QComboBox(parent) {
  setEditable(true);
  setInsertPolicy(QComboBox::NoInsert);
  setFixedWidth(toolbar::kFindBoxWidth);
  setToolTip(ToQString(toolbar::ButtonTip(cmd::kFindBoxFocus)));
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
      QAction* action = addAction(ButtonIcon(image), ToQString(toolbar::ButtonTip(id)));
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
