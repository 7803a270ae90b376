// The global find dialog ("グローバル検索"): the string and file pattern
// combo boxes with their histories, the four option boxes and the folder a
// relative pattern is taken in, with a folder chooser; and the modeless
// progress window with its stop button.
#pragma once

#include <QDialog>
#include <QElapsedTimer>
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

class QtGlobalFindProgress : public QDialog, public GlobalFindProgressWindow {
  Q_OBJECT

 public:
  explicit QtGlobalFindProgress(QWidget* parent = nullptr);
  void setFile(const std::string& name) override;
  void setCount(std::uint32_t count) override;
  bool pumpAndAskStop() override;

 protected:
  void reject() override { stop_ = true; }

 private:
  static constexpr int kPumpIntervalMs = 15;
  QLabel* file_;
  QLabel* count_;
  QElapsedTimer pumped_;
  bool stop_ = false;
};

class QtGlobalFindDialogs : public GlobalFindDialogService {
 public:
  explicit QtGlobalFindDialogs(QWidget* parent = nullptr) : parent_(parent) {}
  void setParent(QWidget* parent) { parent_ = parent; }
  bool globalFindDialog(GlobalFindDialogRequest& request) override;
  std::unique_ptr<GlobalFindProgressWindow> openProgress() override;

 private:
  QPointer<QWidget> parent_;
};

}  // namespace quarn::qt
