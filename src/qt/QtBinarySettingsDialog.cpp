#include "qt/QtBinarySettingsDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <tuple>

#include "core/options/ControlIds.h"
#include "core/res/StringTable.h"
#include "qt/QtSettingsControls.h"
#include "qt/QtText.h"

namespace quarn::qt {
namespace {

constexpr unsigned kTitle = 59455;

struct ColorField {
  int id;
  const char* text;
  ColorRef BinarySettingsFields::*value;
};

constexpr ColorField kColors[] = {
    {ctl::kBinary1Color, texts::kBinary1ColorButton, &BinarySettingsFields::binary1Color},
    {ctl::kBinary2Color, texts::kBinary2ColorButton, &BinarySettingsFields::binary2Color},
    {ctl::kMarkedPosColor, texts::kMarkedPosColorButton, &BinarySettingsFields::markedPosColor},
    {ctl::kAddressLineBackColor, texts::kAddressLineBackColorButton, &BinarySettingsFields::addressLineBackColor},
    {ctl::kCursorUnderLineColor, texts::kCursorUnderLineColorButton, &BinarySettingsFields::cursorUnderLineColor},
    {ctl::kUnderCaretColor, texts::kUnderCaretColorButton, &BinarySettingsFields::underCaretColor},
};

struct BoxField {
  int id;
  const char* text;
  bool BinarySettingsFields::*value;
};

constexpr BoxField kBoxes[] = {
    {ctl::kInitialCabinetMode, texts::kInitialCabinetModeBox, &BinarySettingsFields::initialCabinetMode},
    {ctl::kInvokeWithoutUntitled, texts::kInvokeWithoutUntitledBox, &BinarySettingsFields::invokeWithoutUntitled},
    {ctl::kLongTitle, texts::kLongTitleBox, &BinarySettingsFields::longTitle},
    {ctl::kDisplayTabBar, texts::kDisplayTabBarBox, &BinarySettingsFields::displayTabBar},
    {ctl::kMultiInstance, texts::kMultiInstanceBox, &BinarySettingsFields::multiInstance},
    {ctl::kStartWithOverWrite, texts::kStartWithOverWriteBox, &BinarySettingsFields::startWithOverWrite},
    {ctl::kDrawUnderLine, texts::kDrawUnderLineBox, &BinarySettingsFields::drawUnderLine},
    {ctl::kDrawUnderCaret, texts::kDrawUnderCaretBox, &BinarySettingsFields::drawUnderCaret},
    {ctl::kIgnore8bitCode, texts::kIgnore8bitCodeBox, &BinarySettingsFields::ignore8bitCode},
    {ctl::kOneRasterLow, texts::kOneRasterLowBox, &BinarySettingsFields::oneRasterLow},
};

QLineEdit* HexEdit(QWidget* parent, int id, const std::string& text) {
  auto* edit = new QLineEdit(ToQString(text), parent);
  edit->setObjectName(ControlName(id));
  edit->setMaxLength(2);
  return edit;
}

}  // namespace

QtBinarySettingsDialog::QtBinarySettingsDialog(BinarySettingsRequest& model, QWidget* parent)
    : QDialog(parent), model_(model) {
  setWindowTitle(ToQString(LoadString(kTitle)));
  auto* layout = new QVBoxLayout(this);

  auto* boxes = new QGridLayout;
  for (std::size_t i = 0; i < std::size(kBoxes); ++i)
    addBox(boxes, int(i / 2), int(i % 2), kBoxes[i].id, kBoxes[i].text, model.*kBoxes[i].value);
  layout->addLayout(boxes);

  auto* address = new QGroupBox(ToQString(texts::kAddressGroup), this);
  auto* addressRow = new QHBoxLayout(address);
  auto* decimal = new QRadioButton(ToQString(texts::kDecimalAddressRadio), address);
  auto* hex = new QRadioButton(ToQString(texts::kHexAddressRadio), address);
  decimal->setObjectName(ControlName(ctl::kDecimalAddress));
  hex->setObjectName(ControlName(ctl::kHexAddress));
  (model.hexAddress ? hex : decimal)->setChecked(true);
  addressRow->addWidget(decimal);
  addressRow->addWidget(hex);
  layout->addWidget(address);

  auto* fields = new QGridLayout;
  constexpr int lo = BinarySettingsFields::kMinBytes, hi = BinarySettingsFields::kMaxBytes;
  addSpin(fields, 0, ctl::kBytesPerLine, texts::kBytesPerLineLabel, model.bytesPerLine, lo, hi);
  addSpin(fields, 1, ctl::kDecimalBlockBytes, texts::kDecimalBlockLabel, model.decimalBlockBytes, lo, hi);
  addSpin(fields, 2, ctl::kHexBlockBytes, texts::kHexBlockLabel, model.hexBlockBytes, lo, hi);
  int row = 3;
  for (auto [id, label, text] : {std::tuple{ctl::kBinary1, texts::kBinary1Label, &model.binary1},
                                 std::tuple{ctl::kBinary2, texts::kBinary2Label, &model.binary2}}) {
    auto* edit = HexEdit(this, id, *text);
    auto* caption = new QLabel(ToQString(label), this);
    caption->setBuddy(edit);
    fields->addWidget(caption, row, 0);
    fields->addWidget(edit, row++, 1);
  }
  // The line spacing is offered but kept nowhere.
  addSpin(fields, row, ctl::kLineSpacing, texts::kLineSpacingLabel, model.lineSpacing, 0, 100);
  fields->addWidget(new QLabel(ToQString(texts::kLineSpacingUnit), this), row, 2);
  layout->addLayout(fields);

  auto* colors = new QGridLayout;
  for (std::size_t i = 0; i < std::size(kColors); ++i) {
    auto* button = new QtColorButton(ToQString(kColors[i].text), model.*kColors[i].value, this);
    button->setObjectName(ControlName(kColors[i].id));
    colors->addWidget(button, int(i / 2), int(i % 2));
  }
  layout->addLayout(colors);

  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(ToQString(texts::kOkButton), QDialogButtonBox::AcceptRole);
  buttons->addButton(ToQString(texts::kCancelButton), QDialogButtonBox::RejectRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &QtBinarySettingsDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
}

QCheckBox* QtBinarySettingsDialog::addBox(QGridLayout* grid, int row, int column, int id, const char* text,
                                          bool checked) {
  auto* box = new QCheckBox(ToQString(text), this);
  box->setObjectName(ControlName(id));
  box->setChecked(checked);
  grid->addWidget(box, row, column);
  return box;
}

QSpinBox* QtBinarySettingsDialog::addSpin(QGridLayout* grid, int row, int id, const char* label, int value, int lo,
                                          int hi) {
  auto* spin = new QSpinBox(this);
  spin->setObjectName(ControlName(id));
  spin->setRange(lo, hi);
  spin->setValue(value);
  auto* caption = new QLabel(ToQString(label), this);
  caption->setBuddy(spin);
  grid->addWidget(caption, row, 0);
  grid->addWidget(spin, row, 1);
  return spin;
}

BinarySettingsFields QtBinarySettingsDialog::read() const {
  BinarySettingsFields m = model_;
  QWidget* self = const_cast<QtBinarySettingsDialog*>(this);
  for (const BoxField& f : kBoxes) m.*f.value = Control<QCheckBox>(self, f.id)->isChecked();
  m.hexAddress = Control<QRadioButton>(self, ctl::kHexAddress)->isChecked();
  m.bytesPerLine = Control<QSpinBox>(self, ctl::kBytesPerLine)->value();
  m.decimalBlockBytes = Control<QSpinBox>(self, ctl::kDecimalBlockBytes)->value();
  m.hexBlockBytes = Control<QSpinBox>(self, ctl::kHexBlockBytes)->value();
  m.lineSpacing = Control<QSpinBox>(self, ctl::kLineSpacing)->value();
  m.binary1 = ToCp932(Control<QLineEdit>(self, ctl::kBinary1)->text());
  m.binary2 = ToCp932(Control<QLineEdit>(self, ctl::kBinary2)->text());
  for (const ColorField& f : kColors) m.*f.value = Control<QtColorButton>(self, f.id)->color();
  return m;
}

void QtBinarySettingsDialog::accept() {
  const BinarySettingsFields m = read();
  if (int refused = model_.check ? model_.check(m) : 0) {
    const bool byte = refused == ctl::kBinary1 || refused == ctl::kBinary2;
    return RefuseField(FindControl(this, refused), byte ? texts::kByteRefusedNotice : std::string());
  }
  static_cast<BinarySettingsFields&>(model_) = m;
  QDialog::accept();
}

}  // namespace quarn::qt
