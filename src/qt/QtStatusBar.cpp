#include "qt/QtStatusBar.h"

#include <QFontMetrics>
#include <QLabel>
#include <QProgressBar>

#include "core/res/StringTable.h"
#include "qt/QtText.h"

namespace quarn::qt {

QtStatusBar::QtStatusBar(QWidget* parent)
    : QStatusBar(parent), message_(new QLabel(this)), progress_(new QProgressBar(this)) {
  setObjectName(QStringLiteral("statusBar"));
  addWidget(message_, 1);
  addWidget(progress_, 1);
  progress_->setTextVisible(false);
  progress_->hide();
  // The recording pane is as wide as its text with a five-digit count; it
  // shows nothing until operations are recorded or played.
  for (std::size_t i = 0; i < kStatusPaneIds.size(); ++i) {
    const bool recording = kStatusPaneIds[i] == pane::kRecording;
    QString initial = recording ? ToQString(texts::kRecordingMark) + QStringLiteral(" 00000      ")
                                : ToQString(LoadString(kStatusPaneIds[i]));
    auto* label = new QLabel(this);
    label->setAlignment(Qt::AlignCenter);
    label->setMinimumWidth(QFontMetrics(label->font()).horizontalAdvance(initial) + 8);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    addPermanentWidget(label);
    panes_.push_back(label);
    texts_.push_back(recording ? QString() : initial);
    enabled_.push_back(false);
  }
}

void QtStatusBar::setPaneText(int index, const std::string& text) {
  if (index == 0) {
    message_->setText(ToQString(text));
    return;
  }
  std::size_t i = std::size_t(index - 1);
  if (i >= panes_.size()) return;
  texts_[i] = ToQString(text);
  if (enabled_[i]) {
    panes_[i]->setText(texts_[i]);
    panes_[i]->repaint();
  }
}

void QtStatusBar::setPaneEnabled(int index, bool enabled) {
  std::size_t i = std::size_t(index - 1);
  if (index < 1 || i >= panes_.size()) return;
  enabled_[i] = enabled;
  panes_[i]->setText(enabled ? texts_[i] : QString());
}

// The progress row is painted at once: the reopening loop does not return
// to the event loop until it ends.
void QtStatusBar::showProgress(const std::string& text, int cells) {
  message_->setText(ToQString(text));
  progress_->setRange(0, cells);
  progress_->setValue(0);
  progress_->show();
  repaint();
}

void QtStatusBar::stepProgress(int cell) {
  progress_->setValue(cell + 1);
  progress_->repaint();
}

void QtStatusBar::endProgress() {
  progress_->hide();
  message_->clear();
}

QString QtStatusBar::paneText(int index) const {
  if (index == 0) return message_->text();
  std::size_t i = std::size_t(index - 1);
  return i < panes_.size() ? panes_[i]->text() : QString();
}

}  // namespace quarn::qt
