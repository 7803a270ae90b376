// The pattern matcher of find and replace: a small regular-expression
// language on Shift_JIS bytes, and the plain literal search.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>

namespace quarn {

inline constexpr std::size_t kNoMatch = std::size_t(-1);

struct MatchOptions {
  bool firstOnly = true;  // leftmost match; otherwise the last one without overlap
  bool matchCase = false;
  bool regular = false;  // the pattern is a regular expression
  bool distinguishWidth = true;
};

// Searches the area [start, end) of text[0, textLength) for the pattern (1
// to 80 bytes). Returns the match position or kNoMatch; *length (if given)
// gets the match's byte length.
std::size_t Match(const std::uint8_t* text, std::size_t textLength, std::size_t start, std::size_t end,
                  std::string_view pattern, const MatchOptions& options, std::size_t* length);

// Finds the literal beginning at a character start from start to end - 1
// (end is the last possible begin plus one); the first hit, or the last one
// when firstOnly is false. Returns kNoMatch when there is none. askStop,
// when given, is asked each time the scan has passed another 2001
// positions; true gives up the search (kNoMatch).
std::size_t PlainFind(const std::uint8_t* text, std::size_t textLength, std::size_t start, std::size_t end,
                      std::string_view literal, bool firstOnly, bool matchCase,
                      const std::function<bool()>& askStop = {});

// The start of the character holding text[x], the text being walked from
// the character start anchor <= x.
std::size_t CharStartAtOrBefore(const std::uint8_t* text, std::size_t anchor, std::size_t x);

}  // namespace quarn
