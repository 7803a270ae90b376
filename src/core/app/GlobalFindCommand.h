// Command 32784: asks for a string, a path pattern and the options (or takes
// them from the replayed parameter block), searches every matching file and
// lists the hits as tag lines in a new text document.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quarn {

class DocTemplate;

// The command's parameter block: 32-bit subdirectories and match case, the
// string and the full path pattern each with its zero, then 32-bit
// distinguish width and regular expression, which older blocks lack.
struct GlobalFindParameters {
  bool subdirectories = true;
  bool matchCase = false;
  std::string text;
  std::string pattern;
  std::optional<bool> distinguishWidth;
  std::optional<bool> regular;
  friend bool operator==(const GlobalFindParameters&, const GlobalFindParameters&) = default;
};

std::vector<std::uint8_t> GlobalFindRecord(const GlobalFindParameters& parameters);
// Nothing when the block is cut short or a text has no zero.
std::optional<GlobalFindParameters> ParseGlobalFindRecord(const std::vector<std::uint8_t>& data);

// The pattern the search walks: an absolute pattern as it stands, else the
// folder followed by it; nothing when that reaches 261 bytes.
std::optional<std::string> FullPathPattern(const std::string& pattern, const std::string& folder);

void GlobalFind(DocTemplate& documents);

}  // namespace quarn
