// The scan the text reader and the row layout share: the first of two
// byte values, eight bytes at a time.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

namespace quarn {

// The first position in [from, to) holding a or b, or to.
inline std::uint32_t FindEitherByte(const std::uint8_t* data, std::uint32_t from, std::uint32_t to, std::uint8_t a,
                                    std::uint8_t b) {
  constexpr std::uint64_t kOnes = 0x0101010101010101ull;
  constexpr std::uint64_t kHighs = 0x8080808080808080ull;
  std::uint32_t i = from;
  for (; i + 8 <= to; i += 8) {
    std::uint64_t v;
    std::memcpy(&v, data + i, 8);
    const std::uint64_t va = v ^ (kOnes * a);
    const std::uint64_t vb = v ^ (kOnes * b);
    // A byte that is zero sets its high bit; the lowest set bit is exact.
    const std::uint64_t hit = ((va - kOnes) & ~va & kHighs) | ((vb - kOnes) & ~vb & kHighs);
    if (hit) return i + std::uint32_t(std::countr_zero(hit) / 8);
  }
  for (; i < to && data[i] != a && data[i] != b; ++i) {
  }
  return i;
}

}  // namespace quarn
