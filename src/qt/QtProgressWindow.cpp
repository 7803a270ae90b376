#include "qt/QtProgressWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/res/Texts.h"
#include "qt/QtNameWidth.h"
#include "qt/QtText.h"

namespace quarn::qt {

QtProgressWindow::QtProgressWindow(const QString& caption, const QString& text, const QString& countLabel,
                                   bool othersAnswer, QWidget* parent)
    : QDialog(parent), text_(new QLabel(text, this)), count_(new QLabel(countLabel + QStringLiteral("0"), this)),
      countLabel_(countLabel), othersAnswer_(othersAnswer) {
  setWindowTitle(caption);
  setModal(false);
  text_->setMinimumWidth(320);
  auto* stop = new QPushButton(ToQString(texts::kStopButton), this);
  connect(stop, &QPushButton::clicked, this, [this] { stop_ = true; });
  connect(qApp, &QCoreApplication::aboutToQuit, this, [this] { stop_ = true; });
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(text_);
  layout->addWidget(count_);
  layout->addWidget(stop, 0, Qt::AlignHCenter);
  opened_.start();
}

void QtProgressWindow::setText(const std::string& text) {
  pendingText_ = text;
  textChanged_ = true;
}

void QtProgressWindow::setCount(unsigned long count) { countValue_ = count; }

void QtProgressWindow::handleEvents() {
  if (textChanged_) text_->setText(ElidedName(DisplayText(pendingText_), text_->fontMetrics()));
  textChanged_ = false;
  if (countValue_ != shownCount_) count_->setText(countLabel_ + QString::number(countValue_));
  shownCount_ = countValue_;
  if (!isVisible() && opened_.elapsed() >= kShowAfterMs) show();
  if (!othersAnswer_) qApp->installEventFilter(this);
  QCoreApplication::processEvents();
  if (!othersAnswer_) qApp->removeEventFilter(this);
}

// The user's input to the program's other windows is dropped while the
// loop runs; this window's button, Esc and close box still answer.
bool QtProgressWindow::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseButtonPress: case QEvent::MouseButtonRelease: case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove: case QEvent::KeyPress: case QEvent::KeyRelease: case QEvent::Wheel:
    case QEvent::Shortcut: case QEvent::ShortcutOverride: case QEvent::Close: case QEvent::Drop:
    case QEvent::ContextMenu: case QEvent::InputMethod: {
      auto* widget = qobject_cast<QWidget*>(watched);
      return widget && widget != this && !isAncestorOf(widget);
    }
    default:
      return false;
  }
}

void QtProgressWindow::closeEvent(QCloseEvent* event) {
  stop_ = true;
  event->ignore();
}

std::unique_ptr<ProgressWindow> QtProgressService::open(const std::string& caption, const std::string& text,
                                                        const std::string& countLabel, bool othersAnswer) {
  return std::make_unique<QtProgressWindow>(ToQString(caption), DisplayText(text), ToQString(countLabel),
                                            othersAnswer, parent_);
}

}  // namespace quarn::qt
