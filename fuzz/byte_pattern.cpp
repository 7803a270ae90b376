// The binary window's search patterns: a hexadecimal pattern or an escaped
// text, then the first and the last match in a buffer, compared with a plain
// search that tries every position.
#include <optional>
#include <vector>

#include "FuzzInput.h"
#include "core/search/BytePattern.h"

using namespace quarn;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Input in(data, size);
  const int kind = in.Byte() % 3;
  const bool foldCase = in.Bit();
  const std::string text = in.Piece();
  const std::string bytes = in.Rest();
  std::optional<BytePattern> pattern;
  if (kind == 0) {
    pattern = ParseHexPattern(text);
    if (pattern) fuzz::Check(pattern->Size() * 2 == text.size(), "a hex pattern has a byte per two digits");
  } else {
    pattern = kind == 1 ? TranslateEscapes(text) : LiteralPattern(text);
  }
  if (!pattern) return 0;
  fuzz::Check(pattern->wildcard.size() == pattern->bytes.size(), "one wildcard flag per byte");
  if (kind == 1) fuzz::Check(pattern->Size() <= 2 * BytePattern::kMaxEscapedText, "escapes never more than double");
  pattern->foldCase = foldCase;

  const auto* buffer = reinterpret_cast<const std::uint8_t*>(bytes.data());
  const std::size_t n = pattern->Size();
  std::vector<std::size_t> starts;
  for (std::size_t s = 0; n > 0 && s + n <= bytes.size(); ++s)
    if (pattern->MatchesAt(buffer + s)) starts.push_back(s);
  const std::size_t from = bytes.empty() ? 0 : text.size() % (bytes.size() + 1);
  std::optional<std::size_t> first, last;
  for (std::size_t s : starts) {
    if (!first && s >= from) first = s;
    if (s < from) last = s;
  }
  fuzz::Check(FindFirst(buffer, from, bytes.size(), *pattern) == first, "FindFirst finds the first match");
  fuzz::Check(FindLast(buffer, from, bytes.size(), *pattern) == last, "FindLast finds the last match");
  return 0;
}
