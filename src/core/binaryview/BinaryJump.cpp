#include "core/binaryview/BinaryJump.h"

namespace quarn {

bool ParseJumpOffset(const std::string& text, std::uint32_t& offset) {
  if (text.empty() || text.size() > 10) return false;
  const bool hex = text.size() >= 3 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
  const unsigned base = hex ? 16 : 10;
  std::uint64_t value = 0;
  for (std::size_t i = hex ? 2 : 0; i < text.size(); ++i) {
    const char c = text[i];
    unsigned digit;
    if (c >= '0' && c <= '9')
      digit = unsigned(c - '0');
    else if (hex && c >= 'a' && c <= 'f')
      digit = unsigned(c - 'a' + 10);
    else if (hex && c >= 'A' && c <= 'F')
      digit = unsigned(c - 'A' + 10);
    else
      return false;
    value = value * base + digit;
  }
  // Ten decimal digits may pass 32 bits; such an offset lies past any text.
  offset = value > 0xFFFFFFFFu ? 0xFFFFFFFFu : std::uint32_t(value);
  return true;
}

}  // namespace quarn
