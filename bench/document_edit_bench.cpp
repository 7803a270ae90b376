// What one typed byte costs in large documents: a byte inserted in the
// middle of a 300 MB binary document with its undo record (against moving
// the 150 MB tail once), and a byte inserted in the middle of an 80 MB
// Shift_JIS text of about 950,000 rows, with the relayout of its line and
// the row table's tail.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <random>
#include <vector>

#include "core/common/ProcessValues.h"
#include "core/document/CVeskDoc.h"
#include "core/document/CVeskRD.h"

namespace quarn {
namespace {

constexpr std::uint32_t kBinaryBytes = 300000000;
constexpr std::uint32_t kTextBytes = 80000000;

std::unique_ptr<CVeskDoc> MakeDocument(int kind, std::uint32_t length, std::uint32_t lastCharPos,
                                       void (*fill)(std::uint8_t*, std::uint32_t)) {
  gProcess.nextDocKind = kind;
  auto doc = std::make_unique<CVeskDoc>();
  if (doc->Store().Reserve(length) > 1) return nullptr;
  doc->Store().BeginDirect();
  fill(doc->Store().Data(), length);
  doc->Store().EndDirect();
  doc->SetTextLength(length, lastCharPos);
  doc->RebuildRows();
  return doc;
}

void FillBinary(std::uint8_t* data, std::uint32_t n) {
  std::mt19937 random(1);
  for (std::uint32_t i = 0; i < n; ++i) data[i] = std::uint8_t(random());
}

// Lines of 20 kanji, 40 letters and a hanging full stop: 82 columns, one
// row each with kinsoku on at 80 characters per line.
void FillText(std::uint8_t* data, std::uint32_t n) {
  std::mt19937 random(2);
  std::uint32_t i = 0;
  while (i + 84 <= n) {
    for (int k = 0; k < 20; ++k) {
      data[i++] = std::uint8_t(0x88 + random() % 8);
      data[i++] = std::uint8_t(0x40 + random() % 0x3F);
    }
    for (int k = 0; k < 40; ++k) data[i++] = std::uint8_t('a' + random() % 26);
    data[i++] = 0x81;
    data[i++] = 0x42;
    data[i++] = 0x0D;
    data[i++] = 0x0A;
  }
  while (i < n) data[i++] = 'z';
}

CVeskDoc& BinaryDocument() {
  static auto doc = MakeDocument(kBinaryDoc, kBinaryBytes, kBinaryBytes - 1, FillBinary);
  return *doc;
}

CVeskDoc& TextDocument() {
  static std::unique_ptr<CVeskDoc> doc = [] {
    gProcess.nextDocKind = kTextDoc;
    auto d = std::make_unique<CVeskDoc>();
    d->Format().charsPerLine = 80;
    d->Layout().kinsoku = true;
    const std::uint32_t n = kTextBytes;
    if (d->Store().Reserve(n) > 1) return std::unique_ptr<CVeskDoc>();
    d->Store().BeginDirect();
    FillText(d->Store().Data(), n);
    d->Store().EndDirect();
    d->SetTextLength(n, n - 1);
    d->RebuildRows();
    return d;
  }();
  return *doc;
}

void BM_BinaryInsertByteInMiddle(benchmark::State& state) {
  CVeskDoc& doc = BinaryDocument();
  const std::uint32_t middle = kBinaryBytes / 2;
  const std::uint8_t byte = 0x5A;
  for (auto _ : state) {
    if (!doc.EnsureTextRoom(1)) state.SkipWithError("no room");
    doc.InsertBytes(middle, &byte, 1);
    if (CVeskRD::Push(doc, doc.Undo(), CVeskRD::kInserted, middle, 1, true) != 2) state.SkipWithError("no undo");
  }
  state.counters["length"] = double(doc.TextLength());
}

void BM_MemmoveHalfOf300MB(benchmark::State& state) {
  static std::vector<std::uint8_t> block(kBinaryBytes + 4096, 1);
  const std::size_t middle = kBinaryBytes / 2;
  for (auto _ : state) {
    std::memmove(block.data() + middle + 1, block.data() + middle, kBinaryBytes - middle);
    benchmark::ClobberMemory();
  }
}

void BM_TextInsertByteInMiddle(benchmark::State& state) {
  CVeskDoc& doc = TextDocument();
  // The start of a line in the middle, then a few characters into it.
  const std::uint32_t middle = doc.LineStartPos(kTextBytes / 2) + 6;
  const std::uint8_t byte = 'a';
  for (auto _ : state) {
    benchmark::DoNotOptimize(doc.InsertText(middle, &byte, 1));
    state.PauseTiming();
    doc.DeleteText(middle, 1);
    state.ResumeTiming();
  }
  state.counters["rows"] = double(doc.RowCount());
}

// Laying the whole 80 MB text out, as after loading it.
void BM_TextRebuildRows(benchmark::State& state) {
  CVeskDoc& doc = TextDocument();
  for (auto _ : state) doc.RebuildRows();
  state.counters["rows"] = double(doc.RowCount());
}

BENCHMARK(BM_BinaryInsertByteInMiddle)->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MemmoveHalfOf300MB)->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TextInsertByteInMiddle)->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TextRebuildRows)->Iterations(2)->Repetitions(3)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quarn

BENCHMARK_MAIN();
