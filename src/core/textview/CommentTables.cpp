#include "core/textview/CommentTables.h"

#include <algorithm>
#include <cstring>

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
  judged_.clear();
  overflowed_ = false;
}

bool CommentTables::Rebuild(const Text& text) {
  Clear();
  overflowed_ = !Scan(text, 0, text.length);
  return !overflowed_;
}

bool CommentTables::ScanOnce(const Text& text, std::uint32_t from, std::uint32_t to) {
  if (Scan(text, from, to) || overflowed_) return true;
  overflowed_ = true;
  return false;
}

bool CommentTables::Scan(const Text& text, std::uint32_t from, std::uint32_t to) {
  to = std::min(to, text.length);
  bool openRoom = true;
  bool closeRoom = true;
  // Both delimiters hold a "/": the "/" of a "/*" at p stands at p, that of
  // a "*/" at p at p + 1, so the slashes of [from, to + 1) find them all.
  const std::uint32_t last = std::min<std::uint64_t>(std::uint64_t(to) + 1, text.length);
  std::uint32_t p = from;
  while (p < last && (openRoom || closeRoom)) {
    const auto* hit = static_cast<const std::uint8_t*>(std::memchr(text.Ptr(p), '/', last - p));
    if (!hit) break;
    p += std::uint32_t(hit - text.Ptr(p));
    if (closeRoom && p > from && text.At(p - 1) == '*') closeRoom = AddSorted(closes_, p - 1);
    if (openRoom && p < to && p + 1 < text.length && text.At(p + 1) == '*') openRoom = AddSorted(opens_, p);
    ++p;
  }
  return openRoom && closeRoom;
}

bool CommentTables::OnInsert(const Text& text, std::uint32_t pos, std::uint32_t n) {
  // A delimiter that began just before pos was split by the insertion.
  const std::uint32_t split = pos > 0 ? pos - 1 : pos;
  ForgetFrom(pos);
  Shift(opens_, split, pos, 0);
  Shift(closes_, split, pos, 0);
  Shift(opens_, pos, pos, std::int64_t(n));
  Shift(closes_, pos, pos, std::int64_t(n));
  return ScanOnce(text, split, pos + n);
}

bool CommentTables::OnDelete(const Text& text, std::uint32_t pos, std::uint32_t n) {
  const std::uint32_t split = pos > 0 ? pos - 1 : pos;
  ForgetFrom(pos);
  Shift(opens_, split, pos + n, -std::int64_t(n));
  Shift(closes_, split, pos + n, -std::int64_t(n));
  return ScanOnce(text, split, pos);
}

void CommentTables::ForgetFrom(std::uint32_t pos) {
  // The bytes before pos are unchanged, but the one before pos may form a
  // new delimiter with the edit: a judgement stands while all it read (up
  // to its end) lies before pos. Ends grow along the list.
  while (!judged_.empty() && judged_.back().end > pos) judged_.pop_back();
}

bool CommentTables::InLineComment(const Text& text, std::uint32_t from, bool lineOpen, std::uint32_t open) const {
  from = std::max(from, text.origin);
  std::uint32_t p = open;
  while (p > from && text.At(p - 1) != '\n') --p;
  if (p > from) lineOpen = false;  // a line end lies between: only the open's line counts
  if (lineOpen) return true;
  while (p < open) {
    const auto* hit = static_cast<const std::uint8_t*>(std::memchr(text.Ptr(p), '/', open - p));
    if (!hit) return false;
    p += std::uint32_t(hit - text.Ptr(p));
    if (text.At(p + 1) == '/') return true;  // p + 1 <= open: the pair lies inside the text
    ++p;
  }
  return false;
}

bool CommentTables::InsideBlock(const Text& text, std::uint32_t pos) const {
  if (pos < 2) return false;
  // Judge, in order, every "/*" lying wholly before pos that a comment
  // judged earlier does not hold: outside comments a "/*" opens one unless
  // a "//" before it on its line made it text of a line comment.
  for (;;) {
    const std::uint32_t from = judged_.empty() ? 0 : judged_.back().end;
    if (from == kNoEnd) break;
    const auto next = std::lower_bound(opens_.begin(), opens_.end(), from);
    // An entry past the text (tables not told of an edit) is not read.
    if (next == opens_.end() || *next > pos - 2 || *next + 2 > text.length) break;
    const std::uint32_t open = *next;
    ++visits_;
    const bool lineOpen = !judged_.empty() && !judged_.back().opens;
    if (InLineComment(text, from, lineOpen, open)) {
      judged_.push_back(Judged{open, open + 2, false});
      continue;
    }
    ++visits_;
    // "/*/" does not close the comment it opens.
    const auto close = std::lower_bound(closes_.begin(), closes_.end(), open + 2);
    judged_.push_back(Judged{open, close == closes_.end() ? kNoEnd : *close + 2, true});
  }
  const auto after = std::upper_bound(judged_.begin(), judged_.end(), pos - 2,
                                      [](std::uint32_t p, const Judged& j) { return p < j.open; });
  if (after == judged_.begin()) return false;
  const Judged& last = *std::prev(after);
  return last.opens && last.end > pos;
}

}  // namespace quarn
