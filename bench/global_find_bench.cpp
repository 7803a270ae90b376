// Global find of a plain string over a generated tree, the result lines
// appended to a text document, against `grep -rnF` on the same tree. The
// tree (QUARN_GF_MB megabytes, default 500, in 20,000 files with five
// matching lines each) is made once under /tmp and kept between runs.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "core/common/ProcessValues.h"
#include "core/document/CVeskDoc.h"
#include "core/search/GlobalFind.h"
#include "qt/QtDirectoryLister.h"
#include "qt/QtFileSystem.h"

namespace quarn {
namespace {

constexpr int kDirs = 200;
constexpr int kFilesPerDir = 100;
constexpr int kHitsPerFile = 5;
const char kNeedle[] = "quarnneedle";

std::string TreeRoot() {
  const char* mb = std::getenv("QUARN_GF_MB");
  return std::string("/tmp/quarn_global_find_tree_") + (mb ? mb : "500") + "/";
}

void MakeTree() {
  namespace fs = std::filesystem;
  const std::string root = TreeRoot();
  if (fs::exists(root + "done")) return;
  const char* mbText = std::getenv("QUARN_GF_MB");
  const std::size_t fileBytes = std::size_t(mbText ? std::atoi(mbText) : 500) * 1000000 / (kDirs * kFilesPerDir);
  std::mt19937 rng(20);
  std::string line;
  for (int d = 0; d < kDirs; ++d) {
    const std::string dir = root + "d" + std::to_string(d / 20) + "/s" + std::to_string(d % 20) + "/";
    fs::create_directories(dir);
    for (int f = 0; f < kFilesPerDir; ++f) {
      std::string data;
      data.reserve(fileBytes + 100);
      while (data.size() < fileBytes) {
        line.assign(40 + rng() % 40, 'a');
        for (char& c : line) c = char('a' + rng() % 26);
        data += line + "\r\n";
      }
      // Hits on lines spread through the file.
      for (int h = 0; h < kHitsPerFile; ++h) {
        std::size_t at = data.find("\r\n", rng() % data.size());
        if (at == std::string::npos) at = 0; else at += 2;
        data.insert(at, std::string(kNeedle) + " ");
      }
      std::ofstream(dir + "f" + std::to_string(f) + ".c", std::ios::binary) << data;
    }
  }
  std::ofstream(root + "done") << "1";
}

struct ToDocument : GlobalFindProgress {
  explicit ToDocument(CVeskDoc& d) : doc(d) {}
  void Searching(const std::string&) override {}
  void Found(const std::string& line, std::uint32_t count) override {
    if (count == 1) first = std::chrono::steady_clock::now();
    doc.InsertText(doc.TextLength(), reinterpret_cast<const std::uint8_t*>(line.data()), std::uint32_t(line.size()));
  }
  bool Stopped() override { return false; }
  CVeskDoc& doc;
  std::chrono::steady_clock::time_point first;
};

void BM_GlobalFind(benchmark::State& state) {
  MakeTree();
  qt::QtFileSystem files;
  qt::QtDirectoryLister lister;
  double firstSeconds = 0;
  std::uint32_t matches = 0;
  std::uint32_t documentBytes = 0;
  for (auto _ : state) {
    gProcess.nextDocKind = kTextDoc;
    CVeskDoc doc;
    ToDocument progress(doc);
    const auto start = std::chrono::steady_clock::now();
    const GlobalFindCounts counts =
        SearchFiles({TreeRoot() + "*.c", kNeedle, true, {true, false, true}}, files, lister, progress);
    firstSeconds = std::chrono::duration<double>(progress.first - start).count();
    matches = counts.matches;
    documentBytes = doc.TextLength();
  }
  state.counters["document_bytes"] = documentBytes;
  state.counters["matches"] = matches;
  state.counters["first_result_ms"] = firstSeconds * 1000;
}
BENCHMARK(BM_GlobalFind)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_GrepRnF(benchmark::State& state) {
  MakeTree();
  const std::string command = std::string("grep -rnF ") + kNeedle + " " + TreeRoot() + " --include='*.c' > /dev/null";
  for (auto _ : state)
    if (std::system(command.c_str()) != 0) state.SkipWithError("grep failed");
}
BENCHMARK(BM_GrepRnF)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace quarn

BENCHMARK_MAIN();
