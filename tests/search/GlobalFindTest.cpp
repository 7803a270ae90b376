#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>

#include "core/search/GlobalFind.h"
#include "fakes/FakeGlobalFind.h"
#include "fakes/FakePlatform.h"

namespace quarn {
namespace {

using fakes::FakeLister;

struct Collect : GlobalFindProgress {
  void Searching(const std::string& name) override { names.push_back(name); }
  void Found(const std::string& line, std::uint32_t) override { lines.push_back(line); }
  bool Stopped() override { return lines.size() >= stopAfter; }
  std::vector<std::string> names, lines;
  std::size_t stopAfter = size_t(-1);
};

// The result lines of one file as the chunk rule describes them, searched
// naively (case-sensitive literal, stepping by its length).
std::vector<std::string> Reference(const std::string& path, const std::string& data, const std::string& text) {
  const std::size_t kChunk = 30720;
  std::vector<std::string> out;
  std::size_t at = 0, lines = 0;
  while (true) {
    std::size_t len = std::min(kChunk, data.size() - at);
    const bool last = len < kChunk;
    if (!last)
      for (std::size_t i = kChunk; i-- > 0;)
        if (data[at + i] == '\r' && (i == kChunk - 1 || data[at + i + 1] == '\n')) {
          len = i == kChunk - 1 ? kChunk : i + 2;
          break;
        }
    const std::string chunk = data.substr(at, len);
    for (std::size_t p = 0; p + text.size() <= chunk.size();) {
      if (chunk.compare(p, text.size(), text) != 0) {
        ++p;
        continue;
      }
      std::size_t line = lines + 1, start = 0;
      for (std::size_t i = 0; i + 1 < chunk.size() && i + 1 <= p; ++i)
        if (chunk[i] == '\r' && chunk[i + 1] == '\n') ++line, start = i + 2;
      if (p + text.size() - start > 239) start = p;
      std::size_t end = start;
      while (end < chunk.size() && !(chunk[end] == '\r' && (end + 1 == chunk.size() || chunk[end + 1] == '\n')) &&
             chunk[end] != '\0')
        ++end;
      const std::size_t room = 512 - path.size() - 13;
      out.push_back(path + "(" + std::to_string(line) + "): " + chunk.substr(start, std::min(end - start, room)) +
                    "\r\n");
      p += text.size();
    }
    if (last) break;
    for (std::size_t i = 0; i < chunk.size(); ++i)
      if (chunk[i] == '\r' && (i + 1 == chunk.size() || chunk[i + 1] == '\n')) ++lines;
    at += len;
  }
  return out;
}

class GlobalFindTest : public ::testing::Test {
 protected:
  void Put(const std::string& path, const std::string& bytes) {
    platform.files.files[path] = bytes;
    for (std::size_t s = path.find('/', 1); s != std::string::npos; s = path.find('/', s + 1))
      platform.files.directories.insert(path.substr(0, s));
  }
  std::vector<std::string> Run(const std::string& pattern, const std::string& text, bool subdirs = true,
                               FileSearchOptions options = {true, false, true}, GlobalFindCounts* counts = nullptr) {
    Collect progress;
    const GlobalFindCounts c = SearchFiles({pattern, text, subdirs, options}, platform.files, lister, progress);
    if (counts) *counts = c;
    return progress.lines;
  }
  fakes::FakePlatform platform;
  FakeLister lister{platform.files};
};

TEST_F(GlobalFindTest, GeneratedTreesAgreeWithTheReference) {
  std::mt19937 rng(7);
  const char alphabet[] = "abxab\r\n\r\n\0 ";
  for (int round = 0; round < 40; ++round) {
    platform.files.files.clear();
    platform.files.directories.clear();
    std::vector<std::string> dirs{"/t/"};
    for (int d = 0; d < 4; ++d) dirs.push_back(dirs[rng() % dirs.size()] + "d" + std::to_string(d) + "/");
    for (int f = 0; f < 8; ++f) {
      std::string data(rng() % 3 ? rng() % 200 : 30000 + rng() % 40000, 'a');
      const bool longLines = rng() % 3 == 0;
      for (char& c : data) c = alphabet[rng() % (longLines ? 5 : sizeof alphabet - 1)];
      Put(dirs[rng() % dirs.size()] + "f" + std::to_string(f) + (f % 3 ? ".c" : ".h"), data);
    }
    platform.files.directories.insert("/t");
    const bool subdirs = rng() % 2;
    // Literals of two to four bytes, one across a line end.
    const std::string text = round % 3 == 0 ? "ab" : round % 3 == 1 ? "bxab" : "b\r\na";
    std::vector<std::string> expected;
    std::deque<std::string> queue{"/t/"};
    while (!queue.empty()) {
      const std::string dir = queue.front();
      queue.pop_front();
      for (const auto& [path, bytes] : platform.files.files)
        if (path.rfind(dir, 0) == 0 && path.find('/', dir.size()) == std::string::npos && path.back() == 'c')
          for (const std::string& l : Reference(path, bytes, text)) expected.push_back(l);
      if (!subdirs) break;
      std::vector<DirectoryEntry> entries;
      lister.list(dir, entries);
      for (const auto& e : entries)
        if (e.kind == DirectoryEntry::kDirectory) queue.push_back(dir + e.name + "/");
    }
    const std::vector<std::string> got = Run("/t/*.c", text, subdirs);
    const auto diff = std::mismatch(got.begin(), got.end(), expected.begin(), expected.end());
    ASSERT_TRUE(diff.first == got.end() && diff.second == expected.end())
        << "round " << round << " line " << (diff.first - got.begin()) << ": "
        << (diff.first == got.end() ? "(end)" : *diff.first) << " vs "
        << (diff.second == expected.end() ? "(end)" : *diff.second);
  }
}

TEST_F(GlobalFindTest, DescribedCases) {
  Put("/s/abab.txt", "zz\r\nabab\r\n");
  FileSearchOptions matcher{true, true, true};
  EXPECT_EQ(Run("/s/abab.txt", "ab", false, matcher),
            (std::vector<std::string>{"/s/abab.txt(2): abab\r\n", "/s/abab.txt(2): abab\r\n"}));
  EXPECT_EQ(Run("/s/abab.txt", "ab", false).size(), 2u);  // plain: steps by the length
  // A match across the 30720-byte piece boundary of a file without CR LF is missed.
  Put("/s/long.txt", std::string(30719, 'x') + "ab" + std::string(100, 'x') + "ab");
  EXPECT_EQ(Run("/s/long.txt", "ab", false).size(), 1u);
  // A far match starts the excerpt at the match; the excerpt ends before CR LF.
  Put("/s/far.txt", std::string(300, '-') + "needle tail\r\nnext");
  EXPECT_EQ(Run("/s/far.txt", "needle", false), (std::vector<std::string>{"/s/far.txt(1): needle tail\r\n"}));
  // Case folding and the case-insensitive plain search.
  Put("/s/case.txt", "NeEdLe\r\n");
  EXPECT_EQ(Run("/s/case.txt", "needle", false, {false, false, true}).size(), 1u);
  EXPECT_EQ(Run("/s/case.txt", "needle", false).size(), 0u);
}

TEST_F(GlobalFindTest, WalkRulesAndWildcards) {
  Put("/w/a.c", "hit");
  Put("/w/sub/b.c", "hit");
  Put("/w/sub/deeper/c.c", "hit");
  Put("/w/sub/d.h", "hit");
  Put("/w/(x).c", "hit");
  GlobalFindCounts counts;
  EXPECT_EQ(Run("/w/*.c", "hit", false, {true, false, true}, &counts).size(), 2u);
  EXPECT_EQ(counts.files, 2u);
  EXPECT_EQ(Run("/w/*.c", "hit", true, {true, false, true}, &counts).size(), 4u);
  // Nothing matching in the pattern's own directory: with subdirectories the
  // directories below are still searched.
  EXPECT_EQ(Run("/w/b.?", "hit", true, {true, false, true}, &counts).size(), 1u);
  EXPECT_FALSE(counts.noFile);
  Run("/w/b.?", "hit", false, {true, false, true}, &counts);
  EXPECT_TRUE(counts.noFile);
  Run("/missing/*.c", "hit", true, {true, false, true}, &counts);
  EXPECT_TRUE(counts.noFile);
  const struct {
    const char* pattern;
    const char* name;
    bool match;
  } cases[] = {{"*.c", "a.c", true},   {"*.c", "a.cc", false}, {"?.c", "ab.c", false}, {"[a-c]*", "b1", true},
               {"[!a-c]*", "b1", false}, {"*", "", true},      {"a*b*c", "aXbYc", true}, {"[ab", "[ab", true},
               {"\x82\xa0?", "\x82\xa0\x82\xa2", true},         {"*z", "abc", false}};
  for (const auto& c : cases) EXPECT_EQ(WildcardMatch(c.pattern, c.name), c.match) << c.pattern << " " << c.name;
}

}  // namespace
}  // namespace quarn
