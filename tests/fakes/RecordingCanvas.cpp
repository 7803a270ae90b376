#include "fakes/RecordingCanvas.h"

namespace quarn::fakes {

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
