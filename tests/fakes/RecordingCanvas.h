// A canvas that records every drawing call in order, with the colours and
// the clip rectangle in force at the time, so that tests can check what a
// window drew without a screen.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/Canvas.h"

namespace quarn::fakes {

class RecordingCanvas : public Canvas {
 public:
  struct TextRun {
    int x = 0;
    int y = 0;
    unsigned options = 0;
    std::optional<Rect> rect;
    std::string text;
    std::vector<int> advances;
    ColorRef textColor = 0;
    ColorRef bkColor = 0;
    std::optional<Rect> clip;
  };
  struct Line {
    int x1, y1, x2, y2;
    ColorRef color;
    int width;
    PenStyle style;
    std::optional<Rect> clip;
  };
  struct Fill {
    Rect rect;
    ColorRef color;
  };
  struct Inversion {
    Rect rect;
    std::optional<Rect> clip;
  };
  struct DrawnText {
    std::string text;
    Rect rect;
    unsigned format;
  };

  RecordingCanvas();

  void selectFont(const LogFont& lf) override;
  TextMetric textMetrics() override { return metrics; }
  // charExtent per byte when set, else the average width.
  int textExtent(const std::string& text) override {
    return int(text.size()) * (charExtent ? charExtent : metrics.aveCharWidth);
  }
  int dpiX() const override { return dpi_x; }
  int dpiY() const override { return dpi_y; }
  void setTextColor(ColorRef color) override { textColor_ = color; }
  void setBkColor(ColorRef color) override { bkColor_ = color; }
  void setBkOpaque(bool opaque) override { bkOpaque = opaque; }
  void extTextOut(int x, int y, unsigned options, const Rect* rect, const std::string& text,
                  const std::vector<int>& advances) override;
  void fillRect(const Rect& rect, ColorRef color) override { fills.push_back({rect, color}); }
  void invertRect(const Rect& rect) override { inversions.push_back({rect, clip_}); }
  void drawLine(int x1, int y1, int x2, int y2, ColorRef color, int width, PenStyle style) override;
  void drawText(const std::string& text, const Rect& rect, unsigned format) override;
  void setClip(const Rect& rect) override { clip_ = rect; }
  void clearClip() override { clip_.reset(); }

  void Clear();
  // The runs whose top is y, left to right as drawn.
  std::vector<TextRun> RunsAt(int y) const;

  TextMetric metrics;
  int charExtent = 0;
  int dpi_x = 96;
  int dpi_y = 96;
  bool bkOpaque = true;
  std::vector<LogFont> fonts;
  std::vector<TextRun> runs;
  std::vector<Line> lines;
  std::vector<Fill> fills;
  std::vector<Inversion> inversions;
  std::vector<DrawnText> texts;

 private:
  ColorRef textColor_ = 0;
  ColorRef bkColor_ = 0xFFFFFF;
  std::optional<Rect> clip_;
};

}  // namespace quarn::fakes
