// The MDI child frames of the documents: one sub-window with its view per
// document, made, activated and closed for the document template.
#pragma once

#include <QMdiSubWindow>

#include "core/app/DocTemplate.h"

class QMdiArea;

namespace quarn::qt {

class QtDocumentView;

class QtDocumentFrame : public QMdiSubWindow {
  Q_OBJECT

 public:
  QtDocumentFrame(CVeskDoc& doc, QtDocumentView* view);
  CVeskDoc& Document() const { return doc_; }
  // Null once the template has released the frame.
  QtDocumentView* DocumentView() const;
  // Marks the frame as closed by the template, so that its close goes ahead.
  void Release() { released_ = true; }
  void UpdateTitle();
  // Two thirds of the MDI area (cascading and new windows take this size).
  QSize sizeHint() const override;
  // The geometry the frame has when neither maximised nor minimised.
  QRect NormalGeometry() const { return normal_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  CVeskDoc& doc_;
  bool released_ = false;
  QRect normal_;
  void RememberNormal();
};

class QtDocumentFrames : public FrameFactory {
 public:
  explicit QtDocumentFrames(QMdiArea& area) : area_(area) {}

  bool CreateFrame(CVeskDoc& doc) override;
  void ActivateFrame(CVeskDoc& doc) override;
  void DestroyFrame(CVeskDoc& doc) override;

  QtDocumentFrame* FrameOf(const CVeskDoc& doc) const;
  QtDocumentFrame* ActiveFrame() const;

 private:
  QMdiArea& area_;
};

}  // namespace quarn::qt
