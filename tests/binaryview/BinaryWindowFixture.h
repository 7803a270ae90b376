// A recording window host, binary documents of given bytes, the cells a recorded paint left on each row,
// and a window over a document with the 16-pixel screen font the tests lay their cells out with.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/binaryview/BinaryLayout.h"
#include "core/binaryview/CVeskBV.h"
#include "core/common/ProcessValues.h"
#include "core/document/CVeskDoc.h"
#include "fakes/FakePlatform.h"
#include "fakes/RecordingCanvas.h"
#include "platform/WindowHost.h"

namespace quarn::testing {

class RecordingHost : public WindowHost {
 public:
  struct Scroll {
    int dx, dy;
    Rect area;
  };
  Point clientSize() const override { return client; }
  int dpiX() const override { return dpi; }
  int dpiY() const override { return dpi; }
  void invalidate() override { ++invalidations; }
  void invalidateRect(const Rect& rect) override { invalidRects.push_back(rect); }
  void update() override {}
  void scrollWindow(int dx, int dy, const Rect* area) override { scrolls.push_back({dx, dy, area ? *area : Rect{}}); }
  void setScrollRange(ScrollBar bar, int min, int max) override { range[int(bar)] = {min, max}; }
  void setScrollPos(ScrollBar bar, int pos) override { this->pos[int(bar)] = pos; }
  void showScrollBar(ScrollBar, bool) override {}
  void enableScrollBar(ScrollBar, bool) override {}
  void createCaret(int, int) override {}
  void setCaretPos(int x, int y) override { caretAt = Point{x, y}; }
  void showCaret() override { caretShown = true; }
  void hideCaret() override { caretShown = false; }
  void destroyCaret() override {}
  void setTimer(int, int) override {}
  void killTimer(int) override {}
  void setCapture() override {}
  void releaseCapture() override {}
  void setCursor(CursorShape) override {}
  Point cursorPos() const override { return Point{}; }
  void setFocus() override {}
  bool hasFocus() const override { return true; }
  void setImePosition(Point p) override { imeAt = p; }
  Point client{800, 600};
  int dpi = 96;
  int invalidations = 0;
  std::vector<Rect> invalidRects;
  std::vector<Scroll> scrolls;
  Point range[2];
  int pos[2] = {0, 0};
  Point caretAt;
  Point imeAt;
  bool caretShown = false;
};

// A binary document holding bytes.
inline std::unique_ptr<CVeskDoc> MakeBinaryDoc(const std::string& bytes) {
  gProcess.nextDocKind = kBinaryDoc;
  auto doc = std::make_unique<CVeskDoc>();
  const auto n = std::uint32_t(bytes.size());
  doc->Store().Reserve(n);
  doc->Store().Write(0, reinterpret_cast<const std::uint8_t*>(bytes.data()), n);
  doc->SetTextLength(n, n ? n - 1 : CVeskDoc::kNone);
  return doc;
}

// The document's bytes.
inline std::string TextOf(CVeskDoc& doc) {
  std::string out(doc.TextLength(), '\0');
  if (!out.empty()) doc.Store().Read(reinterpret_cast<std::uint8_t*>(out.data()), 0, doc.TextLength());
  return out;
}

// The cells of every row top a paint drew text on, by cell column (later
// runs overwrite earlier ones, as on the screen).
inline std::map<int, std::string> Cells(const fakes::RecordingCanvas& canvas, const BinaryLayout& layout) {
  std::map<int, std::string> rows;
  for (const auto& run : canvas.runs) {
    std::string& row = rows[run.y];
    int column = (run.x - layout.LeftMargin()) / layout.CharWidth() + layout.FirstColumn();
    for (char c : run.text) {
      if (column >= 0) {
        if (row.size() <= std::size_t(column)) row.resize(std::size_t(column) + 1, ' ');
        row[std::size_t(column)] = c;
      }
      ++column;
    }
  }
  return rows;
}

class BinaryWindowFixture : public ::testing::Test {
 protected:
  void Open(const std::string& bytes, bool focus = true) {
    window.reset();  // before the document it shows
    doc = MakeBinaryDoc(bytes);
    window = std::make_unique<CVeskBV>(*doc, host, settings);
    window->SetScreenFont(LogFont{.height = -16}, TextMetric{.height = 16, .aveCharWidth = 8});
    window->SetColors(BinaryColors{0x111111, 0xEEEEEE});
    window->OnCreate();
    if (focus) window->OnSetFocus();
  }
  std::string Text() { return TextOf(*doc); }
  fakes::FakePlatform platform;
  BinaryViewSettings settings;
  RecordingHost host;
  std::unique_ptr<CVeskDoc> doc;
  std::unique_ptr<CVeskBV> window;
};

}  // namespace quarn::testing
