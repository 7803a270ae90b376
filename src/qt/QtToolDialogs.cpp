#include "qt/QtToolDialogs.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>
#include <limits>

#include "core/res/MessageIds.h"
#include "core/res/StringTable.h"
#include "core/res/Texts.h"
#include "qt/QtText.h"

namespace quarn::qt {
namespace {

QString T(const char* cp932) { return ToQString(cp932); }
QString S(unsigned id) { return ToQString(LoadString(id)); }

QCheckBox* NewBox(QWidget* parent, const char* label, bool checked) {
  auto* box = new QCheckBox(T(label), parent);
  box->setChecked(checked);
  return box;
}

QSpinBox* NewSpin(QWidget* parent, int value) {
  auto* spin = new QSpinBox(parent);
  spin->setRange(-9999, 9999);
  spin->setValue(value);
  return spin;
}

QString ConditionText(const ExtractConditionValues& c, bool withLines) {
  QString text = ToQString(c.text) + QStringLiteral("  (") + QString::number(c.position);
  if (withLines) text += QStringLiteral(", ") + QString::number(c.lines);
  return text + QStringLiteral(")");
}

QPushButton* NewButton(QWidget* parent, const char* label) {
  auto* button = new QPushButton(T(label), parent);
  button->setAutoDefault(false);
  return button;
}

QDialogButtonBox* OkCancel(QDialog* dialog) {
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  return buttons;
}

}  // namespace

QtExtractSheet::QtExtractSheet(ExtractSheetRequest& request, QWidget* parent)
    : QDialog(parent), request_(request), pages_(new QTabWidget(this)) {
  setWindowTitle(S(msg::kExtractCaption));
  step1_.values = request.step1;
  starts_.values = request.starts;
  ends_.values = request.ends;
  pages_->addTab(parametersPage(), T(texts::kExtractPageParameters));
  pages_->addTab(step1Page(), T(texts::kExtractPageStep1));
  pages_->addTab(step2Page(), T(texts::kExtractPageStep2));
  pages_->setCurrentIndex(std::clamp(request.page, 0, 2));
  relabel();
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(pages_);
  layout->addWidget(OkCancel(this));
}

QWidget* QtExtractSheet::parametersPage() {
  auto* page = new QWidget(this);
  auto* layout = new QVBoxLayout(page);
  execution_ = new QButtonGroup(page);
  const std::pair<const char*, int> runs[] = {{texts::kExtractBoth, 3}, {texts::kExtractStep1Only, 1}, {texts::kExtractStep2Only, 2}};
  for (const auto& [label, id] : runs) {
    auto* radio = new QRadioButton(T(label), page);
    radio->setChecked(request_.execution == id);
    execution_->addButton(radio, id);
    layout->addWidget(radio);
  }
  display_ = NewBox(page, texts::kExtractShow, request_.display);
  information_ = NewBox(page, texts::kExtractInformation, request_.information);
  addSeparator_ = NewBox(page, texts::kExtractAddSeparator, request_.addSeparator);
  separator_ = new QLineEdit(ToQString(request_.separator), page);
  separator_->setMaxLength(80);
  matchCase_ = NewBox(page, texts::kExtractMatchCase, request_.matchCase);
  regular_ = NewBox(page, texts::kExtractRegular, request_.regular);
  width_ = NewBox(page, texts::kExtractWidth, request_.distinguishWidth);
  record_ = NewBox(page, texts::kExtractRecord, request_.record);
  for (QWidget* w : {static_cast<QWidget*>(display_), static_cast<QWidget*>(information_), static_cast<QWidget*>(addSeparator_)})
    layout->addWidget(w);
  auto* separatorRow = new QHBoxLayout;
  auto* label = new QLabel(T(texts::kExtractSeparator), page);
  label->setBuddy(separator_);
  separatorRow->addWidget(label);
  separatorRow->addWidget(separator_);
  layout->addLayout(separatorRow);
  for (QCheckBox* box : {matchCase_, regular_, width_, record_}) layout->addWidget(box);
  layout->addStretch();
  return page;
}

QWidget* QtExtractSheet::step1Page() {
  auto* page = new QWidget(this);
  auto* grid = new QGridLayout(page);
  step1Extracts_ = new QRadioButton(T(texts::kExtractExtracts), page);
  auto* deletes = new QRadioButton(T(texts::kExtractDeletes), page);
  (request_.step1Extracts ? step1Extracts_ : deletes)->setChecked(true);
  connect(step1Extracts_, &QRadioButton::toggled, this, &QtExtractSheet::relabel);
  auto* text = new QLineEdit(page);
  text->setMaxLength(83);
  auto* position = NewSpin(page, 0);
  auto* lines = NewSpin(page, 1);
  step1_.list = new QListWidget(page);
  step1_.label = new QLabel(page);
  for (const auto& c : step1_.values) step1_.list->addItem(ConditionText(c, true));
  auto* add = NewButton(page, texts::kExtractAdd);
  auto* remove = NewButton(page, texts::kExtractRemove);
  connect(add, &QPushButton::clicked, this, [=, this] { this->add(step1_, text, position, lines); });
  connect(remove, &QPushButton::clicked, this, [this] { this->remove(step1_); });
  grid->addWidget(step1Extracts_, 0, 0);
  grid->addWidget(deletes, 0, 1);
  grid->addWidget(new QLabel(T(texts::kExtractString), page), 1, 0);
  grid->addWidget(text, 1, 1, 1, 3);
  grid->addWidget(new QLabel(T(texts::kExtractPosition), page), 2, 0);
  grid->addWidget(position, 2, 1);
  grid->addWidget(new QLabel(T(texts::kExtractLines), page), 2, 2);
  grid->addWidget(lines, 2, 3);
  grid->addWidget(step1_.label, 3, 0);
  grid->addWidget(step1_.list, 4, 0, 1, 4);
  grid->addWidget(add, 5, 2);
  grid->addWidget(remove, 5, 3);
  return page;
}

QWidget* QtExtractSheet::step2Page() {
  auto* page = new QWidget(this);
  auto* grid = new QGridLayout(page);
  auto* extracts = new QRadioButton(T(texts::kExtractExtracts), page);
  step2Deletes_ = new QRadioButton(T(texts::kExtractDeletes), page);
  (request_.step2Deletes ? step2Deletes_ : extracts)->setChecked(true);
  connect(step2Deletes_, &QRadioButton::toggled, this, &QtExtractSheet::relabel);
  auto* text = new QLineEdit(page);
  text->setMaxLength(83);
  auto* position = NewSpin(page, 0);
  grid->addWidget(extracts, 0, 0);
  grid->addWidget(step2Deletes_, 0, 1);
  grid->addWidget(new QLabel(T(texts::kExtractString), page), 1, 0);
  grid->addWidget(text, 1, 1, 1, 3);
  grid->addWidget(new QLabel(T(texts::kExtractPosition), page), 2, 0);
  grid->addWidget(position, 2, 1);
  int row = 3;
  for (ConditionList* list : {&starts_, &ends_}) {
    list->list = new QListWidget(page);
    list->label = new QLabel(page);
    for (const auto& c : list->values) list->list->addItem(ConditionText(c, false));
    // "追加(&B)" and "削除(&L)" work on the list used last.
    connect(list->list, &QListWidget::itemSelectionChanged, this, [this, list] { step2Target_ = list; });
    grid->addWidget(list->label, row++, 0);
    grid->addWidget(list->list, row++, 0, 1, 4);
  }
  auto* add = NewButton(page, texts::kExtractAdd);
  auto* remove = NewButton(page, texts::kExtractRemove);
  connect(add, &QPushButton::clicked, this, [=, this] { this->add(*step2Target_, text, position, nullptr); });
  connect(remove, &QPushButton::clicked, this, [this] { this->remove(*step2Target_); });
  grid->addWidget(add, row, 2);
  grid->addWidget(remove, row, 3);
  return page;
}

void QtExtractSheet::add(ConditionList& list, QLineEdit* text, QSpinBox* position, QSpinBox* lines) {
  const ExtractConditionValues c{ToCp932(text->text()), position->value(), lines ? lines->value() : 1};
  if (request_.canAdd && !request_.canAdd(c, list.values.size())) return;
  list.values.push_back(c);
  list.list->addItem(ConditionText(c, lines != nullptr));
}

void QtExtractSheet::remove(ConditionList& list) {
  const int row = list.list->currentRow();
  if (row < 0 || row >= int(list.values.size())) return;
  list.values.erase(list.values.begin() + row);
  delete list.list->takeItem(row);
}

void QtExtractSheet::relabel() {
  step1_.label->setText(S(step1Extracts_->isChecked() ? msg::kExtractedLinesLabel : msg::kDeletedLinesLabel));
  const bool deletes = step2Deletes_->isChecked();
  starts_.label->setText(S(deletes ? msg::kDeleteStartLabel : msg::kExtractStartLabel));
  ends_.label->setText(S(deletes ? msg::kDeleteEndLabel : msg::kExtractEndLabel));
}

void QtExtractSheet::accept() {
  request_.page = pages_->currentIndex();
  request_.execution = execution_->checkedId() > 0 ? execution_->checkedId() : 3;
  request_.display = display_->isChecked();
  request_.information = information_->isChecked();
  request_.addSeparator = addSeparator_->isChecked();
  request_.separator = ToCp932(separator_->text());
  request_.matchCase = matchCase_->isChecked();
  request_.regular = regular_->isChecked();
  request_.distinguishWidth = width_->isChecked();
  request_.record = record_->isChecked();
  request_.step1Extracts = step1Extracts_->isChecked();
  request_.step1 = step1_.values;
  request_.step2Deletes = step2Deletes_->isChecked();
  request_.starts = starts_.values;
  request_.ends = ends_.values;
  QDialog::accept();
}

QtFreeConvDialog::QtFreeConvDialog(FreeConvRequest& request, QWidget* parent)
    : QDialog(parent), request_(request), classes_(new QListWidget(this)),
      newDocument_(NewBox(this, texts::kFreeConvNewDocument, request.newDocument)) {
  setWindowTitle(T(texts::kFreeConvTitle));
  for (const std::string& name : request.classNames) classes_->addItem(ToQString(name));
  if (classes_->count() > 0) classes_->setCurrentRow(0);
  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel(T(texts::kFreeConvSource), this), 0, 0);
  grid->addWidget(new QLabel(T(texts::kFreeConvTarget), this), 0, 2);
  for (std::size_t i = 0; i < request.rows.size(); ++i) {
    const int row = int(i) + 1;
    int column = 0;
    for (auto* edits : {&sources_, &targets_}) {
      auto* edit = new QLineEdit(ToQString(edits == &sources_ ? request.rows[i].source : request.rows[i].target), this);
      edit->setMinimumWidth(180);
      auto* put = new QPushButton(QStringLiteral("<"), this);
      put->setAutoDefault(false);
      put->setFixedWidth(24);
      // The class chosen in the list goes into the edit beside the button.
      connect(put, &QPushButton::clicked, this, [this, edit] {
        if (QListWidgetItem* item = classes_->currentItem()) edit->setText(item->text());
      });
      edits->push_back(edit);
      grid->addWidget(edit, row, column++);
      grid->addWidget(put, row, column++);
    }
  }
  auto* side = new QVBoxLayout;
  auto* label = new QLabel(T(texts::kFreeConvClasses), this);
  label->setBuddy(classes_);
  side->addWidget(label);
  side->addWidget(classes_);
  side->addWidget(newDocument_);
  auto* body = new QHBoxLayout;
  body->addLayout(grid);
  body->addLayout(side);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
  buttons->addButton(T(texts::kFreeConvRun), QDialogButtonBox::AcceptRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &QtFreeConvDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(body);
  layout->addWidget(buttons);
}

FreeConvRequest QtFreeConvDialog::read() const {
  FreeConvRequest answer;
  for (std::size_t i = 0; i < sources_.size(); ++i)
    answer.rows.push_back({ToCp932(sources_[i]->text()), ToCp932(targets_[i]->text())});
  answer.newDocument = newDocument_->isChecked();
  return answer;
}

void QtFreeConvDialog::accept() {
  FreeConvRequest answer = read();
  const int focus = request_.accept ? request_.accept(answer) : -1;
  if (focus >= 0) {
    sources_[std::size_t(std::min<int>(focus, int(sources_.size()) - 1))]->setFocus();
    return;
  }
  request_.rows = std::move(answer.rows);
  request_.newDocument = answer.newDocument;
  QDialog::accept();
}

bool QtToolDialogs::extractSheet(ExtractSheetRequest& request) {
  QtExtractSheet sheet(request, parent_);
  return sheet.exec() == QDialog::Accepted;
}

void QtToolDialogs::extractResult(const ExtractResultValues& values) {
  QDialog dialog(parent_);
  dialog.setWindowTitle(S(msg::kExtractCaption));
  auto* grid = new QGridLayout;
  const char* rows[] = {texts::kResultTotal, texts::kResultDeleted, texts::kResultExtracted, texts::kResultDeletedBlocks,
                        texts::kResultExtractedBlocks};
  for (int r = 0; r < 5; ++r) grid->addWidget(new QLabel(T(rows[r]), &dialog), r + 1, 0);
  int column = 1;
  for (const auto& [title, step] : {std::pair{texts::kExtractPageStep1, values.step1}, {texts::kExtractPageStep2, values.step2}}) {
    grid->addWidget(new QLabel(T(title), &dialog), 0, column);
    const QString numbers[] = {QString::number(step.total), QString::number(step.deleted), QString::number(step.extracted),
                               step.deletes ? QString::number(step.blocks) : QString(),
                               step.deletes ? QString() : QString::number(step.blocks)};
    for (int r = 0; r < 5; ++r) {
      auto* value = new QLabel(numbers[r], &dialog);
      value->setAlignment(Qt::AlignRight);
      grid->addWidget(value, r + 1, column);
    }
    ++column;
  }
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  auto* layout = new QVBoxLayout(&dialog);
  layout->addLayout(grid);
  layout->addWidget(buttons);
  dialog.exec();
}

bool QtToolDialogs::freeConversion(FreeConvRequest& request) {
  QtFreeConvDialog dialog(request, parent_);
  return dialog.exec() == QDialog::Accepted;
}

bool QtToolDialogs::formDialog(FormRequest& request) {
  QDialog dialog(parent_);
  dialog.setWindowTitle(T(texts::kFormTitle));
  auto* name = new QComboBox(&dialog);
  name->setEditable(true);
  name->setInsertPolicy(QComboBox::NoInsert);
  name->setMinimumWidth(360);
  for (const std::string& entry : request.history) name->addItem(DisplayText(entry));
  name->setEditText(DisplayText(request.name));
  auto* label = new QLabel(T(texts::kFormFile), &dialog);
  label->setBuddy(name);
  auto* browse = NewButton(&dialog, texts::kFormBrowse);
  QObject::connect(browse, &QPushButton::clicked, &dialog, [&] {
    const QString chosen = QFileDialog::getOpenFileName(&dialog, ToQString(request.browseTitle), name->currentText());
    if (!chosen.isEmpty()) name->setEditText(chosen);
  });
  auto* row = new QHBoxLayout;
  row->addWidget(name);
  row->addWidget(browse);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, [&] {
    FormRequest answer;
    answer.name = PathToCp932(name->currentText());
    if (request.accept && !request.accept(answer)) return name->setFocus();
    request.name = answer.name;
    dialog.accept();
  });
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(label);
  layout->addLayout(row);
  layout->addWidget(buttons);
  return dialog.exec() == QDialog::Accepted;
}

bool QtToolDialogs::compareDialog(CompareRequest& request) {
  QDialog dialog(parent_);
  dialog.setWindowTitle(T(texts::kCompareTitle));
  auto* list = new QListWidget(&dialog);
  for (const std::string& name : request.candidates) list->addItem(DisplayText(name));
  if (list->count() > 0) list->setCurrentRow(0);
  auto* label = new QLabel(T(texts::kCompareTarget), &dialog);
  label->setBuddy(list);
  QDialogButtonBox* buttons = OkCancel(&dialog);
  // Nothing can be chosen from an empty list.
  buttons->button(QDialogButtonBox::Ok)->setEnabled(list->count() > 0);
  QObject::connect(list, &QListWidget::itemDoubleClicked, &dialog, &QDialog::accept);
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(label);
  layout->addWidget(list);
  layout->addWidget(buttons);
  if (dialog.exec() != QDialog::Accepted || list->currentRow() < 0) return false;
  request.chosen = list->currentRow();
  return true;
}

}  // namespace quarn::qt
