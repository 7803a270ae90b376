// Searching large documents: an 8-byte hex pattern found only at the end of
// 300 MB against glibc memmem on the same buffer; a case-insensitive plain
// search over 300 MB of Shift_JIS text against `grep -c -i -F` on the same
// file; replace all of 1,000,000 matches in a 30 MB document, with its peak
// memory.
#include <benchmark/benchmark.h>
#include <string.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "core/binaryview/BinaryReplaceAll.h"
#include "core/common/ProcessValues.h"
#include "core/document/CVeskDoc.h"
#include "core/search/BytePattern.h"
#include "core/search/Matcher.h"
#include "fakes/FakePlatform.h"

namespace quarn {
namespace {

constexpr std::uint32_t kBig = 300u << 20;
const std::string kTextPath = "/tmp/quarn_search_300mb.txt";
const char kNeedle[] = "\xDE\xAD\xBE\xEF\x01\x02\x03\x04";
const std::string kLiteral = "quarn\x81\x42";  // letters, then a full stop: never in the text

std::uint64_t Next(std::uint64_t& s) {
  s ^= s << 13;
  s ^= s >> 7;
  s ^= s << 17;
  return s;
}

std::unique_ptr<CVeskDoc> BinaryDoc(std::vector<std::uint8_t>& bytes) {
  gProcess.maxBytes = 400u << 20;  // room for a document of 300 MB
  gProcess.nextDocKind = kBinaryDoc;
  auto doc = std::make_unique<CVeskDoc>();
  CPsbManeger& store = doc->Store();
  store.BeginDirect();
  store.Reserve(std::uint32_t(bytes.size()));
  std::copy(bytes.begin(), bytes.end(), store.Data());
  doc->SetTextLength(std::uint32_t(bytes.size()), std::uint32_t(bytes.size()) - 1);
  store.EndDirect();
  return doc;
}

// Random bytes in which the needle can only be at the end.
CVeskDoc& HexDocument() {
  static std::unique_ptr<CVeskDoc> doc = [] {
    std::vector<std::uint8_t> bytes(kBig);
    std::uint64_t s = 88172645463325252ull;
    for (std::size_t i = 0; i + 8 <= bytes.size(); i += 8) {
      const std::uint64_t v = Next(s);
      std::memcpy(bytes.data() + i, &v, 8);
    }
    std::memcpy(bytes.data() + bytes.size() - 8, kNeedle, 8);
    return BinaryDoc(bytes);
  }();
  return *doc;
}

void BM_HexSearch300MB(benchmark::State& state) {
  CVeskDoc& doc = HexDocument();
  const BytePattern pattern = *ParseHexPattern("DEADBEEF01020304");
  for (auto _ : state) {
    const std::uint8_t* data = doc.Store().GetPointer(0);
    const auto hit = FindFirst(data, 0, doc.TextLength(), pattern);
    if (!hit || *hit != kBig - 8) state.SkipWithError("wrong match");
    benchmark::DoNotOptimize(hit);
  }
  state.SetBytesProcessed(std::int64_t(state.iterations()) * kBig);
}

void BM_Memmem300MB(benchmark::State& state) {
  CVeskDoc& doc = HexDocument();
  for (auto _ : state) {
    const std::uint8_t* data = doc.Store().GetPointer(0);
    const void* hit = memmem(data, doc.TextLength(), kNeedle, 8);
    if (hit != data + kBig - 8) state.SkipWithError("wrong match");
    benchmark::DoNotOptimize(hit);
  }
  state.SetBytesProcessed(std::int64_t(state.iterations()) * kBig);
}

// Lines of 20 kanji, 40 letters in both cases and a full stop.
CVeskDoc& TextDocument() {
  static std::unique_ptr<CVeskDoc> doc = [] {
    std::vector<std::uint8_t> bytes(kBig);
    std::uint64_t s = 1234567;
    std::size_t i = 0;
    while (i + 84 <= bytes.size()) {
      for (int k = 0; k < 20; ++k) {
        bytes[i++] = std::uint8_t(0x88 + Next(s) % 8);
        bytes[i++] = std::uint8_t(0x40 + Next(s) % 0x3F);
      }
      for (int k = 0; k < 40; ++k) bytes[i++] = std::uint8_t((Next(s) % 2 ? 'a' : 'A') + Next(s) % 26);
      bytes[i++] = 0x81;
      bytes[i++] = 0x42;
      bytes[i++] = '\r';
      bytes[i++] = '\n';
    }
    while (i < bytes.size()) bytes[i++] = 'z';
    std::ofstream(kTextPath, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), kBig);
    return BinaryDoc(bytes);
  }();
  return *doc;
}

void BM_PlainFindNoCase300MB(benchmark::State& state) {
  CVeskDoc& doc = TextDocument();
  for (auto _ : state) {
    const std::uint8_t* data = doc.Store().GetPointer(0);
    const std::size_t length = doc.TextLength();
    const std::size_t hit = PlainFind(data, length, 0, length - kLiteral.size() + 1, kLiteral, true, false);
    if (hit != kNoMatch) state.SkipWithError("unexpected match");
  }
  state.SetBytesProcessed(std::int64_t(state.iterations()) * kBig);
}

void BM_GrepNoCase300MB(benchmark::State& state) {
  TextDocument();
  const std::string command = "LC_ALL=C grep -c -i -F '" + kLiteral + "' " + kTextPath + " > /dev/null";
  for (auto _ : state) {
    // grep answers 1 when nothing matched.
    if (std::system(command.c_str()) == -1) state.SkipWithError("grep failed");
  }
  state.SetBytesProcessed(std::int64_t(state.iterations()) * kBig);
}

std::int64_t PeakKb() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmHWM:", 0) == 0) return std::atoll(line.c_str() + 6);
  return 0;
}

std::int64_t ResidentKb() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmRSS:", 0) == 0) return std::atoll(line.c_str() + 6);
  return 0;
}

// 30 MB in records of 30 bytes, each holding "ABCD" once; replaced by a
// longer text so that every byte after a match moves.
void BM_ReplaceAll1MMatches30MB(benchmark::State& state) {
  fakes::FakePlatform platform;
  constexpr std::size_t kRecords = 1000000;
  std::vector<std::uint8_t> bytes(kRecords * 30);
  for (std::size_t r = 0; r < kRecords; ++r) {
    std::uint8_t* record = bytes.data() + r * 30;
    std::memset(record, '.', 30);
    std::memcpy(record + 13, "ABCD", 4);
  }
  const BytePattern find = LiteralPattern("ABCD");
  const BytePattern replacement = LiteralPattern("WXYZ12");
  double peakRatio = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto doc = BinaryDoc(bytes);
    std::ofstream("/proc/self/clear_refs") << "5";  // resets the peak to the current size
    const std::int64_t before = ResidentKb();
    state.ResumeTiming();
    const ReplaceAllResult result = ReplaceAllBytes(*doc, find, replacement, nullptr);
    state.PauseTiming();
    if (result.count != kRecords) state.SkipWithError("wrong count");
    const double docKb = double(doc->TextLength()) / 1024.0;
    peakRatio = std::max(peakRatio, double(PeakKb() - before + std::int64_t(bytes.size() / 1024)) / docKb);
    doc.reset();
    state.ResumeTiming();
  }
  // Peak of the document's memory (its block before the run plus what the
  // run added) over the document's final size.
  state.counters["peak_per_doc_size"] = peakRatio;
}

BENCHMARK(BM_HexSearch300MB)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true)->UseRealTime();
BENCHMARK(BM_Memmem300MB)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true)->UseRealTime();
BENCHMARK(BM_PlainFindNoCase300MB)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true)->UseRealTime();
BENCHMARK(BM_GrepNoCase300MB)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true)->UseRealTime();
BENCHMARK(BM_ReplaceAll1MMatches30MB)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true)->UseRealTime();

}  // namespace
}  // namespace quarn

BENCHMARK_MAIN();
