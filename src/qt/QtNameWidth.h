// Names the user chose (file names, paths, operation names, search texts)
// can be hundreds of characters long; the lists and menus that show them
// keep a width of their own so that no dialog or menu grows past the screen.
#pragma once

#include <QString>

class QComboBox;
class QFontMetrics;

namespace quarn::qt {

// The width, in average characters, a list of names is given.
constexpr int kNameColumns = 48;

// The combo box sizes itself to kNameColumns characters, whatever its
// entries; its list shows a long entry cut in the middle.
void KeepNameComboNarrow(QComboBox& box);
// The text cut in the middle to at most kNameColumns average characters.
QString ElidedName(const QString& text, const QFontMetrics& metrics);

}  // namespace quarn::qt
