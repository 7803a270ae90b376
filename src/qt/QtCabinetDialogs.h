// The cabinet dialogs with Qt widgets: the new-cabinet dialog, the sheet
// "キャビネット" with its pages, the font dialog and the colour chooser.
#pragma once

#include "platform/CabinetDialogService.h"

class QWidget;

namespace quarn::qt {

class QtCabinetDialogs : public CabinetDialogService {
 public:
  explicit QtCabinetDialogs(QWidget* parent = nullptr) : parent_(parent) {}
  void setParent(QWidget* parent) { parent_ = parent; }

  bool cabCreateDialog(CabCreateRequest& request) override;
  bool cabinetSheet(CabinetSheetRequest& request) override;
  bool fontDialog(FontRequest& request) override;
  bool chooseColor(ColorRequest& request) override;

 private:
  QWidget* parent_;
};

}  // namespace quarn::qt
