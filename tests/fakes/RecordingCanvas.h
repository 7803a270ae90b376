// A canvas that records every drawing call in order, with the colours in
// force at the time: what a window drew, without a screen.
#pragma once

#include <string>
#include <vector>

#include "platform/Canvas.h"

namespace quarn::fakes {

class RecordingCanvas : public Canvas {
 public:
  struct TextRun {
    int x = 0, y = 0;
    std::string text;
    std::vector<int> advances;
    ColorRef textColor = 0, bkColor = 0;
  };
  struct Line {
    int x1, y1, x2, y2;
    ColorRef color;
    int width;
  };
  struct Fill {
    Rect rect;
    ColorRef color;
  };
  struct Inversion {
    Rect rect;
  };
  struct DrawnText {
    std::string text;
    Rect rect;
    unsigned format;
  };

  void selectFont(const LogFont& lf) override { fonts.push_back(lf); }
  TextMetric textMetrics() override { return metrics; }
  // charExtent per byte when set, else the average width.
  int textExtent(const std::string& text) override {
    return int(text.size()) * (charExtent ? charExtent : metrics.aveCharWidth);
  }
  int dpiX() const override { return 96; }
  int dpiY() const override { return 96; }
  void setTextColor(ColorRef color) override { textColor_ = color; }
  void setBkColor(ColorRef color) override { bkColor_ = color; }
  void setBkOpaque(bool) override {}
  void extTextOut(int x, int y, unsigned, const Rect*, const std::string& text,
                  const std::vector<int>& advances) override {
    runs.push_back({x, y, text, advances, textColor_, bkColor_});
  }
  void fillRect(const Rect& rect, ColorRef color) override { fills.push_back({rect, color}); }
  void invertRect(const Rect& rect) override { inversions.push_back({rect}); }
  void drawLine(int x1, int y1, int x2, int y2, ColorRef color, int width, PenStyle) override {
    lines.push_back({x1, y1, x2, y2, color, width});
  }
  void drawText(const std::string& text, const Rect& rect, unsigned format) override {
    texts.push_back({text, rect, format});
  }
  void setClip(const Rect&) override {}
  void clearClip() override {}

  void Clear() {
    fonts.clear();
    runs.clear();
    lines.clear();
    fills.clear();
    inversions.clear();
    texts.clear();
  }
  // The runs whose top is y, left to right as drawn.
  std::vector<TextRun> RunsAt(int y) const {
    std::vector<TextRun> found;
    for (const TextRun& run : runs)
      if (run.y == y) found.push_back(run);
    return found;
  }

  TextMetric metrics{.height = 16, .ascent = 13, .descent = 3, .aveCharWidth = 8, .maxCharWidth = 16};
  int charExtent = 0;
  std::vector<LogFont> fonts;
  std::vector<TextRun> runs;
  std::vector<Line> lines;
  std::vector<Fill> fills;
  std::vector<Inversion> inversions;
  std::vector<DrawnText> texts;

 private:
  ColorRef textColor_ = 0;
  ColorRef bkColor_ = 0xFFFFFF;
};

}  // namespace quarn::fakes
