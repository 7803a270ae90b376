#include "qt/QtCommonSettingsSheet.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include "core/options/ControlIds.h"
#include "core/res/StringTable.h"
#include "qt/QtSettingsControls.h"
#include "qt/QtText.h"

namespace quarn::qt {
namespace {

constexpr unsigned kTitle = 59455;

QCheckBox* Box(QWidget* parent, QLayout* layout, int id, const char* text, bool checked) {
  auto* box = new QCheckBox(ToQString(text), parent);
  box->setObjectName(ControlName(id));
  box->setChecked(checked);
  layout->addWidget(box);
  return box;
}

QLineEdit* Edit(QWidget* parent, int id, const std::string& text, int maxLength) {
  auto* edit = new QLineEdit(ToQString(text), parent);
  edit->setObjectName(ControlName(id));
  edit->setMaxLength(maxLength);
  return edit;
}

QSpinBox* Spin(QWidget* parent, int id, int value, int lo, int hi) {
  auto* spin = new QSpinBox(parent);
  spin->setObjectName(ControlName(id));
  spin->setRange(lo, hi);
  spin->setValue(value);
  return spin;
}

QDoubleSpinBox* Margin(QWidget* parent, int id, double mm) {
  auto* spin = new QDoubleSpinBox(parent);
  spin->setObjectName(ControlName(id));
  spin->setDecimals(1);
  spin->setSingleStep(0.1);
  spin->setRange(0.0, ViewPageFields::kMaxMargin);
  spin->setValue(mm);
  return spin;
}

// The kinsoku edit holds at most 40 CP932 bytes: characters typed past
// that are dropped.
void LimitBytes(QLineEdit* edit, std::size_t bytes) {
  QObject::connect(edit, &QLineEdit::textEdited, edit, [edit, bytes](QString text) {
    if (ToCp932(text).size() <= bytes) return;
    while (!text.isEmpty() && ToCp932(text).size() > bytes) text.chop(1);
    edit->setText(text);
  });
}

}  // namespace

QtCommonSettingsSheet::QtCommonSettingsSheet(CommonSettingsRequest& sheet, QWidget* parent)
    : QDialog(parent), sheet_(sheet), tabs_(new QTabWidget(this)) {
  setWindowTitle(ToQString(LoadString(kTitle)));
  auto* layout = new QVBoxLayout(this);
  tabs_->addTab(editPage(), ToQString(texts::kPageEdit));
  tabs_->addTab(directoryPage(), ToQString(texts::kPageDirectory));
  tabs_->addTab(viewPage(), ToQString(texts::kPageView));
  tabs_->addTab(scrollPage(), ToQString(texts::kPageScroll));
  connect(tabs_, &QTabWidget::currentChanged, this, &QtCommonSettingsSheet::pageChanged);
  layout->addWidget(tabs_);

  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(ToQString(texts::kOkButton), QDialogButtonBox::AcceptRole);
  buttons->addButton(ToQString(texts::kCancelButton), QDialogButtonBox::RejectRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &QtCommonSettingsSheet::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
}

QWidget* QtCommonSettingsSheet::editPage() {
  const EditPageFields& e = sheet_.edit;
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  Box(page, layout, ctl::kCabinetSave, texts::kCabinetSaveBox, e.cabinetSave);
  Box(page, layout, ctl::kColorAreaComment, texts::kColorAreaCommentBox, e.colorAreaComment);
  Box(page, layout, ctl::kInitialCabinet, texts::kInitialCabinetBox, e.initialCabinet);
  Box(page, layout, ctl::kInitialCabinetMode, texts::kInitialCabinetModeBox, e.initialCabinetMode);
  Box(page, layout, ctl::kEnableTabPosition, texts::kEnableTabPositionBox, e.enableTabPosition);
  Box(page, layout, ctl::kInvokeWithoutUntitled, texts::kInvokeWithoutUntitledBox, e.invokeWithoutUntitled);
  auto* form = new QFormLayout;
  form->addRow(ToQString(texts::kTabPositionLabel), Edit(page, ctl::kTabPositions, e.tabPositions, int(EditPageFields::kMaxTabText)));
  QLineEdit* columnOut = Edit(page, ctl::kColumnOut, e.columnOut, int(EditPageFields::kMaxColumnOut));
  LimitBytes(columnOut, EditPageFields::kMaxColumnOut);
  form->addRow(ToQString(texts::kColumnOutLabel), columnOut);
  layout->addLayout(form);
  layout->addStretch();
  return page;
}

QWidget* QtCommonSettingsSheet::directoryPage() {
  auto* page = new QWidget;
  auto* form = new QFormLayout(page);
  for (int i = 0; i < 4; ++i) {
    // The directories are file names: shown and read back as names are.
    QLineEdit* edit = Edit(page, ctl::kDirectory1 + i, {}, 32767);
    edit->setText(DisplayText(sheet_.directories.directories[std::size_t(i)]));
    auto* browse = new QPushButton(ToQString(texts::kBrowseButton), page);
    // Named apart: the browse ids 202 and 204 are the scroll page's edits too.
    browse->setObjectName(QStringLiteral("browse%1").arg(ctl::kBrowse1 + i));
    connect(browse, &QPushButton::clicked, edit, [this, edit] {
      std::string text = PathToCp932(edit->text());
      if (!sheet_.browse || !sheet_.browse(text)) return;
      edit->setText(DisplayText(text));
      edit->setFocus(Qt::OtherFocusReason);
      edit->selectAll();
    });
    auto* row = new QHBoxLayout;
    row->addWidget(edit);
    row->addWidget(browse);
    // A label beside a row of widgets shows its access key only with a buddy.
    auto* label = new QLabel(ToQString(texts::kDirectoryLabel).arg(i + 1), page);
    label->setBuddy(edit);
    form->addRow(label, row);
  }
  return page;
}

QWidget* QtCommonSettingsSheet::viewPage() {
  const ViewPageFields& v = sheet_.view;
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  auto* margins = new QGroupBox(ToQString(texts::kMarginGroup), page);
  auto* form = new QFormLayout(margins);
  form->addRow(ToQString(texts::kLeftMarginLabel), Margin(margins, ctl::kLeftMargin, v.leftMargin));
  form->addRow(ToQString(texts::kTopMarginLabel), Margin(margins, ctl::kTopMargin, v.topMargin));
  layout->addWidget(margins);
  Box(page, layout, ctl::kLineBar, texts::kLineBarBox, v.lineBar);
  Box(page, layout, ctl::kRulerBar, texts::kRulerBarBox, v.rulerBar);
  Box(page, layout, ctl::kToolBar, texts::kToolBarBox, v.toolBar);
  Box(page, layout, ctl::kStatusBar, texts::kStatusBarBox, v.statusBar);
  layout->addStretch();
  return page;
}

QWidget* QtCommonSettingsSheet::scrollPage() {
  const ScrollPageFields& s = sheet_.scroll;
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  auto* form = new QFormLayout;
  form->addRow(ToQString(texts::kScrollLineCountLabel), Spin(page, ctl::kScrollLineCount, s.scrollLineCount, 1, 10));
  layout->addLayout(form);
  auto* automatic = new QGroupBox(ToQString(texts::kAutoScrollGroup), page);
  auto* autoForm = new QFormLayout(automatic);
  autoForm->addRow(ToQString(texts::kAutoScrollIntLabel), Spin(automatic, ctl::kAutoScrollInt, s.autoScrollInt, 1, 600));
  autoForm->addRow(ToQString(texts::kAutoScrollCountLabel),
                   Spin(automatic, ctl::kAutoScrollCount, s.autoScrollCount, 1, 60));
  layout->addWidget(automatic);
  Box(page, layout, ctl::kAutoScrollBreak, texts::kAutoScrollBreakBox, s.autoScrollBreak);
  layout->addStretch();
  return page;
}

CommonSettingsRequest QtCommonSettingsSheet::read() const {
  CommonSettingsRequest m = sheet_;
  QWidget* self = const_cast<QtCommonSettingsSheet*>(this);
  auto checked = [self](int id) { return Control<QCheckBox>(self, id)->isChecked(); };
  auto text = [self](int id) { return ToCp932(Control<QLineEdit>(self, id)->text()); };
  auto number = [self](int id) { return Control<QSpinBox>(self, id)->value(); };
  auto mm = [self](int id) { return Control<QDoubleSpinBox>(self, id)->value(); };
  EditPageFields& e = m.edit;
  e.cabinetSave = checked(ctl::kCabinetSave);
  e.colorAreaComment = checked(ctl::kColorAreaComment);
  e.initialCabinet = checked(ctl::kInitialCabinet);
  e.initialCabinetMode = checked(ctl::kInitialCabinetMode);
  e.enableTabPosition = checked(ctl::kEnableTabPosition);
  e.invokeWithoutUntitled = checked(ctl::kInvokeWithoutUntitled);
  e.tabPositions = text(ctl::kTabPositions);
  e.columnOut = text(ctl::kColumnOut);
  for (int i = 0; i < 4; ++i)
    m.directories.directories[std::size_t(i)] = PathToCp932(Control<QLineEdit>(self, ctl::kDirectory1 + i)->text());
  m.view.leftMargin = mm(ctl::kLeftMargin);
  m.view.topMargin = mm(ctl::kTopMargin);
  m.view.lineBar = checked(ctl::kLineBar);
  m.view.rulerBar = checked(ctl::kRulerBar);
  m.view.toolBar = checked(ctl::kToolBar);
  m.view.statusBar = checked(ctl::kStatusBar);
  m.scroll.scrollLineCount = number(ctl::kScrollLineCount);
  m.scroll.autoScrollInt = number(ctl::kAutoScrollInt);
  m.scroll.autoScrollCount = number(ctl::kAutoScrollCount);
  m.scroll.autoScrollBreak = checked(ctl::kAutoScrollBreak);
  return m;
}

void QtCommonSettingsSheet::pageChanged(int index) {
  const int left = page_;
  page_ = index;
  if (left != 0 || index == 0) return;
  // The first page is checked first: a refusal there names page 0.
  const SettingsRefusal refused = check();
  if (refused.control && refused.page == 0) {
    {
      const QSignalBlocker blocker(tabs_);
      tabs_->setCurrentIndex(0);
    }
    page_ = 0;
    RefuseField(FindControl(this, refused.control));
  }
}

SettingsRefusal QtCommonSettingsSheet::check() const {
  return sheet_.check ? sheet_.check(read()) : SettingsRefusal();
}

void QtCommonSettingsSheet::accept() {
  const SettingsRefusal fault = check();
  if (fault.control) {
    {
      const QSignalBlocker blocker(tabs_);
      tabs_->setCurrentIndex(fault.page);
    }
    page_ = fault.page;
    return RefuseField(FindControl(this, fault.control));
  }
  sheet_ = read();
  QDialog::accept();
}

}  // namespace quarn::qt
