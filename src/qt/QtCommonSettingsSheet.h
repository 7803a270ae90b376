// The common-settings sheet for text documents: the pages "編集",
// "ディレクトリ", "表示" and "スクロール" in a tab widget. The page
// "編集" cannot be left, and OK does not close, while its tab list is
// refused: the warning beep sounds and the edit is selected.
#pragma once

#include <QDialog>

#include "platform/SettingsDialogs.h"

class QTabWidget;

namespace quarn::qt {

class QtCommonSettingsSheet : public QDialog {
  Q_OBJECT

 public:
  QtCommonSettingsSheet(CommonSettingsRequest& request, QWidget* parent = nullptr);
  QTabWidget* tabs() const { return tabs_; }
  void accept() override;

 private:
  QWidget* editPage();
  QWidget* directoryPage();
  QWidget* viewPage();
  QWidget* scrollPage();
  // Keeps the page "編集" while its tab list is refused.
  void pageChanged(int index);
  CommonSettingsRequest read() const;
  // The request's check of the fields as the controls show them now.
  SettingsRefusal check() const;

  CommonSettingsRequest& sheet_;
  QTabWidget* tabs_;
  int page_ = 0;
};

}  // namespace quarn::qt
