#include "qt/QtDocumentFrames.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <algorithm>

#include "core/common/ProcessValues.h"
#include "core/document/CVeskDoc.h"
#include "qt/QtDocumentView.h"
#include "qt/QtText.h"

namespace quarn::qt {
namespace {

// The smallest size a document window is given: a few rows of bytes.
constexpr int kMinimumWidth = 320;
constexpr int kMinimumHeight = 200;

}  // namespace

QtDocumentFrame::QtDocumentFrame(CVeskDoc& doc, QtDocumentView* view) : doc_(doc) {
  setWidget(view);
  setAttribute(Qt::WA_DeleteOnClose);
  UpdateTitle();
}

QtDocumentView* QtDocumentFrame::DocumentView() const { return qobject_cast<QtDocumentView*>(widget()); }

void QtDocumentFrame::UpdateTitle() {
  setWindowTitle(DisplayText(doc_.GetTitle()) + (doc_.IsModified() ? QStringLiteral(" *") : QString()));
}

QSize QtDocumentFrame::sizeHint() const {
  const QMdiArea* area = mdiArea();
  if (!area) return QMdiSubWindow::sizeHint();
  const QSize room = area->viewport()->size();
  return QSize(std::max(room.width() * 2 / 3, kMinimumWidth), std::max(room.height() * 2 / 3, kMinimumHeight))
      .boundedTo(room.expandedTo(QSize(kMinimumWidth, kMinimumHeight)));
}

void QtDocumentFrame::RememberNormal() {
  if (!isMaximized() && !isMinimized()) normal_ = geometry();
}

void QtDocumentFrame::moveEvent(QMoveEvent* event) {
  QMdiSubWindow::moveEvent(event);
  RememberNormal();
}

void QtDocumentFrame::resizeEvent(QResizeEvent* event) {
  QMdiSubWindow::resizeEvent(event);
  RememberNormal();
}

void QtDocumentFrame::closeEvent(QCloseEvent* event) {
  if (released_) {
    QMdiSubWindow::closeEvent(event);
    return;
  }
  // The template asks about saving and then releases and closes this frame.
  event->ignore();
  Documents().CloseDocument(doc_);
}

bool QtDocumentFrames::CreateFrame(CVeskDoc& doc) {
  auto* view = new QtDocumentView(doc);
  if (!view->Created()) {
    delete view;
    return false;
  }
  auto* frame = new QtDocumentFrame(doc, view);
  area_.addSubWindow(frame);
  // A cabinet's documents stay hidden until they have their placement.
  if (gProcess.reopeningCabinet) return true;
  // The first document fills the frame; later ones open as windows.
  if (Documents().Count() < 2) {
    frame->showMaximized();
  } else {
    frame->resize(frame->sizeHint());
    frame->show();
  }
  view->setFocus();
  return true;
}

QtDocumentFrame* QtDocumentFrames::FrameOf(const CVeskDoc& doc) const {
  for (QMdiSubWindow* window : area_.subWindowList()) {
    auto* frame = qobject_cast<QtDocumentFrame*>(window);
    if (frame && &frame->Document() == &doc) return frame;
  }
  return nullptr;
}

QtDocumentFrame* QtDocumentFrames::ActiveFrame() const {
  return qobject_cast<QtDocumentFrame*>(area_.activeSubWindow());
}

void QtDocumentFrames::ActivateFrame(CVeskDoc& doc) {
  if (QtDocumentFrame* frame = FrameOf(doc)) area_.setActiveSubWindow(frame);
}

void QtDocumentFrames::DestroyFrame(CVeskDoc& doc) {
  QtDocumentFrame* frame = FrameOf(doc);
  if (!frame) return;
  frame->Release();
  // The view goes now, while its document still exists; the frame itself
  // may be inside its own close event, so it goes later.
  QWidget* view = frame->widget();
  frame->setWidget(nullptr);
  delete view;
  area_.removeSubWindow(frame);
  frame->hide();
  frame->deleteLater();
}

}  // namespace quarn::qt
