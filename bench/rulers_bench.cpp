// The rulers' cost where it is paid most often: a tool appending 5,000 lines
// through hint 48 to a shown text view, whose caret and scrolling every
// append moves, without the bars and with both shown; and one full repaint
// of a 1920-pixel column ruler and a 1080-pixel line bar.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <memory>
#include <string>

#include "BenchHost.h"
#include "core/common/AppSettings.h"
#include "core/common/ProcessValues.h"
#include "core/cabinet/CVeskCabinet.h"
#include "core/document/CVeskDoc.h"
#include "core/rulers/CLineBar.h"
#include "core/rulers/CRulerBar.h"
#include "qt/QtCanvas.h"
#include "qt/QtDocumentView.h"

namespace quarn {
namespace {

std::unique_ptr<CVeskDoc> EmptyText() {
  gProcess.nextDocKind = kTextDoc;
  auto doc = std::make_unique<CVeskDoc>();
  gCabinet.RefreshDocumentFormat(*doc);
  return doc;
}

// Argument: 1 with both bars shown, 0 without.
void BM_Append5kLinesShownView(benchmark::State& state) {
  gCabinet.ResetToType(kDocTypeGeneral);
  gSettings.DisplayRulerBar = gSettings.DisplayLineBar = int(state.range(0));
  const std::string line = std::string(78, 'x') + "\r\n";
  for (auto _ : state) {
    auto doc = EmptyText();
    auto view = std::make_unique<qt::QtDocumentView>(*doc);
    view->resize(1280, 800);
    view->show();
    QApplication::processEvents();
    for (int i = 0; i < 5000; ++i) doc->AppendStringToViews(line.c_str());
    QApplication::processEvents();
    view.reset();
  }
  gSettings.DisplayRulerBar = gSettings.DisplayLineBar = 0;
}

// A host of the bars' real shapes: a ruler as wide and a line bar as tall
// as the benchmark window.
class BarHost : public bench::SizedHost {
 public:
  explicit BarHost(Point size) : size_(size) {}
  Point clientSize() const override { return size_; }

 private:
  Point size_;
};

void BM_RulersFullRepaint(benchmark::State& state) {
  gCabinet.ResetToType(kDocTypeGeneral);
  auto doc = EmptyText();
  BarHost rulerHost({bench::kWidth, 16});
  BarHost barHost({31, bench::kHeight});
  TextLayout layout;
  TextMetric font;
  font.height = 16;
  font.aveCharWidth = 8;
  layout.SetMetrics(font, 96, 96, 0, 0, gSettings.LeftMarginLM, gSettings.TopMarginLM);
  CRulerBar ruler(*doc, rulerHost, layout);
  CLineBar bar(*doc, barHost, layout, nullptr);
  QImage image(bench::kWidth, bench::kHeight, QImage::Format_RGB32);
  for (auto _ : state) {
    QPainter painter(&image);
    qt::QtCanvas canvas(painter);
    ruler.onPaint(canvas, Rect{0, 0, bench::kWidth, 16});
    bar.onPaint(canvas, Rect{0, 0, 31, bench::kHeight});
  }
}

BENCHMARK(BM_Append5kLinesShownView)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);
BENCHMARK(BM_RulersFullRepaint)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace quarn

int main(int argc, char** argv) { return quarn::bench::RunWithQt(argc, argv); }
