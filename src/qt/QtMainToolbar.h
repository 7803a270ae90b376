// The main toolbar: buttons for the entries of the toolbar list and the
// find box (a drop-down combo box whose list is the find history).
#pragma once

#include <QComboBox>
#include <QIcon>
#include <QToolBar>
#include <QWidgetAction>
#include <functional>
#include <vector>

#include "platform/CommandState.h"
#include "platform/FindDialogService.h"

namespace quarn::qt {

// The picture of button image (0 to 15), as the toolbar and its page show it.
QIcon ButtonIcon(int image);

class QtFindBox : public QComboBox, public FindBoxService {
  Q_OBJECT

 public:
  explicit QtFindBox(QWidget* parent);
  std::string text() const override;
  void setHistory(const std::vector<std::string>& entries) override;
  void focusAndSelect() override;
  bool hasFocus() const override;

 signals:
  // Enter in the box: find next (command 195).
  void findRequested();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

class QtMainToolbar : public QToolBar {
  Q_OBJECT

 public:
  using CommandRunner = std::function<void(unsigned id)>;
  using StateQuery = std::function<void(unsigned id, CommandState& state)>;

  QtMainToolbar(QWidget* parent, CommandRunner run, StateQuery query);
  // Sets the buttons from the list, in order.
  void build(const std::vector<unsigned>& entries);
  // Enables the buttons as their commands' update handlers say.
  void updateStates();
  QtFindBox* findBox() const { return findBox_; }

 private:
  CommandRunner run_;
  StateQuery query_;
  QtFindBox* findBox_;
  QWidgetAction* findBoxAction_ = nullptr;
};

}  // namespace quarn::qt
