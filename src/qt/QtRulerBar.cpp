#include "qt/QtRulerBar.h"

namespace quarn::qt {

QtRulerBar::QtRulerBar(CVeskDoc& doc, const TextLayout& layout, QWidget* parent)
    : QtWindowHost(parent), bar_(std::make_unique<CRulerBar>(doc, *this, layout)) {
  setFocusPolicy(Qt::NoFocus);
  setAttribute(Qt::WA_InputMethodEnabled, false);
  ApplyFormat();
  setModel(bar_.get());
}

QtRulerBar::~QtRulerBar() { setModel(nullptr); }

void QtRulerBar::ApplyFormat() {
  bar_->RefreshMetrics();
  setBackgroundColor(bar_->BackColour());
}

}  // namespace quarn::qt
