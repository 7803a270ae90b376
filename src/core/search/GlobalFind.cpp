#include "core/search/GlobalFind.h"

#include <deque>
#include <set>
#include <utility>
#include <vector>

#include "core/encoding/Cp932.h"

namespace quarn {
namespace {

// The character at i of s (one or two bytes).
std::string CharAt(const std::string& s, std::size_t i) { return s.substr(i, cp932::NextChar(s, i) - i); }

// Whether c is in the set that starts after "[" at p; p moves past "]".
// Without a closing "]" the "[" is taken literally (false, p unchanged).
bool InSet(const std::string& pattern, std::size_t& p, const std::string& c, bool& closed) {
  std::size_t i = p;
  const bool negated = i < pattern.size() && (pattern[i] == '!' || pattern[i] == '^');
  if (negated) ++i;
  bool found = false;
  bool first = true;
  while (i < pattern.size() && (first || pattern[i] != ']')) {
    first = false;
    const std::string low = CharAt(pattern, i);
    i += low.size();
    std::string high = low;
    if (i + 1 < pattern.size() && pattern[i] == '-' && pattern[i + 1] != ']') {
      high = CharAt(pattern, i + 1);
      i += 1 + high.size();
    }
    if (c.size() == low.size() ? c >= low && c <= high : low == c) found = true;
  }
  closed = i < pattern.size();
  if (!closed) return false;
  p = i + 1;
  return found != negated;
}

void SearchOne(FileSearch& search, const std::string& dir, const std::string& name, const GlobalFindRequest& request,
               FileSystem& files, DirectoryLister& directories, GlobalFindProgress& progress,
               GlobalFindCounts& counts, bool& stopped) {
  ++counts.files;
  progress.Searching(name);
  const std::string path = dir + name;
  // By its name in the directory just listed, else by its whole path.
  std::unique_ptr<File> file = directories.openListed(dir, name);
  if (!file) file = files.openRead(path);
  for (auto line = search.SearchFile(std::move(file), path, request.text, request.options); line;
       line = search.SearchNext()) {
    progress.Found(*line, ++counts.matches);
    if (progress.Stopped()) {
      stopped = true;
      return;
    }
  }
  stopped = progress.Stopped();
}

}  // namespace

bool WildcardMatch(const std::string& pattern, const std::string& name) {
  std::size_t p = 0, n = 0;
  std::size_t starP = std::string::npos, starN = 0;
  while (n < name.size()) {
    const std::string c = CharAt(name, n);
    if (p < pattern.size() && pattern[p] == '*') {
      starP = ++p;
      starN = n;
      continue;
    }
    if (p < pattern.size()) {
      std::size_t q = p + 1;
      bool closed = false;
      bool ok;
      if (pattern[p] == '?') {
        ok = true;
      } else if (pattern[p] == '[' && (ok = InSet(pattern, q, c, closed), closed)) {
      } else {
        const std::string pc = CharAt(pattern, p);
        q = p + pc.size();
        ok = pc == c;
      }
      if (ok) {
        p = q;
        n += c.size();
        continue;
      }
    }
    if (starP == std::string::npos) return false;
    p = starP;
    starN += CharAt(name, starN).size();
    n = starN;
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

GlobalFindCounts SearchFiles(const GlobalFindRequest& request, FileSystem& files, DirectoryLister& directories,
                             GlobalFindProgress& progress) {
  GlobalFindCounts counts;
  const std::size_t slash = request.pattern.rfind('/');
  if (request.pattern.empty() || request.pattern[0] != '/' || slash == std::string::npos) {
    counts.noFile = true;
    return counts;
  }
  const std::string filePart = request.pattern.substr(slash + 1);
  std::deque<std::string> queue{request.pattern.substr(0, slash + 1)};
  std::set<std::pair<std::uint64_t, std::uint64_t>> seen;  // directories listed, by identity
  // The starting directory too: a link below it back to it is not entered.
  if (std::uint64_t device, inode; directories.identify(queue.front(), device, inode)) seen.insert({device, inode});
  bool top = true;
  FileSearch search;  // its buffers serve every file
  while (!queue.empty()) {
    const std::string dir = queue.front();
    queue.pop_front();
    std::vector<DirectoryEntry> entries;
    const bool listed = directories.list(dir, entries);
    bool anyFile = false;
    for (const DirectoryEntry& e : entries) {
      if (e.kind != DirectoryEntry::kRegular || !WildcardMatch(filePart, e.name)) continue;
      anyFile = true;
      bool stopped = false;
      SearchOne(search, dir, e.name, request, files, directories, progress, counts, stopped);
      if (stopped) return counts;
    }
    if (top && (!listed || (!anyFile && !request.subdirectories))) {
      counts.noFile = true;
      return counts;
    }
    top = false;
    if (!request.subdirectories) break;
    // A directory reached again through a link is not entered twice.
    for (const DirectoryEntry& e : entries)
      if (e.kind == DirectoryEntry::kDirectory && seen.insert({e.device, e.inode}).second)
        queue.push_back(dir + e.name + "/");
  }
  return counts;
}

}  // namespace quarn
