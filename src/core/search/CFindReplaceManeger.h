// The search options, the three histories and the last search, one set
// for the whole application: the find dialog, the toolbar's find box and
// the global find all read and update them.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace quarn {

// A most-recent-first list of at most 20 strings.
class SearchHistory {
 public:
  static constexpr std::size_t kEntries = 20;
  explicit SearchHistory(std::size_t maxBytes) : maxBytes_(maxBytes) {}
  // Removes every entry equal to text and puts text first; the oldest
  // entry falls off. Texts are cut to the history's byte limit (never
  // inside a double-byte character); an empty text is not kept.
  void Add(std::string text);
  const std::vector<std::string>& Entries() const { return entries_; }
  // The newest entry, or empty.
  std::string Newest() const { return entries_.empty() ? std::string() : entries_.front(); }
  void Clear() { entries_.clear(); }
  std::size_t MaxBytes() const { return maxBytes_; }

 private:
  std::size_t maxBytes_;
  std::vector<std::string> entries_;
};

// The search a find next or find previous repeats.
struct LastSearch {
  static constexpr std::size_t kMaxText = 79;
  std::string findText;
  std::string replaceText;
  bool down = true;
  bool matchCase = false;
};

class CFindReplaceManeger {
 public:
  static constexpr std::size_t kTextBytes = 80;
  static constexpr std::size_t kFilePatternBytes = 260;

  SearchHistory findHistory{kTextBytes};
  SearchHistory replaceHistory{kTextBytes};
  SearchHistory filePatternHistory{kFilePatternBytes};
  bool matchCase = false;
  bool regular = false;
  bool distinguishWidth = true;
  bool directionDown = true;
  bool searchSubdirectories = true;  // global find
  LastSearch last;

  // Stores the texts of the last search, each cut to 79 bytes.
  void SetLastSearch(const std::string& find, const std::string& replace);
};

extern CFindReplaceManeger gFindReplace;

// text cut to at most maxBytes without splitting a double-byte character.
std::string CutToBytes(const std::string& text, std::size_t maxBytes);

}  // namespace quarn
