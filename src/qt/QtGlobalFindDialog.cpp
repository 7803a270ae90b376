#include "qt/QtGlobalFindDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/res/Texts.h"
#include "qt/QtNameWidth.h"
#include "qt/QtText.h"

namespace quarn::qt {
namespace {

QString T(const char* cp932) { return ToQString(cp932); }

// Patterns are shown as names; search strings as text.
QComboBox* NewCombo(QWidget* parent, const std::vector<std::string>& entries, const std::string& text, bool names) {
  const auto show = [names](const std::string& s) { return names ? DisplayText(s) : ToQString(s); };
  auto* box = new QComboBox(parent);
  box->setEditable(true);
  box->setInsertPolicy(QComboBox::NoInsert);
  box->setMinimumWidth(320);
  KeepNameComboNarrow(*box);
  for (const std::string& entry : entries) box->addItem(show(entry));
  box->setEditText(show(text));
  return box;
}

QCheckBox* NewBox(QWidget* parent, const char* label, bool checked) {
  auto* box = new QCheckBox(T(label), parent);
  box->setChecked(checked);
  return box;
}

}  // namespace

QtGlobalFindDialog::QtGlobalFindDialog(GlobalFindDialogRequest& request, QWidget* parent)
    : QDialog(parent),
      request_(request),
      text_(NewCombo(this, request.textHistory, request.text, false)),
      pattern_(NewCombo(this, request.patternHistory, request.pattern, true)),
      folder_(new QLineEdit(PathToQString(request.directory), this)),
      matchCase_(NewBox(this, texts::kGlobalFindCaseBox, request.matchCase)),
      subdirectories_(NewBox(this, texts::kGlobalFindSubdirBox, request.subdirectories)),
      width_(NewBox(this, texts::kWidthBox, request.distinguishWidth)),
      regular_(NewBox(this, texts::kRegularBox, request.regular)) {
  setWindowTitle(T(texts::kGlobalFindTitle));
  text_->lineEdit()->selectAll();
  auto* fields = new QGridLayout;
  const std::pair<const char*, QWidget*> rows[] = {
      {texts::kFindWhatLabel, text_}, {texts::kGlobalFindFileLabel, pattern_}, {texts::kGlobalFindFolderLabel, folder_}};
  for (int i = 0; i < 3; ++i) {
    auto* label = new QLabel(T(rows[i].first), this);
    label->setBuddy(rows[i].second);
    fields->addWidget(label, i, 0);
    fields->addWidget(rows[i].second, i, 1);
  }
  auto* browse = new QPushButton(T(texts::kBrowseButton), this);
  browse->setAutoDefault(false);
  connect(browse, &QPushButton::clicked, this, &QtGlobalFindDialog::chooseFolder);
  connect(pattern_, &QComboBox::activated, this, &QtGlobalFindDialog::takeFolderFromPattern);
  connect(pattern_->lineEdit(), &QLineEdit::editingFinished, this, &QtGlobalFindDialog::takeFolderFromPattern);
  fields->addWidget(browse, 2, 2);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fields);
  for (QCheckBox* box : {matchCase_, subdirectories_, width_, regular_}) layout->addWidget(box);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QtGlobalFindDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
}

void QtGlobalFindDialog::chooseFolder() {
  const QString chosen = QFileDialog::getExistingDirectory(this, T(texts::kGlobalFindTitle), folder_->text());
  if (!chosen.isEmpty()) folder_->setText(chosen);
}

void QtGlobalFindDialog::takeFolderFromPattern() {
  const QString pattern = pattern_->currentText();
  if (!pattern.startsWith(QLatin1Char('/'))) return;
  const qsizetype slash = pattern.lastIndexOf(QLatin1Char('/'));
  folder_->setText(pattern.left(slash + 1));
  pattern_->setEditText(pattern.mid(slash + 1));
}

GlobalFindDialogRequest QtGlobalFindDialog::read() const {
  GlobalFindDialogRequest answer;
  answer.text = ToCp932(text_->currentText());
  answer.pattern = PathToCp932(pattern_->currentText());
  answer.directory = PathToCp932(folder_->text());
  if (answer.directory.empty() || answer.directory.back() != '/') answer.directory += '/';
  answer.matchCase = matchCase_->isChecked();
  answer.subdirectories = subdirectories_->isChecked();
  answer.distinguishWidth = width_->isChecked();
  answer.regular = regular_->isChecked();
  return answer;
}

void QtGlobalFindDialog::accept() {
  GlobalFindDialogRequest answer = read();
  if (request_.accept && !request_.accept(answer)) {
    text_->setFocus();
    return;
  }
  answer.accept = std::move(request_.accept);
  answer.textHistory = std::move(request_.textHistory);
  answer.patternHistory = std::move(request_.patternHistory);
  request_ = std::move(answer);
  QDialog::accept();
}

bool QtGlobalFindDialogs::globalFindDialog(GlobalFindDialogRequest& request) {
  QtGlobalFindDialog dialog(request, parent_);
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace quarn::qt
