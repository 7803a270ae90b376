// Byte patterns of the binary window's search: a hexadecimal pattern typed
// in the hex area, or the bytes of a text typed in the text area, with the
// escape sequences translated when "EnRexp" is on.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quarn {

struct BytePattern {
  static constexpr std::size_t kMaxEscapedText = 256;
  std::vector<std::uint8_t> bytes;
  // wildcard[i]: bytes[i] matches any byte ("\." in an escaped text).
  std::vector<bool> wildcard;
  // Single-byte letters of the pattern match in either case (ASCII); the
  // trail byte of a double-byte character never folds.
  bool foldCase = false;

  std::size_t Size() const { return bytes.size(); }
  bool Empty() const { return bytes.empty(); }
  bool HasWildcards() const;
  // True when the pattern matches data[0, Size()).
  bool MatchesAt(const std::uint8_t* data) const;
};

// Two hexadecimal digits per byte ("01000D0A"); nothing for an empty text,
// an odd number of digits or any other character.
std::optional<BytePattern> ParseHexPattern(const std::string& text);

// The text's own bytes.
BytePattern LiteralPattern(const std::string& text);

// "\a" 7, "\b" 8, "\f" 12, "\n" CR LF, "\t" 9, "\v" 11 (letters in either
// case), "\\" a backslash, "\xHH" the byte of the digits, "\." any one
// byte; any other backslash stays; double-byte characters are copied
// whole. The text is cut to 256 bytes first.
BytePattern TranslateEscapes(const std::string& text);

// The first match starting in [from, limit - Size()], or nullopt.
std::optional<std::size_t> FindFirst(const std::uint8_t* data, std::size_t from, std::size_t limit,
                                     const BytePattern& pattern);
// The last match that starts before `before` and ends by limit.
std::optional<std::size_t> FindLast(const std::uint8_t* data, std::size_t before, std::size_t limit,
                                    const BytePattern& pattern);

}  // namespace quarn
