#include "core/textview/CommentTables.h"

#include <algorithm>

namespace quarn {
namespace {

// Inserts value at its sorted place unless it is there; false when the
// table is full.
bool AddSorted(std::vector<std::uint32_t>& table, std::uint32_t value) {
  auto it = std::lower_bound(table.begin(), table.end(), value);
  if (it != table.end() && *it == value) return true;
  if (table.size() >= CommentTables::kMaxEntries) return false;
  table.insert(it, value);
  return true;
}

// Entries in [from, to) are dropped, entries at or after to move by delta.
void Shift(std::vector<std::uint32_t>& table, std::uint32_t from, std::uint32_t to, std::int64_t delta) {
  auto first = std::lower_bound(table.begin(), table.end(), from);
  auto last = std::lower_bound(first, table.end(), to);
  first = table.erase(first, last);
  for (auto it = first; it != table.end(); ++it) *it = std::uint32_t(std::int64_t(*it) + delta);
}

}  // namespace

void CommentTables::Clear() {
  opens_.clear();
  closes_.clear();
}

bool CommentTables::Rebuild(const Text& text) {
  Clear();
  return Scan(text, 0, text.length);
}

bool CommentTables::Scan(const Text& text, std::uint32_t from, std::uint32_t to) {
  to = std::min(to, text.length);
  bool openRoom = true;
  bool closeRoom = true;
  for (std::uint32_t p = from; p < to && p + 1 < text.length && (openRoom || closeRoom); ++p) {
    const std::uint8_t a = text.At(p);
    const std::uint8_t b = text.At(p + 1);
    if (openRoom && a == '/' && b == '*') openRoom = AddSorted(opens_, p);
    if (closeRoom && a == '*' && b == '/') closeRoom = AddSorted(closes_, p);
  }
  return openRoom && closeRoom;
}

bool CommentTables::OnInsert(const Text& text, std::uint32_t pos, std::uint32_t n) {
  // A delimiter that began just before pos was split by the insertion.
  const std::uint32_t split = pos > 0 ? pos - 1 : pos;
  Shift(opens_, split, pos, 0);
  Shift(closes_, split, pos, 0);
  Shift(opens_, pos, pos, std::int64_t(n));
  Shift(closes_, pos, pos, std::int64_t(n));
  return Scan(text, split, pos + n);
}

bool CommentTables::OnDelete(const Text& text, std::uint32_t pos, std::uint32_t n) {
  const std::uint32_t split = pos > 0 ? pos - 1 : pos;
  Shift(opens_, split, pos + n, -std::int64_t(n));
  Shift(closes_, split, pos + n, -std::int64_t(n));
  return Scan(text, split, pos);
}

}  // namespace quarn
