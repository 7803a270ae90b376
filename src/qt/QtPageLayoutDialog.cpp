#include "qt/QtPageLayoutDialog.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include "core/res/Texts.h"
#include "qt/QtText.h"

namespace quarn::qt {
namespace {

QSpinBox* Spin(QWidget* parent, int max, int value) {
  auto* spin = new QSpinBox(parent);
  spin->setRange(0, max);
  spin->setValue(value);
  return spin;
}

// A row of radio buttons whose ids are 0, 1, ...
QWidget* Radios(QWidget* parent, QButtonGroup*& group, std::initializer_list<const char*> labels, int checked) {
  auto* box = new QWidget(parent);
  auto* row = new QHBoxLayout(box);
  row->setContentsMargins(0, 0, 0, 0);
  group = new QButtonGroup(box);
  int id = 0;
  for (const char* label : labels) {
    auto* button = new QRadioButton(ToQString(label), box);
    group->addButton(button, id);
    button->setChecked(id == checked);
    row->addWidget(button);
    ++id;
  }
  return box;
}

QComboBox* Spacing(QWidget* parent, int index) {
  auto* combo = new QComboBox(parent);
  for (const QString& item : ToQString(texts::kPageLayoutSpacings).split(QChar('\n'))) combo->addItem(item);
  combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
  return combo;
}

}  // namespace

QtPageLayoutDialog::QtPageLayoutDialog(CPageLayout& model, QWidget* parent)
    : QDialog(parent), model_(model), font_(model.font) {
  setWindowTitle(ToQString(texts::kPageLayoutTitle));
  auto* form = new QFormLayout(this);
  const char* marginLabels[4] = {texts::kPageLayoutLeft, texts::kPageLayoutTop, texts::kPageLayoutRight,
                                 texts::kPageLayoutBottom};
  for (int i : {1, 3, 0, 2}) {
    margins_[i] = Spin(this, CPageLayout::kMaxMillimetres, model.margins[i]);
    margins_[i]->setSuffix(QStringLiteral(" mm"));
    form->addRow(ToQString(marginLabels[i]), margins_[i]);
  }
  header_ = new QLineEdit(ToQString(model.header), this);
  header_->setMaxLength(int(PageLayoutFields::kTextBytes));
  form->addRow(ToQString(texts::kPageLayoutHeader), header_);
  form->addRow(ToQString(texts::kPageLayoutHeaderPrint),
               Radios(this, headerOn_, {texts::kPageLayoutPrintYes, texts::kPageLayoutPrintNo}, model.headerOn ? 0 : 1));
  form->addRow(ToQString(texts::kPageLayoutHeaderPos),
               Radios(this, headerAlign_,
                      {texts::kPageLayoutAlignLeft, texts::kPageLayoutAlignCenter, texts::kPageLayoutAlignRight},
                      model.headerAlign));
  footer_ = new QLineEdit(ToQString(model.footer), this);
  footer_->setMaxLength(int(PageLayoutFields::kTextBytes));
  form->addRow(ToQString(texts::kPageLayoutFooter), footer_);
  form->addRow(ToQString(texts::kPageLayoutFooterPrint),
               Radios(this, footerOn_, {texts::kPageLayoutPrintYes, texts::kPageLayoutPrintNo}, model.footerOn ? 0 : 1));
  form->addRow(ToQString(texts::kPageLayoutFooterPos),
               Radios(this, footerAlign_,
                      {texts::kPageLayoutAlignLeft, texts::kPageLayoutAlignCenter, texts::kPageLayoutAlignRight},
                      model.footerAlign));
  lineSpacing_ = Spacing(this, model.lineSpacing);
  form->addRow(ToQString(texts::kPageLayoutLineSpacing), lineSpacing_);
  charSpacing_ = Spacing(this, model.charSpacing);
  form->addRow(ToQString(texts::kPageLayoutCharSpacing), charSpacing_);
  firstPage_ = Spin(this, CPageLayout::kMaxNumber, model.firstPage);
  form->addRow(ToQString(texts::kPageLayoutFirstPage), firstPage_);
  firstLine_ = Spin(this, CPageLayout::kMaxNumber, model.firstLine);
  form->addRow(ToQString(texts::kPageLayoutFirstLine), firstLine_);
  numbers_ = new QCheckBox(ToQString(texts::kPageLayoutLineNumbers), this);
  numbers_->setChecked(model.printLineNumbers);
  form->addRow(numbers_);
  auto* fontButton = new QPushButton(ToQString(texts::kPageLayoutFont), this);
  connect(fontButton, &QPushButton::clicked, this, [this] { chooseFont(); });
  form->addRow(fontButton);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QtPageLayoutDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  form->addRow(buttons);
}

void QtPageLayoutDialog::chooseFont() {
  bool ok = false;
  const QFont initial(ToQString(font_.face()), font_.height);
  const QFont chosen = QFontDialog::getFont(&ok, initial, this);
  if (!ok) return;
  CPageLayout probe = model_;
  LogFont lf = font_;
  lf.setFace(ToCp932(chosen.family()));
  lf.weight = chosen.bold() ? 700 : 400;
  lf.italic = chosen.italic() ? 1 : 0;
  if (!probe.ChooseFont(lf, chosen.pointSize() * 10, logicalDpiY())) QApplication::beep();
  font_ = probe.font;
}

void QtPageLayoutDialog::accept() {
  CPageLayout values = model_;
  for (int i = 0; i < 4; ++i) values.margins[i] = margins_[i]->value();
  values.header = ToCp932(header_->text()).substr(0, PageLayoutFields::kTextBytes);
  values.footer = ToCp932(footer_->text()).substr(0, PageLayoutFields::kTextBytes);
  values.headerOn = headerOn_->checkedId() == 0;
  values.headerAlign = headerAlign_->checkedId();
  values.footerOn = footerOn_->checkedId() == 0;
  values.footerAlign = footerAlign_->checkedId();
  values.lineSpacing = lineSpacing_->currentIndex();
  values.charSpacing = charSpacing_->currentIndex();
  values.firstPage = firstPage_->value();
  values.firstLine = firstLine_->value();
  values.printLineNumbers = numbers_->isChecked();
  values.font = font_;
  if (!values.Valid()) {
    QApplication::beep();
    return;
  }
  model_ = values;
  QDialog::accept();
}

bool QtPageLayoutDialog::Run(CPageLayout& model, QWidget* parent) {
  QtPageLayoutDialog dialog(model, parent);
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace quarn::qt
