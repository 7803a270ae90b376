#include "qt/QuarnMain.h"

#include <QApplication>
#include <QMainWindow>

namespace quarn::qt {

int RunQuarn(QApplication& app) {
  QMainWindow frame;
  frame.setWindowTitle("Quarn");
  frame.show();
  return app.exec();
}

}  // namespace quarn::qt
