// Conversion of the stored sizes (points and tenths of a millimetre) to the
// pixels of a device. The arithmetic is 32-bit and truncating; products that
// overflow wrap as 32-bit values do instead of being undefined.
#pragma once

#include <cstdint>

namespace quarn {

inline std::int32_t MulDiv32(std::int32_t a, std::int32_t b, std::int32_t divisor) {
  const auto product = std::int32_t(std::uint32_t(a) * std::uint32_t(b));
  return product / divisor;
}

// dpi x v / 72: a size in points on a device of dpi dots per inch.
inline std::int32_t PointsToPixels(std::int32_t dpi, std::int32_t points) {
  return MulDiv32(dpi, points, 72);
}

// dpi x v / 254: a size in 0.1 mm on a device of dpi dots per inch.
inline std::int32_t TenthMmToPixels(std::int32_t dpi, std::int32_t tenthMm) {
  return MulDiv32(dpi, tenthMm, 254);
}

}  // namespace quarn
