#include "qt/QtBeep.h"

#include <QApplication>

namespace quarn::qt {

void QtBeep::messageBeep(unsigned) { QApplication::beep(); }

}  // namespace quarn::qt
