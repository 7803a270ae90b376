#include "core/binaryview/GlyphCells.h"

#include <bitset>
#include <memory>

#include "core/encoding/Cp932.h"
#include "platform/Cp932Codec.h"

namespace quarn {
namespace {

// Code points no font draws: controls, DEL, C1 controls, the private use
// area (where CP932's user-defined characters land) and the replacement
// the codec gives for bytes that are no character.
bool Drawable(const std::u16string& units) {
  if (units.size() != 1) return false;
  const char16_t u = units[0];
  if (u < 0x20 || (u >= 0x7F && u < 0xA0)) return false;
  if (u >= 0xE000 && u < 0xF900) return false;
  return u != 0xFFFD;
}

// One bit per code (a byte b as 00bb, a pair as lead * 256 + trail), found
// once through the platform's converter.
const std::bitset<65536>& GlyphTable() {
  static const std::unique_ptr<const std::bitset<65536>> table = [] {
    auto bits = std::make_unique<std::bitset<65536>>();
    for (unsigned b = 0x20; b < 0x100; ++b) {
      if (cp932::IsLeadByte(std::uint8_t(b))) {
        for (unsigned t = 0x40; t <= 0xFC; ++t) {
          if (!cp932::IsTrailByte(std::uint8_t(t))) continue;
          const char pair[] = {char(b), char(t)};
          (*bits)[b * 256 + t] = Drawable(codec::Cp932ToUtf16(std::string(pair, 2)));
        }
      } else {
        (*bits)[b] = Drawable(codec::Cp932ToUtf16(std::string(1, char(b))));
      }
    }
    return bits;
  }();
  return *table;
}

}  // namespace

bool Cp932ByteHasGlyph(std::uint8_t b) { return !cp932::IsLeadByte(b) && GlyphTable()[b]; }

bool Cp932PairHasGlyph(std::uint8_t lead, std::uint8_t trail) {
  return cp932::IsLeadByte(lead) && GlyphTable()[lead * 256u + trail];
}

std::string VisibleCells(std::string cells) {
  for (std::size_t i = 0; i < cells.size(); ++i) {
    const auto b = std::uint8_t(cells[i]);
    if (cp932::IsLeadByte(b) && i + 1 < cells.size()) {
      if (!Cp932PairHasGlyph(b, std::uint8_t(cells[i + 1]))) cells[i] = cells[i + 1] = '.';
      ++i;
    } else if (!Cp932ByteHasGlyph(b)) {
      cells[i] = '.';
    }
  }
  return cells;
}

}  // namespace quarn
