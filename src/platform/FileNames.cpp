#include "platform/FileNames.h"

#include <cstdint>

#include "platform/Cp932Bytes.h"
#include "platform/Cp932Codec.h"

namespace quarn::names {
namespace {

// The user-defined area, 0xF040 to 0xF9FC: ten lead bytes of 188 trail
// bytes each, numbered 0 to 1879. Codes 0 to 1842 are digits; 1843 to 1878
// start a value up to U+FFFF and carry its high digit, one digit follows;
// 1879 starts a value above U+FFFF, two digits follow. A sequence therefore
// always starts with a code no sequence holds inside it.
constexpr unsigned kTrailsPerLead = 188;
constexpr unsigned kCodes = 10 * kTrailsPerLead;
constexpr unsigned kDigits = 1843;
constexpr unsigned kWideStart = kCodes - 1;
// A byte that is not UTF-8 is spelled as a low surrogate, which no
// character is: 0xDC80 to 0xDCFF.
constexpr char32_t kStrayByte = 0xDC00;

void AppendCode(std::string& out, unsigned code) {
  const unsigned trail = code % kTrailsPerLead;
  out += char(0xF0 + code / kTrailsPerLead);
  out += char(trail < 63 ? 0x40 + trail : 0x80 + trail - 63);
}

// The user-defined code of the pair at s[i], or -1.
int CodeAt(const std::string& s, std::size_t i) {
  if (i + 1 >= s.size()) return -1;
  const auto lead = std::uint8_t(s[i]), trail = std::uint8_t(s[i + 1]);
  if (lead < 0xF0 || lead > 0xF9 || !cp932::IsTrailByte(trail)) return -1;
  return int((lead - 0xF0) * kTrailsPerLead + (trail < 0x7F ? trail - 0x40 : trail - 0x80 + 63));
}

void AppendSpelled(std::string& out, char32_t value) {
  if (value < 0x10000) {
    AppendCode(out, kDigits + value / kDigits);
    AppendCode(out, value % kDigits);
  } else {
    const char32_t wide = value - 0x10000;
    AppendCode(out, kWideStart);
    AppendCode(out, wide / kDigits);
    AppendCode(out, wide % kDigits);
  }
}

// Length of the well-formed UTF-8 character at s[i] with its value in c;
// 0 when the byte there starts none.
std::size_t DecodeUtf8(const std::string& s, std::size_t i, char32_t& c) {
  const auto b = std::uint8_t(s[i]);
  if (b < 0x80) {
    c = b;
    return 1;
  }
  if (b < 0xC2 || b > 0xF4) return 0;
  const std::size_t n = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : 2;
  if (i + n > s.size()) return 0;
  c = b & (0x7F >> n);
  for (std::size_t k = 1; k < n; ++k) {
    const auto t = std::uint8_t(s[i + k]);
    if ((t & 0xC0) != 0x80) return 0;
    c = (c << 6) | (t & 0x3F);
  }
  const bool overlong = (n == 3 && c < 0x800) || (n == 4 && c < 0x10000);
  if (overlong || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
  return n;
}

std::string Utf8Of(char32_t c) {
  std::string out;
  if (c < 0x80) {
    out += char(c);
  } else if (c < 0x800) {
    out += char(0xC0 | (c >> 6));
    out += char(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += char(0xE0 | (c >> 12));
    out += char(0x80 | ((c >> 6) & 0x3F));
    out += char(0x80 | (c & 0x3F));
  } else {
    out += char(0xF0 | (c >> 18));
    out += char(0x80 | ((c >> 12) & 0x3F));
    out += char(0x80 | ((c >> 6) & 0x3F));
    out += char(0x80 | (c & 0x3F));
  }
  return out;
}

void AppendUtf16(std::u16string& out, char32_t c) {
  if (c < 0x10000) {
    out += char16_t(c);
  } else {
    out += char16_t(0xD800 + ((c - 0x10000) >> 10));
    out += char16_t(0xDC00 + ((c - 0x10000) & 0x3FF));
  }
}

// The CP932 bytes of one non-ASCII character when CP932 holds it outside
// its user-defined area and gives the same character back; else empty
// (for example U+00A5, which would come back as a backslash).
std::string Cp932Of(const std::string& utf8) {
  std::string bytes = codec::Utf8ToCp932(utf8);
  if (bytes == "?" || CodeAt(bytes, 0) >= 0 || codec::Cp932ToUtf8(bytes) != utf8) return {};
  return bytes;
}

bool IsStrayByte(char32_t value) { return value >= kStrayByte + 0x80 && value <= kStrayByte + 0xFF; }

// The value spelled by the codes at s[i] and their length in bytes; 0 when
// they spell nothing FromOs writes.
std::size_t ReadSpelled(const std::string& s, std::size_t i, char32_t& value) {
  const int start = CodeAt(s, i);
  if (start < int(kDigits)) return 0;
  const std::size_t digits = unsigned(start) == kWideStart ? 2 : 1;
  char32_t v = unsigned(start) == kWideStart ? 0 : unsigned(start) - kDigits;
  for (std::size_t k = 1; k <= digits; ++k) {
    const int digit = CodeAt(s, i + 2 * k);
    if (digit < 0 || digit >= int(kDigits)) return 0;
    v = v * kDigits + unsigned(digit);
  }
  if (digits == 2) {
    v += 0x10000;
    if (v > 0x10FFFF) return 0;
  } else if (v < 0x80 || v > 0xFFFF || (v >= 0xD800 && v <= 0xDFFF && !IsStrayByte(v))) {
    return 0;
  }
  // A character CP932 holds is never spelled.
  if (!IsStrayByte(v) && !Cp932Of(Utf8Of(v)).empty()) return 0;
  value = v;
  return 2 * (digits + 1);
}

// Walks a CP932 name: runs of plain characters go to run(first, length),
// each spelled value to spelled(value), each code that spells nothing to
// bad(). False when there was one.
template <typename Run, typename Spelled, typename Bad>
bool Walk(const std::string& s, Run run, Spelled spelled, Bad bad) {
  bool ok = true;
  std::size_t start = 0, i = 0;
  while (i < s.size()) {
    if (CodeAt(s, i) < 0) {
      i += cp932::IsLeadByte(std::uint8_t(s[i])) && i + 1 < s.size() ? 2 : 1;
      continue;
    }
    if (i > start) run(start, i - start);
    char32_t value = 0;
    if (const std::size_t n = ReadSpelled(s, i, value)) {
      spelled(value);
      i += n;
    } else {
      bad();
      ok = false;
      i += 2;
    }
    start = i;
  }
  if (i > start) run(start, i - start);
  return ok;
}

}  // namespace

std::string FromOs(const std::string& bytes) {
  std::string out;
  out.reserve(bytes.size());
  std::size_t i = 0;
  while (i < bytes.size()) {
    char32_t c = 0;
    const std::size_t n = DecodeUtf8(bytes, i, c);
    if (n == 1) {
      out += bytes[i++];
      continue;
    }
    const std::string cp932 = n ? Cp932Of(bytes.substr(i, n)) : std::string();
    if (!cp932.empty())
      out += cp932;
    else
      AppendSpelled(out, n ? c : kStrayByte + std::uint8_t(bytes[i]));
    i += n ? n : 1;
  }
  return out;
}

bool Decodable(const std::string& cp932) {
  return Walk(cp932, [](std::size_t, std::size_t) {}, [](char32_t) {}, [] {});
}

std::string ToOs(const std::string& cp932) {
  std::string out;
  out.reserve(cp932.size() * 3 / 2);
  const bool ok = Walk(
      cp932, [&](std::size_t at, std::size_t n) { out += codec::Cp932ToUtf8(cp932.substr(at, n)); },
      [&](char32_t value) { out += IsStrayByte(value) ? std::string(1, char(value - kStrayByte)) : Utf8Of(value); },
      [] {});
  return ok ? out : std::string();
}

std::u16string ToDisplay(const std::string& cp932) {
  std::u16string out;
  Walk(
      cp932, [&](std::size_t at, std::size_t n) { out += codec::Cp932ToUtf16(cp932.substr(at, n)); },
      [&](char32_t value) { AppendUtf16(out, IsStrayByte(value) ? 0xFFFD : value); },
      [&] { out += char16_t(0xFFFD); });
  return out;
}

}  // namespace quarn::names
