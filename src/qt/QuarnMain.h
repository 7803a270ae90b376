#pragma once

#include <string>

class QApplication;

namespace quarn::qt {

// Installs the Qt platform services, builds the main frame and runs the
// event loop.
int RunQuarn(QApplication& app);

// The directory of the executable as a CP932 path: the program directory
// of the settings, data, key and cabinet files.
std::string ExecutableDirectory();

}  // namespace quarn::qt
