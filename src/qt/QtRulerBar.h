// The widget of the column ruler: a window host that passes its events to
// the ruler and paints what it draws, without taking the keyboard focus.
#pragma once

#include <memory>

#include "core/rulers/CRulerBar.h"
#include "qt/QtWindowHost.h"

namespace quarn::qt {

class QtRulerBar : public QtWindowHost {
  Q_OBJECT

 public:
  QtRulerBar(CVeskDoc& doc, const TextLayout& layout, QWidget* parent = nullptr);
  ~QtRulerBar() override;

  CRulerBar& Bar() { return *bar_; }
  // The colours and sizes again (the format or the settings changed).
  void ApplyFormat();

 private:
  std::unique_ptr<CRulerBar> bar_;
};

}  // namespace quarn::qt
