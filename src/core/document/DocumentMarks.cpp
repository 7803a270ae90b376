#include "core/document/DocumentMarks.h"

#include <algorithm>
#include <cstring>

namespace quarn {
namespace {

using Marks = DocumentMarks;

std::int64_t Signed(std::uint32_t value) { return value == Marks::kFirstLine ? -2 : std::int64_t(value); }

std::uint32_t LineAfterInsert(std::uint32_t value, std::uint32_t pos, std::uint32_t n, bool crLfAtPos) {
  const std::int64_t s = Signed(value);
  // A CR LF put at the start of the marked line pushes the line's text
  // down: the mark goes with it.
  if (s >= pos || (crLfAtPos && s == std::int64_t(pos) - 2)) return std::uint32_t(s + n);
  return value;
}

std::optional<std::uint32_t> LineAfterDelete(std::uint32_t value, const DeletedStretch& d) {
  const std::int64_t s = Signed(value);
  const std::int64_t start = s + 2;
  if (start >= d.pos && start < d.keptRowStart) return std::nullopt;  // its row went
  const std::int64_t end = std::int64_t(d.pos) + d.n;
  if (s >= end) return std::uint32_t(s - d.n);
  if (s < d.pos) return value;
  // The CR before the line went; a line that began right after a stretch
  // cut from a row start now begins at pos.
  if (d.startsRow && s == end - 2) {
    if (d.pos == 0) return Marks::kFirstLine;
    if (d.crBefore) return d.pos - 2;
  }
  return std::nullopt;
}

bool LineOrder(std::uint32_t a, std::uint32_t b) { return Marks::LineStartOf(a) < Marks::LineStartOf(b); }

}  // namespace

std::optional<std::size_t> DocumentMarks::LineMarkAt(std::uint32_t start) const {
  const auto at = std::lower_bound(lines_.begin(), lines_.end(), ValueOfLineStart(start), LineOrder);
  if (at == lines_.end() || LineStartOf(*at) != start) return std::nullopt;
  return std::size_t(at - lines_.begin());
}

bool DocumentMarks::AddLineMark(std::uint32_t value) {
  if (lines_.size() >= kMaxLineMarks) return false;
  lines_.insert(std::upper_bound(lines_.begin(), lines_.end(), value, LineOrder), value);
  return true;
}

void DocumentMarks::RemoveLineMark(std::size_t index) {
  if (index < lines_.size()) lines_.erase(lines_.begin() + std::ptrdiff_t(index));
}

bool DocumentMarks::AddCharMark(std::uint32_t pos, std::string_view bytes) {
  if (chars_.size() >= kMaxCharMarks || bytes.empty() || bytes.size() > kMaxCharMarkBytes) return false;
  CharMark mark;
  mark.pos = pos;
  mark.length = std::uint32_t(bytes.size());
  std::memcpy(mark.text.data(), bytes.data(), bytes.size());
  const auto at = std::upper_bound(chars_.begin(), chars_.end(), pos,
                                   [](std::uint32_t p, const CharMark& m) { return p < m.pos; });
  chars_.insert(at, mark);
  return true;
}

void DocumentMarks::RemoveCharMark(std::size_t index) {
  if (index < chars_.size()) chars_.erase(chars_.begin() + std::ptrdiff_t(index));
}

void DocumentMarks::Assign(std::vector<std::uint32_t> lines, std::vector<CharMark> chars) {
  lines_ = std::move(lines);
  chars_ = std::move(chars);
  SortLines();
  std::stable_sort(chars_.begin(), chars_.end(), [](const CharMark& a, const CharMark& b) { return a.pos < b.pos; });
}

void DocumentMarks::Clear() {
  lines_.clear();
  chars_.clear();
  tag_ = kNoTag;
}

void DocumentMarks::SortLines() {
  std::sort(lines_.begin(), lines_.end(), LineOrder);
  lines_.erase(std::unique(lines_.begin(), lines_.end()), lines_.end());
}

void DocumentMarks::OnInsert(std::uint32_t pos, std::uint32_t n, bool crLfAtPos) {
  if (n == 0) return;
  for (std::uint32_t& value : lines_) value = LineAfterInsert(value, pos, n, crLfAtPos);
  if (tag_ != kNoTag) tag_ = LineAfterInsert(tag_, pos, n, crLfAtPos);
  // A mark that the insertion falls strictly inside no longer holds its text.
  std::erase_if(chars_, [&](const CharMark& m) { return m.pos < pos && pos < m.End(); });
  for (CharMark& m : chars_)
    if (m.pos >= pos) m.pos += n;
}

void DocumentMarks::OnDelete(const DeletedStretch& d) {
  if (d.n == 0) return;
  if (d.emptiesText) {
    lines_.clear();
    tag_ = kNoTag;
  }
  std::vector<std::uint32_t> kept;
  for (std::uint32_t value : lines_)
    if (const auto moved = LineAfterDelete(value, d)) kept.push_back(*moved);
  lines_ = std::move(kept);
  SortLines();
  if (tag_ != kNoTag) tag_ = LineAfterDelete(tag_, d).value_or(kNoTag);

  const std::uint64_t end = std::uint64_t(d.pos) + d.n;
  std::erase_if(chars_, [&](const CharMark& m) { return d.pos < m.End() && end > m.pos; });
  for (CharMark& m : chars_)
    if (m.pos >= end) m.pos -= d.n;
}

}  // namespace quarn
