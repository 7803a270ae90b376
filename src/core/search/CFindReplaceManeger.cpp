#include "core/search/CFindReplaceManeger.h"

#include <algorithm>

#include "core/encoding/Cp932.h"

namespace quarn {

CFindReplaceManeger gFindReplace;

std::string CutToBytes(const std::string& text, std::size_t maxBytes) {
  if (text.size() <= maxBytes) return text;
  std::size_t end = 0;
  while (end < text.size()) {
    const std::size_t next = cp932::NextChar(text, end);
    if (next > maxBytes) break;
    end = next;
  }
  return text.substr(0, end);
}

void SearchHistory::Add(std::string text) {
  text = CutToBytes(text, maxBytes_);
  if (text.empty()) return;
  entries_.erase(std::remove(entries_.begin(), entries_.end(), text), entries_.end());
  entries_.insert(entries_.begin(), std::move(text));
  if (entries_.size() > kEntries) entries_.resize(kEntries);
}

void CFindReplaceManeger::SetLastSearch(const std::string& find, const std::string& replace) {
  last.findText = CutToBytes(find, LastSearch::kMaxText);
  last.replaceText = CutToBytes(replace, LastSearch::kMaxText);
}

}  // namespace quarn
