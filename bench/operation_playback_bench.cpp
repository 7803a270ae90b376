// Playing back a full recording buffer (61440 bytes: 5120 caret movements)
// in a text window over 1,000,000 rows, against sending the same keys to
// the window directly. Nothing is painted: the host drops invalidations.
#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <string>

#include "BenchHost.h"
#include "core/common/Settings.h"
#include "core/cabinet/CVeskCabinet.h"
#include "core/commands/CommandCatalogue.h"
#include "core/common/ProcessValues.h"
#include "core/document/CVeskDoc.h"
#include "core/macro/COperationManeger.h"
#include "core/macro/OperationRecorder.h"
#include "core/textview/CVeskEV.h"
#include "core/view/CVeskView.h"
#include "fakes/FakeViewParts.h"

namespace quarn {
namespace {

using fakes::NoPlacer;
using fakes::ViewTarget;

constexpr std::size_t kRecords = kRecordBufferSize / kRecordHead;
constexpr int kKeys[] = {vk::kRight, vk::kLeft, vk::kDown, vk::kUp, vk::kNext, vk::kPrior, vk::kHome, vk::kEnd};

struct Fixture {
  Fixture() {
    gCabinet.ResetToType(kDocTypeGeneral);
    std::string line(78, 'a');
    for (std::size_t i = 0; i < line.size(); ++i) line[i] = char('a' + i % 26);
    line += "\r\n";
    std::string text;
    text.reserve(line.size() * 1000000);
    for (int i = 0; i < 1000000; ++i) text += line;
    gProcess.nextDocKind = kTextDoc;
    doc = std::make_unique<CVeskDoc>();
    doc->Format().charsPerLine = 80;
    doc->InsertText(0, reinterpret_cast<const std::uint8_t*>(text.data()), std::uint32_t(text.size()));
    window = std::make_unique<CVeskEV>(*doc, host);
    TextMetric metrics;
    metrics.height = 16;
    metrics.aveCharWidth = 8;
    window->SetScreenFont(LogFont{}, metrics);
    window->OnCreate();
    view = std::make_unique<CVeskView>(*doc, placer);
    view->AttachTextWindow(window.get());
    target.view = view.get();
    operations.SetReplayTarget(&target);
    // Mostly downward moves with Shift now and then, so the caret walks
    // into the text; the buffer is filled to its last byte.
    std::mt19937 random(3);
    for (std::size_t i = 0; i < kRecords; ++i) keys.push_back({kKeys[random() % std::size(kKeys)], random() % 4 == 0});
    operations.StartRecording();
    for (const auto& [key, shift] : keys) window->OnKeyDown(key, 1, KeyState{shift, false});
    operations.StopRecording();
  }
  bench::SizedHost host;
  NoPlacer placer;
  std::unique_ptr<CVeskDoc> doc;
  std::unique_ptr<CVeskEV> window;
  std::unique_ptr<CVeskView> view;
  ViewTarget target;
  COperationManeger operations;
  std::vector<std::pair<int, bool>> keys;
};

Fixture& Shared() {
  static Fixture f;
  return f;
}

void BM_PlayFullBufferOfCaretMoves(benchmark::State& state) {
  Fixture& f = Shared();
  if (f.operations.Used() != kRecordBufferSize) state.SkipWithError("the buffer is not full");
  for (auto _ : state) {
    f.window->OnKeyDown(vk::kHome, 1, KeyState{false, true});
    f.operations.Play();
  }
  state.counters["per_record"] =
      benchmark::Counter(double(state.iterations()) * double(f.operations.Count()), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_SameKeysSentDirectly(benchmark::State& state) {
  Fixture& f = Shared();
  for (auto _ : state) {
    f.window->OnKeyDown(vk::kHome, 1, KeyState{false, true});
    for (const auto& [key, shift] : f.keys) f.window->OnKeyDown(key, 1, KeyState{shift, false});
  }
  state.counters["per_record"] =
      benchmark::Counter(double(state.iterations()) * double(f.keys.size()), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

BENCHMARK(BM_PlayFullBufferOfCaretMoves)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_SameKeysSentDirectly)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
}  // namespace quarn

BENCHMARK_MAIN();
