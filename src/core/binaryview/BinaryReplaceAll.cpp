#include "core/binaryview/BinaryReplaceAll.h"

#include "core/search/ReplaceAllPass.h"

namespace quarn {
namespace {

// Bytes scanned between two calls of askStop.
constexpr std::size_t kStopCheckBytes = std::size_t(1) << 20;

}  // namespace

void ReplacementBytes(const BytePattern& replacement, const std::uint8_t* match, std::size_t matchLength,
                      std::vector<std::uint8_t>& out) {
  out.clear();
  for (std::size_t i = 0; i < replacement.Size(); ++i) {
    if (!replacement.wildcard[i]) out.push_back(replacement.bytes[i]);
    else if (i < matchLength) out.push_back(match[i]);
  }
}

ReplaceAllResult ReplaceAllBytes(CVeskDoc& doc, const BytePattern& find, const BytePattern& replacement,
                                 const std::function<bool(std::uint32_t found)>& askStop) {
  const std::size_t m = find.Size();
  if (m == 0) return {};
  ReplaceAllHooks hooks;
  hooks.find = [&find](const std::uint8_t* text, std::size_t length, std::size_t from) -> std::optional<PassMatch> {
    const std::optional<std::size_t> hit = FindFirst(text, from, length, find);
    if (!hit) return std::nullopt;
    return PassMatch{*hit, find.Size()};
  };
  hooks.replacement = [&replacement](const std::uint8_t* match, std::size_t length, std::vector<std::uint8_t>& out) {
    ReplacementBytes(replacement, match, length, out);
  };
  std::size_t nextCheck = kStopCheckBytes;
  std::uint32_t searches = 0;  // one before each match and one that finds none
  hooks.stop = [&](std::size_t from) {
    ++searches;
    if (from < nextCheck) return false;
    nextCheck = from + kStopCheckBytes;
    return askStop && askStop(searches - 1);
  };
  // Every replacement has the same length: wildcards past the match's end
  // are left out, the others take a byte.
  std::vector<std::uint8_t> sample;
  const std::vector<std::uint8_t> zeros(m);
  ReplacementBytes(replacement, zeros.data(), m, sample);
  hooks.maxGrowth = std::int64_t(sample.size()) - std::int64_t(m);
  hooks.refuseOverLimit = true;
  const ReplaceAllOutcome outcome = ReplaceAllInPlace(doc, hooks);
  return {outcome.count, outcome.lastEnd, outcome.refused};
}

}  // namespace quarn
