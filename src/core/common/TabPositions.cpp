#include "core/common/TabPositions.h"

#include <string_view>

#include "core/common/ProfileFile.h"

namespace quarn {
namespace {

constexpr std::size_t kTextLimit = 95;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// One number of the list: blanks, an optional sign and digits, blanks.
bool ParseField(std::string_view field, int& value) {
  while (!field.empty() && IsBlank(field.back())) field.remove_suffix(1);
  std::size_t i = 0;
  while (i < field.size() && IsBlank(field[i])) ++i;
  if (i < field.size() && (field[i] == '-' || field[i] == '+')) ++i;
  if (i == field.size() || field.size() - i > 9) return false;
  for (std::size_t j = i; j < field.size(); ++j)
    if (field[j] < '0' || field[j] > '9') return false;
  return ParseProfileInt(field, value);
}

}  // namespace

bool ParseTabPositions(const std::string& text, TabPositionList& list) {
  list = TabPositionList();
  if (text.empty()) {
    list = DefaultTabPositions();
    return true;
  }
  std::string_view rest(text);
  if (rest.back() == ',') rest.remove_suffix(1);
  TabPositionList parsed;
  for (;;) {
    std::size_t comma = rest.find(',');
    int number = 0;
    if (parsed.count == TabPositionList::kMax || !ParseField(rest.substr(0, comma), number)) return false;
    const int position = number - 1;
    if (position < 1 || position > 249) return false;
    if (parsed.count > 0 && position <= parsed.positions[std::size_t(parsed.count - 1)]) return false;
    parsed.positions[std::size_t(parsed.count++)] = position;
    if (comma == std::string_view::npos) break;
    rest.remove_prefix(comma + 1);
  }
  list = parsed;
  return true;
}

std::string FormatTabPositions(const TabPositionList& list) {
  std::string text;
  const int count = list.count < 0 ? 0 : (list.count > TabPositionList::kMax ? TabPositionList::kMax : list.count);
  for (int i = 0; i < count; ++i) {
    std::string item = std::to_string(list.positions[std::size_t(i)] + 1) + ",";
    if (text.size() + item.size() >= kTextLimit) break;
    text += item;
  }
  if (!text.empty()) text.pop_back();
  return text;
}

}  // namespace quarn
