// Small pieces shared by the common-settings dialogs: widgets named after
// their control ids, the refusal of a field and the colour button.
#pragma once

#include <QPushButton>
#include <QString>
#include <string>

#include "platform/Types.h"

class QWidget;

namespace quarn::qt {

// The object name a dialog gives the widget of control id ("ctl163").
QString ControlName(int id);
QWidget* FindControl(QWidget* root, int id);
template <typename W>
W* Control(QWidget* root, int id) {
  return root->findChild<W*>(ControlName(id));
}

// A field refused on OK: the warning beep with notice (the general one when
// empty) in the status bar, the field gets the focus and its text is selected.
void RefuseField(QWidget* field, const std::string& notice = {});

// A button showing a colour; clicking it opens the colour chooser.
class QtColorButton : public QPushButton {
  Q_OBJECT

 public:
  QtColorButton(const QString& text, ColorRef color, QWidget* parent = nullptr);
  ColorRef color() const { return color_; }
  void setColor(ColorRef color);

 private:
  void choose();
  ColorRef color_;
};

}  // namespace quarn::qt
