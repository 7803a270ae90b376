// Capturing a program's output: `cat` of a 50 MB Shift_JIS text read into a
// new text document through its view and text window, against `cat FILE >
// /dev/null` and opening the same file as a text document, in the same run.
#include <benchmark/benchmark.h>

#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "BenchHost.h"
#include "core/common/ProcessValues.h"
#include "core/document/CVeskDoc.h"
#include "core/textview/CVeskEV.h"
#include "core/tools/ProgramOutput.h"
#include "core/view/CVeskView.h"
#include "platform/Platform.h"
#include "platform/PosixProcessService.h"
#include "qt/QtFileSystem.h"

namespace quarn {
namespace {

using bench::SizedHost;

const std::string kPath = "/tmp/quarn_bench_capture_50mb.txt";
constexpr std::size_t kSize = 50000000;

class NoPlacer : public ChildPlacer {
 public:
  void MoveChild(ViewChild, const Rect&) override {}
  void ShowChild(ViewChild, bool) override {}
  void FocusChild(ViewChild) override {}
};

void Prepare() {
  static bool done = [] {
    std::ifstream existing(kPath, std::ios::binary | std::ios::ate);
    if (!existing || std::size_t(existing.tellg()) != kSize) {
      // Lines of 20 kanji and 40 letters ended by CR LF.
      std::vector<char> data(kSize, 'z');
      std::mt19937 random(5);
      for (std::size_t i = 0; i + 82 <= kSize;) {
        for (int k = 0; k < 20; ++k) data[i++] = char(0x88 + random() % 8), data[i++] = char(0x40 + random() % 0x3F);
        for (int k = 0; k < 40; ++k) data[i++] = char('a' + random() % 26);
        data[i++] = '\r', data[i++] = '\n';
      }
      std::ofstream(kPath, std::ios::binary).write(data.data(), std::streamsize(kSize));
    }
    static qt::QtFileSystem files;
    Platform().files = &files;
    return true;
  }();
  (void)done;
}

void Drain(ChildProcess& child) {
  std::vector<char> buffer(1 << 16);
  while (child.read(buffer.data(), buffer.size(), 50) != 0) {
  }
}

void BM_CatToDevNull(benchmark::State& state) {
  Prepare();
  PosixProcessService processes;
  for (auto _ : state) {
    auto child = processes.start(ProcessRequest{{"/bin/sh", "-c", "cat " + kPath + " > /dev/null"}, {}, true, false});
    Drain(*child);
  }
}

void BM_OpenAsText(benchmark::State& state) {
  Prepare();
  for (auto _ : state) {
    gProcess.nextDocKind = kTextDoc;
    auto doc = std::make_unique<CVeskDoc>();
    if (!doc->OnOpenDocument(kPath)) state.SkipWithError("open failed");
    benchmark::DoNotOptimize(doc->TextLength());
    state.PauseTiming();
    doc.reset();
    state.ResumeTiming();
  }
}

void BM_CaptureCat(benchmark::State& state) {
  Prepare();
  PosixProcessService processes;
  for (auto _ : state) {
    gProcess.nextDocKind = kTextDoc;
    auto doc = std::make_unique<CVeskDoc>();
    NoPlacer placer;
    CVeskView view(*doc, placer);
    SizedHost host;
    CVeskEV window(*doc, host);
    view.AttachTextWindow(&window);
    window.OnCreate();
    auto child = processes.start(ProcessRequest{{"cat", kPath}, {}, true, false});
    CaptureOutput(
        *child,
        [&doc](const std::string& text) {
          if (!doc->EnsureTextRoom(std::uint32_t(text.size()))) return false;
          doc->AppendToViews(hint::kAppendBytes, reinterpret_cast<const std::uint8_t*>(text.data()),
                             std::uint32_t(text.size()));
          return true;
        },
        [](unsigned long) { return true; });
    if (doc->TextLength() != kSize) state.SkipWithError("capture lost bytes");
    state.PauseTiming();
    view.AttachTextWindow(nullptr);
    state.ResumeTiming();
  }
}

BENCHMARK(BM_CatToDevNull)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_OpenAsText)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CaptureCat)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace quarn

BENCHMARK_MAIN();
