// The lead and trail byte ranges of CP932, shared by the program's own
// classification and the platform's conversions.
#pragma once

#include <cstdint>

namespace quarn::cp932 {

// 0x81..0x9F and 0xE0..0xFC start a double-byte character.
constexpr bool IsLeadByte(std::uint8_t b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

// 0x40..0x7E and 0x80..0xFC may follow a lead byte in a valid character.
constexpr bool IsTrailByte(std::uint8_t b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC); }

}  // namespace quarn::cp932
