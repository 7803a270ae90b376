// A global find with 100,000 hits run as the user runs it: the command of
// the real main frame under the offscreen platform, the result window shown
// and following the hits, timed from the command to the summary and to the
// frame that shows the last hit; against `grep -rnF` on the same tree in
// the same run. The tree (200 files of 1,000 lines, half of them hits) is
// made once under /tmp and kept between runs.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include <sys/resource.h>

#include "core/app/DocTemplate.h"
#include "core/app/GlobalFindCommand.h"
#include "core/commands/CommandIds.h"
#include "core/document/CVeskDoc.h"
#include "core/common/ParameterBlock.h"
#include "core/textview/CVeskEV.h"
#include "core/view/CVeskView.h"
#include "fakes/FakePlatform.h"
#include "platform/DirectoryList.h"
#include "qt/QtDirectoryLister.h"
#include "qt/QtFileSystem.h"
#include "qt/QtMainFrame.h"

namespace quarn {
namespace {

constexpr int kFiles = 200;
constexpr int kLinesPerFile = 1000;
const char kNeedle[] = "quarnneedle";
const std::string kRoot = "/tmp/quarn_shown_global_find_tree/";

void MakeTree() {
  namespace fs = std::filesystem;
  if (fs::exists(kRoot + "done")) return;
  fs::create_directories(kRoot + "src");
  std::mt19937 rng(7);
  for (int f = 0; f < kFiles; ++f) {
    std::string data;
    for (int l = 0; l < kLinesPerFile; ++l) {
      std::string line(60 + rng() % 20, 'a');
      for (char& c : line) c = char('a' + rng() % 26);
      if (l % 2 == 0) line.replace(rng() % 40, sizeof kNeedle - 1, kNeedle);
      data += line + "\r\n";
    }
    std::ofstream(kRoot + "src/f" + std::to_string(f) + ".c", std::ios::binary) << data;
  }
  std::ofstream(kRoot + "done") << "1";
}

// Whether the result window shows its last row with the caret on it.
bool ShowsTheEnd(qt::QtMainFrame& frame) {
  CVeskView* view = frame.ActiveView();
  auto* window = view ? dynamic_cast<CVeskEV*>(view->TextWindow()) : nullptr;
  if (!window) return false;
  return window->CaretOffset() == view->GetDocument().TextLength() && view->Rulers().caretRow == window->Caret().row;
}

void BM_ShownGlobalFind(benchmark::State& state) {
  MakeTree();
  fakes::FakePlatform platform;  // the summary's message box answers at once
  qt::QtFileSystem files;
  Platform().files = &files;
  qt::QtDirectoryLister lister;
  Directories() = &lister;
  qt::QtMainFrame frame;
  frame.resize(1000, 700);
  frame.show();
  QApplication::processEvents();
  double summaryMs = 0;
  std::uint32_t bytes = 0;
  for (auto _ : state) {
    const GlobalFindParameters p{true, true, kNeedle, kRoot + "*.c", true, false};
    QElapsedTimer timer;
    timer.start();
    {
      ScopedParameterBlock block(GlobalFindRecord(p));
      frame.runCommand(cmd::kGlobalFind);
    }
    summaryMs = double(timer.nsecsElapsed()) / 1e6;
    for (int i = 0; i < 1000 && !ShowsTheEnd(frame); ++i) QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    state.PauseTiming();
    bytes = Documents().Count() ? Documents().At(0).TextLength() : 0;
    Documents().CloseAll();
    QApplication::processEvents();
    state.ResumeTiming();
  }
  state.counters["summary_ms"] = summaryMs;
  state.counters["document_bytes"] = bytes;
  Directories() = nullptr;
}
BENCHMARK(BM_ShownGlobalFind)->Unit(benchmark::kMillisecond)->Iterations(3)->MeasureProcessCPUTime();

void BM_GrepRnF(benchmark::State& state) {
  MakeTree();
  const std::string command = std::string("grep -rnF ") + kNeedle + " " + kRoot + " --include='*.c' > /tmp/quarn_grep_output.txt";
  rusage before{};
  getrusage(RUSAGE_CHILDREN, &before);
  for (auto _ : state)
    if (std::system(command.c_str()) != 0) state.SkipWithError("grep failed");
  rusage after{};
  getrusage(RUSAGE_CHILDREN, &after);
  const auto ms = [](const timeval& t) { return double(t.tv_sec) * 1e3 + double(t.tv_usec) / 1e3; };
  // The CPU column counts this process only: grep's own time, per run.
  state.counters["grep_cpu_ms"] = (ms(after.ru_utime) + ms(after.ru_stime) - ms(before.ru_utime) - ms(before.ru_stime)) /
                                  double(state.iterations());
}
BENCHMARK(BM_GrepRnF)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace quarn

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
