// Searching large documents: an 8-byte hex pattern found only at the end of
// 300 MB against glibc memmem on the same buffer; a case-insensitive plain
// search over 300 MB of Shift_JIS text against `grep -c -i -F` on the same
// file; replace all of 1,000,000 matches in a 30 MB document, with its peak
// memory; replace all of 111,112 matches in 1 MB in the binary and in the
// text window; the extra memory of replace all in 50 MB at its worst.
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
#include "core/search/CFindReplaceManeger.h"
#include "core/search/Matcher.h"
#include "core/search/TextSearch.h"
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

// 1,000,008 bytes of "foo bar\r\n": 111,112 matches of "foo", replaced by the
// longer "quux" so that every byte after a match moves.
std::vector<std::uint8_t> FooBar() {
  std::vector<std::uint8_t> bytes;
  for (int i = 0; i < 111112; ++i) bytes.insert(bytes.end(), {'f', 'o', 'o', ' ', 'b', 'a', 'r', '\r', '\n'});
  return bytes;
}

void BM_ReplaceAll1MBBinaryWindow(benchmark::State& state) {
  fakes::FakePlatform platform;
  std::vector<std::uint8_t> bytes = FooBar();
  for (auto _ : state) {
    state.PauseTiming();
    auto doc = BinaryDoc(bytes);
    state.ResumeTiming();
    const ReplaceAllResult result = ReplaceAllBytes(*doc, LiteralPattern("foo"), LiteralPattern("quux"), nullptr);
    if (result.count != 111112) state.SkipWithError("wrong count");
    state.PauseTiming();
    doc.reset();
    state.ResumeTiming();
  }
}

// The text window reduced to what replace all asks of it.
class BenchTextWindow : public TextSearchWindow {
 public:
  explicit BenchTextWindow(CVeskDoc& doc) : doc_(doc) {}
  CVeskDoc& Document() override { return doc_; }
  bool HasStreamSelection() const override { return false; }
  bool HasBlockSelection() const override { return false; }
  void CancelBlockSelection() override {}
  std::uint32_t SelectionStart() const override { return 0; }
  std::uint32_t SelectionEnd() const override { return 0; }
  void CancelSelection() override {}
  std::uint32_t CaretPos() const override { return 0; }
  void ShowMatch(std::uint32_t, std::uint32_t) override {}
  void ShowReplaced(std::uint32_t, std::uint32_t) override {}

 private:
  CVeskDoc& doc_;
};

void BM_ReplaceAll1MBTextWindow(benchmark::State& state) {
  fakes::FakePlatform platform;
  gFindReplace = CFindReplaceManeger();
  const std::vector<std::uint8_t> bytes = FooBar();
  for (auto _ : state) {
    state.PauseTiming();
    gProcess.nextDocKind = kTextDoc;
    auto doc = std::make_unique<CVeskDoc>();
    doc->InsertText(0, bytes.data(), std::uint32_t(bytes.size()));
    BenchTextWindow window(*doc);
    TextSearch search(window);
    state.ResumeTiming();
    if (search.ReplaceAll("foo", "quux", true) != 111112) state.SkipWithError("wrong count");
    state.PauseTiming();
    doc.reset();
    state.ResumeTiming();
  }
}

// 50 MB of "a": every byte a match, replaced by the same length, by a
// longer text (the document doubles) and by nothing. Reports the most memory
// the run added over the larger of the old and the new document.
void BM_ReplaceAll50MBExtraMemory(benchmark::State& state) {
  fakes::FakePlatform platform;
  const char* replacements[] = {"b", "bb", ""};
  const std::string replacement = replacements[state.range(0)];
  std::vector<std::uint8_t> bytes(50u << 20, 'a');
  double extra = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto doc = BinaryDoc(bytes);
    std::ofstream("/proc/self/clear_refs") << "5";
    const std::int64_t before = ResidentKb();
    state.ResumeTiming();
    const ReplaceAllResult result = ReplaceAllBytes(*doc, LiteralPattern("a"), LiteralPattern(replacement), nullptr);
    state.PauseTiming();
    if (result.count != bytes.size()) state.SkipWithError("wrong count");
    const double larger = double(std::max<std::size_t>(bytes.size(), doc->TextLength())) / 1024.0;
    extra = std::max(extra, double(PeakKb() - before) / larger);
    doc.reset();
    state.ResumeTiming();
  }
  state.counters["extra_per_larger_doc"] = extra;
}

BENCHMARK(BM_HexSearch300MB)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true)->UseRealTime();
BENCHMARK(BM_Memmem300MB)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true)->UseRealTime();
BENCHMARK(BM_PlainFindNoCase300MB)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true)->UseRealTime();
BENCHMARK(BM_GrepNoCase300MB)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true)->UseRealTime();
BENCHMARK(BM_ReplaceAll1MMatches30MB)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true)->UseRealTime();
BENCHMARK(BM_ReplaceAll1MBBinaryWindow)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true)->UseRealTime();
BENCHMARK(BM_ReplaceAll1MBTextWindow)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true)->UseRealTime();
BENCHMARK(BM_ReplaceAll50MBExtraMemory)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

}  // namespace
}  // namespace quarn

BENCHMARK_MAIN();
