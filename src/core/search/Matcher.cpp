#include "core/search/Matcher.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "core/encoding/Cp932.h"
#include "core/search/CharFold.h"
#include "platform/MessageService.h"
#include "platform/Platform.h"

namespace quarn {
namespace {

using cp932::IsLeadByte;

constexpr std::size_t kMaxPattern = 80;
constexpr int kMaxCalls = 10;
constexpr std::uint8_t kCr = 0x0D;
constexpr std::uint8_t kLf = 0x0A;
// Positions of a plain search between two stop questions.
constexpr std::size_t kAskEvery = 2001;

// One character: one or two bytes.
struct Char {
  std::uint8_t b[2] = {0, 0};
  std::uint8_t n = 0;
};

// A pattern character after preparation.
struct Token {
  Char c;
  bool escaped = false;
  bool negates = false;  // a "[" that opens a negated class
};

struct Element {
  bool repeat = false;
  bool negate = false;
  bool any = false;
  bool isClass = false;
  std::vector<Char> singles;
  std::vector<std::pair<Char, Char>> ranges;
};

enum class Anchor { kNone, kLineStart, kLineEnd };

struct Compiled {
  std::vector<Element> elements;
  Anchor anchor = Anchor::kNone;
  bool invalid = false;  // an empty class, or "*" after a class with "*" or "+"
};

bool Is(const Token& t, char ch) { return !t.escaped && t.c.n == 1 && t.c.b[0] == std::uint8_t(ch); }

// Splits the pattern into characters, resolves "\" escapes, takes off the
// anchors and marks the negated classes.
std::vector<Token> Prepare(std::string_view pattern, bool regular, Anchor* anchor) {
  const auto* p = reinterpret_cast<const std::uint8_t*>(pattern.data());
  const std::size_t n = pattern.size();
  std::vector<Token> tokens;
  bool escapeNext = false;
  for (std::size_t i = 0; i < n;) {
    Token t;
    t.c.n = (IsLeadByte(p[i]) && i + 1 < n) ? 2 : 1;
    for (std::size_t k = 0; k < t.c.n; ++k) t.c.b[k] = p[i + k];
    i += t.c.n;
    if (!regular || escapeNext) {
      t.escaped = true;
      escapeNext = false;
    } else if (t.c.n == 1 && t.c.b[0] == '\\') {
      escapeNext = true;  // a final "\" is dropped
      continue;
    }
    tokens.push_back(t);
  }
  *anchor = Anchor::kNone;
  if (!tokens.empty() && Is(tokens.front(), '^')) {
    tokens.erase(tokens.begin());
    *anchor = Anchor::kLineStart;
  } else if (!tokens.empty() && Is(tokens.back(), '$')) {
    tokens.pop_back();
    *anchor = Anchor::kLineEnd;
  }
  for (std::size_t i = 0; i + 1 < tokens.size(); ++i) {
    if (Is(tokens[i], '[') && Is(tokens[i + 1], '^')) {
      tokens[i].negates = true;
      tokens.erase(tokens.begin() + std::ptrdiff_t(i) + 1);
    }
  }
  return tokens;
}

// The members of a class: each unescaped "-" between two characters makes a
// range of them; a "-" with no character on one side is a plain "-".
void AddClassMembers(const std::vector<Token>& members, Element* e) {
  for (std::size_t k = 0; k < members.size(); ++k) {
    const bool range = Is(members[k], '-') && k > 0 && k + 1 < members.size() && !Is(members[k - 1], '-') &&
                       !Is(members[k + 1], '-');
    if (range) {
      e->ranges.emplace_back(members[k - 1].c, members[k + 1].c);
    } else {
      e->singles.push_back(members[k].c);
    }
  }
}

Compiled Compile(std::string_view pattern, bool regular) {
  Compiled out;
  const std::vector<Token> tokens = Prepare(pattern, regular, &out.anchor);
  std::vector<Element>& elements = out.elements;
  for (std::size_t i = 0; i < tokens.size();) {
    const Token& t = tokens[i];
    if (Is(t, '[')) {
      Element e;
      e.isClass = true;
      e.negate = t.negates;
      std::vector<Token> members;
      for (++i; i < tokens.size() && !Is(tokens[i], ']'); ++i) members.push_back(tokens[i]);
      if (i < tokens.size()) ++i;  // the "]"
      if (members.empty()) {
        out.invalid = true;
        return out;
      }
      AddClassMembers(members, &e);
      if (i < tokens.size() && (Is(tokens[i], '*') || Is(tokens[i], '+'))) {
        if (Is(tokens[i], '+')) elements.push_back(e);
        e.repeat = true;
        if (++i < tokens.size() && Is(tokens[i], '*')) {
          out.invalid = true;
          return out;
        }
      }
      elements.push_back(e);
      continue;
    }
    const bool afterPlain = !elements.empty() && !elements.back().isClass;
    if (Is(t, '*') && afterPlain) {
      elements.back().repeat = true;
    } else if (Is(t, '+') && afterPlain) {
      Element copy = elements.back();
      copy.repeat = true;
      elements.push_back(copy);
    } else {
      Element e;
      e.any = Is(t, '.');
      e.singles.push_back(t.c);  // a repeated "." stands for the dot itself
      elements.push_back(e);
    }
    ++i;
  }
  return out;
}

void FoldWidth(Char* c) {
  if (c->n != 2) return;
  const std::uint16_t single = ToSingleByte(std::uint16_t(c->b[0] << 8 | c->b[1]));
  if (single < 0x100) *c = Char{{std::uint8_t(single), 0}, 1};
}

void FoldWidth(Compiled* compiled) {
  for (Element& e : compiled->elements) {
    for (Char& c : e.singles) FoldWidth(&c);
    for (auto& [first, last] : e.ranges) {
      FoldWidth(&first);
      FoldWidth(&last);
    }
  }
}

// One search: the text, the options and the count of matcher calls.
class Searcher {
 public:
  Searcher(const std::uint8_t* text, std::size_t textLength, const Compiled& compiled, const MatchOptions& options)
      : text_(text), textLength_(textLength), elements_(compiled.elements), options_(options) {}

  struct Found {
    std::size_t begin = kNoMatch;
    std::size_t end = 0;
  };

  // Matches the elements from `first` on at candidate starts from start up
  // to limit (exclusive), within the text up to end.
  Found Run(std::size_t first, std::size_t start, std::size_t limit, std::size_t end, Anchor anchor,
            bool firstOnly) {
    Found kept;
    if (++calls_ > kMaxCalls) return kept;
    std::size_t s = start;
    while (s < limit && s < end) {
      std::size_t p = s;
      bool matched = true;
      bool remembered = false;
      std::size_t before = 0;
      std::size_t after = 0;
      std::size_t rest = 0;  // the element after the remembered one
      for (std::size_t i = first; i < elements_.size() && matched; ++i) {
        if (p >= end) return kept;  // the text ends while elements remain
        const Element& e = elements_[i];
        std::size_t n = 0;
        if (e.repeat) {
          before = p;
          while (p < end && (n = CharMatches(e, p, end)) != 0) p += n;
          after = p;
          remembered = true;
          rest = i + 1;
        } else if ((n = CharMatches(e, p, end)) != 0) {
          p += n;
        } else {
          matched = false;
          if (remembered && after > before) {
            const Found tail = Run(rest, before, after, end, Anchor::kNone, false);
            if (tail.begin != kNoMatch && tail.begin < after) {
              p = tail.end;
              matched = true;
              break;
            }
          }
        }
      }
      if (!matched) {
        s = NextChar(s, end);
        continue;
      }
      // An empty match moves on by a character so that the scan ends.
      const std::size_t next = p > s ? p : NextChar(s, end);
      if (!Accepted(anchor, start, end, s, p)) {
        s = next;
        continue;
      }
      if (firstOnly || p >= limit) return {s, p};
      kept = {s, p};
      s = next;
    }
    return kept;
  }

 private:
  std::size_t NextChar(std::size_t s, std::size_t end) const {
    return (IsLeadByte(text_[s]) && s + 1 < end) ? s + 2 : s + 1;
  }

  bool CrLfAt(std::size_t p) const { return p + 1 < textLength_ && text_[p] == kCr && text_[p + 1] == kLf; }

  bool Accepted(Anchor anchor, std::size_t start, std::size_t end, std::size_t s, std::size_t p) const {
    if (anchor == Anchor::kLineStart) return s == start || (s >= 2 && CrLfAt(s - 2));
    if (anchor == Anchor::kLineEnd) return p == end || CrLfAt(p);
    return true;
  }

  int Compare(const std::uint8_t* t, const Char& c) const {
    if (options_.matchCase) return std::memcmp(t, c.b, c.n);
    return CompareNoCase(t, c.b, c.n);
  }

  // The byte length of the character at p when the element matches it, else 0.
  std::size_t CharMatches(const Element& e, std::size_t p, std::size_t end) const {
    const bool lead = IsLeadByte(text_[p]);
    if (lead && p + 1 >= end) return 0;  // a lead byte as the area's last byte
    const std::size_t length = lead ? 2 : 1;
    if (e.any && !e.repeat) return length;
    Char t{{text_[p], lead ? text_[p + 1] : std::uint8_t(0)}, std::uint8_t(length)};
    if (!options_.distinguishWidth) FoldWidth(&t);
    bool hit = false;
    for (const Char& c : e.singles) hit = hit || Compare(t.b, c) == 0;
    for (const auto& [first, last] : e.ranges) hit = hit || (Compare(t.b, first) >= 0 && Compare(t.b, last) <= 0);
    return hit != e.negate ? length : 0;
  }

  const std::uint8_t* text_;
  std::size_t textLength_;
  const std::vector<Element>& elements_;
  const MatchOptions& options_;
  int calls_ = 0;
};

// Whether x starts a character, given the character start anchor <= x: the
// byte after one that cannot lead ends a character, so the run of lead-range
// bytes before x decides.
bool StartsCharacter(const std::uint8_t* text, std::size_t anchor, std::size_t x) {
  std::size_t run = 0;
  for (std::size_t i = x; i > anchor && IsLeadByte(text[i - 1]); --i) ++run;
  return run % 2 == 0;
}

std::size_t Find(const std::uint8_t* text, std::uint8_t b, std::size_t from, std::size_t end) {
  if (from >= end) return end;
  const void* hit = std::memchr(text + from, b, end - from);
  return hit ? std::size_t(static_cast<const std::uint8_t*>(hit) - text) : end;
}

}  // namespace

std::size_t Match(const std::uint8_t* text, std::size_t textLength, std::size_t start, std::size_t end,
                  std::string_view pattern, const MatchOptions& options, std::size_t* length) {
  if (length) *length = 0;
  if (pattern.empty() || pattern.size() > kMaxPattern) return kNoMatch;
  Compiled compiled = Compile(pattern, options.regular);
  if (compiled.invalid) {
    if (MessageService* messages = Platform().messages) messages->messageBox("ASSERT", "ASSERT", mb::kOk);
    return kNoMatch;
  }
  // A pattern that is only an anchor would match nothing at every place.
  if (compiled.elements.empty()) return kNoMatch;
  if (!options.distinguishWidth) FoldWidth(&compiled);
  end = std::min(end, textLength);
  if (start >= end) return kNoMatch;
  Searcher searcher(text, textLength, compiled, options);
  const Searcher::Found found = searcher.Run(0, start, end, end, compiled.anchor, options.firstOnly);
  if (found.begin == kNoMatch) return kNoMatch;
  if (length) *length = found.end - found.begin;
  return found.begin;
}

std::size_t CharStartAtOrBefore(const std::uint8_t* text, std::size_t anchor, std::size_t x) {
  return x > anchor && !StartsCharacter(text, anchor, x) ? x - 1 : x;
}

std::size_t PlainFind(const std::uint8_t* text, std::size_t textLength, std::size_t start, std::size_t end,
                      std::string_view literal, bool firstOnly, bool matchCase, const std::function<bool()>& askStop) {
  const std::size_t n = literal.size();
  if (n == 0 || n > textLength) return kNoMatch;
  end = std::min(end, textLength - n + 1);
  const auto* lit = reinterpret_cast<const std::uint8_t*>(literal.data());
  // The first byte of a hit is the literal's, or its other case.
  const std::uint8_t first = lit[0];
  std::uint8_t other = first;
  if (!matchCase && first >= 'a' && first <= 'z') other = std::uint8_t(first - 0x20);
  if (!matchCase && first >= 'A' && first <= 'Z') other = std::uint8_t(first + 0x20);
  std::size_t nextFirst = Find(text, first, start, end);
  std::size_t nextOther = other == first ? end : Find(text, other, start, end);
  std::size_t anchor = start;  // a known character start
  std::size_t found = kNoMatch;
  std::size_t nextAsk = askStop ? start + kAskEvery : kNoMatch;
  while (true) {
    const std::size_t c = std::min(nextFirst, nextOther);
    // One question however many steps of 2001 the last memchr jumped.
    if (const std::size_t reached = std::min(c, end); reached >= nextAsk) {
      if (askStop()) return kNoMatch;
      nextAsk = reached + kAskEvery - (reached - start) % kAskEvery;
    }
    if (c >= end) break;
    if (StartsCharacter(text, anchor, c)) {
      anchor = c;
      const bool equal = matchCase ? std::memcmp(text + c, lit, n) == 0 : CompareNoCase(text + c, lit, n) == 0;
      if (equal) {
        if (firstOnly) return c;
        found = c;
      }
    } else {
      anchor = c + 1;  // c is a trail byte
    }
    if (nextFirst == c) nextFirst = Find(text, first, c + 1, end);
    if (nextOther == c) nextOther = Find(text, other, c + 1, end);
  }
  return found;
}

}  // namespace quarn
