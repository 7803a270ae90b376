// The progress window of a long loop: a small modeless dialog with the
// loop's text, its count and a "中断" button. Esc and the close box stop
// as the button does. The labels change only when events are handled, so a
// loop may set them as often as it likes; the window shows itself once the
// loop has run for a moment, so a short loop does not flash it.
#pragma once

#include <QDialog>
#include <QElapsedTimer>
#include <QPointer>

#include "platform/ProgressWindow.h"

class QLabel;

namespace quarn::qt {

class QtProgressWindow : public QDialog, public ProgressWindow {
  Q_OBJECT

 public:
  static constexpr int kShowAfterMs = 250;

  QtProgressWindow(const QString& caption, const QString& text, const QString& countLabel, bool othersAnswer,
                   QWidget* parent);
  void setText(const std::string& text) override;
  void setCount(unsigned long count) override;
  void handleEvents() override;
  bool stopRequested() override { return stop_; }

 protected:
  void reject() override { stop_ = true; }
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QLabel* text_;
  QLabel* count_;
  QString countLabel_;
  bool othersAnswer_;
  QElapsedTimer opened_;
  std::string pendingText_;
  bool textChanged_ = false;
  unsigned long countValue_ = 0;
  unsigned long shownCount_ = 0;
  bool stop_ = false;
};

class QtProgressService : public ProgressService {
 public:
  explicit QtProgressService(QWidget* parent) : parent_(parent) {}
  std::unique_ptr<ProgressWindow> open(const std::string& caption, const std::string& text,
                                       const std::string& countLabel, bool othersAnswer) override;

 private:
  QPointer<QWidget> parent_;
};

}  // namespace quarn::qt
