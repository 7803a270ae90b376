// The dialogs of running programs with Qt widgets: "プログラムの実行",
// "パラメータの設定", "文字列の挿入" and the window shown while a program's
// output is read.
#pragma once

#include "platform/RunDialogs.h"

class QWidget;

namespace quarn::qt {

class QtRunDialogs : public RunDialogService {
 public:
  explicit QtRunDialogs(QWidget* parent = nullptr) : parent_(parent) {}
  void setParent(QWidget* parent) { parent_ = parent; }

  bool runDialog(RunDialogRequest& request) override;
  bool promptDialog(std::string& parameters) override;
  bool insertTextDialog(InsertTextRequest& request) override;

 private:
  QWidget* parent_;
};

}  // namespace quarn::qt
