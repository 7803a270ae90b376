// A picture of the main frame with its first menu open, for the screenshot
// the program writes when QUARN_SCREENSHOT names a file.
#pragma once

#include <QImage>
#include <QString>

class QMainWindow;

namespace quarn::qt {

QImage GrabFrameWithMenu(QMainWindow& frame);

// Grabs the frame (with its File menu open while no document is) and writes
// it as PNG; false when the file was not written.
bool SaveScreenshot(QMainWindow& frame, const QString& path);

}  // namespace quarn::qt
