// The drawing surface over a QPainter: the screen (a widget's paint event),
// an image, or a printer. Pixel sizes and metrics are those of the
// painter's device.
#pragma once

#include <QFont>
#include <QPainter>
#include <QRawFont>

#include "platform/Canvas.h"

namespace quarn::qt {

class QtCanvas : public Canvas {
 public:
  // painter must be active on its device for the canvas's life. Starts with
  // the default font, black text on a white, opaque background.
  explicit QtCanvas(QPainter& painter);

  void selectFont(const LogFont& lf) override;
  TextMetric textMetrics() override;
  int textExtent(const std::string& text) override;
  int dpiX() const override;
  int dpiY() const override;

  void setTextColor(ColorRef color) override { textColor_ = color; }
  void setBkColor(ColorRef color) override { bkColor_ = color; }
  void setBkOpaque(bool opaque) override { bkOpaque_ = opaque; }

  void extTextOut(int x, int y, unsigned options, const Rect* rect, const std::string& text,
                  const std::vector<int>& advances) override;
  void fillRect(const Rect& rect, ColorRef color) override;
  void invertRect(const Rect& rect) override;
  void drawLine(int x1, int y1, int x2, int y2, ColorRef color, int width, PenStyle style) override;
  void drawText(const std::string& text, const Rect& rect, unsigned format) override;

  void setClip(const Rect& rect) override;
  void clearClip() override;

  const QFont& font() const { return font_; }

 private:
  void applyFont(const QFont& font);

  QPainter& painter_;
  QFont font_;
  QRawFont rawFont_;
  ColorRef textColor_ = 0;
  ColorRef bkColor_ = 0xFFFFFF;
  bool bkOpaque_ = true;
};

QColor ToQColor(ColorRef color);
QRect ToQRect(const Rect& rect);

}  // namespace quarn::qt
