#include "core/common/Palette.h"

#include <array>

namespace quarn {

ColorRef PaletteColor(int index) {
  static constexpr std::array<ColorRef, 16> kColors = {
      0x000000, 0xFF0000, 0xFFFF00, 0x00FF00, 0xFF00FF, 0x0000FF, 0x00FFFF, 0xFFFFFF,
      0x800000, 0x808000, 0x008000, 0x800080, 0x000080, 0x008080, 0x808080, 0xC0C0C0};
  if (index < 1 || index > 16) index = 1;
  return kColors[std::size_t(index - 1)];
}

}  // namespace quarn
