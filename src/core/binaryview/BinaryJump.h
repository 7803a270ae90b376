// The offset typed into the jump dialog: hexadecimal with "0x" or "0X" in
// front (at least one digit after it), else decimal; 1 to 10 characters,
// the whole text a number.
#pragma once

#include <cstdint>
#include <string>

namespace quarn {

bool ParseJumpOffset(const std::string& text, std::uint32_t& offset);

}  // namespace quarn
