// The macro file of a saved operation: a header with the comment, then the
// records as the recording buffer holds them. Files of the older format
// (16-bit heads, format mark 0x0604) are read and converted to the current
// records. Every count and length is checked before anything is taken.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quarn {

constexpr std::size_t kRecordBufferSize = 61440;
constexpr std::size_t kRecordHead = 12;
constexpr std::size_t kMaxMacroComment = 100;
constexpr std::uint32_t kMacroFormat = 200;
constexpr std::uint16_t kOlderMacroMark = 0x0604;
// The part of a file examined to tell a macro file and read its comment.
constexpr std::size_t kMacroHeaderProbe = 200;

struct MacroContents {
  std::string comment;
  std::vector<std::uint8_t> records;  // current record layout
  std::uint32_t count = 0;
};

// The comment when the first bytes of a file head a macro file of either
// format, else nothing.
std::optional<std::string> ReadMacroComment(const std::string& head);
// The whole file: nothing when the header, a count or a length is wrong or
// the records do not fill their declared size exactly.
std::optional<MacroContents> ReadMacroFile(const std::string& bytes);
// The file of the current format.
std::string WriteMacroFile(const std::string& comment, const std::uint8_t* records, std::size_t used, std::uint32_t count);

// True when count records of the current layout fill exactly n bytes.
bool RecordsFill(const std::uint8_t* records, std::size_t n, std::uint32_t count);
// Older records to the current layout: the 6-byte heads widened, command
// identifiers mapped to the recordable index, the 16-bit integers of known
// parameter blocks widened. Nothing when a record runs past the data.
std::optional<std::vector<std::uint8_t>> ConvertOlderRecords(const std::uint8_t* data, std::size_t n, std::uint32_t count);

}  // namespace quarn
