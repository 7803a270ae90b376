#include "qt/QtMainFrame.h"

#include <QAction>
#include <QMdiArea>
#include <QMenuBar>

#include "core/res/Menus.h"
#include "qt/QtMenuBuilder.h"

namespace quarn::qt {
namespace {

constexpr unsigned kExit = 57665;

}  // namespace

QtMainFrame::QtMainFrame(QWidget* parent) : QMainWindow(parent), mdi_(new QMdiArea(this)) {
  setWindowTitle(QStringLiteral("Quarn"));
  setCentralWidget(mdi_);
  rebuildMenus();
  connect(menuBar(), &QMenuBar::triggered, this, [this](QAction* action) {
    if (action->data().isValid()) runCommand(action->data().toUInt());
  });
}

void QtMainFrame::rebuildMenus() {
  BuildMenuBar(*menuBar(), menus::NoDocumentMenu(), {});
  // Only the commands the frame can run are enabled.
  for (QAction* top : menuBar()->actions())
    if (QMenu* menu = top->menu())
      for (QAction* action : menu->actions())
        if (!action->isSeparator()) action->setEnabled(action->data().toUInt() == kExit);
}

bool QtMainFrame::runCommand(unsigned id) {
  if (id == kExit) {
    close();
    return true;
  }
  return false;
}

}  // namespace quarn::qt
