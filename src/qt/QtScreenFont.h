// The screen font of a document's windows: the document's font made for the
// screen and its metrics, measured on a device of the window's resolution.
#pragma once

#include "platform/Canvas.h"
#include "platform/Types.h"

namespace quarn::qt {

struct ScreenFont {
  LogFont font;
  TextMetric metrics;
};

ScreenFont MeasureScreenFont(const LogFont& documentFont, int dpiX, int dpiY);

}  // namespace quarn::qt
