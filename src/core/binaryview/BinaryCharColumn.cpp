#include "core/binaryview/BinaryCharColumn.h"

#include <algorithm>

#include "core/encoding/Cp932.h"
#include "platform/Cp932Codec.h"

namespace quarn {
namespace {

constexpr std::uint8_t kEsc = 0x1B;
constexpr char kDot = '.';

// One decoded unit: the cells of its bytes. A joined unit (a double-byte
// character) is drawn whole or not at all; the cells of other units stand
// alone and may be split between two rows.
struct Unit {
  std::size_t length = 1;
  char cells[3] = {kDot, kDot, kDot};
  bool joined = false;
};

Unit Single(char glyph) {
  Unit u;
  u.cells[0] = glyph;
  return u;
}

Unit Pair(std::uint8_t s1, std::uint8_t s2) {
  Unit u;
  u.length = 2;
  u.cells[0] = char(s1);
  u.cells[1] = char(s2);
  u.joined = true;
  return u;
}

// A byte outside any pair: controls and would-be lead bytes become ".".
char LoneGlyph(std::uint8_t b) {
  if (b < 0x20 || cp932::IsLeadByte(b)) return kDot;
  return char(b);
}

bool IsJisByte(std::uint8_t b) { return b >= 0x21 && b <= 0x7E; }
bool IsEucByte(std::uint8_t b) { return b >= 0xA1 && b <= 0xFE; }

class Stretch {
 public:
  Stretch(const std::uint8_t* bytes, std::size_t size) : bytes_(bytes), size_(size) {}
  bool Has(std::size_t pos) const { return pos < size_; }
  std::uint8_t operator[](std::size_t pos) const { return bytes_[pos]; }

 private:
  const std::uint8_t* bytes_;
  std::size_t size_;
};

// Walks units from sync (a unit start at or before the row) and places the
// cells that fall into the row; a joined unit that starts on the row's last
// byte fills the spare cell.
template <class Step>
std::string Place(std::size_t sync, std::size_t row, std::size_t length, Step step) {
  std::string out(length + 1, ' ');
  const std::size_t end = row + length;
  std::size_t pos = sync;
  while (pos < row) {
    const Unit u = step(pos);
    if (pos + u.length > row && !u.joined) {
      for (std::size_t k = row - pos; k < u.length && pos + k < end; ++k) out[pos + k - row] = u.cells[k];
    }
    pos += u.length;
  }
  while (pos < end) {
    const Unit u = step(pos);
    for (std::size_t k = 0; k < u.length; ++k) {
      const std::size_t cell = pos + k - row;
      if (cell < length || (u.joined && cell == length)) out[cell] = u.cells[k];
    }
    pos += u.length;
  }
  return out;
}

std::size_t LookBackLimit(std::size_t row) { return row > kCharColumnLookBack ? row - kCharColumnLookBack : 0; }

std::string DecodeSjis(const Stretch& s, std::size_t row, std::size_t length, const CharColumnOptions& o) {
  auto step = [&](std::size_t pos) {
    const std::uint8_t b = s[pos];
    if (o.ignore8bit && b >= 0x80) return Single(o.dummy);
    if (cp932::IsLeadByte(b)) {
      if (s.Has(pos + 1) && cp932::IsTrailByte(s[pos + 1])) return Pair(b, s[pos + 1]);
      return Single(kDot);
    }
    return Single(b < 0x20 ? kDot : char(b));
  };
  // A byte that is no lead byte always ends a character, so the row's first
  // byte is a second byte exactly when an odd run of lead bytes precedes it.
  std::size_t sync = row;
  if (!o.ignore8bit) {
    const std::size_t limit = LookBackLimit(row);
    while (sync > limit && cp932::IsLeadByte(s[sync - 1])) --sync;
  }
  return Place(sync, row, length, step);
}

// The escape sequence at pos: 1 kanji-in, 0 kanji-out, -1 none.
int JisEscape(const Stretch& s, std::size_t pos) {
  if (s[pos] != kEsc || !s.Has(pos + 2)) return -1;
  const std::uint8_t a = s[pos + 1];
  const std::uint8_t b = s[pos + 2];
  if (a == 0x24 && (b == 0x42 || b == 0x40)) return 1;
  if (a == 0x28 && (b == 0x42 || b == 0x4A)) return 0;
  return -1;
}

std::string DecodeJis(const Stretch& s, std::size_t row, std::size_t length) {
  bool kanji = false;
  auto step = [&](std::size_t pos) {
    const std::uint8_t b = s[pos];
    if (b == kEsc) {
      const int escape = JisEscape(s, pos);
      if (escape < 0) return Single(kDot);
      kanji = escape == 1;
      Unit u;
      u.length = 3;
      return u;
    }
    if (kanji && IsJisByte(b) && s.Has(pos + 1) && IsJisByte(s[pos + 1])) {
      std::uint8_t s1, s2;
      JisToSjis(b, s[pos + 1], s1, s2);
      return Pair(s1, s2);
    }
    return Single(LoneGlyph(b));
  };
  // The nearest recognised escape before the row's start fixes the mode.
  std::size_t sync = row;
  for (std::size_t q = row; q > LookBackLimit(row); --q) {
    if (JisEscape(s, q - 1) >= 0) {
      sync = q - 1;
      break;
    }
  }
  return Place(sync, row, length, step);
}

std::string DecodeEuc(const Stretch& s, std::size_t row, std::size_t length) {
  auto step = [&](std::size_t pos) {
    const std::uint8_t b = s[pos];
    if (IsEucByte(b) && s.Has(pos + 1) && IsEucByte(s[pos + 1])) {
      std::uint8_t s1, s2;
      JisToSjis(std::uint8_t(b - 0x80), std::uint8_t(s[pos + 1] - 0x80), s1, s2);
      return Pair(s1, s2);
    }
    if (b == 0x8E && s.Has(pos + 1) && cp932::IsHalfWidthKana(s[pos + 1])) {
      // The half-width kana byte is the same byte in Shift_JIS.
      Unit u;
      u.length = 2;
      u.cells[1] = char(s[pos + 1]);
      return u;
    }
    return Single(LoneGlyph(b));
  };
  // Bytes below 0x80 are always single characters: the unit after the
  // nearest one is a character start.
  std::size_t sync = row;
  const std::size_t limit = LookBackLimit(row);
  while (sync > limit && s[sync - 1] >= 0x80) --sync;
  return Place(sync, row, length, step);
}

std::string DecodeUni(const Stretch& s, std::size_t row, std::size_t length) {
  std::u16string units;
  units.reserve(length / 2);
  for (std::size_t i = 0; i + 1 < length; i += 2) units.push_back(char16_t(s[row + i] | s[row + i + 1] << 8));
  std::string text = codec::Utf16ToCp932(units);
  std::string out(length + 1, ' ');
  std::size_t i = 0;
  while (i < text.size()) {
    const auto b = std::uint8_t(text[i]);
    const std::size_t n = cp932::IsLeadByte(b) && i + 1 < text.size() ? 2 : 1;
    if (i + n > out.size()) break;
    if (n == 2) {
      out[i] = text[i];
      out[i + 1] = text[i + 1];
    } else {
      out[i] = LoneGlyph(b);
    }
    i += n;
  }
  return out;
}

}  // namespace

void JisToSjis(std::uint8_t j1, std::uint8_t j2, std::uint8_t& s1, std::uint8_t& s2) {
  s1 = std::uint8_t((j1 + 1) / 2 + (j1 <= 0x5E ? 0x70 : 0xB0));
  if (j1 & 1)
    s2 = std::uint8_t(j2 + (j2 <= 0x5F ? 0x1F : 0x20));
  else
    s2 = std::uint8_t(j2 + 0x7E);
}

std::string DecodeCharColumn(const std::uint8_t* bytes, std::size_t size, std::size_t row, std::size_t length,
                             const CharColumnOptions& options) {
  if (row > size) return std::string(length + 1, ' ');
  length = std::min(length, size - row);
  const Stretch s(bytes, size);
  switch (options.code) {
    case StrCode::kJis: return DecodeJis(s, row, length);
    case StrCode::kEuc: return DecodeEuc(s, row, length);
    case StrCode::kUni: return DecodeUni(s, row, length);
    case StrCode::kSjis: break;
  }
  return DecodeSjis(s, row, length, options);
}

}  // namespace quarn
