// The file-dialog filters of a document type: up to ten pairs of a title and
// a wildcard list, both CP932 texts.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace quarn {

struct FilterPair {
  std::string title;
  std::string patterns;  // e.g. "*.c;*.cpp"
  friend bool operator==(const FilterPair&, const FilterPair&) = default;
};

class FilterList {
 public:
  static constexpr std::size_t kMaxPairs = 10;

  // Reads "title|patterns|title|patterns|...||": pairs until a "|" stands
  // where a title would start, ten pairs have been read or the text ends.
  // Double-byte characters are stepped over whole, so a trail byte equal
  // to "|" does not cut a title.
  static FilterList Parse(const std::string& text);
  // The built-in list of document type 0, 1 or 2 (another value gives 0).
  static FilterList Builtin(int docType);

  // Appends a pair; false (and nothing changes) when the list is full.
  bool Add(FilterPair pair);
  void Clear() { pairs_.clear(); }

  std::size_t Count() const { return pairs_.size(); }
  const FilterPair& At(std::size_t i) const { return pairs_[i]; }
  const std::vector<FilterPair>& Pairs() const { return pairs_; }

  // The open dialog's filter: "title|patterns|" for each pair, then "|".
  std::string DialogFilter() const;

  friend bool operator==(const FilterList&, const FilterList&) = default;

 private:
  std::vector<FilterPair> pairs_;
};

}  // namespace quarn
