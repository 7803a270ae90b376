#include "qt/QtStatusBar.h"

#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QPainter>

#include "core/res/StringTable.h"
#include "qt/QtCanvas.h"
#include "qt/QtText.h"

namespace quarn::qt {
namespace {

ColorRef ToColorRef(const QColor& c) { return ColorRef(c.red() | c.green() << 8 | c.blue() << 16); }

// The message pane's stand-in that paints the progress row.
class ProgressPane : public QWidget {
 public:
  ProgressPane(QWidget* parent, const ProgressRow& row) : QWidget(parent), row_(row) {
    setObjectName(QStringLiteral("progressRow"));
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    QtCanvas canvas(painter);
    row_.Paint(canvas, ToColorRef(palette().color(QPalette::Button)));
  }

 private:
  const ProgressRow& row_;
};

}  // namespace

QtStatusBar::QtStatusBar(QWidget* parent)
    : QStatusBar(parent), message_(new QLabel(this)), progress_(new ProgressPane(this, row_)) {
  setObjectName(QStringLiteral("statusBar"));
  addWidget(message_, 1);
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
  // An unchanged pane is not drawn again.
  const QString shown = ToQString(text);
  if (shown == texts_[i]) return;
  texts_[i] = shown;
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
  progress_->setGeometry(message_->geometry());
  QImage measure(1, 1, QImage::Format_RGB32);
  QPainter painter(&measure);
  QtCanvas canvas(painter);
  const QRect r = progress_->rect();
  row_.Begin(canvas, Rect{r.left(), r.top(), r.right() + 1, r.bottom() + 1}, text, cells);
  progress_->raise();
  progress_->show();
  progress_->repaint();
}

void QtStatusBar::stepProgress(int cell) {
  row_.Step(cell);
  const Rect cellRect = row_.CellRect(cell);
  progress_->repaint(ToQRect(cellRect));
}

void QtStatusBar::endProgress() {
  row_.End();
  progress_->hide();
  message_->clear();
}

QString QtStatusBar::paneText(int index) const {
  if (index == 0) return message_->text();
  std::size_t i = std::size_t(index - 1);
  return i < panes_.size() ? panes_[i]->text() : QString();
}

}  // namespace quarn::qt
