#include "qt/QtFindDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/res/Texts.h"
#include "qt/QtNameWidth.h"
#include "qt/QtText.h"

namespace quarn::qt {
namespace {

QString T(const char* cp932) { return ToQString(cp932); }

void FillCombo(QComboBox* box, const std::vector<std::string>& entries, const std::string& text) {
  box->clear();
  for (const std::string& entry : entries) box->addItem(ToQString(entry));
  box->setEditText(ToQString(text));
  box->lineEdit()->selectAll();
}

QComboBox* NewCombo(QWidget* parent) {
  auto* box = new QComboBox(parent);
  box->setEditable(true);
  box->setInsertPolicy(QComboBox::NoInsert);
  box->setMinimumWidth(220);
  KeepNameComboNarrow(*box);
  return box;
}

}  // namespace

QtFindDialog::QtFindDialog(bool findOnly, QWidget* parent) : QDialog(parent), findOnly_(findOnly) {
  setWindowTitle(T(findOnly ? texts::kFindCaption : texts::kReplaceCaption));
  setModal(false);
  setAttribute(Qt::WA_DeleteOnClose, false);

  auto* fields = new QGridLayout;
  auto* findLabel = new QLabel(T(texts::kFindWhatLabel), this);
  find_ = NewCombo(this);
  findLabel->setBuddy(find_);
  fields->addWidget(findLabel, 0, 0);
  fields->addWidget(find_, 0, 1);
  if (!findOnly) {
    auto* replaceLabel = new QLabel(T(texts::kReplaceWithLabel), this);
    replace_ = NewCombo(this);
    replaceLabel->setBuddy(replace_);
    fields->addWidget(replaceLabel, 1, 0);
    fields->addWidget(replace_, 1, 1);
  }

  matchCase_ = new QCheckBox(T(texts::kMatchCaseBox), this);
  escapes_ = new QCheckBox(T(texts::kEscapesBox), this);
  regular_ = new QCheckBox(T(texts::kRegularBox), this);
  width_ = new QCheckBox(T(texts::kWidthBox), this);
  auto* options = new QVBoxLayout;
  for (QCheckBox* box : {matchCase_, escapes_, regular_, width_}) options->addWidget(box);

  auto* lower = new QHBoxLayout;
  lower->addLayout(options);
  if (findOnly) {
    auto* direction = new QGroupBox(T(texts::kDirectionGroup), this);
    up_ = new QRadioButton(T(texts::kDirectionUp), direction);
    down_ = new QRadioButton(T(texts::kDirectionDown), direction);
    auto* row = new QHBoxLayout(direction);
    row->addWidget(up_);
    row->addWidget(down_);
    lower->addWidget(direction, 0, Qt::AlignTop);
  }

  auto* left = new QVBoxLayout;
  left->addLayout(fields);
  left->addLayout(lower);

  auto* buttons = new QVBoxLayout;
  findNext_ = new QPushButton(T(texts::kFindNextButton), this);
  findNext_->setDefault(true);
  buttons->addWidget(findNext_);
  connect(findNext_, &QPushButton::clicked, this, [this] { send(FindAction::kFindNext); });
  if (!findOnly) {
    replaceOne_ = new QPushButton(T(texts::kReplaceButton), this);
    replaceAll_ = new QPushButton(T(texts::kReplaceAllButton), this);
    buttons->addWidget(replaceOne_);
    buttons->addWidget(replaceAll_);
    connect(replaceOne_, &QPushButton::clicked, this, [this] { send(FindAction::kReplace); });
    connect(replaceAll_, &QPushButton::clicked, this, [this] { send(FindAction::kReplaceAll); });
  }
  auto* cancel = new QPushButton(T(texts::kCancelButton), this);
  buttons->addWidget(cancel);
  buttons->addStretch();
  connect(cancel, &QPushButton::clicked, this, &QDialog::close);

  auto* layout = new QHBoxLayout(this);
  layout->addLayout(left, 1);
  layout->addLayout(buttons);
}

void QtFindDialog::setFields(const FindDialogFields& fields, const std::vector<std::string>& findHistory,
                             const std::vector<std::string>& replaceHistory) {
  FillCombo(find_, findHistory, fields.findText);
  if (replace_) FillCombo(replace_, replaceHistory, fields.replaceText);
  if (up_) (fields.down ? down_ : up_)->setChecked(true);
  matchCase_->setChecked(fields.matchCase);
  escapes_->setChecked(fields.escapes);
  escapes_->setVisible(fields.showEscapes);
  regular_->setChecked(fields.regular);
  width_->setChecked(fields.distinguishWidth);
  // The binary window searches bytes: no pattern language, no width folding.
  regular_->setEnabled(!fields.showEscapes);
  width_->setEnabled(!fields.showEscapes);
}

FindDialogFields QtFindDialog::fields() const {
  FindDialogFields f;
  f.findText = ToCp932(find_->currentText());
  if (replace_) f.replaceText = ToCp932(replace_->currentText());
  f.down = down_ ? down_->isChecked() : true;
  f.matchCase = matchCase_->isChecked();
  f.escapes = escapes_->isChecked();
  f.showEscapes = !escapes_->isHidden();
  f.regular = regular_->isChecked();
  f.distinguishWidth = width_->isChecked();
  return f;
}

void QtFindDialog::send(FindAction action) {
  if (client_) client_->OnFindDialogMessage(action, fields());
}

void QtFindDialog::closeEvent(QCloseEvent* event) {
  FindDialogClient* client = client_;
  const FindDialogFields closing = fields();
  client_ = nullptr;
  QDialog::closeEvent(event);
  if (client) client->OnFindDialogMessage(FindAction::kClose, closing);
}

QtFindDialogService::~QtFindDialogService() { delete dialog_; }

void QtFindDialogService::open(bool findOnly, const FindDialogFields& fields,
                               const std::vector<std::string>& findHistory,
                               const std::vector<std::string>& replaceHistory, FindDialogClient* client) {
  close();
  dialog_ = new QtFindDialog(findOnly, owner_);
  dialog_->setFields(fields, findHistory, replaceHistory);
  dialog_->setClient(client);
  QObject::connect(dialog_, &QDialog::finished, dialog_, [this] {
    // Closed by the user: the dialog is forgotten once its events are done.
    if (!dialog_) return;
    dialog_->deleteLater();
    dialog_ = nullptr;
  });
  dialog_->show();
  dialog_->activateWindow();
}

bool QtFindDialogService::isFindOnly() const { return dialog_ && dialog_->findOnly(); }
FindDialogClient* QtFindDialogService::client() const { return dialog_ ? dialog_->client() : nullptr; }

void QtFindDialogService::activate() {
  if (!dialog_) return;
  dialog_->raise();
  dialog_->activateWindow();
}

void QtFindDialogService::close() {
  if (!dialog_) return;
  QtFindDialog* dialog = dialog_;
  dialog_ = nullptr;
  dialog->setClient(nullptr);
  dialog->hide();
  dialog->deleteLater();
}

}  // namespace quarn::qt
