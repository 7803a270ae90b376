// Replace all of the binary window: every match from the start of the
// document, without overlap, in one pass over the bytes.
#pragma once

#include <cstdint>
#include <functional>

#include "core/search/BytePattern.h"

namespace quarn {

class CVeskDoc;

struct ReplaceAllResult {
  std::uint32_t count = 0;
  // End of the last replacement (where the caret goes).
  std::uint32_t lastEnd = 0;
  bool refused = false;  // too long or out of memory: nothing changed
};

// A wildcard byte of the replacement takes the matched byte at the same
// offset (and is left out past the match's end). askStop is called now and
// then during the scan with the count of matches found so far; when it
// answers true only those are replaced. The undo store ends as if each replacement had written its
// deletion record and then its insertion record, one after the other.
ReplaceAllResult ReplaceAllBytes(CVeskDoc& doc, const BytePattern& find, const BytePattern& replacement,
                                 const std::function<bool(std::uint32_t found)>& askStop);

// The bytes a replacement writes for the match at data.
void ReplacementBytes(const BytePattern& replacement, const std::uint8_t* match, std::size_t matchLength,
                      std::vector<std::uint8_t>& out);

}  // namespace quarn
