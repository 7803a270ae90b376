// The text window: a full repaint of a 1920 x 1080 window showing C++ source
// with keywords and block comments (the binary window's full repaint in the
// same run as the baseline), Page Up after Ctrl+End on an 80 MB text of
// 1,000,000 rows, and appending 100,000 lines through hint 48 against
// opening the same bytes as a text file.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <random>
#include <string>

#include "core/common/ProcessValues.h"
#include "core/common/Settings.h"
#include "core/binaryview/CVeskBV.h"
#include "core/cabinet/CVeskCabinet.h"
#include "core/cabinet/DeviceUnits.h"
#include "core/cabinet/StandardFonts.h"
#include "core/document/CVeskDoc.h"
#include "core/textview/CVeskEV.h"
#include "core/view/CVeskView.h"
#include "platform/Platform.h"
#include "qt/QtCanvas.h"
#include "BenchHost.h"
#include "qt/QtFileSystem.h"
#include "qt/QtScreenFont.h"

namespace quarn {
namespace {

using bench::kHeight;
using bench::kWidth;
using bench::SizedHost;

class NoPlacer : public ChildPlacer {
 public:
  void MoveChild(ViewChild, const Rect&) override {}
  void ShowChild(ViewChild, bool) override {}
  void FocusChild(ViewChild) override {}
};

LogFont ScreenFont(TextMetric& metrics) {
  const qt::ScreenFont screen = qt::MeasureScreenFont(BuiltinFont(), 96, 96);
  metrics = screen.metrics;
  return screen.font;
}

std::unique_ptr<CVeskDoc> TextDoc(const std::string& text, int width) {
  gProcess.nextDocKind = kTextDoc;
  auto doc = std::make_unique<CVeskDoc>();
  doc->Format().charsPerLine = width;
  doc->InsertText(0, reinterpret_cast<const std::uint8_t*>(text.data()), std::uint32_t(text.size()));
  return doc;
}

std::string CppSource(std::size_t lines) {
  const char* pattern[] = {
      "/* A block comment that runs\r\n",
      "   over three lines of the source. */\r\n",
      "class Widget : public Base {\r\n",
      " public:\r\n",
      "  virtual int size() const { return static_cast<int>(count_); }  // the number of items\r\n",
      "  void clear() { for (int i = 0; i < count_; ++i) delete items_[i]; count_ = 0; }\r\n",
      "#include <vector>\r\n",
      "  unsigned long count_ = 0; /* inline */ double ratio_ = 1.0;\r\n",
  };
  std::string out;
  for (std::size_t i = 0; i < lines; ++i) out += pattern[i % std::size(pattern)];
  return out;
}

struct TextWindow {
  TextWindow() : image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied) {
    gCabinet.ResetToType(kDocTypeCpp);
    gSettings.ColorAreaComment = 1;
    doc = TextDoc(CppSource(2000), 200);
    TextMetric metrics;
    const LogFont font = ScreenFont(metrics);
    window = std::make_unique<CVeskEV>(*doc, host);
    window->SetScreenFont(font, metrics);
    window->OnCreate();
    window->OnKeyDown(vk::kNext, 1, KeyState{});  // rows inside and outside comments
  }
  SizedHost host;
  std::unique_ptr<CVeskDoc> doc;
  std::unique_ptr<CVeskEV> window;
  QImage image;
};

struct BinaryWindow {
  BinaryWindow() : image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied) {
    gProcess.nextDocKind = kBinaryDoc;
    doc = std::make_unique<CVeskDoc>();
    const std::uint32_t n = 1u << 20;
    if (doc->Store().Reserve(n) > 1) std::abort();
    doc->Store().BeginDirect();
    std::mt19937 random(5);
    for (std::uint32_t i = 0; i < n; ++i) doc->Store().Data()[i] = std::uint8_t(random());
    doc->Store().EndDirect();
    doc->SetTextLength(n, n - 1);
    TextMetric metrics;
    const LogFont font = ScreenFont(metrics);
    window = std::make_unique<CVeskBV>(*doc, host);
    window->SetScreenFont(font, metrics);
    window->OnCreate();
  }
  SizedHost host;
  std::unique_ptr<CVeskDoc> doc;
  std::unique_ptr<CVeskBV> window;
  QImage image;
};

template <class W>
void Repaint(benchmark::State& state, W& w) {
  for (auto _ : state) {
    QPainter painter(&w.image);
    qt::QtCanvas canvas(painter);
    w.window->OnPaint(canvas, Rect{0, 0, kWidth, kHeight});
  }
}

void BM_TextRepaintCppQtCanvas(benchmark::State& state) {
  static TextWindow w;
  Repaint(state, w);
}

void BM_BinaryRepaintQtCanvas(benchmark::State& state) {
  static BinaryWindow w;
  Repaint(state, w);
}

// 1,000,000 lines of 78 bytes and CR LF.
std::string LinesOf80(std::size_t lines) {
  std::string line(78, 'a');
  for (std::size_t i = 0; i < line.size(); ++i) line[i] = char('a' + i % 26);
  line += "\r\n";
  std::string out;
  out.reserve(lines * line.size());
  for (std::size_t i = 0; i < lines; ++i) out += line;
  return out;
}

void BM_PageUpAfterCtrlEnd80MB(benchmark::State& state) {
  gCabinet.ResetToType(kDocTypeGeneral);
  static std::unique_ptr<CVeskDoc> doc = TextDoc(LinesOf80(1000000), 80);
  SizedHost host;
  CVeskEV window(*doc, host);
  TextMetric metrics;
  window.SetScreenFont(ScreenFont(metrics), metrics);
  window.OnCreate();
  window.OnKeyDown(vk::kEnd, 1, KeyState{false, true});
  for (auto _ : state) window.OnKeyDown(vk::kPrior, 1, KeyState{});
  state.counters["rows"] = double(doc->RowCount());
}

const std::string kAppendPath = "/tmp/quarn_bench_append_8mb.txt";

// Arguments: the document type (general text, or C++ with block comments
// coloured, whose comment tables follow every append) and the hint (48
// moves the caret behind the text, 50 appends only).
void BM_Append100kLinesHint48(benchmark::State& state) {
  gCabinet.ResetToType(int(state.range(0)));
  gSettings.ColorAreaComment = 1;
  std::string line = LinesOf80(1);
  for (auto _ : state) {
    auto doc = TextDoc("", 80);
    NoPlacer placer;
    CVeskView view(*doc, placer);
    SizedHost host;
    CVeskEV window(*doc, host);
    view.AttachTextWindow(&window);
    window.OnCreate();
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(line.data());
    const auto n = std::uint32_t(line.size());
    for (int i = 0; i < 100000; ++i) {
      if (state.range(1) == hint::kAppendString) doc->AppendStringToViews(line.c_str());
      else doc->AppendToViews(int(state.range(1)), bytes, n);
    }
    if (doc->TextLength() != 8000000) state.SkipWithError("append lost bytes");
    view.AttachTextWindow(nullptr);
  }
}

void BM_OpenSameBytesAsText8MB(benchmark::State& state) {
  static qt::QtFileSystem files;
  Platform().files = &files;
  std::ofstream(kAppendPath, std::ios::binary) << LinesOf80(100000);
  for (auto _ : state) {
    gProcess.nextDocKind = kTextDoc;
    auto doc = std::make_unique<CVeskDoc>();
    doc->Format().charsPerLine = 80;
    if (!doc->OnOpenDocument(kAppendPath)) state.SkipWithError("open failed");
  }
}

BENCHMARK(BM_TextRepaintCppQtCanvas)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_BinaryRepaintQtCanvas)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_PageUpAfterCtrlEnd80MB)->Iterations(1000)->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Append100kLinesHint48)
    ->ArgsProduct({{kDocTypeGeneral, kDocTypeCpp}, {hint::kAppendString, hint::kAppendQuietly}})->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_OpenSameBytesAsText8MB)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
}  // namespace quarn

int main(int argc, char** argv) { return quarn::bench::RunWithQt(argc, argv); }
