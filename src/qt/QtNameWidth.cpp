#include "qt/QtNameWidth.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFontMetrics>

namespace quarn::qt {

void KeepNameComboNarrow(QComboBox& box) {
  box.setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  box.setMinimumContentsLength(kNameColumns);
  box.view()->setTextElideMode(Qt::ElideMiddle);
}

QString ElidedName(const QString& text, const QFontMetrics& metrics) {
  return metrics.elidedText(text, Qt::ElideMiddle, metrics.averageCharWidth() * kNameColumns);
}

}  // namespace quarn::qt
