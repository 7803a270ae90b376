#include "core/cabinet/KeywordTable.h"

namespace quarn {

bool KeywordTable::Add(std::string_view word) {
  if (word.empty() || word.size() > kMaxLength || words_.size() >= kMaxKeywords) return false;
  words_.emplace_back(word);
  return true;
}

}  // namespace quarn
