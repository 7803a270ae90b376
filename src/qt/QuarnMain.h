#pragma once

#include <string>
#include <vector>

class QApplication;

namespace quarn::qt {

// Installs the Qt platform services, builds the main frame and runs the
// event loop. arguments: the command line after the program name, as the
// system's bytes.
int RunQuarn(QApplication& app, const std::vector<std::string>& arguments);

}  // namespace quarn::qt
