// Printing: laying a 32 MB text of 400,000 lines out at the printed width
// against opening the same file as a text document, and printing 100 pages
// of a text and of a binary document to PDF through Qt's printer.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "core/common/ProcessValues.h"
#include "core/document/CVeskDoc.h"
#include "core/print/CPrtManeger.h"
#include "core/print/PrintPage.h"
#include "fakes/RecordingCanvas.h"
#include "platform/Platform.h"
#include "qt/QtFileSystem.h"
#include "qt/QtPrintService.h"

namespace quarn {
namespace {

const std::string kTextPath = "/tmp/quarn_bench_print_32mb.txt";
constexpr PrintDevice kA4{600, 600, 4960, 7016};

void WriteOnce() {
  std::ifstream existing(kTextPath, std::ios::binary | std::ios::ate);
  if (existing && existing.tellg() == 32000000) return;
  std::string line;
  for (int i = 0; i < 39; ++i) line += "\x93\xfa";  // 日: 78 bytes and CR LF
  line += "\r\n";
  std::ofstream out(kTextPath, std::ios::binary);
  for (int i = 0; i < 400000; ++i) out << line;
}

std::unique_ptr<CVeskDoc> Open(int kind) {
  static qt::QtFileSystem files;
  Platform().files = &files;
  WriteOnce();
  gProcess.nextDocKind = kind;
  auto doc = std::make_unique<CVeskDoc>();
  if (!doc->OnOpenDocument(kTextPath)) return nullptr;
  return doc;
}

void BM_OpenText(benchmark::State& state) {
  for (auto _ : state) {
    auto doc = Open(kTextDoc);
    benchmark::DoNotOptimize(doc->RowCount());
    state.PauseTiming();
    doc.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_OpenText)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PrepareTextRows(benchmark::State& state) {
  auto doc = Open(kTextDoc);
  fakes::RecordingCanvas canvas;
  canvas.metrics.aveCharWidth = 38;
  canvas.metrics.height = 75;
  PageLayoutFields fields;
  CPrtManeger manager(fields);
  manager.Paginate(canvas, kA4, doc->Format().charsPerLine, false);
  for (auto _ : state) {
    manager.PrepareTextRows(*doc, false, 0, 0, 1000000);
    benchmark::DoNotOptimize(manager.RowStarts().data());
  }
  state.counters["rows"] = double(manager.RowStarts().size());
}
BENCHMARK(BM_PrepareTextRows)->Unit(benchmark::kMillisecond)->UseRealTime();

// The first pages of a document, printed as the print command prints them.
class BenchJob : public PrintJob {
 public:
  BenchJob(CVeskDoc& doc, unsigned pages) : doc_(doc), pages_(pages), manager_(fields_) {}
  unsigned Begin(Canvas& canvas, const PrintDevice& device, bool) override {
    const bool binary = doc_.DocKind() != kTextDoc;
    if (!manager_.Paginate(canvas, device, doc_.Format().charsPerLine, binary)) return 0;
    if (!binary) manager_.PrepareTextRows(doc_, false, 0, 0, 1000000);
    return pages_;
  }
  void PrintPage(Canvas& canvas, unsigned page) override {
    PagePrinter printer(canvas, manager_, doc_, stamp_);
    printer.DrawHeaderFooter(page);
    if (doc_.DocKind() == kTextDoc) printer.DrawTextPage(page, false);
    else printer.DrawBinaryPage(page, settings_, 0, 0xFFFFFFFF);
  }
  void End() override { manager_.EndPrinting(); }

 private:
  CVeskDoc& doc_;
  unsigned pages_;
  PageLayoutFields fields_;
  CPrtManeger manager_;
  PrintStamp stamp_{"26/01/01", "00:00:00"};
  BinaryViewSettings settings_;
};

void PrintPdf(benchmark::State& state, int kind) {
  auto doc = Open(kind);
  QTemporaryDir dir;
  const QString pdf = dir.filePath(QStringLiteral("out.pdf"));
  for (auto _ : state) {
    BenchJob job(*doc, 100);
    if (!qt::QtPrintService::PrintToPdf(job, pdf)) state.SkipWithError("print failed");
  }
}
void BM_PrintText100Pages(benchmark::State& state) { PrintPdf(state, kTextDoc); }
void BM_PrintBinary100Pages(benchmark::State& state) { PrintPdf(state, kBinaryDoc); }
BENCHMARK(BM_PrintText100Pages)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_PrintBinary100Pages)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace
}  // namespace quarn

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
