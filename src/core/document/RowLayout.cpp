#include "core/document/RowLayout.h"

#include <algorithm>

#include "core/document/ByteScan.h"
#include "core/encoding/Cp932.h"

namespace quarn {

namespace {

constexpr std::uint8_t kCr = 0x0D;
constexpr std::uint8_t kTab = 0x09;

using cp932::IsLeadByte;
using cp932::IsPrintable;

}  // namespace

RowRules::RowRules(int widthIn, int tabIn, bool wordWrapIn, bool kinsokuIn, const std::string& hanging)
    : width(std::max(1, widthIn)), tab(std::max(1, tabIn)), wordWrap(wordWrapIn), kinsoku(kinsokuIn), hangingText(hanging) {
  const auto* s = reinterpret_cast<const std::uint8_t*>(hanging.data());
  for (std::size_t i = 0; i < hanging.size();) {
    if (IsLeadByte(s[i]) && i + 1 < hanging.size()) {
      hangingDouble.push_back(std::uint16_t(s[i] << 8 | s[i + 1]));
      i += 2;
    } else {
      hangingSingle[s[i]] = true;
      i += 1;
    }
  }
}

bool MayHang(const TextBytes& text, std::uint32_t pos, const RowRules& rules) {
  const std::uint8_t x = text.At(pos);
  if (rules.wordWrap && x == 0x20) return true;
  if (!rules.kinsoku) return false;
  if (!IsLeadByte(x)) return rules.hangingSingle[x];
  if (pos + 1 >= text.length || pos + 1 >= text.end) return false;
  const std::uint16_t pair = std::uint16_t(x << 8 | text.At(pos + 1));
  return std::find(rules.hangingDouble.begin(), rules.hangingDouble.end(), pair) != rules.hangingDouble.end();
}

namespace {

constexpr std::uint32_t kUnknown = 0xFFFFFFFEu;  // b not worked out yet

// How far the scan of a row has come: column c, position p, the start q of
// the character consumed last and the start b of the last consumed
// character that is not printable.
struct RowScan {
  std::uint32_t c;
  std::uint32_t p;
  std::uint32_t q;
  std::uint32_t b;
};

// Number of consecutive lead-range bytes ending at pos, not counting below
// from.
std::uint32_t LeadRunEndingAt(const TextBytes& text, std::uint32_t from, std::uint32_t pos) {
  std::uint32_t k = 0;
  for (std::uint32_t i = pos + 1; i > from && IsLeadByte(text.At(i - 1)); --i) ++k;
  return k;
}

// Whether pos starts a character when the characters are walked from the
// character start from, with no CR before pos. The byte after a byte that
// cannot lead (a single-byte character or a trail byte) always starts a
// character; from there on a run of lead-range bytes pairs up.
bool StartsCharacter(const TextBytes& text, std::uint32_t from, std::uint32_t pos) {
  return pos == from || LeadRunEndingAt(text, from, pos - 1) % 2 == 0;
}

// The start of the last character in [from, limit) that is not printable,
// or kNoRow; no CR in the stretch. Bytes after the last byte that is not
// printable are single printable characters or trail bytes; that byte is a
// character start or the trail of a lead byte, which is not printable either.
std::uint32_t LastBlankBefore(const TextBytes& text, std::uint32_t from, std::uint32_t limit) {
  for (std::uint32_t j = limit; j > from; --j) {
    if (IsPrintable(text.At(j - 1))) continue;
    const std::uint32_t at = j - 1;
    const bool trail = at > from && LeadRunEndingAt(text, from, at - 1) % 2 == 1;
    return trail ? at - 1 : at;
  }
  return kNoRow;
}

// The row-breaking loop from a scan state to the end of the row.
std::uint32_t FinishRow(const TextBytes& text, std::uint32_t start, RowScan s, const RowRules& rules) {
  const std::uint32_t length = text.length;
  const std::uint32_t width = std::uint32_t(rules.width);
  const std::uint32_t tab = std::uint32_t(rules.tab);
  const std::uint32_t entryQ = s.q;
  std::uint32_t c = s.c;
  std::uint32_t p = s.p;
  std::uint32_t q = s.q;
  std::uint32_t b = s.b;
  do {
    if (p >= length) break;
    if (!IsPrintable(text.At(q))) b = q;
    const std::uint8_t x = text.At(p);
    if (x == kCr) {  // the CR LF belongs to this row
      q = p;
      p = std::min(p + 2, length);
      break;
    }
    if (c >= width + 1) break;
    if (c == width && !MayHang(text, p, rules)) break;
    if (x == kTab) {
      q = p;
      c += tab - c % tab;
      p += 1;
    } else if (IsLeadByte(x)) {
      if (c + 1 >= width && !MayHang(text, p, rules)) break;  // never split it
      q = p;
      p = std::min(p + 2, length);
      c += 2;
    } else {
      q = p;
      p += 1;
      c += 1;
    }
  } while (c <= width + 2);

  // A width too narrow for the first character still gives it a row of its own.
  if (p == start) {
    q = p;
    p = std::min(p + ((IsLeadByte(text.At(p)) || text.At(p) == kCr) ? 2u : 1u), length);
  }
  if (p >= length) return kNoRow;
  if (!rules.wordWrap) return p;
  // The row ends between words, or it is one word: cut at p. Else go back to
  // after the last blank so that no word is cut.
  if (!IsPrintable(text.At(q)) || !IsPrintable(text.At(p))) return p;
  if (b == kUnknown) b = LastBlankBefore(text, start, entryQ);
  if (b == kNoRow) return p;
  return IsLeadByte(text.At(b)) ? b + 2 : b + 1;
}

}  // namespace

std::uint32_t NextRowStartPlain(const TextBytes& text, std::uint32_t start, const RowRules& rules) {
  if (text.length == 0 || start >= text.length) return kNoRow;
  return FinishRow(text, start, RowScan{0, start, start, kNoRow}, rules);
}

std::uint32_t FindCrOrTab(const TextBytes& text, std::uint32_t from, std::uint32_t to) {
  to = std::min(to, text.end);
  if (from >= to) return to;
  return text.origin + FindEitherByte(text.data, from - text.origin, to - text.origin, kCr, kTab);
}

std::uint32_t NextRowStart(const TextBytes& text, std::uint32_t start, const RowRules& rules, std::uint32_t clearUntil) {
  const std::uint32_t length = text.length;
  if (length == 0 || start >= length) return kNoRow;
  // Before the last two columns, and before any CR or TAB, a row only walks
  // its characters: column and byte offset are the same there. The scan is
  // started at the last character start at or before that point.
  const std::uint64_t edge = std::uint64_t(start) + std::uint32_t(rules.width);
  std::uint32_t t = std::uint32_t(std::min<std::uint64_t>({edge, clearUntil, length, text.end}));
  if (t <= start) return NextRowStartPlain(text, start, rules);
  if (!StartsCharacter(text, start, t)) --t;  // t - 1 is a lead byte
  if (t == start) return NextRowStartPlain(text, start, rules);
  // The character consumed last ends at t: a double-byte one when t - 2 is
  // a lead byte that starts a character.
  const bool twoBytes = t - start >= 2 && LeadRunEndingAt(text, start, t - 2) % 2 == 1;
  const std::uint32_t q = twoBytes ? t - 2 : t - 1;
  return FinishRow(text, start, RowScan{t - start, t, q, q == start ? kNoRow : kUnknown}, rules);
}

int ColumnsOfStretch(const TextBytes& text, std::uint32_t from, std::uint32_t to, int tab) {
  to = std::min(to, text.end);
  if (from >= to) return 0;
  const std::uint8_t* s = text.data + (from - text.origin);
  const std::uint8_t* last = text.data + (to - text.origin);
  if (std::find(s, last, kTab) == last) return int(to - from);
  const std::uint32_t stop = std::uint32_t(std::max(1, tab));
  std::uint32_t column = 0;
  while (s < last) {
    if (*s == kTab) {
      column += stop - column % stop;
      s += 1;
    } else if (IsLeadByte(*s) && s + 1 < last) {
      column += 2;
      s += 2;
    } else {
      column += 1;
      s += 1;
    }
  }
  return int(column);
}

std::uint32_t NextRowStart(const TextBytes& text, std::uint32_t start, const RowRules& rules) {
  if (start >= text.length) return kNoRow;
  const std::uint64_t edge = std::uint64_t(start) + std::uint32_t(rules.width);
  return NextRowStart(text, start, rules, FindCrOrTab(text, start, std::uint32_t(std::min<std::uint64_t>(edge, text.end))));
}

}  // namespace quarn
