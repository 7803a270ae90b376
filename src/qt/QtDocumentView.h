// The widget of a document's view: it holds the view host model and the
// widgets of its child windows, and places them as the model says.
#pragma once

#include <QWidget>
#include <map>
#include <memory>

#include "core/view/CVeskView.h"

namespace quarn::qt {

class QtBinaryWindow;
class QtLineBar;
class QtRulerBar;
class QtTextWindow;

class QtDocumentView : public QWidget, public ChildPlacer {
  Q_OBJECT

 public:
  // Creates the view and its children; Created() tells whether it worked.
  QtDocumentView(CVeskDoc& doc, QWidget* parent = nullptr);
  ~QtDocumentView() override;

  bool Created() const { return created_; }
  CVeskView& View() { return *view_; }
  QWidget* Child(ViewChild child) const;

  void MoveChild(ViewChild child, const Rect& rect) override;
  void ShowChild(ViewChild child, bool show) override;
  void FocusChild(ViewChild child) override;
  void RecreateScreenFont() override;
  void InvalidateChildren() override;
  void RulersSwitched() override;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;

 private:
  std::unique_ptr<CVeskView> view_;
  std::map<ViewChild, QWidget*> children_;
  QtBinaryWindow* binaryWidget_ = nullptr;
  QtTextWindow* textWidget_ = nullptr;
  QtRulerBar* rulerWidget_ = nullptr;
  QtLineBar* lineBarWidget_ = nullptr;
  bool created_ = false;
};

}  // namespace quarn::qt
