// Hexadecimal digits as typed in the hex area, search patterns and settings.
#pragma once

namespace quarn {

// The value of a hexadecimal digit in either case, -1 for any other byte.
constexpr int HexDigitValue(unsigned char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace quarn
