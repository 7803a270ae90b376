#include <QApplication>

#include "qt/QuarnMain.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  return quarn::qt::RunQuarn(app);
}
