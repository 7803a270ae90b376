#include "qt/QtScreenFont.h"

#include <QImage>
#include <QPainter>

#include "core/view/CVeskView.h"
#include "qt/QtCanvas.h"

namespace quarn::qt {

ScreenFont MeasureScreenFont(const LogFont& documentFont, int dpiX, int dpiY) {
  ScreenFont result;
  result.font = CVeskView::ScreenFontOf(documentFont, dpiY);
  QImage probe(1, 1, QImage::Format_ARGB32_Premultiplied);
  probe.setDotsPerMeterX(int(dpiX / 0.0254 + 0.5));
  probe.setDotsPerMeterY(int(dpiY / 0.0254 + 0.5));
  QPainter painter(&probe);
  QtCanvas canvas(painter);
  canvas.selectFont(result.font);
  result.metrics = canvas.textMetrics();
  return result;
}

}  // namespace quarn::qt
