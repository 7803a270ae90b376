#include "core/cabinet/FilterList.h"

#include "core/cabinet/DocTypeSettings.h"
#include "core/encoding/Cp932.h"
#include "core/res/Texts.h"

namespace quarn {

namespace {

// The text from i to the next "|" at a character start (or to the end);
// i is left after that "|". found tells whether a "|" ended it.
std::string TakeField(const std::string& text, std::size_t& i, bool& found) {
  const std::size_t start = i;
  while (i < text.size() && text[i] != '|') i = cp932::NextChar(text, i);
  std::string field = text.substr(start, i - start);
  found = i < text.size();
  if (found) ++i;
  return field;
}

}  // namespace

FilterList FilterList::Parse(const std::string& text) {
  FilterList list;
  std::size_t i = 0;
  while (list.Count() < kMaxPairs && i < text.size() && text[i] != '|') {
    bool titleEnded = false;
    bool patternsEnded = false;
    FilterPair pair;
    pair.title = TakeField(text, i, titleEnded);
    if (!titleEnded) break;  // a title with no wildcard list is no pair
    pair.patterns = TakeField(text, i, patternsEnded);
    list.pairs_.push_back(std::move(pair));
  }
  return list;
}

FilterList FilterList::Builtin(int docType) {
  switch (docType) {
    case kDocTypeC:
      return Parse(texts::kFilterC);
    case kDocTypeCpp:
      return Parse(texts::kFilterCpp);
    default:
      return Parse(texts::kFilterGeneral);
  }
}

bool FilterList::Add(FilterPair pair) {
  if (pairs_.size() >= kMaxPairs) return false;
  pairs_.push_back(std::move(pair));
  return true;
}

std::string FilterList::DialogFilter() const {
  std::string filter;
  for (const FilterPair& p : pairs_) filter += p.title + '|' + p.patterns + '|';
  return filter + '|';
}

}  // namespace quarn
