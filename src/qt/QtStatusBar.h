// The main frame's status bar: the message pane and the panes of the binary
// window's caret, the overwrite and read-only states and the decoding.
#pragma once

#include <QStatusBar>
#include <vector>

#include "core/common/ProgressRow.h"
#include "core/common/StatusPanes.h"

class QLabel;

namespace quarn::qt {

class QtStatusBar : public QStatusBar, public StatusBarHost {
  Q_OBJECT

 public:
  explicit QtStatusBar(QWidget* parent = nullptr);

  void setPaneText(int index, const std::string& text) override;
  void setPaneEnabled(int index, bool enabled) override;
  // The text a pane shows now (empty while disabled).
  QString paneText(int index) const;
  void showProgress(const std::string& text, int cells) override;
  void stepProgress(int cell) override;
  void endProgress() override;
  const ProgressRow& progressRow() const { return row_; }

 private:
  QLabel* message_;
  // Painted over the message pane while the progress row is shown.
  QWidget* progress_;
  ProgressRow row_;
  std::vector<QLabel*> panes_;
  std::vector<QString> texts_;
  std::vector<bool> enabled_;
};

}  // namespace quarn::qt
