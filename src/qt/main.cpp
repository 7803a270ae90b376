#include <QApplication>
#include <algorithm>
#include <string>
#include <vector>

#include "qt/QuarnMain.h"

int main(int argc, char** argv) {
  quarn::qt::CatchTerminationSignals();
  QApplication app(argc, argv);
  // Qt has taken its own options out of argv.
  return quarn::qt::RunQuarn(app, std::vector<std::string>(argv + std::min(argc, 1), argv + argc));
}
