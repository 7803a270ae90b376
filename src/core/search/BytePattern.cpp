#include "core/search/BytePattern.h"

#include <algorithm>
#include <cstring>

#include "core/encoding/Cp932.h"
#include "core/encoding/HexDigits.h"

namespace quarn {
namespace {

constexpr std::uint8_t Lower(std::uint8_t b) { return b >= 'A' && b <= 'Z' ? std::uint8_t(b + 32) : b; }
constexpr bool IsLetter(std::uint8_t b) { return Lower(b) >= 'a' && Lower(b) <= 'z'; }

void Append(BytePattern& p, std::uint8_t b, bool any = false) {
  p.bytes.push_back(b);
  p.wildcard.push_back(any);
}

// The byte the scan looks for with memchr: a fixed, case-exact byte, the
// least common in ordinary data that the pattern offers; -1 when none.
int AnchorIndex(const BytePattern& p) {
  auto cost = [](std::uint8_t b) { return b == 0 ? 3 : b == 0xFF || b == ' ' ? 2 : (b >= 'a' && b <= 'z') ? 1 : 0; };
  int best = -1;
  for (std::size_t i = 0; i < p.Size(); ++i) {
    if (p.wildcard[i] || (p.foldCase && IsLetter(p.bytes[i]))) continue;
    if (best < 0 || cost(p.bytes[i]) < cost(p.bytes[std::size_t(best)])) best = int(i);
  }
  return best;
}

}  // namespace

bool BytePattern::HasWildcards() const { return std::find(wildcard.begin(), wildcard.end(), true) != wildcard.end(); }

bool BytePattern::MatchesAt(const std::uint8_t* data) const {
  if (!foldCase) {
    for (std::size_t i = 0; i < bytes.size(); ++i)
      if (!wildcard[i] && data[i] != bytes[i]) return false;
    return true;
  }
  // Only single-byte letters fold: the trail byte of a double-byte
  // character of the pattern is compared exactly ("ア" 83 41 is not "ヂ" 83 61).
  bool trail = false;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const std::uint8_t b = bytes[i];
    if (!wildcard[i] && (trail ? data[i] != b : Lower(data[i]) != Lower(b))) return false;
    trail = !trail && !wildcard[i] && cp932::IsLeadByte(b);
  }
  return true;
}

std::optional<BytePattern> ParseHexPattern(const std::string& text) {
  if (text.empty() || text.size() % 2 != 0) return std::nullopt;
  BytePattern p;
  for (std::size_t i = 0; i < text.size(); i += 2) {
    const int high = HexDigitValue(std::uint8_t(text[i]));
    const int low = HexDigitValue(std::uint8_t(text[i + 1]));
    if (high < 0 || low < 0) return std::nullopt;
    Append(p, std::uint8_t(high * 16 + low));
  }
  return p;
}

BytePattern LiteralPattern(const std::string& text) {
  BytePattern p;
  for (char c : text) Append(p, std::uint8_t(c));
  return p;
}

BytePattern TranslateEscapes(const std::string& source) {
  const std::string text = source.substr(0, std::min(source.size(), BytePattern::kMaxEscapedText));
  BytePattern p;
  std::size_t i = 0;
  while (i < text.size()) {
    const std::uint8_t b = std::uint8_t(text[i]);
    if (cp932::IsLeadByte(b) && i + 1 < text.size()) {
      Append(p, b);
      Append(p, std::uint8_t(text[i + 1]));
      i += 2;
      continue;
    }
    if (b != '\\' || i + 1 >= text.size()) {
      Append(p, b);
      ++i;
      continue;
    }
    const char e = text[i + 1];
    switch (e) {
      case 'a': case 'A': Append(p, 7); break;
      case 'b': case 'B': Append(p, 8); break;
      case 'f': case 'F': Append(p, 12); break;
      case 'n': case 'N': Append(p, '\r'); Append(p, '\n'); break;
      case 't': case 'T': Append(p, 9); break;
      case 'v': case 'V': Append(p, 11); break;
      case '\\': Append(p, '\\'); break;
      case '.': Append(p, 0, true); break;
      case 'x': case 'X':
        if (const int high = i + 3 < text.size() ? HexDigitValue(std::uint8_t(text[i + 2])) : -1,
            low = i + 3 < text.size() ? HexDigitValue(std::uint8_t(text[i + 3])) : -1;
            high >= 0 && low >= 0) {
          Append(p, std::uint8_t(high * 16 + low));
          i += 4;
          continue;
        }
        [[fallthrough]];
      default:
        Append(p, '\\');  // not a sequence: the backslash stays, the next character is read as usual
        ++i;
        continue;
    }
    i += 2;
  }
  return p;
}

std::optional<std::size_t> FindFirst(const std::uint8_t* data, std::size_t from, std::size_t limit,
                                     const BytePattern& pattern) {
  const std::size_t n = pattern.Size();
  if (n == 0 || limit < n || from > limit - n) return std::nullopt;
  const std::size_t lastStart = limit - n;
  const int anchor = AnchorIndex(pattern);
  if (anchor < 0) {
    for (std::size_t s = from; s <= lastStart; ++s)
      if (pattern.MatchesAt(data + s)) return s;
    return std::nullopt;
  }
  // memchr for the anchor byte, then the whole pattern at the candidate.
  const std::size_t k = std::size_t(anchor);
  const std::uint8_t key = pattern.bytes[k];
  const std::uint8_t* p = data + from + k;
  const std::uint8_t* const end = data + lastStart + k + 1;
  while (p < end) {
    p = static_cast<const std::uint8_t*>(std::memchr(p, key, std::size_t(end - p)));
    if (!p) return std::nullopt;
    const std::size_t s = std::size_t(p - data) - k;
    if (pattern.MatchesAt(data + s)) return s;
    ++p;
  }
  return std::nullopt;
}

std::optional<std::size_t> FindLast(const std::uint8_t* data, std::size_t before, std::size_t limit,
                                    const BytePattern& pattern) {
  const std::size_t n = pattern.Size();
  if (n == 0 || limit < n || before == 0) return std::nullopt;
  for (std::size_t s = std::min(before - 1, limit - n) + 1; s-- > 0;)
    if (pattern.MatchesAt(data + s)) return s;
  return std::nullopt;
}

}  // namespace quarn
