// A window host for the benchmarks: a window of a fixed size that answers
// only the questions drawing and caret placement ask.
#pragma once

#include <QApplication>
#include <benchmark/benchmark.h>

#include "platform/WindowHost.h"

namespace quarn::bench {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

class SizedHost : public WindowHost {
 public:
  Point clientSize() const override { return {kWidth, kHeight}; }
  int dpiX() const override { return 96; }
  int dpiY() const override { return 96; }
  void invalidate() override {}
  void invalidateRect(const Rect&) override {}
  void update() override {}
  void scrollWindow(int, int, const Rect*) override {}
  void setScrollRange(ScrollBar, int, int) override {}
  void setScrollPos(ScrollBar, int) override {}
  void showScrollBar(ScrollBar, bool) override {}
  void enableScrollBar(ScrollBar, bool) override {}
  void createCaret(int, int) override {}
  void setCaretPos(int, int) override {}
  void showCaret() override {}
  void hideCaret() override {}
  void destroyCaret() override {}
  void setTimer(int, int) override {}
  void killTimer(int) override {}
  void setCapture() override {}
  void releaseCapture() override {}
  void setCursor(CursorShape) override {}
  Point cursorPos() const override { return {}; }
  void setFocus() override {}
  bool hasFocus() const override { return true; }
  void setImePosition(Point) override {}
};

// Runs the benchmarks inside a QApplication (offscreen unless a platform is
// named), which the Qt canvas needs.
inline int RunWithQt(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

}  // namespace quarn::bench
