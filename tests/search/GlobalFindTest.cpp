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
  bool Stopped() override { return false; }
  std::vector<std::string> names, lines;
};

bool Lead(char c) { return (std::uint8_t(c) >= 0x81 && std::uint8_t(c) <= 0x9F) || std::uint8_t(c) >= 0xE0; }

// The result lines of one file, chunk by chunk: the literal stepping by its length (with "^", at line
// starts only); a lead byte takes the next byte, and a CR LF at a character start ends a line.
std::vector<std::string> Reference(const std::string& path, const std::string& data, std::string text) {
  const bool anchored = text[0] == '^';
  if (anchored) text.erase(0, 1);
  std::vector<bool> charStart(data.size() + 1), lineEnd(data.size() + 1);
  std::vector<std::size_t> lines(data.size() + 2, 1), lineFrom(data.size() + 2, 0);  // of the byte at i
  for (std::size_t i = 0; i < data.size();) {
    charStart[i] = true;
    if (data[i] == '\r' && i + 1 < data.size() && data[i + 1] == '\n') lineEnd[i] = true;
    i += (Lead(data[i]) || lineEnd[i]) && i + 1 < data.size() ? 2 : 1;
  }
  for (std::size_t i = 0; i < data.size(); ++i) {
    lines[i + 1] = lines[i] + lineEnd[i];
    lineFrom[i + 1] = lineEnd[i] ? i + 2 : lineFrom[i];
  }
  const std::size_t kChunk = 30720;
  std::vector<std::string> out;
  for (std::size_t at = 0;;) {
    std::size_t len = std::min(kChunk, data.size() - at);
    const bool last = len < kChunk;
    if (!last)
      for (std::size_t i = kChunk; i-- > 0;)
        if (data[at + i] == '\r' && (i == kChunk - 1 || data[at + i + 1] == '\n')) {
          len = i == kChunk - 1 ? kChunk : i + 2;
          break;
        }
    const std::size_t end = at + len;
    const bool carried = at > 0 && !charStart[at] && !lineEnd[at - 1];  // the chunk starts with a trail byte
    for (std::size_t p = at + carried; p + text.size() <= end;) {
      const bool lineStart = p == 0 || (p >= 2 && lineEnd[p - 2]);
      if (!(charStart[p] || p == at) || data.compare(p, text.size(), text) != 0 || (anchored && !lineStart)) {
        ++p;
        continue;
      }
      const std::size_t line = lines[p];
      std::size_t start = std::min(std::max(at + carried, lineFrom[p]), p);
      if (p + text.size() - start > 239) start = p;
      std::size_t stop = start;
      while (stop < end && !(data[stop] == '\r' && charStart[stop] && (stop + 1 == end || data[stop + 1] == '\n')) &&
             data[stop] != '\0')
        ++stop;
      std::string excerpt = data.substr(start, std::min(stop - start, 512 - path.size() - 13));
      for (std::size_t k = 0; k < excerpt.size(); k += Lead(excerpt[k]) ? 2 : 1) {
        if (Lead(excerpt[k]) && k + 1 == excerpt.size()) excerpt.pop_back();
        else if (Lead(excerpt[k]) && excerpt[k + 1] == '\r') excerpt[k + 1] = ' ';
      }
      out.push_back(path + "(" + std::to_string(line) + "): " + excerpt + "\r\n");
      p += text.size();
    }
    if (last) break;
    at = end;
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
  const char alphabet[] = "ab\x82xab\r\n\r\n\0 ";
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
    // Literals of two to four bytes, one across a line end, one held to line starts.
    const std::string text = round % 4 == 0 ? "ab" : round % 4 == 1 ? "bxab" : round % 4 == 2 ? "b\r\na" : "^ab";
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
    ASSERT_EQ(Run("/t/*.c", text, subdirs, {true, text[0] == '^', true}), expected) << "round " << round;
  }
}

// What the trees miss: names with line breaks, a regular expression matching twice in a line, case folding.
TEST_F(GlobalFindTest, NamesRegularExpressionsAndCase) {
  Put("/r/a\r\nb.c", "hit");  // a line break in the name would make two lines of one
  EXPECT_EQ(Run("/r/a\r\nb.c", "hit", false), std::vector<std::string>{"/r/a??b.c(1): hit\r\n"});
  Put("/s/abab.txt", "zz\r\nabab\r\n");
  EXPECT_EQ(Run("/s/abab.txt", "ab", false, {true, true, true}),
            (std::vector<std::string>{"/s/abab.txt(2): abab\r\n", "/s/abab.txt(2): abab\r\n"}));
  Put("/s/x.txt", "xxxx\r\nxy");  // "^" holds at a line start only, not where the search goes on after a hit
  EXPECT_EQ(Run("/s/x.txt", "^x", false, {true, true, true}).size(), 2u);
  Put("/s/case.txt", "NeEdLe\r\n");
  EXPECT_EQ(Run("/s/case.txt", "needle", false, {false, false, true}).size(), 1u);
  EXPECT_EQ(Run("/s/case.txt", "needle", false).size(), 0u);
}

TEST_F(GlobalFindTest, WalkRulesWildcardsAndLinksBackToTheStart) {
  // A link back to the start is not followed: "/l/loop" names "/l" again.
  struct LoopLister : FakeLister {
    using FakeLister::FakeLister;
    bool list(const std::string& dir, std::vector<DirectoryEntry>& out) override {
      const std::string real = dir.rfind("/l/loop/", 0) == 0 ? "/l/" + dir.substr(8) : dir;
      if (!FakeLister::list(real, out)) return false;
      if (real == "/l/") out.push_back({"loop", DirectoryEntry::kDirectory, 0, std::hash<std::string>()("/l")});
      return true;
    }
  } loop{platform.files};
  Put("/l/a.c", "hit");
  Collect progress;
  SearchFiles({"/l/*.c", "hit", true, {}}, platform.files, loop, progress);
  EXPECT_EQ(progress.names, std::vector<std::string>{"a.c"});
  Put("/w/a.c", "hit");
  Put("/w/sub/b.c", "hit");
  Put("/w/sub/deeper/c.c", "hit");
  Put("/w/sub/d.h", "hit");
  Put("/w/(x).c", "hit");
  // Nothing matching in the pattern's own directory: with subdirectories the
  // directories below are still searched.
  const std::tuple<const char*, bool, std::size_t, bool> walks[] = {
      {"/w/*.c", false, 2, false}, {"/w/*.c", true, 4, false},      {"/w/b.?", true, 1, false},
      {"/w/b.?", false, 0, true},  {"/missing/*.c", true, 0, true}};
  for (const auto& [pattern, subdirs, lines, noFile] : walks) {
    GlobalFindCounts counts;
    EXPECT_EQ(Run(pattern, "hit", subdirs, {true, false, true}, &counts).size(), lines) << pattern;
    EXPECT_EQ(std::pair(counts.files, counts.noFile), std::pair(std::uint32_t(lines), noFile)) << pattern;
  }
  const struct {
    const char* pattern;
    const char* name;
    bool match;
  } cases[] = {{"*.c", "a.c", true},     {"*.c", "a.cc", false},  {"?.c", "ab.c", false}, {"[a-c]*", "b1", true},
               {"[a-c]*", "a1", true},   {"[!a-c]*", "b1", false}, {"*", "", true},        {"a*b*c", "aXbYc", true},
               {"[ab", "[ab", true},     {"\x82\xa0?", "\x82\xa0\x82\xa2", true},   {"*z", "abc", false}};
  for (const auto& c : cases) EXPECT_EQ(WildcardMatch(c.pattern, c.name), c.match) << c.pattern << " " << c.name;
}

}  // namespace
}  // namespace quarn
