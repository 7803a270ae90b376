#include "core/document/RowLayout.h"

#include <algorithm>

#include "core/encoding/Cp932.h"

namespace quarn {

namespace {

constexpr std::uint8_t kCr = 0x0D;
constexpr std::uint8_t kTab = 0x09;

using cp932::IsLeadByte;
using cp932::IsPrintable;

}  // namespace

RowRules::RowRules(int widthIn, int tabIn, bool wordWrapIn, bool kinsokuIn, const std::string& hanging)
    : width(std::max(1, widthIn)), tab(std::max(1, tabIn)), wordWrap(wordWrapIn), kinsoku(kinsokuIn) {
  const auto* s = reinterpret_cast<const std::uint8_t*>(hanging.data());
  for (std::size_t i = 0; i < hanging.size();) {
    if (IsLeadByte(s[i]) && i + 1 < hanging.size()) {
      hangingDouble.push_back(std::uint16_t(s[i] << 8 | s[i + 1]));
      i += 2;
    } else {
      hangingSingle[s[i]] = true;
      i += 1;
    }
  }
}

bool MayHang(const TextBytes& text, std::uint32_t pos, const RowRules& rules) {
  const std::uint8_t x = text.At(pos);
  if (rules.wordWrap && x == 0x20) return true;
  if (!rules.kinsoku) return false;
  if (!IsLeadByte(x)) return rules.hangingSingle[x];
  if (pos + 1 >= text.length || pos + 1 >= text.end) return false;
  const std::uint16_t pair = std::uint16_t(x << 8 | text.At(pos + 1));
  return std::find(rules.hangingDouble.begin(), rules.hangingDouble.end(), pair) != rules.hangingDouble.end();
}

std::uint32_t NextRowStart(const TextBytes& text, std::uint32_t start, const RowRules& rules) {
  const std::uint32_t length = text.length;
  if (length == 0 || start >= length) return kNoRow;
  const std::uint32_t width = std::uint32_t(rules.width);
  const std::uint32_t tab = std::uint32_t(rules.tab);
  std::uint32_t c = 0;      // column
  std::uint32_t p = start;  // scan position
  std::uint32_t q = start;  // start of the character consumed last
  std::uint32_t b = kNoRow; // last consumed character that is not printable
  do {
    if (p >= length) break;
    if (!IsPrintable(text.At(q))) b = q;
    const std::uint8_t x = text.At(p);
    if (x == kCr) {  // the CR LF belongs to this row
      q = p;
      p = std::min(p + 2, length);
      break;
    }
    if (c >= width + 1) break;
    if (c == width && !MayHang(text, p, rules)) break;
    if (x == kTab) {
      q = p;
      c += tab - c % tab;
      p += 1;
    } else if (IsLeadByte(x)) {
      if (c + 1 >= width && !MayHang(text, p, rules)) break;  // never split it
      q = p;
      p = std::min(p + 2, length);
      c += 2;
    } else {
      q = p;
      p += 1;
      c += 1;
    }
  } while (c <= width + 2);

  // A width too narrow for the first character still gives it a row of its own.
  if (p == start) {
    q = p;
    p = std::min(p + ((IsLeadByte(text.At(p)) || text.At(p) == kCr) ? 2u : 1u), length);
  }
  if (p >= length) return kNoRow;
  if (!rules.wordWrap) return p;
  // The row ends between words, or it is one word: cut at p. Else go back to
  // after the last blank so that no word is cut.
  if (!IsPrintable(text.At(q)) || b == kNoRow || !IsPrintable(text.At(p))) return p;
  return IsLeadByte(text.At(b)) ? b + 2 : b + 1;
}

}  // namespace quarn
