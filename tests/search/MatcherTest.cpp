#include "core/search/Matcher.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "core/encoding/Cp932.h"
#include "core/search/CharFold.h"
#include "fakes/FakePlatform.h"

namespace quarn {
namespace {

// Shift_JIS characters used below.
const std::string kHiraA = "\x82\xA0";       // あ
const std::string kKataA = "\x83\x41";       // ア, trail byte 'A'
const std::string kKataDi = "\x83\x61";      // ヂ, trail byte 'a'
const std::string kWideA = "\x82\x60";       // Ａ
const std::string kWideSmallA = "\x82\x81";  // ａ

using Hit = std::pair<std::size_t, std::size_t>;  // position and length
constexpr Hit kNone{kNoMatch, 0};

MatchOptions Regex(bool firstOnly = true) {
  MatchOptions o;
  o.regular = true;
  o.firstOnly = firstOnly;
  return o;
}

Hit Find(const std::string& text, const std::string& pattern, const MatchOptions& o = Regex(), std::size_t start = 0,
         std::size_t end = std::string::npos) {
  std::size_t len = 99;
  const auto* t = reinterpret_cast<const std::uint8_t*>(text.data());
  const std::size_t pos = Match(t, text.size(), start, std::min(end, text.size()), pattern, o, &len);
  return {pos, pos == kNoMatch ? 0 : len};
}

TEST(CharFold, FoldsFullWidthFormsAndLetterCase) {
  // Ideographic space, full-width letters, digit and sign, katakana and
  // punctuation to their one-byte forms; others stay.
  const std::pair<unsigned, unsigned> singles[] = {
      {0x8140, 0x20}, {0x8260, 'A'},  {0x829A, 'z'},    {0x8258, '9'},    {0x8197, '@'},    {0x8341, 0xB1},
      {0x8393, 0xDD}, {0x8142, 0xA1}, {0x834B, 0x834B}, {0x82A0, 0x82A0}, {0x8ABF, 0x8ABF}, {'a', 'a'}};
  for (const auto& [wide, single] : singles) EXPECT_EQ(unsigned(ToSingleByte(std::uint16_t(wide))), single) << wide;
  auto cmp = [](const std::string& a, const std::string& b) {
    return CompareNoCase(reinterpret_cast<const std::uint8_t*>(a.data()),
                         reinterpret_cast<const std::uint8_t*>(b.data()), b.size());
  };
  EXPECT_EQ(cmp(kWideA + "x", kWideSmallA + "X"), 0);
  EXPECT_NE(cmp(kKataA, kKataDi), 0);  // trail bytes do not fold
  EXPECT_LT(cmp("zz", kHiraA), 0);     // a two-byte character orders above single bytes
  EXPECT_GT(cmp(kHiraA, "z"), 0);      // a lead byte cut off by n is a byte of its own
}

// Outside the character model: the one backtrack and its limit, escapes, both anchors, the pattern's length.
TEST(Matcher, BacktrackingParsingAndLimits) {
  EXPECT_EQ(Find("aaab", "a*ab"), (Hit{0, 4}));
  EXPECT_EQ(Find("xaaax", "a*a"), (Hit{1, 3}));
  EXPECT_EQ(Find("aaa", "a*a"), kNone);  // the text ends while an element remains
  // Backtracking gives up after ten calls in one search: every "aac" costs
  // two backtracking calls, the final "aaab" one more.
  std::string four;
  for (int i = 0; i < 4; ++i) four += "aac ";
  EXPECT_EQ(Find(four + "aaab", "a*ab"), (Hit{four.size(), 4}));
  EXPECT_EQ(Find(four + "aac aaab", "a*ab"), kNone);
  EXPECT_EQ(Find("xxabc", "^abc", Regex(), 2), (Hit{2, 3}));
  EXPECT_EQ(Find("ab$", "^ab$"), (Hit{0, 3}));  // with '^' first, a final '$' is an ordinary character
  EXPECT_EQ(Find("a", "^"), kNone);
  EXPECT_EQ(Find("ax\r", "x$", Regex(), 0, 3), kNone);  // a CR past the text's end is not read
  EXPECT_EQ(Find("x-y", "[a-]"), (Hit{1, 1}));  // a hyphen at an end is literal
  EXPECT_EQ(Find("x]y", "[a\\]]"), (Hit{1, 1}));
  EXPECT_EQ(Find("**", "*"), (Hit{0, 1}));  // leading '*' and '+' are characters
  EXPECT_EQ(Find("a+", "+"), (Hit{1, 1}));
  EXPECT_EQ(Find("x[a]*+", "[a]*+"), (Hit{5, 1}));  // '+' after a class's '*' is a character
  EXPECT_EQ(Find("x\x83\x5C", "\\\x83\x5C"), (Hit{1, 2}));  // ソ, whose trail byte is '\\'
  MatchOptions plain;
  plain.distinguishWidth = false;
  EXPECT_EQ(Find("\x83\x4B", "\xB6\xDE", plain), kNone);  // ｶﾞ is two characters, not ガ
  EXPECT_EQ(Find("abc", ""), kNone);
  EXPECT_EQ(Find(std::string(100, 'a'), std::string(81, 'a')), kNone);
  EXPECT_EQ(Find(std::string(100, 'a'), std::string(80, 'a')), (Hit{0, 80}));
}

TEST(Matcher, BrokenClassesShowTheAssertBox) {
  fakes::FakePlatform platform;
  for (const char* pattern : {"a[]", "[b]**", "[b]+*", "[^]", "x["}) {
    platform.messages.shown.clear();
    EXPECT_EQ(Find("ab[]**", pattern), kNone) << pattern;
    ASSERT_EQ(platform.messages.shown.size(), 1u) << pattern;
    EXPECT_EQ(platform.messages.shown[0].text + " " + platform.messages.shown[0].caption, "ASSERT ASSERT");
  }
  platform.messages.shown.clear();
  EXPECT_EQ(Find("xbb", "[b]*"), (Hit{0, 0}));
  EXPECT_EQ(Find("xa[]", "a\\[]"), (Hit{1, 3}));
  EXPECT_TRUE(platform.messages.shown.empty());
  Platform().messages = nullptr;
  EXPECT_EQ(Find("ab", "[]"), kNone);
}

// A reference over whole characters and element lists built directly, for patterns where no repeat is
// followed by a single element that could take one of its characters: the one backtrack cannot matter.
namespace model {

struct Elem {
  enum Kind { kLiteral, kAny, kClass } kind = kLiteral;
  bool repeat = false;
  bool negate = false;
  std::vector<std::uint16_t> singles;
  std::vector<std::pair<std::uint16_t, std::uint16_t>> ranges;
};

struct Ch {
  std::uint16_t code;
  std::size_t off;
  bool broken;  // a lead byte as the area's last byte
};

std::string Bytes(std::uint16_t c) {
  return c < 0x100 ? std::string(1, char(c)) : std::string{char(c >> 8), char(c & 0xFF)};
}

std::uint16_t Key(std::uint16_t c, const MatchOptions& o) {
  if (!o.distinguishWidth) c = ToSingleByte(c);
  return o.matchCase ? c : FoldCase(c);
}

bool Matches(const Elem& e, const Ch& ch, const MatchOptions& o) {
  if (ch.broken) return false;
  if (e.kind == Elem::kAny && !e.repeat) return true;
  const std::uint16_t k = Key(ch.code, o);
  bool hit = e.kind == Elem::kAny && k == Key('.', o);
  for (std::uint16_t c : e.singles) hit = hit || k == Key(c, o);
  for (auto [lo, hi] : e.ranges) hit = hit || (Key(lo, o) <= k && k <= Key(hi, o));
  return hit != e.negate;
}

// anchor: 0 none, 1 line start, 2 line end.
Hit Search(const std::string& text, std::size_t start, std::size_t end, const std::vector<Elem>& elems, int anchor,
           const MatchOptions& o) {
  std::vector<Ch> chars;
  for (std::size_t i = start; i < end;) {
    const auto b = std::uint8_t(text[i]);
    const bool pair = cp932::IsLeadByte(b) && i + 1 < end;
    chars.push_back({std::uint16_t(pair ? b << 8 | std::uint8_t(text[i + 1]) : b), i, cp932::IsLeadByte(b) && !pair});
    i += pair ? 2 : 1;
  }
  const std::size_t m = chars.size();
  auto offset = [&](std::size_t k) { return k < m ? chars[k].off : end; };
  auto crlf = [&](std::size_t at) { return at + 1 < text.size() && text[at] == '\r' && text[at + 1] == '\n'; };
  Hit kept = kNone;
  for (std::size_t s = 0; s < m;) {
    std::size_t p = s;
    bool ok = true;
    for (const Elem& e : elems) {
      if (p == m) return kept;
      if (e.repeat) {
        while (p < m && Matches(e, chars[p], o)) ++p;
      } else if (Matches(e, chars[p], o)) {
        ++p;
      } else {
        ok = false;
        break;
      }
    }
    if (!ok) {
      ++s;
      continue;
    }
    const std::size_t next = p > s ? p : s + 1;
    const std::size_t from = offset(s), to = offset(p);
    const bool accepted = anchor == 1   ? (from == start || (from >= 2 && crlf(from - 2)))
                          : anchor == 2 ? (to == end || crlf(to))
                                        : true;
    if (accepted) {
      if (o.firstOnly || p == m) return {from, to - from};
      kept = {from, to - from};
    }
    s = next;
  }
  return kept;
}

}  // namespace model

const std::vector<std::uint16_t> kAlphabet = {
    'a', 'b', 'A', 'B', '0', '5', '.', '*', '+', '-', '^', '$', '\\', '[', ']', ' ',
    0x82A0, 0x82A2, 0x82F1, 0x8341, 0x8361, 0x835C, 0x834B, 0xB1, 0x8260, 0x8261, 0x8281, 0x8ABF, 0x8144};
const std::vector<std::pair<std::uint16_t, std::uint16_t>> kRanges = {
    {'a', 'f'}, {'A', 'F'}, {'0', '5'}, {0x82A0, 0x82F1}, {0x8341, 0x8393}, {0x8260, 0x8279}, {0x8281, 0x829A}};

std::string Escaped(std::uint16_t c) {
  const std::string meta = "\\[]*+.^$-";
  return (c < 0x80 && meta.find(char(c)) != std::string::npos ? "\\" : "") + model::Bytes(c);
}

// A random element list (after "+" is spelled out) and its pattern text.
bool RandomPattern(std::mt19937& rng, const MatchOptions& o, std::vector<model::Elem>* elems, std::string* text) {
  auto pick = [&](std::size_t n) { return std::size_t(rng() % n); };
  elems->clear();
  text->clear();
  const std::size_t count = 1 + pick(4);
  for (std::size_t i = 0; i < count; ++i) {
    model::Elem e;
    const std::size_t kind = pick(6);
    if (kind == 0) {
      e.kind = model::Elem::kAny;
      *text += ".";
    } else if (kind <= 2) {
      e.kind = model::Elem::kClass;
      e.negate = pick(3) == 0;
      *text += e.negate ? "[^" : "[";
      for (std::size_t k = 1 + pick(2); k > 0; --k) {
        if (pick(2)) {
          e.ranges.push_back(kRanges[pick(kRanges.size())]);
          *text += model::Bytes(e.ranges.back().first) + "-" + model::Bytes(e.ranges.back().second);
        } else {
          e.singles.push_back(kAlphabet[pick(kAlphabet.size())]);
          *text += Escaped(e.singles.back());
        }
      }
      *text += "]";
    } else {
      e.singles.push_back(kAlphabet[pick(kAlphabet.size())]);
      *text += Escaped(e.singles.back());
    }
    if (const std::size_t suffix = pick(5); suffix == 1 || suffix == 2) {
      *text += suffix == 1 ? "*" : "+";
      if (suffix == 2) elems->push_back(e);  // "+": the element once, then repeated
      e.repeat = true;
    }
    elems->push_back(e);
  }
  // Keep to patterns where the greedy walk is the whole story.
  for (std::size_t i = 0; i + 1 < elems->size(); ++i) {
    if (!(*elems)[i].repeat || (*elems)[i + 1].repeat) continue;
    for (std::uint16_t c : kAlphabet)
      for (std::uint16_t d : {c, std::uint16_t('\r'), std::uint16_t('\n')})
        if (model::Matches((*elems)[i], {d, 0, false}, o) && model::Matches((*elems)[i + 1], {d, 0, false}, o))
          return false;
  }
  return true;
}

std::string RandomText(std::mt19937& rng, std::size_t chars) {
  std::string text;
  for (std::size_t i = 0; i < chars; ++i)
    text += rng() % 8 == 0 ? std::string("\r\n") : model::Bytes(kAlphabet[rng() % kAlphabet.size()]);
  return text;
}

MatchOptions RandomOptions(std::mt19937& rng, bool regular) {
  MatchOptions o;
  o.regular = regular;
  o.firstOnly = rng() % 2;
  o.matchCase = rng() % 2;
  o.distinguishWidth = rng() % 2;
  return o;
}

// A random area: a character start, and an end that may cut a character.
std::pair<std::size_t, std::size_t> RandomArea(std::mt19937& rng, const std::string& text) {
  const auto* t = reinterpret_cast<const std::uint8_t*>(text.data());
  std::size_t start = 0;
  for (std::size_t k = rng() % 4; k > 0 && start < text.size(); --k) start = cp932::NextChar(t, text.size(), start);
  const std::size_t end = start + rng() % (text.size() - start + 1);
  return {start, end};
}

TEST(MatcherModel, RegularAndLiteralPatternsAgreeWithTheCharacterModel) {
  std::mt19937 rng(7);
  int checked = 0;
  while (checked < 20000) {
    const MatchOptions o = RandomOptions(rng, true);
    std::vector<model::Elem> elems;
    std::string pattern;
    if (!RandomPattern(rng, o, &elems, &pattern)) continue;
    const int anchor = int(rng() % 4) % 3;
    if (anchor == 1) pattern = "^" + pattern;
    if (anchor == 2) pattern += "$";
    const std::string text = RandomText(rng, 1 + rng() % 14);
    const auto [start, end] = RandomArea(rng, text);
    ASSERT_EQ(Find(text, pattern, o, start, end), model::Search(text, start, end, elems, anchor, o))
        << pattern << " in " << text << " " << start << ".." << end << " step " << checked;
    ++checked;
  }
  rng.seed(11);
  for (int round = 0; round < 20000; ++round) {
    const MatchOptions o = RandomOptions(rng, false);
    const std::string text = RandomText(rng, 1 + rng() % 14);
    const auto [start, end] = RandomArea(rng, text);
    std::vector<model::Elem> elems;
    std::string pattern;
    for (std::size_t k = 1 + rng() % 3; k > 0; --k) {
      const std::uint16_t c = rng() % 10 == 0 ? '\r' : kAlphabet[rng() % kAlphabet.size()];
      elems.push_back({model::Elem::kLiteral, false, false, {c}, {}});
      pattern += model::Bytes(c);
    }
    ASSERT_EQ(Find(text, pattern, o, start, end), model::Search(text, start, end, elems, 0, o))
        << "pattern " << pattern << " text " << text << " area " << start << ".." << end;
  }
}

// PlainFind against stepping by whole characters from the start.
std::size_t SteppingFind(const std::string& text, std::size_t start, std::size_t end, const std::string& literal,
                         bool firstOnly, bool matchCase) {
  const auto* t = reinterpret_cast<const std::uint8_t*>(text.data());
  const auto* l = reinterpret_cast<const std::uint8_t*>(literal.data());
  std::size_t found = kNoMatch;
  for (std::size_t i = start; i < end; i = cp932::NextChar(t, text.size(), i)) {
    const bool equal = matchCase ? std::memcmp(t + i, l, literal.size()) == 0
                                 : CompareNoCase(t + i, l, literal.size()) == 0;
    if (equal && firstOnly) return i;
    if (equal) found = i;
  }
  return found;
}

TEST(PlainFind, AgreesWithSteppingByCharactersOnLeadHeavyText) {
  std::mt19937 rng(3);
  const std::string letters = "aAbBzZ";
  for (int round = 0; round < 20000; ++round) {
    std::string text;
    const std::size_t n = 1 + rng() % 60;
    for (std::size_t i = 0; i < n; ++i) {
      const unsigned r = rng() % 10;
      if (r < 5) text += char(r < 3 ? 0x81 + rng() % 2 : 0xE0 + rng() % 2);  // lead-range bytes
      else if (r < 8) text += letters[rng() % letters.size()];
      else if (r < 9) text += char(0x60 + rng() % 0x40);  // trail-range bytes
      else text += char(0xB1);
    }
    std::string literal = text.substr(rng() % n, 1 + rng() % 4);
    for (char& c : literal)
      if (rng() % 3 == 0 && std::isalpha(static_cast<unsigned char>(c))) c = char(c ^ 0x20);
    if (literal.size() > text.size()) continue;
    const auto* t = reinterpret_cast<const std::uint8_t*>(text.data());
    std::size_t start = 0;
    for (std::size_t k = rng() % 6; k > 0 && start < text.size(); --k) start = cp932::NextChar(t, text.size(), start);
    const std::size_t last = text.size() - literal.size() + 1;
    const std::size_t end = start >= last ? last : start + rng() % (last - start + 1);
    const bool firstOnly = rng() % 2;
    const bool matchCase = rng() % 2;
    ASSERT_EQ(PlainFind(t, text.size(), start, end, literal, firstOnly, matchCase),
              SteppingFind(text, start, end, literal, firstOnly, matchCase))
        << "round " << round;
  }
  EXPECT_EQ(PlainFind(reinterpret_cast<const std::uint8_t*>("ab"), 2, 0, 2, "", true, true), kNoMatch);  // empty
}

}  // namespace
}  // namespace quarn
