#include "qt/QtCabinetDialogs.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include "core/res/Texts.h"
#include "qt/QtCanvas.h"
#include "qt/QtFontMapper.h"
#include "qt/QtSettingsControls.h"
#include "qt/QtText.h"

namespace quarn::qt {
namespace {

constexpr int kMaxCabinetName = 128;
constexpr int kMaxFilterPairs = 10;

QDialogButtonBox* OkCancel(QDialog& dialog) {
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  return buttons;
}

QCheckBox* Box(QLayout* layout, const char* text, bool checked) {
  auto* box = new QCheckBox(ToQString(text));
  box->setChecked(checked);
  layout->addWidget(box);
  return box;
}

QDoubleSpinBox* Millimetres(double value) {
  auto* spin = new QDoubleSpinBox;
  spin->setDecimals(1);
  spin->setSingleStep(0.1);
  spin->setRange(0.0, 10.0);
  spin->setValue(value);
  return spin;
}

// The keyword edit holds lines ended by LF; the program's text ends them
// with CR LF.
std::string KeywordsOf(const QPlainTextEdit& edit) {
  std::string text;
  for (char c : ToCp932(edit.toPlainText())) {
    if (c == '\n') text += '\r';
    text += c;
  }
  return text;
}

// Page 103 "書式".
class FormatPage : public QWidget {
 public:
  explicit FormatPage(const CabinetFormatPage& p) {
    auto* form = new QFormLayout(this);
    type_ = new QComboBox;
    for (const std::string& name : p.docTypeNames) type_->addItem(ToQString(name));
    type_->setCurrentIndex(p.docType);
    form->addRow(ToQString(texts::kCabTypeLabel), type_);
    chars_ = new QSpinBox;
    chars_->setRange(10, 250);
    chars_->setValue(p.charsPerLine);
    form->addRow(ToQString(texts::kCharsPerLineLabel), chars_);
    tabs_ = new QSpinBox;
    tabs_->setRange(2, 20);
    tabs_->setValue(p.tabColumns);
    form->addRow(ToQString(texts::kTabColumnsLabel), tabs_);
    lineSpacing_ = Millimetres(p.lineSpacing);
    form->addRow(ToQString(texts::kLineSpacingMmLabel), lineSpacing_);
    charSpacing_ = Millimetres(p.charSpacing);
    form->addRow(ToQString(texts::kCharSpacingMmLabel), charSpacing_);
    wrapped_ = new QRadioButton(ToQString(texts::kLineModeWrapped));
    auto* newline = new QRadioButton(ToQString(texts::kLineModeNewline));
    (p.lineNumberMode == 1 ? newline : wrapped_)->setChecked(true);
    form->addRow(wrapped_);
    form->addRow(newline);
    auto* boxes = new QGridLayout;
    form->addRow(boxes);
    auto* column = new QVBoxLayout;
    boxes->addLayout(column, 0, 0);
    freeCursor_ = Box(column, texts::kFreeCursorBox, p.freeCursor);
    autoIndent_ = Box(column, texts::kAutoIndentBox, p.autoIndent);
    eol_ = Box(column, texts::kShowEolBox, p.showEolMark);
    tab_ = Box(column, texts::kShowTabBox, p.showTabMark);
    column = new QVBoxLayout;
    boxes->addLayout(column, 0, 1);
    lines_ = Box(column, texts::kSaveMarkedLinesBox, p.saveMarkedLines);
    marks_ = Box(column, texts::kSaveMarkedCharsBox, p.saveMarkedChars);
    tabKey_ = Box(column, texts::kTabKeySpacesBox, p.tabKeySpaces);
    wrap_ = Box(column, texts::kWordWrapBox, p.wordWrap);
    kinsoku_ = Box(column, texts::kKinsokuBox, p.kinsoku);
  }

  void store(CabinetFormatPage& p) const {
    p.docType = type_->currentIndex();
    p.charsPerLine = chars_->value();
    p.tabColumns = tabs_->value();
    p.lineSpacing = lineSpacing_->value();
    p.charSpacing = charSpacing_->value();
    p.lineNumberMode = wrapped_->isChecked() ? 0 : 1;
    p.freeCursor = freeCursor_->isChecked();
    p.autoIndent = autoIndent_->isChecked();
    p.showEolMark = eol_->isChecked();
    p.showTabMark = tab_->isChecked();
    p.saveMarkedLines = lines_->isChecked();
    p.saveMarkedChars = marks_->isChecked();
    p.tabKeySpaces = tabKey_->isChecked();
    p.wordWrap = wrap_->isChecked();
    p.kinsoku = kinsoku_->isChecked();
  }

 private:
  QComboBox* type_;
  QSpinBox *chars_, *tabs_;
  QDoubleSpinBox *lineSpacing_, *charSpacing_;
  QRadioButton* wrapped_;
  QCheckBox *freeCursor_, *autoIndent_, *eol_, *tab_, *lines_, *marks_, *tabKey_, *wrap_, *kinsoku_;
};

// Page 124 "フィルタ": the list of the chosen type with its pair edits.
class FilterPage : public QWidget {
 public:
  explicit FilterPage(CabinetSheetRequest& request) : request_(request), lists_(request.filters) {
    auto* layout = new QGridLayout(this);
    auto* types = new QHBoxLayout;
    auto* group = new QButtonGroup(this);
    const char* names[3] = {texts::kFilterGeneralRadio, texts::kFilterCRadio, texts::kFilterCppRadio};
    for (int t = 0; t < 3; ++t) {
      auto* radio = new QRadioButton(ToQString(names[t]));
      radio->setChecked(t == 0);
      group->addButton(radio, t);
      types->addWidget(radio);
    }
    layout->addLayout(types, 0, 0, 1, 2);
    list_ = new QListWidget;
    layout->addWidget(list_, 1, 0, 6, 1);
    auto* form = new QFormLayout;
    title_ = new QLineEdit;
    patterns_ = new QLineEdit;
    form->addRow(ToQString(texts::kFilterTitleLabel), title_);
    form->addRow(ToQString(texts::kFilterPatternLabel), patterns_);
    layout->addLayout(form, 7, 0, 1, 2);
    const char* buttons[5] = {texts::kFilterUpButton, texts::kFilterDownButton, texts::kFilterNewButton,
                              texts::kFilterDeleteButton, texts::kFilterDefaultButton};
    for (int i = 0; i < 5; ++i) {
      auto* button = new QPushButton(ToQString(buttons[i]));
      layout->addWidget(button, 1 + i, 1);
      QObject::connect(button, &QPushButton::clicked, this, [this, i] { onButton(i); });
    }
    QObject::connect(group, &QButtonGroup::idClicked, this, [this](int t) {
      type_ = t;
      refill(0);
    });
    QObject::connect(list_, &QListWidget::currentRowChanged, this, [this](int row) { showPair(row); });
    QObject::connect(title_, &QLineEdit::editingFinished, this, [this] { storePair(); });
    QObject::connect(patterns_, &QLineEdit::editingFinished, this, [this] { storePair(); });
    refill(0);
  }
  const std::array<FilterPairs, 3>& lists() const { return lists_; }

 private:
  FilterPairs& pairs() { return lists_[std::size_t(type_)]; }

  void refill(int select) {
    list_->clear();
    for (const auto& pair : pairs()) list_->addItem(ToQString(pair.first));
    if (select >= 0 && select < list_->count()) list_->setCurrentRow(select);
    else showPair(-1);
  }
  void showPair(int row) {
    const bool valid = row >= 0 && row < int(pairs().size());
    title_->setText(valid ? ToQString(pairs()[std::size_t(row)].first) : QString());
    patterns_->setText(valid ? ToQString(pairs()[std::size_t(row)].second) : QString());
  }
  // A changed pair is taken only when both texts pass the program's check.
  void storePair() {
    const int row = list_->currentRow();
    if (row < 0 || row >= int(pairs().size())) return;
    const std::string title = ToCp932(title_->text());
    const std::string patterns = ToCp932(patterns_->text());
    auto& pair = pairs()[std::size_t(row)];
    if (pair.first == title && pair.second == patterns) return;
    const int refused = request_.checkFilterPair ? request_.checkFilterPair(title, patterns) : 0;
    if (refused) {
      RefuseField(refused == 1 ? title_ : patterns_);
      return;
    }
    pair = {title, patterns};
    list_->item(row)->setText(title_->text());
  }
  void onButton(int button) {
    const int row = list_->currentRow();
    FilterPairs& p = pairs();
    switch (button) {
      case 0:
      case 1: {
        const int other = button == 0 ? row - 1 : row + 1;
        if (row < 0 || other < 0 || other >= int(p.size())) return;
        std::swap(p[std::size_t(row)], p[std::size_t(other)]);
        refill(other);
        return;
      }
      case 2:
        if (p.size() >= kMaxFilterPairs) {
          RefuseField(nullptr);
          return;
        }
        p.emplace_back("New(*.*)", "*.*");
        refill(int(p.size()) - 1);
        return;
      case 3:
        if (row < 0 || row >= int(p.size())) return;
        p.erase(p.begin() + row);
        refill(std::min(row, int(p.size()) - 1));
        return;
      default:
        if (request_.builtinFilters) p = request_.builtinFilters(type_);
        refill(0);
        return;
    }
  }

  CabinetSheetRequest& request_;
  std::array<FilterPairs, 3> lists_;
  int type_ = 0;
  QListWidget* list_;
  QLineEdit *title_, *patterns_;
};

}  // namespace

bool QtCabinetDialogs::cabCreateDialog(CabCreateRequest& request) {
  QDialog dialog(parent_);
  dialog.setWindowTitle(ToQString(texts::kCabCreateTitle));
  auto* layout = new QFormLayout(&dialog);
  auto* name = new QLineEdit(ToQString(request.name));
  name->setMaxLength(kMaxCabinetName);
  auto* browse = new QPushButton(ToQString(texts::kCabBrowseButton));
  auto* row = new QHBoxLayout;
  row->addWidget(name);
  row->addWidget(browse);
  layout->addRow(ToQString(texts::kCabNameLabel), row);
  auto* types = new QListWidget;
  for (const std::string& type : request.typeNames) types->addItem(ToQString(type));
  types->setCurrentRow(request.type);
  layout->addRow(ToQString(texts::kCabTypeLabel), types);
  auto* buttons = OkCancel(dialog);
  layout->addRow(buttons);
  QObject::connect(browse, &QPushButton::clicked, &dialog, [&] {
    std::string text = ToCp932(name->text());
    if (request.browse) request.browse(text);
    name->setText(ToQString(text));
  });
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, [&] {
    request.name = ToCp932(name->text());
    request.type = types->selectedItems().isEmpty() ? -1 : types->currentRow();
    const bool accepted = !request.accept || request.accept(request);
    name->setText(ToQString(request.name));
    if (accepted) dialog.accept();
  });
  return dialog.exec() == QDialog::Accepted;
}

bool QtCabinetDialogs::cabinetSheet(CabinetSheetRequest& request) {
  QDialog dialog(parent_);
  dialog.setWindowTitle(ToQString(request.title));
  auto* layout = new QVBoxLayout(&dialog);
  auto* tabs = new QTabWidget;
  layout->addWidget(tabs);

  auto* format = new FormatPage(request.format);
  tabs->addTab(format, ToQString(texts::kPageFormat));

  auto* colorPage = new QWidget;
  auto* colorForm = new QFormLayout(colorPage);
  std::array<QtColorButton*, CabinetSheetRequest::kColorCount> colorButtons{};
  for (int i = 0; i < CabinetSheetRequest::kColorCount; ++i) {
    colorButtons[i] = new QtColorButton(QString(), request.colors[i]);
    colorForm->addRow(ToQString(request.colorLabels[i]), colorButtons[i]);
  }
  tabs->addTab(colorPage, ToQString(texts::kPageColor));

  auto* keywordPage = new QWidget;
  auto* keywordLayout = new QVBoxLayout(keywordPage);
  auto* keywords = new QPlainTextEdit;
  QString shown = ToQString(request.keywordText);
  shown.remove(QLatin1Char('\r'));
  keywords->setPlainText(shown);
  keywordLayout->addWidget(keywords);
  QCheckBox* caseSensitive = Box(keywordLayout, texts::kKeywordCaseBox, request.caseSensitive);
  QCheckBox* wholeWord = Box(keywordLayout, texts::kKeywordWholeWordBox, request.wholeWord);
  const int keywordIndex = tabs->addTab(keywordPage, ToQString(texts::kPageKeyword));

  auto* filters = new FilterPage(request);
  tabs->addTab(filters, ToQString(texts::kPageFilter));
  tabs->setCurrentIndex(request.page);

  // Leaving the keyword page checks its text; a refused text keeps the page.
  auto keywordsAccepted = [&] {
    return !request.acceptKeywords || request.acceptKeywords(KeywordsOf(*keywords));
  };
  int current = tabs->currentIndex();
  QObject::connect(tabs, &QTabWidget::currentChanged, &dialog, [&](int index) {
    if (current == keywordIndex && index != keywordIndex && !keywordsAccepted()) {
      tabs->setCurrentIndex(keywordIndex);
      return;
    }
    current = index;
  });
  auto* buttons = OkCancel(dialog);
  layout->addWidget(buttons);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, [&] {
    if (keywordsAccepted()) dialog.accept();
  });
  const bool ok = dialog.exec() == QDialog::Accepted;
  request.page = tabs->currentIndex();
  if (!ok) return false;
  format->store(request.format);
  for (int i = 0; i < CabinetSheetRequest::kColorCount; ++i) request.colors[i] = colorButtons[i]->color();
  request.keywordText = KeywordsOf(*keywords);
  request.caseSensitive = caseSensitive->isChecked();
  request.wholeWord = wholeWord->isChecked();
  request.filters = filters->lists();
  return true;
}

namespace {

// The font the documents are drawn with, as the chooser shows it: the
// installed family the face name maps to, the size in points.
QFont ChooserFontOf(const LogFont& lf) {
  QFont font(FamilyForFace(lf.face(), lf.pitchAndFamily));
  font.setPointSize(lf.height > 0 ? lf.height : 10);
  font.setWeight(QFont::Weight(std::clamp(lf.weight > 0 ? lf.weight : 400, 100, 900)));
  font.setItalic(lf.italic != 0);
  font.setUnderline(lf.underline != 0);
  font.setStrikeOut(lf.strikeOut != 0);
  return font;
}

bool SameChoice(const QFont& a, const QFont& b) {
  return a.family().compare(b.family(), Qt::CaseInsensitive) == 0 && a.pointSize() == b.pointSize() &&
         a.weight() == b.weight() && a.italic() == b.italic() && a.underline() == b.underline() &&
         a.strikeOut() == b.strikeOut();
}

// Narrows the chooser's family list to the fonts that hold Japanese glyphs
// (its writing-system list), when the current family is one of them.
void OfferJapaneseFamilies(QFontDialog& dialog, const QFont& current) {
  if (!QFontDatabase::families(QFontDatabase::Japanese).contains(current.family(), Qt::CaseInsensitive)) return;
  const QString japanese = QFontDatabase::writingSystemName(QFontDatabase::Japanese);
  for (QComboBox* box : dialog.findChildren<QComboBox*>()) {
    const int at = box->findText(japanese);
    if (at < 0) continue;
    box->setCurrentIndex(at);
    emit box->activated(at);  // the chooser refills its list on this signal only
    return;
  }
}

}  // namespace

// The chooser starts from the font actually used; OK without a change keeps
// the stored font (and its face name) as it was.
bool QtCabinetDialogs::fontDialog(FontRequest& request) {
  const QFont initial = ChooserFontOf(request.font);
  QFontDialog dialog(initial, parent_);
  dialog.setOption(QFontDialog::DontUseNativeDialog);
  OfferJapaneseFamilies(dialog, initial);
  dialog.setCurrentFont(initial);
  if (dialog.exec() != QDialog::Accepted) return false;
  const QScreen* screen = parent_ && parent_->screen() ? parent_->screen() : nullptr;
  request.screenDpi = screen ? int(screen->logicalDotsPerInchY()) : 96;
  const QFont chosen = dialog.selectedFont();
  if (SameChoice(chosen, initial)) return true;
  LogFont& f = request.font;
  f.setFace(ToCp932(chosen.family()));
  f.height = chosen.pointSize() > 0 ? chosen.pointSize() : int(chosen.pointSizeF() + 0.5);
  f.width = 0;
  f.weight = chosen.weight();
  f.italic = chosen.italic() ? 1 : 0;
  f.underline = chosen.underline() ? 1 : 0;
  f.strikeOut = chosen.strikeOut() ? 1 : 0;
  return true;
}

bool QtCabinetDialogs::chooseColor(ColorRequest& request) {
  for (int i = 0; i < 16; ++i) QColorDialog::setCustomColor(i, ToQColor(request.customColors[std::size_t(i)]));
  const QColor chosen = QColorDialog::getColor(ToQColor(request.color), parent_);
  for (int i = 0; i < 16; ++i) {
    const QColor c = QColorDialog::customColor(i);
    request.customColors[std::size_t(i)] = Rgb(unsigned(c.red()), unsigned(c.green()), unsigned(c.blue()));
  }
  if (!chosen.isValid()) return false;
  request.color = Rgb(unsigned(chosen.red()), unsigned(chosen.green()), unsigned(chosen.blue()));
  return true;
}

}  // namespace quarn::qt
