// The dialogs of running programs with Qt widgets: "プログラムの実行",
// "パラメータの設定", "文字列の挿入" and the window shown while a program's
// output is read.
#pragma once

#include "platform/ToolDialogs.h"

class QWidget;

namespace quarn::qt {

class QtToolDialogs : public ToolDialogService {
 public:
  explicit QtToolDialogs(QWidget* parent = nullptr) : parent_(parent) {}
  void setParent(QWidget* parent) { parent_ = parent; }

  bool runDialog(RunDialogRequest& request) override;
  bool promptDialog(std::string& parameters) override;
  bool insertTextDialog(InsertTextRequest& request) override;
  std::unique_ptr<CaptureProgressWindow> openCaptureProgress(const std::string& command) override;

 private:
  QWidget* parent_;
};

}  // namespace quarn::qt
