// The customisation sheet: a tabbed dialog with the keyboard page. The page
// shows the request's values and hands its buttons to the program's
// functions, then shows what they left.
#pragma once

#include <QDialog>

#include "platform/KeyDialogs.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QListWidget;
class QPushButton;
class QTabWidget;

namespace quarn::qt {

class QtCustomiseSheet : public QDialog {
 public:
  QtCustomiseSheet(CustomiseSheetRequest& request, QWidget* parent = nullptr);
  // Stops following the focus before the widgets go (their removal moves it).
  ~QtCustomiseSheet() override;

  void accept() override;
  void reject() override;

 private:
  QWidget* makeKeyboardPage();
  // The page's values into the controls, and back.
  void showPage(const KeyboardPage& page);
  void collectPage(KeyboardPage& page) const;
  // Collects, runs action, shows the result and places the focus it asks for.
  void act(const std::function<void(KeyboardPage&)>& action);
  // Enter in the key box adds the key: "追加" is the default button while
  // the key box has the focus, OK otherwise.
  void followFocus(QWidget* old, QWidget* now);

  CustomiseSheetRequest& request_;
  QTabWidget* tabs_ = nullptr;
  QButtonGroup* categories_ = nullptr;
  QListWidget* commands_ = nullptr;
  QListWidget* keys_ = nullptr;
  QCheckBox* ctrl_ = nullptr;
  QCheckBox* shift_ = nullptr;
  QComboBox* keyBox_ = nullptr;
  QPushButton* add_ = nullptr;
  QPushButton* ok_ = nullptr;
  bool showing_ = false;
  QMetaObject::Connection focusFollower_;
};

class QtKeyDialogs : public KeyDialogService {
 public:
  bool customiseSheet(CustomiseSheetRequest& request) override;
};

}  // namespace quarn::qt
