// The dialogs of the saved operations with Qt widgets: "操作の保存" (name,
// shortcut key, comment) and "操作の呼出し" (choose, delete or play).
#pragma once

#include "platform/OperationDialogs.h"

class QWidget;

namespace quarn::qt {

class QtOperationDialogs : public OperationDialogService {
 public:
  explicit QtOperationDialogs(QWidget* parent = nullptr) : parent_(parent) {}
  void setParent(QWidget* parent) { parent_ = parent; }

  bool recordDialog(RecordDialogRequest& request) override;
  PlayDialogAnswer playDialog(PlayDialogRequest& request) override;

 private:
  QWidget* parent_;
};

}  // namespace quarn::qt
