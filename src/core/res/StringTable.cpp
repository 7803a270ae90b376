#include "core/res/StringTable.h"

#include <unordered_map>

namespace quarn {

namespace {

struct Entry {
  unsigned id;
  const char* text;
};

constexpr Entry kEntries[] = {
#include "core/res/StringTableData.inc"
};

const std::unordered_map<unsigned, std::string>& Table() {
  static const std::unordered_map<unsigned, std::string> table = [] {
    std::unordered_map<unsigned, std::string> t;
    for (const Entry& e : kEntries) t.emplace(e.id, e.text);
    return t;
  }();
  return table;
}

}  // namespace

const std::string& LoadString(unsigned id) {
  static const std::string empty;
  auto it = Table().find(id);
  return it == Table().end() ? empty : it->second;
}

std::string FormatString1(unsigned id, const std::string& arg) { return FormatText1(LoadString(id), arg); }

std::string FormatText1(const std::string& text, const std::string& arg) {
  const std::size_t at = text.find("%1");
  return at == std::string::npos ? text : text.substr(0, at) + arg + text.substr(at + 2);
}

}  // namespace quarn
