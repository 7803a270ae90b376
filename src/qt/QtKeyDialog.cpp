#include "qt/QtKeyDialog.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "core/operations/CustomisePages.h"
#include "core/res/StringTable.h"
#include "qt/QtCustomisePages.h"
#include "qt/QtText.h"

namespace quarn::qt {
namespace {

QStringList ToList(const std::vector<std::string>& items) {
  QStringList list;
  for (const std::string& item : items) list << ToQString(item);
  return list;
}

}  // namespace

QtCustomiseSheet::QtCustomiseSheet(CustomiseSheetRequest& request, QWidget* parent)
    : QDialog(parent), request_(request), tabs_(new QTabWidget(this)) {
  setWindowTitle(ToQString(request.title));
  auto* layout = new QVBoxLayout(this);
  tabs_->addTab(makeKeyboardPage(), ToQString(texts::kKeyPage));
  if (CustomisePages* pages = OpenCustomisePages()) AddCustomisePages(*tabs_, *pages);
  tabs_->setCurrentIndex(request.page < tabs_->count() ? request.page : 0);
  layout->addWidget(tabs_);
  auto* buttons = new QDialogButtonBox(this);
  ok_ = buttons->addButton(ToQString(texts::kOkButton), QDialogButtonBox::AcceptRole);
  buttons->addButton(ToQString(texts::kCancelButton), QDialogButtonBox::RejectRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &QtCustomiseSheet::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QtCustomiseSheet::reject);
  layout->addWidget(buttons);
  showPage(request.keyboard);
  focusFollower_ = connect(qApp, &QApplication::focusChanged, this, &QtCustomiseSheet::followFocus);
}

QtCustomiseSheet::~QtCustomiseSheet() { disconnect(focusFollower_); }

void QtCustomiseSheet::followFocus(QWidget* old, QWidget* now) {
  const auto inKeyBox = [this](QWidget* w) { return w && (w == keyBox_ || keyBox_->isAncestorOf(w)); };
  if (inKeyBox(now)) {
    add_->setDefault(true);
  } else if (inKeyBox(old)) {
    add_->setDefault(false);
    // A focused push button of the sheet is the default itself.
    if (!qobject_cast<QPushButton*>(now)) ok_->setDefault(true);
  }
}

QWidget* QtCustomiseSheet::makeKeyboardPage() {
  auto* page = new QWidget(this);
  auto* grid = new QGridLayout(page);

  auto* categoryBox = new QGroupBox(ToQString(texts::kKeyCategoryGroup), page);
  auto* categoryRow = new QHBoxLayout(categoryBox);
  categories_ = new QButtonGroup(page);
  const char* const labels[] = {texts::kKeyMenuRadio, texts::kKeyOperationRadio, texts::kKeyOtherRadio};
  for (int i = 0; i < 3; ++i) {
    auto* radio = new QRadioButton(ToQString(labels[i]), categoryBox);
    categories_->addButton(radio, i);
    categoryRow->addWidget(radio);
  }
  grid->addWidget(categoryBox, 0, 0, 1, 2);

  commands_ = new QListWidget(page);
  keys_ = new QListWidget(page);
  auto* commandLabel = new QLabel(ToQString(texts::kKeyCommandLabel), page);
  auto* keysLabel = new QLabel(ToQString(texts::kKeyKeysLabel), page);
  commandLabel->setBuddy(commands_);
  keysLabel->setBuddy(keys_);
  grid->addWidget(commandLabel, 1, 0);
  grid->addWidget(keysLabel, 1, 1);
  grid->addWidget(commands_, 2, 0, 2, 1);
  grid->addWidget(keys_, 2, 1);

  auto* shortcut = new QGroupBox(ToQString(texts::kKeyShortcutGroup), page);
  auto* shortcutRow = new QHBoxLayout(shortcut);
  ctrl_ = new QCheckBox(ToQString(texts::kKeyCtrlBox), shortcut);
  shift_ = new QCheckBox(ToQString(texts::kKeyShiftBox), shortcut);
  keyBox_ = new QComboBox(shortcut);
  keyBox_->setEditable(true);
  keyBox_->setInsertPolicy(QComboBox::NoInsert);
  auto* keyLabel = new QLabel(ToQString(texts::kKeyComboLabel), shortcut);
  keyLabel->setBuddy(keyBox_);
  shortcutRow->addWidget(ctrl_);
  shortcutRow->addWidget(shift_);
  shortcutRow->addWidget(keyLabel);
  shortcutRow->addWidget(keyBox_, 1);
  grid->addWidget(shortcut, 3, 1);

  auto* buttonRow = new QHBoxLayout;
  auto* add = add_ = new QPushButton(ToQString(texts::kKeyAddButton), page);
  auto* remove = new QPushButton(ToQString(texts::kKeyRemoveButton), page);
  auto* list = new QPushButton(ToQString(texts::kKeyListButton), page);
  for (QPushButton* button : {add, remove, list}) {
    button->setAutoDefault(false);
    buttonRow->addWidget(button);
  }
  buttonRow->addStretch();
  commands_->setObjectName(QStringLiteral("commands"));
  keys_->setObjectName(QStringLiteral("keys"));
  keyBox_->setObjectName(QStringLiteral("keyBox"));
  add->setObjectName(QStringLiteral("add"));
  remove->setObjectName(QStringLiteral("remove"));
  list->setObjectName(QStringLiteral("list"));
  grid->addLayout(buttonRow, 4, 0, 1, 2);

  connect(categories_, &QButtonGroup::idClicked, this, [this] { act(request_.categoryChanged); });
  connect(commands_, &QListWidget::currentRowChanged, this, [this] {
    if (!showing_) act(request_.commandChanged);
  });
  connect(add, &QPushButton::clicked, this, [this] { act(request_.addKey); });
  connect(remove, &QPushButton::clicked, this, [this] { act(request_.removeKey); });
  connect(list, &QPushButton::clicked, this, [this] {
    request_.keyboard.listRequested = true;
    accept();
  });
  return page;
}

void QtCustomiseSheet::showPage(const KeyboardPage& page) {
  showing_ = true;
  if (QAbstractButton* radio = categories_->button(page.category)) radio->setChecked(true);
  commands_->clear();
  commands_->addItems(ToList(page.commands));
  commands_->setCurrentRow(page.command);
  keys_->clear();
  keys_->addItems(ToList(page.keys));
  keys_->setCurrentRow(page.key);
  ctrl_->setChecked(page.ctrl);
  shift_->setChecked(page.shift);
  if (keyBox_->count() == 0) keyBox_->addItems(ToList(page.keyNames));
  keyBox_->setEditText(ToQString(page.keyText));
  showing_ = false;
}

void QtCustomiseSheet::collectPage(KeyboardPage& page) const {
  page.category = categories_->checkedId() < 0 ? 0 : categories_->checkedId();
  page.command = commands_->currentRow();
  page.key = keys_->currentItem() && keys_->currentItem()->isSelected() ? keys_->currentRow() : -1;
  page.ctrl = ctrl_->isChecked();
  page.shift = shift_->isChecked();
  page.keyText = ToCp932(keyBox_->currentText());
}

void QtCustomiseSheet::act(const std::function<void(KeyboardPage&)>& action) {
  KeyboardPage& page = request_.keyboard;
  collectPage(page);
  if (action) action(page);
  showPage(page);
  if (page.focus == KeyboardPage::Focus::kCommands) commands_->setFocus();
  if (page.focus == KeyboardPage::Focus::kKeyBox) keyBox_->setFocus();
  page.focus = KeyboardPage::Focus::kNone;
}

void QtCustomiseSheet::accept() {
  collectPage(request_.keyboard);
  request_.page = tabs_->currentIndex();
  QDialog::accept();
}

void QtCustomiseSheet::reject() {
  request_.page = tabs_->currentIndex();
  QDialog::reject();
}

bool QtKeyDialogs::customiseSheet(CustomiseSheetRequest& request) {
  QtCustomiseSheet sheet(request, QApplication::activeWindow());
  return sheet.exec() == QDialog::Accepted;
}

}  // namespace quarn::qt
