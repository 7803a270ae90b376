#include "qt/QtMenuBuilder.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "qt/QtNameWidth.h"
#include "qt/QtText.h"

namespace quarn::qt {

void BuildMenuBar(QMenuBar& bar, const menus::MenuBar& menu, const std::vector<std::string>& recentFiles) {
  bar.clear();
  for (const menus::Popup& popup : menu) {
    // "(&F)" mnemonics are Qt's own "&" mnemonics: the texts go in as they are.
    QMenu* qmenu = bar.addMenu(ToQString(popup.text));
    for (const menus::MenuItem& item : popup.items) {
      switch (item.kind) {
        case menus::ItemKind::kSeparator:
          qmenu->addSeparator();
          break;
        case menus::ItemKind::kRecentFiles:
          for (unsigned i = 0; i < recentFiles.size() && i < menus::kRecentFileCount; ++i) {
            const QString path = ElidedName(DisplayText(recentFiles[i]), qmenu->fontMetrics());
            QAction* action = qmenu->addAction(DisplayText(menus::RecentFileText(i, {})) + path);
            action->setData(item.id + i);
          }
          break;
        case menus::ItemKind::kCommand:
          qmenu->addAction(ToQString(item.text))->setData(item.id);
          break;
      }
    }
  }
}

QAction* FindCommand(const QMenuBar& bar, unsigned id) {
  for (QAction* top : bar.actions()) {
    QMenu* menu = top->menu();
    if (!menu) continue;
    for (QAction* action : menu->actions())
      if (!action->isSeparator() && action->data().isValid() && action->data().toUInt() == id) return action;
  }
  return nullptr;
}

}  // namespace quarn::qt
