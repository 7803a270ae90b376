// The text tools over large inputs, each against a standard tool on the same
// bytes in the same run:
// - line extraction with the default conditions over an 80 MB log of
//   1,000,000 lines into a document not shown, against `grep -c` for the
//   step 1 string;
// - free conversion of 1 MiB of mixed Japanese text by three class rules;
// - comparison of two 300 MB images that differ in 1,000 rows, against
//   `cmp -l A B > /dev/null`.
// The inputs are made once under /tmp and kept between runs.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <sys/resource.h>

#include "BenchHost.h"
#include "core/app/DocTemplate.h"
#include "core/common/ProcessValues.h"
#include "core/document/CVeskDoc.h"
#include "core/textview/CVeskEV.h"
#include "core/tools/CConvManeger.h"
#include "core/tools/CExtractManeger.h"
#include "core/tools/DocumentComparison.h"
#include "core/app/ToolCommands.h"
#include "core/view/CVeskView.h"
#include "platform/Platform.h"
#include "qt/QtFileSystem.h"

namespace quarn {
namespace {

const std::string kLogPath = "/tmp/quarn_tools_log_80mb.txt";
const std::string kPatternPath = "/tmp/quarn_tools_step1.pat";
const std::string kImageA = "/tmp/quarn_tools_image_a.bin";
const std::string kImageB = "/tmp/quarn_tools_image_b.bin";
constexpr std::size_t kImageBytes = 300u * 1000 * 1000;
constexpr int kDifferingRows = 1000;

// A captured terminal log: mail headers, bodies, the paging prompt and the
// prompt after each mail, 1,000,000 lines of 80 bytes on average.
void MakeLog() {
  if (std::filesystem::exists(kLogPath)) return;
  const CExtractManeger defaults;
  std::ofstream(kPatternPath, std::ios::binary) << defaults.step1[0].text << "\n";
  std::mt19937 rng(9);
  std::string out;
  out.reserve(81000000);
  for (int line = 0; line < 1000000;) {
    out += "From: someone@example.jp\r\n" + defaults.starts[0].text + "meeting notes\r\n";
    line += 2;
    for (int body = 0; body < 20 && line < 1000000; ++body, ++line) {
      if (body == 12) {
        out += defaults.step1[0].text + "\r\n";
        continue;
      }
      std::string text(60 + rng() % 40, 'x');
      for (char& c : text) c = char('a' + rng() % 26);
      out += text + "\r\n";
    }
    out += defaults.ends[0].text + "\r\n";
    ++line;
  }
  std::ofstream(kLogPath, std::ios::binary) << out;
}

struct Source {
  Source() {
    MakeLog();
    Platform().files = &files;
    gProcess.nextDocKind = kTextDoc;
    doc = std::make_unique<CVeskDoc>();
    doc->Format().charsPerLine = 80;
    if (!doc->OnOpenDocument(kLogPath)) std::abort();
  }
  qt::QtFileSystem files;
  std::unique_ptr<CVeskDoc> doc;
};

struct NoPlacer : ChildPlacer {
  void MoveChild(ViewChild, const Rect&) override {}
  void ShowChild(ViewChild, bool) override {}
  void FocusChild(ViewChild) override {}
};

// A text document with its view and window, not shown.
struct Target {
  Target() {
    gProcess.nextDocKind = kTextDoc;
    doc = std::make_unique<CVeskDoc>();
    TextMetric metrics;
    metrics.height = 16;
    metrics.aveCharWidth = 8;
    window = std::make_unique<CVeskEV>(*doc, host);
    window->SetScreenFont(LogFont{}, metrics);
    window->OnCreate();
    view = std::make_unique<CVeskView>(*doc, placer);
    view->AttachTextWindow(window.get());
  }
  bench::SizedHost host;
  NoPlacer placer;
  std::unique_ptr<CVeskDoc> doc;
  std::unique_ptr<CVeskEV> window;
  std::unique_ptr<CVeskView> view;
};

void BM_ExtractDefaults80MB(benchmark::State& state) {
  static Source source;
  CExtractManeger m;
  m.noDisplay = true;
  m.showInformation = false;
  std::uint32_t bytes = 0;
  for (auto _ : state) {
    Target target;
    if (!ExtractInto(m, Documents(), *source.doc, *target.doc)) state.SkipWithError("nothing extracted");
    bytes = target.doc->TextLength();
  }
  state.counters["result_bytes"] = bytes;
}

// The steps alone (step 1, or both), without writing the result.
void BM_ExtractPlanOnly80MB(benchmark::State& state) {
  static Source source;
  CExtractManeger m;
  const std::uint32_t length = source.doc->TextLength();
  const std::uint8_t* text = source.doc->Store().GetPointer(0);
  for (auto _ : state) {
    ExtractPlan plan;
    m.Plan(std::uint32_t(state.range(0)), text, length, plan);
    benchmark::DoNotOptimize(plan.lines.data());
  }
}

// The CPU time of the commands the benchmark ran, as a counter.
void ChildCpu(benchmark::State& state, const std::string& command) {
  struct rusage before {}, after {};
  getrusage(RUSAGE_CHILDREN, &before);
  for (auto _ : state)
    if (std::system(command.c_str()) == -1) state.SkipWithError("command failed");
  getrusage(RUSAGE_CHILDREN, &after);
  auto ms = [](const timeval& t) { return double(t.tv_sec) * 1000 + double(t.tv_usec) / 1000; };
  state.counters["child_cpu_ms"] = benchmark::Counter(
      ms(after.ru_utime) + ms(after.ru_stime) - ms(before.ru_utime) - ms(before.ru_stime), benchmark::Counter::kAvgIterations);
}

void BM_GrepCountStep1(benchmark::State& state) {
  MakeLog();
  // Through a pipe: grep stops at the first match when its output is /dev/null.
  ChildCpu(state, "LC_ALL=C grep -c -F -f " + kPatternPath + " " + kLogPath + " | cat > /dev/null");
}

// 1 MiB of hiragana, katakana, kanji, Latin letters, digits and half-width kana.
std::string MixedText() {
  const char* pieces[] = {"\x82\xa0\x82\xa2\x82\xa4", "\x83\x41\x83\x43", "\x8a\xbf\x8e\x9a", "Abc", "123",
                          "\xb6\xde\xb7", "\x81\x42", " ", "\r\n"};
  std::mt19937 rng(3);
  std::string text;
  while (text.size() < CConvManeger::kMaxSource - 8) text += pieces[rng() % std::size(pieces)];
  return text;
}

void BM_Convert1MiBThreeClassRules(benchmark::State& state) {
  static const std::string text = MixedText();
  CConvManeger m;
  m.rules = {{28, "", 27, ""}, {17, "", 27, ""}, {15, "", 24, ""}};
  for (auto _ : state) {
    ConvOutcome o = m.Convert(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
    benchmark::DoNotOptimize(o.output.data());
  }
}

void MakeImages() {
  if (std::filesystem::exists(kImageB)) return;
  std::vector<char> bytes(kImageBytes);
  std::mt19937 rng(11);
  for (std::size_t i = 0; i < bytes.size(); i += 4) {
    const std::uint32_t v = rng();
    std::memcpy(&bytes[i], &v, std::min<std::size_t>(4, bytes.size() - i));
  }
  std::ofstream(kImageA, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
  const std::size_t rows = kImageBytes / 16;
  for (int k = 0; k < kDifferingRows; ++k) bytes[(rows / kDifferingRows * std::size_t(k)) * 16 + std::size_t(k % 16)] ^= 0x5A;
  std::ofstream(kImageB, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
}

std::vector<std::uint8_t> ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void BM_Compare300MB(benchmark::State& state) {
  MakeImages();
  static const std::vector<std::uint8_t> a = ReadAll(kImageA), b = ReadAll(kImageB);
  BinaryRowFormat format;
  format.layout.SetShape(16, 8);
  std::uint64_t rows = 0;
  for (auto _ : state) {
    Target target;
    CVeskDoc& doc = *target.doc;
    // As the command writes its result: checked for room, appended quietly.
    rows = CompareDocuments(a.data(), a.size(), b.data(), b.size(), format, "-", [&](const std::string& text) {
      if (!doc.EnsureTextRoom(std::uint32_t(text.size()))) return false;
      doc.AppendToViews(hint::kAppendQuietly, reinterpret_cast<const std::uint8_t*>(text.data()), std::uint32_t(text.size()));
      return true;
    }, {}).differingRows;
  }
  state.counters["rows"] = double(rows);
}

// As written, and through a pipe: cmp stops at the first difference when its
// output is /dev/null, so only the second reads both images whole.
void BM_CmpL300MB(benchmark::State& state) {
  MakeImages();
  ChildCpu(state, "cmp -l " + kImageA + " " + kImageB + (state.range(0) ? " | cat" : "") + " > /dev/null");
}

BENCHMARK(BM_ExtractDefaults80MB)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);
BENCHMARK(BM_ExtractPlanOnly80MB)->Arg(1)->Arg(3)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);
BENCHMARK(BM_GrepCountStep1)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);
BENCHMARK(BM_Convert1MiBThreeClassRules)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);
BENCHMARK(BM_Compare300MB)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);
BENCHMARK(BM_CmpL300MB)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);

}  // namespace
}  // namespace quarn

int main(int argc, char** argv) { return quarn::bench::RunWithQt(argc, argv); }
