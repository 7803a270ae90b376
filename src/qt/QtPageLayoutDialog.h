// The page layout dialog over its core model.
#pragma once

#include <QDialog>

#include "core/print/CPageLayout.h"

class QButtonGroup;
class QComboBox;
class QLineEdit;
class QSpinBox;
class QCheckBox;

namespace quarn::qt {

class QtPageLayoutDialog : public QDialog {
 public:
  QtPageLayoutDialog(CPageLayout& model, QWidget* parent);
  void accept() override;
  // Shows the dialog for model; false on Cancel.
  static bool Run(CPageLayout& model, QWidget* parent);

 private:
  void chooseFont();

  CPageLayout& model_;
  LogFont font_;
  QSpinBox* margins_[4];
  QSpinBox* firstPage_;
  QSpinBox* firstLine_;
  QCheckBox* numbers_;
  QComboBox* lineSpacing_;
  QComboBox* charSpacing_;
  QLineEdit* header_;
  QLineEdit* footer_;
  QButtonGroup* headerOn_;
  QButtonGroup* headerAlign_;
  QButtonGroup* footerOn_;
  QButtonGroup* footerAlign_;
};

}  // namespace quarn::qt
