// The walk of the global find: every file matching the full path pattern
// ("/home/u/src/*.c"), and with subdirectories the same file part in every
// directory below, breadth first, each searched by FileSearch.
#pragma once

#include <cstdint>
#include <string>

#include "core/search/FileSearch.h"
#include "platform/DirectoryList.h"

namespace quarn {

struct GlobalFindRequest {
  std::string pattern;  // absolute: a directory part ending in "/" and a file part
  std::string text;
  bool subdirectories = true;
  FileSearchOptions options;
};

// What the walk reports while it runs: the file being searched, each result
// line, and after each file and each match whether to stop.
class GlobalFindProgress {
 public:
  virtual ~GlobalFindProgress() = default;
  virtual void Searching(const std::string& fileName) = 0;
  virtual void Found(const std::string& resultLine, std::uint32_t count) = 0;
  virtual bool Stopped() = 0;
};

struct GlobalFindCounts {
  std::uint32_t files = 0;
  std::uint32_t matches = 0;
  bool noFile = false;  // the pattern's directory could not be read, or nothing matched in it
};

GlobalFindCounts SearchFiles(const GlobalFindRequest& request, FileSystem& files, DirectoryLister& directories,
                             GlobalFindProgress& progress);

// Shell wildcards on a file name: "*" any run, "?" any one character, and
// "[...]" (with "!" or "^" for a negated set and "a-z" ranges) one character
// of a set; a double-byte character is one character.
bool WildcardMatch(const std::string& pattern, const std::string& name);

}  // namespace quarn
