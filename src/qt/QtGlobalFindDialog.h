// The global find dialog ("グローバル検索"): the string and file pattern
// combo boxes with their histories, the four option boxes and the folder a
// relative pattern is taken in, with a folder chooser.
#pragma once

#include <QDialog>
#include <QPointer>

#include "platform/GlobalFindDialogs.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

namespace quarn::qt {

class QtGlobalFindDialog : public QDialog {
  Q_OBJECT

 public:
  QtGlobalFindDialog(GlobalFindDialogRequest& request, QWidget* parent = nullptr);
  void accept() override;

  QComboBox* textBox() const { return text_; }
  QComboBox* patternBox() const { return pattern_; }
  QLineEdit* folderEdit() const { return folder_; }

 private:
  void chooseFolder();
  // An absolute pattern picked from the list or typed moves its folder into
  // the folder field, so that a folder chosen after it is the one searched.
  void takeFolderFromPattern();
  GlobalFindDialogRequest read() const;

  GlobalFindDialogRequest& request_;
  QComboBox* text_;
  QComboBox* pattern_;
  QLineEdit* folder_;
  QCheckBox* matchCase_;
  QCheckBox* subdirectories_;
  QCheckBox* width_;
  QCheckBox* regular_;
};

class QtGlobalFindDialogs : public GlobalFindDialogService {
 public:
  explicit QtGlobalFindDialogs(QWidget* parent = nullptr) : parent_(parent) {}
  void setParent(QWidget* parent) { parent_ = parent; }
  bool globalFindDialog(GlobalFindDialogRequest& request) override;

 private:
  QPointer<QWidget> parent_;
};

}  // namespace quarn::qt
