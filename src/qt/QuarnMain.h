#pragma once

#include <string>
#include <vector>

class QApplication;

namespace quarn::qt {

// SIGTERM and SIGINT from now on end the run as the Exit command does, once
// the main frame exists; called first thing, so that no moment of the start
// is left where they would kill the program without writing its settings.
void CatchTerminationSignals();

// Installs the Qt platform services, builds the main frame and runs the
// event loop. arguments: the command line after the program name, as the
// system's bytes.
int RunQuarn(QApplication& app, const std::vector<std::string>& arguments);

}  // namespace quarn::qt
