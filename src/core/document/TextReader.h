// The byte repairs made when a file is read as text, so that every CR in a
// text document starts a CR LF pair and every lead byte has its trail byte:
// NUL becomes a space, a lone CR is removed, a CR as trail byte becomes a
// space, and a lead byte or CR at the very end of the file is dropped.
#pragma once

#include <cstdint>

namespace quarn {

struct RepairedText {
  std::uint32_t length = 0;
  // First byte of the last character; 0xFFFFFFFF for an empty text.
  std::uint32_t lastCharPos = 0xFFFFFFFFu;
};

// Repairs data[0, length) in place (the text only ever shrinks).
RepairedText RepairText(std::uint8_t* data, std::uint32_t length);
// The same repairs made byte by byte; RepairText gives the same result
// faster by looking only at NUL and CR.
RepairedText RepairTextPlain(std::uint8_t* data, std::uint32_t length);

}  // namespace quarn
