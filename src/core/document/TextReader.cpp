#include "core/document/TextReader.h"

#include <cstring>

#include "core/document/ByteScan.h"
#include "core/encoding/Cp932.h"

namespace quarn {
namespace {

constexpr std::uint8_t kCr = 0x0D;
constexpr std::uint8_t kLf = 0x0A;

using cp932::IsLeadByte;

// Bytes the repair loop must look at: NUL, CR and the lead bytes.
struct AttentionTable {
  bool marks[256] = {};
  AttentionTable() {
    for (int b = 0; b < 256; ++b) marks[b] = b == 0 || b == kCr || IsLeadByte(std::uint8_t(b));
  }
};
const AttentionTable kAttention;

// The repair loop from read position r and write position w; lastSize is
// the size of the last character stored so far.
RepairedText RepairFrom(std::uint8_t* data, std::uint32_t length, std::uint32_t r, std::uint32_t w,
                        std::uint32_t lastSize) {
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

// Consecutive lead-range bytes ending at pos, not counting below from.
std::uint32_t LeadRunEndingAt(const std::uint8_t* data, std::uint32_t from, std::uint32_t pos) {
  std::uint32_t k = 0;
  for (std::uint32_t i = pos + 1; i > from && IsLeadByte(data[i - 1]); --i) ++k;
  return k;
}

}  // namespace

RepairedText RepairTextPlain(std::uint8_t* data, std::uint32_t length) { return RepairFrom(data, length, 0, 0, 0); }

// Until the first lone CR the repairs leave every byte where it is: only a
// NUL that starts a character and a CR that is a trail byte change (to
// spaces). So the text is searched for NUL and CR only; whether one starts
// a character follows from the run of lead-range bytes before it, counted
// back to the last known character start (anchor): the byte after any byte
// that cannot lead, other than CR, starts a character. At a lone CR, and for
// the last bytes of the file, the repair loop takes over.
RepairedText RepairText(std::uint8_t* data, std::uint32_t length) {
  std::uint32_t anchor = 0;      // a character start; no NUL or CR before it is left to look at
  std::uint32_t anchorSize = 0;  // size of the character that ends at the anchor
  // Size of the last character before the character start u >= anchor.
  auto sizeBefore = [&](std::uint32_t u) -> std::uint32_t {
    if (u == anchor) return anchorSize;
    return u - anchor >= 2 && LeadRunEndingAt(data, anchor, u - 2) % 2 == 1 ? 2 : 1;
  };
  auto startsCharacter = [&](std::uint32_t x) {
    return x == anchor || LeadRunEndingAt(data, anchor, x - 1) % 2 == 0;
  };
  for (;;) {
    const std::uint32_t x = FindEitherByte(data, anchor, length, 0, kCr);
    if (x == length) break;
    const bool start = startsCharacter(x);
    if (data[x] == 0) {
      if (start) data[x] = ' ';  // a NUL as trail byte stays
      anchorSize = start ? 1 : 2;
      anchor = x + 1;
    } else if (!start) {
      data[x] = ' ';  // a CR as trail byte
      anchorSize = 2;
      anchor = x + 1;
    } else if (x + 1 < length && data[x + 1] == kLf) {
      anchorSize = 2;
      anchor = x + 2;
    } else {
      return RepairFrom(data, length, x, x, sizeBefore(x));
    }
  }
  // A lead byte as the last byte is dropped: the loop does the last
  // character.
  std::uint32_t u = anchor;
  if (length - anchor >= 2) {
    u = length - 1;
    if (!startsCharacter(u)) --u;
  }
  return RepairFrom(data, length, u, u, sizeBefore(u));
}

}  // namespace quarn
