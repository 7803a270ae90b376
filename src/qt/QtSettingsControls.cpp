#include "qt/QtSettingsControls.h"

#include <QAbstractSpinBox>
#include <QLineEdit>
#include <QPixmap>

#include "core/common/AppMessage.h"
#include "core/app/CabinetSheet.h"
#include "core/res/StringTable.h"
#include "qt/QtCanvas.h"

namespace quarn::qt {

QString ControlName(int id) { return QStringLiteral("ctl%1").arg(id); }

QWidget* FindControl(QWidget* root, int id) { return root->findChild<QWidget*>(ControlName(id)); }

void RefuseField(QWidget* field, const std::string& notice) {
  WarningBeep(notice.empty() ? std::string(texts::kFieldRefusedNotice) : notice);
  if (!field) return;
  field->setFocus(Qt::OtherFocusReason);
  if (auto* edit = qobject_cast<QLineEdit*>(field)) edit->selectAll();
  else if (auto* spin = qobject_cast<QAbstractSpinBox*>(field)) spin->selectAll();
}

QtColorButton::QtColorButton(const QString& text, ColorRef color, QWidget* parent)
    : QPushButton(text, parent), color_(color) {
  setColor(color);
  connect(this, &QPushButton::clicked, this, &QtColorButton::choose);
}

void QtColorButton::setColor(ColorRef color) {
  color_ = color;
  QPixmap swatch(24, 14);
  swatch.fill(ToQColor(color));
  setIcon(QIcon(swatch));
  setIconSize(swatch.size());
}

void QtColorButton::choose() {
  // The program's colour chooser keeps its custom colours between uses.
  ColorRef color = color_;
  if (ChooseColor(color)) setColor(color);
}

}  // namespace quarn::qt
