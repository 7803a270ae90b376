// Opening large files: a 300 MB binary file and an 80 MB Shift_JIS text of
// about 950,000 rows, read from the page cache, against `cat FILE >
// /dev/null` and `wc -l FILE` on the same files in the same run.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "core/common/ProcessValues.h"
#include "core/document/CVeskDoc.h"
#include "platform/Platform.h"
#include "qt/QtFileSystem.h"

namespace quarn {
namespace {

const std::string kBinaryPath = "/tmp/quarn_bench_300mb.bin";
const std::string kTextPath = "/tmp/quarn_bench_80mb.txt";

void WriteOnce(const std::string& path, std::size_t size, bool text) {
  std::ifstream existing(path, std::ios::binary | std::ios::ate);
  if (existing && std::size_t(existing.tellg()) == size) return;
  std::vector<char> data(size);
  std::mt19937 random(3);
  if (!text) {
    for (char& c : data) c = char(random());
  } else {
    // Lines of 20 kanji, 40 letters and a full stop: one row each.
    std::size_t i = 0;
    while (i + 84 <= size) {
      for (int k = 0; k < 20; ++k) {
        data[i++] = char(0x88 + random() % 8);
        data[i++] = char(0x40 + random() % 0x3F);
      }
      for (int k = 0; k < 40; ++k) data[i++] = char('a' + random() % 26);
      data[i++] = char(0x81);
      data[i++] = char(0x42);
      data[i++] = '\r';
      data[i++] = '\n';
    }
    while (i < size) data[i++] = 'z';
  }
  std::ofstream(path, std::ios::binary).write(data.data(), std::streamsize(size));
}

struct Files {
  Files() {
    WriteOnce(kBinaryPath, 300u << 20, false);
    WriteOnce(kTextPath, 80000000, true);
    Platform().files = &files;
  }
  qt::QtFileSystem files;
};

Files& Prepared() {
  static Files files;
  return files;
}

void Open(benchmark::State& state, int kind, const std::string& path) {
  Prepared();
  for (auto _ : state) {
    gProcess.nextDocKind = kind;
    auto doc = std::make_unique<CVeskDoc>();
    if (!doc->OnOpenDocument(path)) state.SkipWithError("open failed");
    benchmark::DoNotOptimize(doc->TextLength());
    state.counters["rows"] = double(doc->RowCount());
    // Closing the document (giving its memory back) is not part of opening.
    state.PauseTiming();
    doc.reset();
    state.ResumeTiming();
  }
}

void Command(benchmark::State& state, const std::string& command) {
  Prepared();
  for (auto _ : state) {
    if (std::system(command.c_str()) != 0) state.SkipWithError("command failed");
  }
}

void BM_OpenBinary300MB(benchmark::State& state) { Open(state, kBinaryDoc, kBinaryPath); }
void BM_Cat300MB(benchmark::State& state) { Command(state, "cat " + kBinaryPath + " > /dev/null"); }
void BM_OpenText80MB(benchmark::State& state) { Open(state, kTextDoc, kTextPath); }
void BM_WcLines80MB(benchmark::State& state) { Command(state, "wc -l " + kTextPath + " > /dev/null"); }

BENCHMARK(BM_OpenBinary300MB)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true)->UseRealTime();
BENCHMARK(BM_Cat300MB)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true)->UseRealTime();
BENCHMARK(BM_OpenText80MB)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true)->UseRealTime();
BENCHMARK(BM_WcLines80MB)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true)->UseRealTime();

}  // namespace
}  // namespace quarn

BENCHMARK_MAIN();
