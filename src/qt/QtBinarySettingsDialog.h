// The dialog "共通設定" used when no text document is active. OK stays
// open, beeping with the field selected, while a field is refused.
#pragma once

#include <QDialog>

#include "platform/SettingsDialogs.h"

class QCheckBox;
class QGridLayout;
class QSpinBox;

namespace quarn::qt {

class QtBinarySettingsDialog : public QDialog {
  Q_OBJECT

 public:
  QtBinarySettingsDialog(BinarySettingsRequest& model, QWidget* parent = nullptr);
  void accept() override;

 private:
  QCheckBox* addBox(QGridLayout* grid, int row, int column, int id, const char* text, bool checked);
  QSpinBox* addSpin(QGridLayout* grid, int row, int id, const char* label, int value, int lo, int hi);
  // The model as the controls show it now.
  BinarySettingsFields read() const;

  BinarySettingsRequest& model_;
};

}  // namespace quarn::qt
