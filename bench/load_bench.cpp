// Opening large files: a 300 MB binary file and an 80 MB Shift_JIS text of
// about 950,000 rows, read from the page cache, against `cat FILE >
// /dev/null` and `wc -l FILE` on the same files in the same run. Each is
// opened with the large blocks in heap memory (the old way) and in huge-page
// mappings, first once (the first open of the process, while the kernel
// still assembles huge pages) and then repeatedly.
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
#include "platform/LargeBlock.h"
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

void Open(benchmark::State& state, int kind, const std::string& path, bool mapped) {
  Prepared();
  LargeBlock::UseMappings(mapped);
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
  LargeBlock::UseMappings(true);
}

void Command(benchmark::State& state, const std::string& command) {
  Prepared();
  for (auto _ : state) {
    if (std::system(command.c_str()) != 0) state.SkipWithError("command failed");
  }
}

void BM_Cat300MB(benchmark::State& state) { Command(state, "cat " + kBinaryPath + " > /dev/null"); }
void BM_WcLines80MB(benchmark::State& state) { Command(state, "wc -l " + kTextPath + " > /dev/null"); }

void Repeated(benchmark::internal::Benchmark* b) {
  b->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true)->UseRealTime();
}
void FirstOnly(benchmark::internal::Benchmark* b) {
  b->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
}

BENCHMARK(BM_Cat300MB)->Apply(Repeated);
BENCHMARK_CAPTURE(Open, Binary300MB_Heap_First, kBinaryDoc, kBinaryPath, false)->Apply(FirstOnly);
BENCHMARK_CAPTURE(Open, Binary300MB_Heap, kBinaryDoc, kBinaryPath, false)->Apply(Repeated);
BENCHMARK_CAPTURE(Open, Binary300MB_Mapped_First, kBinaryDoc, kBinaryPath, true)->Apply(FirstOnly);
BENCHMARK_CAPTURE(Open, Binary300MB_Mapped, kBinaryDoc, kBinaryPath, true)->Apply(Repeated);
BENCHMARK(BM_WcLines80MB)->Apply(Repeated);
BENCHMARK_CAPTURE(Open, Text80MB_Heap_First, kTextDoc, kTextPath, false)->Apply(FirstOnly);
BENCHMARK_CAPTURE(Open, Text80MB_Heap, kTextDoc, kTextPath, false)->Apply(Repeated);
BENCHMARK_CAPTURE(Open, Text80MB_Mapped_First, kTextDoc, kTextPath, true)->Apply(FirstOnly);
BENCHMARK_CAPTURE(Open, Text80MB_Mapped, kTextDoc, kTextPath, true)->Apply(Repeated);

}  // namespace
}  // namespace quarn

BENCHMARK_MAIN();
