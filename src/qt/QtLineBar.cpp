#include "qt/QtLineBar.h"

#include "core/textview/CVeskEV.h"

namespace quarn::qt {

QtLineBar::QtLineBar(CVeskDoc& doc, CVeskEV& text, QWidget* parent)
    : QtWindowHost(parent), bar_(std::make_unique<CLineBar>(doc, *this, text.Layout(), &text)) {
  setFocusPolicy(Qt::NoFocus);
  setAttribute(Qt::WA_InputMethodEnabled, false);
  ApplyFormat();
  setModel(bar_.get());
}

QtLineBar::~QtLineBar() { setModel(nullptr); }

void QtLineBar::ApplyFormat() {
  bar_->RefreshMetrics();
  setBackgroundColor(bar_->BackColour());
}

}  // namespace quarn::qt
