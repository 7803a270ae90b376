#include "qt/QtDocumentView.h"

#include <QResizeEvent>

#include "qt/QtBinaryWindow.h"
#include "qt/QtLineBar.h"
#include "qt/QtRulerBar.h"
#include "qt/QtTextWindow.h"

namespace quarn::qt {

QtDocumentView::QtDocumentView(CVeskDoc& doc, QWidget* parent)
    : QWidget(parent), view_(std::make_unique<CVeskView>(doc, *this)) {
  setFocusPolicy(Qt::StrongFocus);
  setAutoFillBackground(true);
  // The view makes the text window for every document; it is shown for a
  // text document only.
  textWidget_ = new QtTextWindow(doc, this);
  children_[ViewChild::kTextWindow] = textWidget_;
  view_->AttachTextWindow(&textWidget_->Window());
  textWidget_->setVisible(view_->IsTextMode());
  // The rulers exist for every document too; the view shows them in text
  // mode by the global switches.
  rulerWidget_ = new QtRulerBar(doc, textWidget_->Window().Layout(), this);
  lineBarWidget_ = new QtLineBar(doc, textWidget_->Window(), this);
  children_[ViewChild::kColumnRuler] = rulerWidget_;
  children_[ViewChild::kLineBar] = lineBarWidget_;
  view_->AttachRulers(&rulerWidget_->Bar(), &lineBarWidget_->Bar());
  if (!view_->IsTextMode()) {
    auto* window = new QtBinaryWindow(doc, this);
    children_[ViewChild::kBinaryWindow] = window;
    view_->AttachBinaryWindow(&window->Window());
    binaryWidget_ = window;
  }
  created_ = view_->OnCreate(logicalDpiX(), logicalDpiY());
}

QtDocumentView::~QtDocumentView() {
  view_->AttachBinaryWindow(nullptr);
  view_->AttachTextWindow(nullptr);
  view_->AttachRulers(nullptr, nullptr);
  view_.reset();
  // The windows' widgets go before the document they show, the rulers
  // before the text window they follow.
  delete rulerWidget_;
  delete lineBarWidget_;
  delete binaryWidget_;
  delete textWidget_;
}

QWidget* QtDocumentView::Child(ViewChild child) const {
  auto it = children_.find(child);
  return it == children_.end() ? nullptr : it->second;
}

void QtDocumentView::MoveChild(ViewChild child, const Rect& rect) {
  if (QWidget* widget = Child(child)) widget->setGeometry(rect.left, rect.top, rect.width(), rect.height());
}

void QtDocumentView::ShowChild(ViewChild child, bool show) {
  if (QWidget* widget = Child(child)) widget->setVisible(show);
}

void QtDocumentView::FocusChild(ViewChild child) {
  if (QWidget* widget = Child(child)) widget->setFocus();
}

void QtDocumentView::RecreateScreenFont() {
  if (binaryWidget_) binaryWidget_->ApplyFormat();
  if (textWidget_) textWidget_->ApplyFormat();
  if (rulerWidget_) rulerWidget_->ApplyFormat();
  if (lineBarWidget_) lineBarWidget_->ApplyFormat();
}

void QtDocumentView::InvalidateChildren() {
  for (const auto& [child, widget] : children_) widget->update();
  if (binaryWidget_) binaryWidget_->invalidate();
  if (textWidget_) textWidget_->invalidate();
  if (rulerWidget_) rulerWidget_->invalidate();
  if (lineBarWidget_) lineBarWidget_->invalidate();
}

void QtDocumentView::RulersSwitched() {
  for (QtDocumentView* other : window()->findChildren<QtDocumentView*>())
    if (other != this) other->View().RelayoutRulers();
}

void QtDocumentView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  view_->OnSize(event->size().width(), event->size().height());
}

void QtDocumentView::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  view_->OnSetFocus();
}

}  // namespace quarn::qt
