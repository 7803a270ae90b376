#include "core/textview/TextColouring.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <span>
#include <string_view>

#include "core/cabinet/BuiltinKeywords.h"
#include "core/cabinet/KeywordTable.h"
#include "core/encoding/Cp932.h"

namespace quarn {
namespace {

// How far back the start of a line or a keyword is looked for.
constexpr std::uint32_t kLookBack = 30720;
constexpr std::uint32_t kKeywordLookBack = kRedrawLookBack - 1;

using Text = CommentTables::Text;

bool IsAlnum(std::uint8_t b) { return (b >= '0' && b <= '9') || (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z'); }
std::uint8_t Lower(std::uint8_t b) { return (b >= 'A' && b <= 'Z') ? std::uint8_t(b + 32) : b; }

bool WordStart(const Text& t, std::uint32_t p) { return p == 0 || !IsAlnum(t.At(p - 1)); }
bool WordEnd(const Text& t, std::uint32_t end) { return end >= t.length || !IsAlnum(t.At(end)); }

bool HasDoubleByte(std::string_view word) {
  return std::any_of(word.begin(), word.end(), [](char c) { return cp932::IsLeadByte(std::uint8_t(c)); });
}

// The word at p, comparing ASCII letters without case unless exact; the
// bytes of a double-byte character always compare exactly.
bool MatchAt(const Text& t, std::uint32_t p, std::string_view word, bool exact) {
  if (word.empty() || word.size() > t.length - p) return false;
  const std::uint8_t* s = t.Ptr(p);
  if (exact) return std::memcmp(s, word.data(), word.size()) == 0;
  for (std::size_t i = 0; i < word.size(); ++i) {
    const auto w = std::uint8_t(word[i]);
    if (cp932::IsLeadByte(w) && i + 1 < word.size()) {
      if (s[i] != w || s[i + 1] != std::uint8_t(word[i + 1])) return false;
      ++i;
    } else if (Lower(s[i]) != Lower(w)) {
      return false;
    }
  }
  return true;
}

// Keywords by their first byte (folded when matching ignores case).
struct KeywordIndex {
  std::array<std::vector<std::string_view>, 256> byFirst;
  std::array<std::size_t, 256> longest{};  // the longest word of each list
  std::size_t longestOfAll = 0;
  std::array<bool, 256> endsWith{};  // the last bytes of the words (exact)
  void Add(std::string_view word, bool exact) {
    if (word.empty()) return;
    const std::uint8_t first = exact ? std::uint8_t(word[0]) : Lower(std::uint8_t(word[0]));
    byFirst[first].push_back(word);
    longest[first] = std::max(longest[first], word.size());
    longestOfAll = std::max(longestOfAll, word.size());
    endsWith[std::uint8_t(word.back())] = true;
  }
};

KeywordIndex IndexOf(std::span<const KeywordEntry> entries) {
  KeywordIndex index;
  for (const KeywordEntry& e : entries) index.Add(e.view(), true);
  return index;
}
const KeywordIndex& CIndex() {
  static const KeywordIndex index = IndexOf(CKeywords());
  return index;
}
const KeywordIndex& CppIndex() {
  static const KeywordIndex index = IndexOf(CppKeywords());
  return index;
}

class Painter {
 public:
  Painter(std::uint32_t from, std::uint32_t to, std::vector<std::uint32_t>& colours)
      : from_(from), to_(to), colours_(colours) {}
  void Fill(std::uint32_t a, std::uint32_t b, std::uint32_t value) {
    a = std::max(a, from_);
    b = std::min(b, to_);
    for (std::uint32_t p = a; p < b; ++p) colours_[p - from_] = value;
  }
  void Comment(std::uint32_t p, std::uint32_t value) {
    if (p < from_ || p >= to_) return;
    std::uint32_t& c = colours_[p - from_];
    if (!(c & kBackColourFlag)) c = value;
  }

 private:
  std::uint32_t from_, to_;
  std::vector<std::uint32_t>& colours_;
};

template <class F>
void ForEachCharStart(const Text& t, std::uint32_t from, std::uint32_t to, F f) {
  for (std::uint32_t p = from; p < to;) {
    f(p);
    p += (cp932::IsLeadByte(t.At(p)) && p + 1 < t.length) ? 2 : 1;
  }
}

void ColourBuiltins(const Text& t, std::uint32_t scanFrom, std::uint32_t to, const KeywordIndex& index,
                    std::uint32_t value, Painter& painter) {
  ForEachCharStart(t, scanFrom, to, [&](std::uint32_t p) {
    if (!WordStart(t, p)) return;
    for (std::string_view word : index.byFirst[t.At(p)]) {
      if (MatchAt(t, p, word, true) && WordEnd(t, p + std::uint32_t(word.size())))
        painter.Fill(p, p + std::uint32_t(word.size()), value);
    }
  });
}

enum class CommentState { kNormal, kLine, kBlock };

// Runs the comment scanner over [from, to); colour receives every byte that
// lies inside a comment. The scan ends at to, or one byte later when a
// delimiter reaches across it (end tells which).
template <class F>
CommentState ScanComments(const Text& t, std::uint32_t from, std::uint32_t to, CommentState state, bool blocks,
                          F colour, std::uint32_t* end = nullptr) {
  std::uint32_t p = from;
  for (; p < to; ++p) {
    const std::uint8_t b = t.At(p);
    const std::uint8_t next = p + 1 < t.length ? t.At(p + 1) : 0;
    switch (state) {
      case CommentState::kNormal:
        if (b == '/' && next == '/') {
          state = CommentState::kLine;
          colour(p);
        } else if (blocks && b == '/' && next == '*') {
          state = CommentState::kBlock;
          colour(p);
          colour(++p);  // "/*/" does not close the comment it opens
        }
        break;
      case CommentState::kLine:
        colour(p);
        if (b == '\n') state = CommentState::kNormal;
        break;
      case CommentState::kBlock:
        colour(p);
        if (b == '*' && next == '/') {
          colour(++p);
          state = CommentState::kNormal;
        }
        break;
    }
  }
  if (end) *end = p;
  return state;
}

bool FormsDelimiter(std::uint8_t a, std::uint8_t b, bool lineToo) {
  return (a == '/' && b == '*') || (a == '*' && b == '/') || (lineToo && a == '/' && b == '/');
}

// Every delimiter holds a "/": the slashes of s[0..n) find them.
bool HoldsDelimiter(const std::uint8_t* s, std::uint32_t n, bool lineToo) {
  const std::uint8_t* end = s + n;
  for (const std::uint8_t* p = s; p < end; ++p) {
    p = static_cast<const std::uint8_t*>(std::memchr(p, '/', std::size_t(end - p)));
    if (!p) return false;
    if (p > s && p[-1] == '*') return true;
    if (p + 1 < end && FormsDelimiter('/', p[1], lineToo)) return true;
  }
  return false;
}

// The test of CommentsOnInsert and CommentsOnDelete over the changed bytes
// s[0..n) that stood (or will stand) between before and after.
bool ChangeTouchesComments(const Text& t, const ColourRules& rules, std::uint32_t lineFrom, const std::uint8_t* s,
                           std::uint32_t n, int before, int after) {
  if (rules.language == SyntaxLanguage::kNone || !rules.areaComments || n == 0) return false;
  // Most appended lines hold no "/" at all: one look settles both tests.
  const bool anySlash = std::memchr(s, '/', n) != nullptr;
  if (anySlash && HoldsDelimiter(s, n, false)) return true;
  if (before >= 0 && FormsDelimiter(std::uint8_t(before), s[0], false)) return true;
  if (after >= 0 && FormsDelimiter(s[n - 1], std::uint8_t(after), false)) return true;
  const bool slashes = anySlash && HoldsDelimiter(s, n, true);  // no "/*" nor "*/": a "//" then
  const bool completes = (before == '/' && s[0] == '/') || (after == '/' && s[n - 1] == '/');
  if (!slashes && !completes) return false;
  // The rest of the line: a delimiter there changes its meaning.
  const std::uint32_t limit = std::min<std::uint64_t>(t.length, std::uint64_t(lineFrom) + kLookBack);
  for (std::uint32_t p = lineFrom; p < limit; ++p) {
    if (t.At(p) == '\r') return HoldsDelimiter(t.Ptr(lineFrom), p - lineFrom, false);
  }
  return true;
}

}  // namespace

std::uint32_t LineStartBefore(const Text& t, std::uint32_t pos, std::uint32_t limit) {
  pos = std::min(pos, t.length);
  const std::uint32_t floor = pos > limit ? pos - limit : 0;
  for (std::uint32_t p = pos; p > floor; --p)
    if (t.At(p - 1) == '\n') return p;
  return floor;
}

bool InsideBlockComment(const Text& t, const CommentTables& tables, std::uint32_t pos) {
  return tables.InsideBlock(t, pos);
}

void ColourStretch(const Text& t, std::uint32_t scanFrom, std::uint32_t from, std::uint32_t to,
                   const ColourRules& rules, const CommentTables* tables, std::vector<std::uint32_t>& colours) {
  to = std::min(to, t.length);
  from = std::min(from, to);
  scanFrom = std::min(scanFrom, from);
  colours.assign(to - from, 0);
  Painter painter(from, to, colours);

  if (rules.keywords && rules.keywords->Count() > 0) {
    KeywordIndex index;
    const bool exact = rules.caseSensitive;
    for (const std::string& word : rules.keywords->Words()) index.Add(word, exact);
    const std::uint32_t value = (rules.keywordColour & kColourMask) | kTextColourFlag;
    ForEachCharStart(t, scanFrom, to, [&](std::uint32_t p) {
      const std::uint8_t first = exact ? t.At(p) : Lower(t.At(p));
      for (std::string_view word : index.byFirst[first]) {
        if (!MatchAt(t, p, word, exact)) continue;
        const auto end = p + std::uint32_t(word.size());
        if (rules.wholeWord && !HasDoubleByte(word) && !(WordStart(t, p) && WordEnd(t, end))) continue;
        painter.Fill(p, end, value);
      }
    });
  }
  if (rules.language != SyntaxLanguage::kNone) {
    ColourBuiltins(t, scanFrom, to, CIndex(), (rules.cKeywordColour & kColourMask) | kTextColourFlag,
                   painter);
    if (rules.language == SyntaxLanguage::kCpp)
      ColourBuiltins(t, scanFrom, to, CppIndex(),
                     (rules.cppKeywordColour & kColourMask) | kTextColourFlag, painter);
  }
  if (rules.charMarks) {
    const std::uint32_t value = (rules.markedCharBack & kColourMask) | kBackColourFlag;
    for (const CharMark& mark : *rules.charMarks) {
      const std::uint64_t end = mark.End();
      if (mark.length == 0 || end <= from || mark.pos >= to || end > t.length) continue;
      // A mark whose text has changed since it was set is not drawn.
      if (std::memcmp(t.Ptr(mark.pos), mark.text.data(), mark.length) == 0)
        painter.Fill(mark.pos, std::uint32_t(end), value);
    }
  }
  if (rules.language != SyntaxLanguage::kNone) {
    const bool blocks = rules.areaComments && tables;
    const CommentState state =
        blocks && InsideBlockComment(t, *tables, scanFrom) ? CommentState::kBlock : CommentState::kNormal;
    const std::uint32_t value = (rules.commentColour & kColourMask) | kTextColourFlag;
    ScanComments(t, scanFrom, to, state, blocks, [&](std::uint32_t p) { painter.Comment(p, value); });
  }
}

bool CommentsOnInsert(const Text& t, const ColourRules& rules, std::uint32_t pos, const std::uint8_t* bytes,
                      std::uint32_t n) {
  pos = std::min(pos, t.length);
  const int before = pos > 0 ? t.At(pos - 1) : -1;
  const int after = pos < t.length ? t.At(pos) : -1;
  return ChangeTouchesComments(t, rules, pos, bytes, n, before, after);
}

bool CommentsOnDelete(const Text& t, const ColourRules& rules, std::uint32_t pos, std::uint32_t n) {
  if (pos >= t.length) return false;
  n = std::min(n, t.length - pos);
  const int before = pos > 0 ? t.At(pos - 1) : -1;
  const int after = pos + n < t.length ? t.At(pos + n) : -1;
  // The bytes either side of the deleted ones meet and may form a delimiter.
  if (rules.language != SyntaxLanguage::kNone && rules.areaComments && before >= 0 && after >= 0 &&
      FormsDelimiter(std::uint8_t(before), std::uint8_t(after), false))
    return true;
  return ChangeTouchesComments(t, rules, pos + n, t.Ptr(pos), n, before, after);
}

std::uint32_t RedrawStart(const Text& t, const ColourRules& rules, std::uint32_t pos) {
  pos = std::min(pos, t.length);
  std::uint32_t start = pos;
  const std::uint32_t window = pos > kKeywordLookBack ? pos - kKeywordLookBack : 0;
  auto reaches = [&](std::uint32_t p, std::string_view word, bool exact) {
    if (p + word.size() >= pos && MatchAt(t, p, word, exact)) start = std::min(start, p);
  };
  // Each user keyword is tried only where it would reach pos: an append
  // asks at every line, so no index of the list is built here.
  if (rules.keywords) {
    for (const std::string& word : rules.keywords->Words()) {
      const auto size = std::uint32_t(std::min<std::size_t>(word.size(), pos));
      for (std::uint32_t p = std::max(window, pos - size); p < pos; ++p) reaches(p, word, rules.caseSensitive);
    }
  }
  if (rules.language != SyntaxLanguage::kNone) {
    const KeywordIndex& c = CIndex();
    const KeywordIndex* cpp = rules.language == SyntaxLanguage::kCpp ? &CppIndex() : nullptr;
    std::uint32_t reach = std::uint32_t(std::max(c.longestOfAll, cpp ? cpp->longestOfAll : 0));
    // At the end of the text (an append) a keyword can only end at pos:
    // none does unless the last byte ends one.
    if (pos == t.length && pos > 0 && !c.endsWith[t.At(pos - 1)] && !(cpp && cpp->endsWith[t.At(pos - 1)]))
      reach = 0;
    for (std::uint32_t p = std::max(window, pos - std::min(pos, reach)); p < pos; ++p) {
      const std::uint8_t b = t.At(p);
      if (p + c.longest[b] >= pos)
        for (std::string_view word : c.byFirst[b]) reaches(p, word, true);
      if (cpp && p + cpp->longest[b] >= pos)
        for (std::string_view word : cpp->byFirst[b]) reaches(p, word, true);
    }
  }
  // Started from a byte count, the keyword may begin on a trail byte.
  if (start < pos && start > 0 && cp932::IsLeadByte(t.At(start - 1))) --start;
  if (rules.charMarks) {
    for (const CharMark& mark : *rules.charMarks)
      if (mark.pos < pos && mark.End() > pos) start = std::min(start, mark.pos);
  }
  if (pos > 0 && pos < t.length && FormsDelimiter(t.At(pos - 1), t.At(pos), true)) start = std::min(start, pos - 1);
  return start;
}

}  // namespace quarn
