// The user keywords of the document type: up to 200 CP932 words of at most
// 30 bytes each, coloured with KeywordColor.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quarn {

class KeywordTable {
 public:
  static constexpr std::size_t kMaxKeywords = 200;
  static constexpr std::size_t kMaxLength = 30;

  // Appends a keyword; false (and nothing changes) when the table is full
  // or the word is empty or longer than 30 bytes. An empty word would match
  // everywhere, so it is never kept.
  bool Add(std::string_view word);
  void Clear() { words_.clear(); }

  std::size_t Count() const { return words_.size(); }
  const std::string& At(std::size_t i) const { return words_[i]; }
  const std::vector<std::string>& Words() const { return words_; }

  friend bool operator==(const KeywordTable&, const KeywordTable&) = default;

 private:
  std::vector<std::string> words_;
};

}  // namespace quarn
