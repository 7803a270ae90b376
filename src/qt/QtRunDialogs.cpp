#include "qt/QtRunDialogs.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/res/Texts.h"
#include "qt/QtText.h"

namespace quarn::qt {
namespace {

constexpr int kMaxField = 260;
constexpr int kMaxInsertion = 80;

QDialogButtonBox* OkCancel(QDialog* dialog) {
  auto* buttons = new QDialogButtonBox(dialog);
  buttons->addButton(ToQString(texts::kOkButton), QDialogButtonBox::AcceptRole);
  buttons->addButton(ToQString(texts::kCancelButton), QDialogButtonBox::RejectRole);
  QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  return buttons;
}

class RunDialog : public QDialog {
 public:
  RunDialog(RunDialogRequest& request, QWidget* parent) : QDialog(parent), request_(request) {
    setWindowTitle(ToQString(texts::kRunDialogTitle));
    auto* form = new QFormLayout;
    command_ = new QComboBox(this);
    command_->setEditable(true);
    for (const std::string& c : request.history) command_->addItem(DisplayText(c));
    command_->setEditText(DisplayText(request.command));
    parameters_ = new QLineEdit(ToQString(request.parameters), this);
    directory_ = new QLineEdit(ToQString(request.directory), this);
    form->addRow(ToQString(texts::kRunCommandLabel), command_);
    form->addRow(ToQString(texts::kRunParametersLabel), parameters_);
    form->addRow(ToQString(texts::kRunDirectoryLabel), directory_);
    dos_ = new QCheckBox(ToQString(texts::kRunDosBox), this);
    redirect_ = new QCheckBox(ToQString(texts::kRunRedirectBox), this);
    iconic_ = new QCheckBox(ToQString(texts::kRunIconicBox), this);
    auto* browse = new QPushButton(ToQString(texts::kRunBrowseButton), this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    for (QWidget* w : std::initializer_list<QWidget*>{dos_, redirect_, iconic_, browse}) layout->addWidget(w);
    auto* buttons = OkCancel(this);
    layout->addWidget(buttons);
    showFlags();
    connect(command_, &QComboBox::activated, this, [this](int i) {
      if (!request_.historyChosen) return;
      request_.historyChosen(request_, i);
      showFields();
    });
    connect(browse, &QPushButton::clicked, this, [this] {
      const std::string chosen = request_.browse ? request_.browse() : std::string();
      if (chosen.empty()) return;
      request_.command = chosen, request_.parameters.clear(), request_.directory.clear();
      showFields();
    });
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
      RunDialogRequest r = request_;
      r.command = PathToCp932(command_->currentText());
      r.parameters = ToCp932(parameters_->text());
      r.directory = PathToCp932(directory_->text());
      r.dosInternal = dos_->isChecked(), r.redirect = redirect_->isChecked(), r.iconic = iconic_->isChecked();
      if (request_.accept && !request_.accept(r)) return;
      request_ = r;
      accept();
    });
  }

 private:
  void showFields() {
    command_->setEditText(DisplayText(request_.command));
    parameters_->setText(ToQString(request_.parameters));
    directory_->setText(ToQString(request_.directory));
    showFlags();
  }
  void showFlags() {
    dos_->setChecked(request_.dosInternal);
    redirect_->setChecked(request_.redirect);
    iconic_->setChecked(request_.iconic);
  }
  RunDialogRequest& request_;
  QComboBox* command_;
  QLineEdit* parameters_;
  QLineEdit* directory_;
  QCheckBox* dos_;
  QCheckBox* redirect_;
  QCheckBox* iconic_;
};

}  // namespace

bool QtRunDialogs::runDialog(RunDialogRequest& request) {
  RunDialog dialog(request, parent_);
  return dialog.exec() == QDialog::Accepted;
}

bool QtRunDialogs::promptDialog(std::string& parameters) {
  QDialog dialog(parent_);
  dialog.setWindowTitle(ToQString(texts::kPromptTitle));
  auto* layout = new QVBoxLayout(&dialog);
  auto* edit = new QLineEdit(ToQString(parameters), &dialog);
  edit->setMaxLength(kMaxField);
  auto* label = new QLabel(ToQString(texts::kRunParametersLabel), &dialog);
  label->setBuddy(edit);
  layout->addWidget(label);
  layout->addWidget(edit);
  auto* buttons = OkCancel(&dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  layout->addWidget(buttons);
  if (dialog.exec() != QDialog::Accepted) return false;
  parameters = ToCp932(edit->text());
  return true;
}

bool QtRunDialogs::insertTextDialog(InsertTextRequest& request) {
  QDialog dialog(parent_);
  dialog.setWindowTitle(ToQString(texts::kInsertTitle));
  auto* layout = new QVBoxLayout(&dialog);
  auto* group = new QGroupBox(&dialog);
  auto* groupLayout = new QHBoxLayout(group);
  auto* positions = new QButtonGroup(&dialog);
  const char* const labels[] = {texts::kInsertCaret, texts::kInsertLineStart, texts::kInsertLineEnd};
  for (int i = 0; i < 3; ++i) {
    auto* radio = new QRadioButton(ToQString(labels[i]), group);
    radio->setChecked(request.position == i);
    positions->addButton(radio, i);
    groupLayout->addWidget(radio);
  }
  layout->addWidget(group);
  layout->addWidget(new QLabel(ToQString(texts::kInsertCodesLabel), &dialog));
  auto* codes = new QListWidget(&dialog);
  for (const std::string& code : request.codes) codes->addItem(ToQString(code));
  layout->addWidget(codes);
  layout->addWidget(new QLabel(ToQString(texts::kInsertStringLabel), &dialog));
  auto* text = new QLineEdit(ToQString(request.text), &dialog);
  layout->addWidget(text);
  // A code chosen goes into the text at the selection: its entry up to the
  // first blank.
  QObject::connect(codes, &QListWidget::itemActivated, &dialog, [text](QListWidgetItem* item) {
    const QString entry = item->text();
    const QString code = entry.left(entry.indexOf(QLatin1Char(' ')) < 0 ? entry.size() : entry.indexOf(QLatin1Char(' ')));
    const QString before = text->text();
    text->insert(code);
    if (ToCp932(text->text()).size() > std::size_t(kMaxInsertion)) text->setText(before);
    text->setFocus();
  });
  auto* buttons = OkCancel(&dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, [&] {
    if (ToCp932(text->text()).size() > std::size_t(kMaxInsertion)) {
      QApplication::beep();
      return;
    }
    dialog.accept();
  });
  layout->addWidget(buttons);
  if (dialog.exec() != QDialog::Accepted) return false;
  request.position = positions->checkedId();
  request.text = ToCp932(text->text());
  return true;
}

}  // namespace quarn::qt
