// The attribute file: the line marks and character marks of a text file,
// kept beside it so that they come back when the file is opened again.
//
// Layout, little-endian: the 30-byte header line, a 16-bit count of line
// marks and their 32-bit values, a 16-bit count of character marks and for
// each a 32-bit position and its text of 1 to 80 bytes with a NUL.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/document/DocumentMarks.h"

namespace quarn {

inline constexpr std::string_view kAttributeHeader = "KTR Sorva Attribute File 100\r\n";
// The work buffer the file is read into: a longer file is read that far.
inline constexpr std::size_t kAttributeBuffer = 30720;

// The attribute file beside a text file: the extension (a period among the
// last four characters of the name) replaced by ATR, or ".ATR" appended.
// Empty when the text file's own extension is ATR: it would be overwritten.
std::string AttributeFileName(const std::string& textPath);

// The file's bytes; a kind of mark that is not saved is written as count 0.
std::string BuildAttributeFile(const DocumentMarks& marks, bool lineMarks, bool charMarks);

enum class AttributeCheck {
  kNotOurs,  // shorter than the header or another header: ignored
  kValid,
  kInvalid,  // does not fit the text: no marks are taken
};

struct AttributeMarks {
  std::vector<std::uint32_t> lines;
  std::vector<CharMark> chars;
};

// Checks the whole file against the text before anything is taken:
// isCr(pos) tells whether the text holds a CR at pos (< textLength).
AttributeCheck ParseAttributeFile(std::string_view bytes, std::uint32_t textLength,
                                  const std::function<bool(std::uint32_t)>& isCr, AttributeMarks& out);

}  // namespace quarn
