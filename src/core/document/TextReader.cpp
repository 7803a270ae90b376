#include "core/document/TextReader.h"

#include <cstring>

#include "core/encoding/Cp932.h"

namespace quarn {
namespace {

constexpr std::uint8_t kCr = 0x0D;
constexpr std::uint8_t kLf = 0x0A;

// Bytes the repair loop must look at: NUL, CR and the lead bytes.
struct AttentionTable {
  bool marks[256] = {};
  AttentionTable() {
    for (int b = 0; b < 256; ++b) marks[b] = b == 0 || b == kCr || cp932::IsLeadByte(std::uint8_t(b));
  }
};
const AttentionTable kAttention;

}  // namespace

RepairedText RepairText(std::uint8_t* data, std::uint32_t length) {
  std::uint32_t r = 0;
  std::uint32_t w = 0;
  std::uint32_t lastSize = 0;
  while (r < length) {
    // Plain bytes move as a run; most of a text is plain.
    const std::uint32_t runStart = r;
    while (r < length && !kAttention.marks[data[r]]) ++r;
    if (r > runStart) {
      if (w != runStart) std::memmove(data + w, data + runStart, r - runStart);
      w += r - runStart;
      lastSize = 1;
      if (r == length) break;
    }
    const std::uint8_t b = data[r++];
    if (b == 0) {
      data[w++] = ' ';
      lastSize = 1;
      continue;
    }
    if (r == length) break;  // a lead byte or CR as the last byte is dropped
    const std::uint8_t next = data[r];
    if (b == kCr && next != kLf) continue;  // a lone CR: the next byte stands alone
    ++r;
    data[w++] = b;
    data[w++] = (b != kCr && next == kCr) ? std::uint8_t(' ') : next;
    lastSize = 2;
  }
  RepairedText result;
  result.length = w;
  result.lastCharPos = w == 0 ? 0xFFFFFFFFu : w - lastSize;
  return result;
}

}  // namespace quarn
