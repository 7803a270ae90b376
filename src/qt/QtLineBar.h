// The widget of the line bar: a window host that passes its events to the
// bar and paints what it draws, without taking the keyboard focus.
#pragma once

#include <memory>

#include "core/rulers/CLineBar.h"
#include "qt/QtWindowHost.h"

namespace quarn::qt {

class QtLineBar : public QtWindowHost {
  Q_OBJECT

 public:
  QtLineBar(CVeskDoc& doc, CVeskEV& text, QWidget* parent = nullptr);
  ~QtLineBar() override;

  CLineBar& Bar() { return *bar_; }
  void ApplyFormat();

 private:
  std::unique_ptr<CLineBar> bar_;
};

}  // namespace quarn::qt
