// Drawing the binary window: a full repaint of a 1920 x 1080 window, once on
// the recording canvas (the window's own cost) and once on the Qt canvas
// into an offscreen image (what the screen pays).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <cstdlib>
#include <memory>
#include <random>

#include "core/binaryview/CVeskBV.h"
#include "core/cabinet/DeviceUnits.h"
#include "core/cabinet/StandardFonts.h"
#include "core/common/ProcessValues.h"
#include "core/document/CVeskDoc.h"
#include "fakes/RecordingCanvas.h"
#include "platform/WindowHost.h"
#include "qt/QtCanvas.h"
#include "BenchHost.h"

namespace quarn {
namespace {

using bench::kHeight;
using bench::kWidth;
using bench::SizedHost;

struct Window {
  explicit Window(std::uint32_t n = 4u << 20) : image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied) {
    gProcess.nextDocKind = kBinaryDoc;
    doc = std::make_unique<CVeskDoc>();
    if (doc->Store().Reserve(n) > 1) std::abort();
    doc->Store().BeginDirect();
    std::mt19937 random(5);
    for (std::uint32_t i = 0; i < n; ++i) doc->Store().Data()[i] = std::uint8_t(random());
    doc->Store().EndDirect();
    doc->SetTextLength(n, n - 1);

    LogFont font = BuiltinFont();
    font.height = -PointsToPixels(96, font.height);
    font.width = 0;
    QPainter painter(&image);
    qt::QtCanvas canvas(painter);
    canvas.selectFont(font);
    window = std::make_unique<CVeskBV>(*doc, host);
    window->SetScreenFont(font, canvas.textMetrics());
    window->OnCreate();
    window->OnSize(kWidth, kHeight);
  }
  SizedHost host;
  std::unique_ptr<CVeskDoc> doc;
  std::unique_ptr<CVeskBV> window;
  QImage image;
};

Window& TheWindow() {
  static Window window;
  return window;
}

void BM_RepaintRecordingCanvas(benchmark::State& state) {
  Window& w = TheWindow();
  for (auto _ : state) {
    fakes::RecordingCanvas canvas;
    w.window->OnPaint(canvas, Rect{0, 0, kWidth, kHeight});
    benchmark::DoNotOptimize(canvas);
    state.counters["runs"] = double(canvas.runs.size());
  }
}

void BM_RepaintQtCanvas(benchmark::State& state) {
  Window& w = TheWindow();
  for (auto _ : state) {
    QPainter painter(&w.image);
    qt::QtCanvas canvas(painter);
    w.window->OnPaint(canvas, Rect{0, 0, kWidth, kHeight});
  }
}

// Typing hex digits in overwrite mode in the middle of a 300 MB document:
// the store, the undo records and the redraw of the changed row, per digit.
void BM_TypeHexDigitOverwrite300MB(benchmark::State& state) {
  static Window* big = [] {
    auto* w = new Window(300000000);
    return w;
  }();
  CVeskBV& window = *big->window;
  gProcess.overwrite = true;
  window.PlaceCaret(big->doc->TextLength() / 2, false);
  const char* digits = "0123456789ABCDEF";
  int i = 0;
  for (auto _ : state) {
    window.OnChar(static_cast<unsigned char>(digits[i++ & 15]), KeyState{});
    const std::int64_t top = window.Layout().RowTop(window.Layout().RowOf(window.CaretPos()));
    QPainter painter(&big->image);
    qt::QtCanvas canvas(painter);
    window.OnPaint(canvas, Rect{0, int(top), kWidth, int(top) + window.Layout().LineHeight()});
  }
  gProcess.overwrite = false;
}

BENCHMARK(BM_TypeHexDigitOverwrite300MB)->Iterations(1000)->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RepaintRecordingCanvas)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_RepaintQtCanvas)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
}  // namespace quarn

int main(int argc, char** argv) { return quarn::bench::RunWithQt(argc, argv); }
