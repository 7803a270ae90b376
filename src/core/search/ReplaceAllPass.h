// Replace all over a document's bytes, shared by the binary and the text
// window: the matches are found from the start without overlap and the
// bytes rewritten in place in one pass, so the time is linear and the only
// extra memory is the growth of the document's own block. The undo store
// ends exactly as if every replacement had been made one by one (a deletion
// record and then an insertion record each).
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace quarn {

class CVeskDoc;

struct PassMatch {
  std::size_t pos = 0;
  std::size_t length = 0;  // 0: an empty match, passed over by one character
};

struct ReplaceAllHooks {
  // The first match at or after from in text[0, length): the document's
  // bytes as they were, wherever they lie during the pass. The byte before
  // from is the last byte already written, as a search after each single
  // replacement would see it.
  std::function<std::optional<PassMatch>(const std::uint8_t* text, std::size_t length, std::size_t from)> find;
  // The bytes that replace the match at match[0, length).
  std::function<void(const std::uint8_t* match, std::size_t length, std::vector<std::uint8_t>& out)> replacement;
  // Asked before each search with its start; true stops the replacing.
  std::function<bool(std::size_t from)> stop;
  // The search reads the byte before its start (the line-start rule).
  bool looksBack = false;
  // An upper bound of the growth of one replacement: with none above 0 the
  // pass needs no first counting pass.
  std::int64_t maxGrowth = 0;
  // A result longer than the document limit: true refuses everything, false
  // replaces up to the match that would reach the limit. Both show 59394.
  bool refuseOverLimit = false;
};

struct ReplaceAllOutcome {
  std::uint32_t count = 0;
  // Where the last replacement ends in the new bytes (the caret goes there).
  std::uint32_t lastEnd = 0;
  bool refused = false;  // nothing changed after a message
};

// Replaces every match; the caller updates its views. The text layout of a
// text document is laid out again.
ReplaceAllOutcome ReplaceAllInPlace(CVeskDoc& doc, const ReplaceAllHooks& hooks);

}  // namespace quarn
