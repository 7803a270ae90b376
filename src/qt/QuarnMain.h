#pragma once

class QApplication;

namespace quarn::qt {

// Installs the Qt platform services, builds the main frame and runs the
// event loop.
int RunQuarn(QApplication& app);

}  // namespace quarn::qt
