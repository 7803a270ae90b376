#include "qt/QtCustomisePages.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <array>

#include "core/commands/CommandIds.h"
#include "core/commands/Toolbar.h"
#include "core/macro/COperationManeger.h"
#include "core/operations/CustomisePages.h"
#include "core/res/MessageIds.h"
#include "core/res/StringTable.h"
#include "core/res/Texts.h"
#include "platform/DialogService.h"
#include "platform/Platform.h"
#include "qt/QtMainToolbar.h"
#include "qt/QtText.h"

namespace quarn::qt {
namespace {

QPushButton* Button(const char* text, QWidget* parent) { return new QPushButton(ToQString(text), parent); }

// A list of the page's entries with their buttons beside; refresh() shows
// the entries again after every action.
struct ListPage {
  QWidget* page;
  QListWidget* list;
  QGridLayout* grid;
  std::function<void()> refresh;
};

ListPage MakeListPage(QTabWidget& tabs, const char* title, const char* label) {
  auto* page = new QWidget(&tabs);
  auto* grid = new QGridLayout(page);
  auto* list = new QListWidget(page);
  auto* caption = new QLabel(ToQString(label), page);
  caption->setBuddy(list);
  grid->addWidget(caption, 0, 0);
  grid->addWidget(list, 1, 0, 6, 1);
  tabs.addTab(page, ToQString(title));
  return {page, list, grid, {}};
}

// The buttons between a page's list and its choices: 追加, 削除, 上へ, 下へ
// and 標準設定, in that order down the middle column.
std::array<QPushButton*, 5> EditButtons(const ListPage& p) {
  const std::array<QPushButton*, 5> buttons{
      Button(texts::kButtonAddButton, p.page), Button(texts::kToolRemoveButton, p.page),
      Button(texts::kToolUpButton, p.page), Button(texts::kToolDownButton, p.page),
      Button(texts::kButtonDefaultButton, p.page)};
  int row = 1;
  for (QPushButton* b : buttons) p.grid->addWidget(b, row++, 1);
  return buttons;
}

void AddToolPage(QTabWidget& tabs, CustomisePages& pages) {
  ListPage p = MakeListPage(tabs, texts::kToolPage, texts::kToolListLabel);
  auto* fields = new QFormLayout;
  auto* title = new QLineEdit(p.page);
  auto* command = new QLineEdit(p.page);
  auto* parameters = new QLineEdit(p.page);
  auto* directory = new QLineEdit(p.page);
  fields->addRow(ToQString(texts::kToolTitleLabel), title);
  fields->addRow(ToQString(texts::kToolCommandLabel), command);
  fields->addRow(ToQString(texts::kRunParametersLabel), parameters);
  fields->addRow(ToQString(texts::kRunDirectoryLabel), directory);
  QCheckBox* boxes[] = {new QCheckBox(ToQString(texts::kRunDosBox), p.page),
                        new QCheckBox(ToQString(texts::kRunRedirectBox), p.page),
                        new QCheckBox(ToQString(texts::kRunIconicBox), p.page),
                        new QCheckBox(ToQString(texts::kRunAskBox), p.page)};
  for (QCheckBox* box : boxes) fields->addRow(box);
  p.list->setObjectName(QStringLiteral("tools"));
  title->setObjectName(QStringLiteral("toolTitle"));
  command->setObjectName(QStringLiteral("toolCommand"));
  parameters->setObjectName(QStringLiteral("toolParameters"));
  directory->setObjectName(QStringLiteral("toolDirectory"));
  boxes[1]->setObjectName(QStringLiteral("toolRedirect"));
  p.grid->addLayout(fields, 7, 0, 1, 2);
  QPushButton* up = Button(texts::kToolUpButton, p.page);
  QPushButton* down = Button(texts::kToolDownButton, p.page);
  QPushButton* add = Button(texts::kToolNewButton, p.page);
  add->setObjectName(QStringLiteral("toolNew"));
  QPushButton* remove = Button(texts::kToolRemoveButton, p.page);
  int row = 1;
  for (QPushButton* b : {up, down, add, remove}) p.grid->addWidget(b, row++, 1);

  auto selected = [&pages]() -> UserTool* {
    return pages.tool >= 0 && pages.tool < int(pages.tools.size()) ? &pages.tools[std::size_t(pages.tool)] : nullptr;
  };
  auto showing = std::make_shared<bool>(false);
  p.refresh = [=, &pages] {
    *showing = true;
    p.list->clear();
    for (const std::string& text : pages.ToolTexts()) p.list->addItem(ToQString(text));
    p.list->setCurrentRow(pages.tool);
    const UserTool* tool = selected();
    const bool program = tool && tool->kind == ToolKind::kProgram;
    title->setText(tool ? ToQString(tool->title) : QString());
    command->setText(tool ? ToQString(tool->run.command) : QString());
    parameters->setText(program ? ToQString(tool->run.parameters) : QString());
    directory->setText(program ? ToQString(tool->run.directory) : QString());
    const bool flags[] = {program && tool->run.dosInternal, program && tool->run.redirect,
                          program && tool->run.iconic, program && tool->askParameters};
    for (int i = 0; i < 4; ++i) boxes[i]->setChecked(flags[i]), boxes[i]->setEnabled(program);
    for (QLineEdit* e : {title, command}) e->setEnabled(tool && tool->kind != ToolKind::kSeparator);
    for (QLineEdit* e : {parameters, directory}) e->setEnabled(program);
    *showing = false;
  };
  // The fields change the selected tool as they are edited.
  auto store = [=] {
    UserTool* tool = selected();
    if (*showing || !tool || tool->kind == ToolKind::kSeparator) return;
    tool->title = ToCp932(title->text());
    tool->run.command = ToCp932(command->text());
    if (tool->kind == ToolKind::kProgram) {
      tool->run.parameters = ToCp932(parameters->text());
      tool->run.directory = ToCp932(directory->text());
      tool->run.dosInternal = boxes[0]->isChecked(), tool->run.redirect = boxes[1]->isChecked();
      tool->run.iconic = boxes[2]->isChecked(), tool->askParameters = boxes[3]->isChecked();
    }
    if (QListWidgetItem* item = p.list->item(pages.tool)) item->setText(ToQString(tool->title));
  };
  for (QLineEdit* e : {title, command, parameters, directory}) QObject::connect(e, &QLineEdit::textEdited, p.page, store);
  for (QCheckBox* box : boxes) QObject::connect(box, &QCheckBox::toggled, p.page, store);
  QObject::connect(p.list, &QListWidget::currentRowChanged, p.page, [=, &pages](int r) {
    if (*showing) return;
    pages.tool = r;
    p.refresh();
  });
  QObject::connect(up, &QPushButton::clicked, p.page, [=, &pages] { pages.MoveTool(-1), p.refresh(); });
  QObject::connect(down, &QPushButton::clicked, p.page, [=, &pages] { pages.MoveTool(1), p.refresh(); });
  QObject::connect(remove, &QPushButton::clicked, p.page, [=, &pages] { pages.RemoveTool(), p.refresh(); });
  QObject::connect(add, &QPushButton::clicked, p.page, [=, &pages] {
    if (pages.tools.size() >= CMenuToolManeger::kMaxTools) {
      pages.AddSeparator();  // shows 59441 and adds nothing
      return;
    }
    QMenu menu(p.page);
    QAction* program = menu.addAction(ToQString(LoadString(cmd::kToolCommand)));
    QAction* operation = menu.addAction(ToQString(LoadString(cmd::kToolOperation)));
    QAction* separator = menu.addAction(ToQString(LoadString(cmd::kToolSeparator)));
    QAction* chosen = menu.exec(add->mapToGlobal(QPoint(0, add->height())));
    if (chosen == program) {
      FileDialogRequest request;
      request.title = LoadString(msg::kChooseCommand);
      request.filter = LoadString(msg::kProgramFilter);
      request.fileMustExist = true;
      if (Platform().dialogs && Platform().dialogs->fileDialog(request)) pages.AddProgramTool(request.fileName);
    } else if (chosen == operation) {
      QStringList names;
      for (const std::string& name : Operations().ReadOperationList()) names << ToQString(name);
      bool ok = false;
      const QString name = QInputDialog::getItem(p.page, ToQString(texts::kOperationChoiceTitle), QString(), names, 0,
                                                 false, &ok);
      if (ok && !name.isEmpty()) pages.AddOperationTool(ToCp932(name));
    } else if (chosen == separator) {
      pages.AddSeparator();
    }
    p.refresh();
  });
  p.refresh();
}

void AddButtonPage(QTabWidget& tabs, CustomisePages& pages) {
  ListPage p = MakeListPage(tabs, texts::kButtonPage, texts::kButtonListLabel);
  auto* choices = new QListWidget(p.page);
  auto* choiceLabel = new QLabel(ToQString(texts::kButtonChoiceLabel), p.page);
  choiceLabel->setBuddy(choices);
  auto item = [](unsigned id) {
    const int image = toolbar::ButtonImage(id);
    auto* entry = new QListWidgetItem(ToQString(CustomisePages::ButtonText(id)));
    if (image >= 0) entry->setIcon(ButtonIcon(image));
    return entry;
  };
  for (unsigned id : CustomisePages::AvailableButtons()) choices->addItem(item(id));
  choices->setCurrentRow(0);
  p.grid->addWidget(choiceLabel, 0, 2);
  p.grid->addWidget(choices, 1, 2, 6, 1);
  const std::array<QPushButton*, 5> buttons = EditButtons(p);
  QPushButton *add = buttons[0], *remove = buttons[1], *up = buttons[2], *down = buttons[3], *standard = buttons[4];
  p.refresh = [=, &pages] {
    const QSignalBlocker block(p.list);
    p.list->clear();
    for (unsigned id : pages.buttons) p.list->addItem(item(id));
    p.list->setCurrentRow(pages.button);
  };
  QObject::connect(p.list, &QListWidget::currentRowChanged, p.page, [&pages](int r) { pages.button = r; });
  QObject::connect(add, &QPushButton::clicked, p.page, [=, &pages] {
    const int r = choices->currentRow();
    if (r >= 0) pages.AddButton(CustomisePages::AvailableButtons()[std::size_t(r)]);
    p.refresh();
  });
  QObject::connect(remove, &QPushButton::clicked, p.page, [=, &pages] { pages.RemoveButton(), p.refresh(); });
  QObject::connect(up, &QPushButton::clicked, p.page, [=, &pages] { pages.MoveButton(-1), p.refresh(); });
  QObject::connect(down, &QPushButton::clicked, p.page, [=, &pages] { pages.MoveButton(1), p.refresh(); });
  QObject::connect(standard, &QPushButton::clicked, p.page, [=, &pages] { pages.DefaultButtons(), p.refresh(); });
  p.refresh();
}

void AddMousePage(QTabWidget& tabs, CustomisePages& pages) {
  ListPage p = MakeListPage(tabs, texts::kMousePage, texts::kMouseListLabel);
  auto* choices = new QListWidget(p.page);
  auto* choiceLabel = new QLabel(ToQString(texts::kMouseChoiceLabel), p.page);
  choiceLabel->setBuddy(choices);
  const std::vector<int> available = CustomisePages::AvailablePopup();
  for (int id : available) choices->addItem(ToQString(CustomisePages::PopupText(id)));
  choices->setCurrentRow(0);
  p.grid->addWidget(choiceLabel, 0, 2);
  p.grid->addWidget(choices, 1, 2, 6, 1);
  const std::array<QPushButton*, 5> buttons = EditButtons(p);
  QPushButton *add = buttons[0], *remove = buttons[1], *up = buttons[2], *down = buttons[3], *standard = buttons[4];
  p.refresh = [=, &pages] {
    const QSignalBlocker block(p.list);
    p.list->clear();
    for (int id : pages.popup) p.list->addItem(ToQString(CustomisePages::PopupText(id)));
    p.list->setCurrentRow(pages.popupEntry);
  };
  QObject::connect(p.list, &QListWidget::currentRowChanged, p.page, [&pages](int r) { pages.popupEntry = r; });
  QObject::connect(add, &QPushButton::clicked, p.page, [=, &pages] {
    const int r = choices->currentRow();
    if (r >= 0) pages.AddPopup(available[std::size_t(r)]);
    p.refresh();
  });
  QObject::connect(remove, &QPushButton::clicked, p.page, [=, &pages] { pages.RemovePopup(), p.refresh(); });
  QObject::connect(up, &QPushButton::clicked, p.page, [=, &pages] { pages.MovePopup(-1), p.refresh(); });
  QObject::connect(down, &QPushButton::clicked, p.page, [=, &pages] { pages.MovePopup(1), p.refresh(); });
  QObject::connect(standard, &QPushButton::clicked, p.page, [=, &pages] { pages.DefaultPopup(), p.refresh(); });
  p.refresh();
}

}  // namespace

void AddCustomisePages(QTabWidget& tabs, CustomisePages& pages) {
  AddToolPage(tabs, pages);
  AddButtonPage(tabs, pages);
  AddMousePage(tabs, pages);
}

}  // namespace quarn::qt
