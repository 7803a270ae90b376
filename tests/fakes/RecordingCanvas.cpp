#include "fakes/RecordingCanvas.h"

namespace quarn::fakes {

RecordingCanvas::RecordingCanvas() {
  metrics.height = 16;
  metrics.ascent = 13;
  metrics.descent = 3;
  metrics.aveCharWidth = 8;
  metrics.maxCharWidth = 16;
}

void RecordingCanvas::selectFont(const LogFont& lf) { fonts.push_back(lf); }

void RecordingCanvas::extTextOut(int x, int y, unsigned options, const Rect* rect, const std::string& text,
                                 const std::vector<int>& advances) {
  TextRun run;
  run.x = x;
  run.y = y;
  run.options = options;
  if (rect) run.rect = *rect;
  run.text = text;
  run.advances = advances;
  run.textColor = textColor_;
  run.bkColor = bkColor_;
  run.clip = clip_;
  runs.push_back(std::move(run));
}

void RecordingCanvas::drawLine(int x1, int y1, int x2, int y2, ColorRef color, int width, PenStyle style) {
  lines.push_back({x1, y1, x2, y2, color, width, style, clip_});
}

void RecordingCanvas::drawText(const std::string& text, const Rect& rect, unsigned format) {
  texts.push_back({text, rect, format});
}

void RecordingCanvas::Clear() {
  fonts.clear();
  runs.clear();
  lines.clear();
  fills.clear();
  inversions.clear();
  texts.clear();
}

std::vector<RecordingCanvas::TextRun> RecordingCanvas::RunsAt(int y) const {
  std::vector<TextRun> found;
  for (const TextRun& run : runs)
    if (run.y == y) found.push_back(run);
  return found;
}

}  // namespace quarn::fakes
