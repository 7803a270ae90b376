// The main frame: the MDI area of the document windows under the menu bar.
#pragma once

#include <QMainWindow>

class QMdiArea;

namespace quarn::qt {

class QtMainFrame : public QMainWindow {
  Q_OBJECT

 public:
  explicit QtMainFrame(QWidget* parent = nullptr);

  QMdiArea* mdiArea() const { return mdi_; }

  // Runs command id as the menus send it; false when the frame has no
  // handler for it yet.
  bool runCommand(unsigned id);

 private:
  void rebuildMenus();

  QMdiArea* mdi_;
};

}  // namespace quarn::qt
