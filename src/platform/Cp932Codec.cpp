#include "platform/Cp932Codec.h"

#include <bit>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <iconv.h>

#include "platform/Cp932Bytes.h"

namespace quarn::codec {
namespace {

constexpr const char* kUtf16 = std::endian::native == std::endian::little ? "UTF-16LE" : "UTF-16BE";

// One iconv descriptor per direction and thread, opened on first use.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (valid()) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  // Converts as much as it can; stops at a sequence it cannot convert (or an
  // incomplete one at the end). Returns the bytes of input consumed.
  std::size_t convert(const char* in, std::size_t n, std::string& out) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char* src = const_cast<char*>(in);
    std::size_t left = n;
    char buffer[4096];
    while (left > 0) {
      char* dst = buffer;
      std::size_t room = sizeof buffer;
      std::size_t r = iconv(cd_, &src, &left, &dst, &room);
      out.append(buffer, std::size_t(dst - buffer));
      if (r != std::size_t(-1)) continue;
      if (errno != E2BIG) break;
    }
    return n - left;
  }

 private:
  iconv_t cd_;
};

Converter& FromCp932(const char* to) {
  if (to == kUtf16) {
    thread_local Converter c(kUtf16, "CP932");
    return c;
  }
  thread_local Converter c("UTF-8", "CP932");
  return c;
}

Converter& ToCp932(const char* from) {
  if (from == kUtf16) {
    thread_local Converter c("CP932", kUtf16);
    return c;
  }
  thread_local Converter c("CP932", "UTF-8");
  return c;
}

// CP932 to the encoding `to`; a byte pair or byte that is no character
// becomes `replacement` (already encoded) and decoding goes on after it.
std::string Decode(const std::string& in, const char* to, const std::string& replacement) {
  Converter& c = FromCp932(to);
  std::string out;
  out.reserve(in.size() * 2);
  std::size_t i = 0;
  while (i < in.size()) {
    if (!c.valid()) {
      out += replacement;
      ++i;
      continue;
    }
    i += c.convert(in.data() + i, in.size() - i, out);
    if (i >= in.size()) break;
    out += replacement;
    // Skip the whole unknown pair when its second byte could be a trail
    // byte, so that one bad character yields one replacement.
    const auto lead = std::uint8_t(in[i]);
    const bool pair = cp932::IsLeadByte(lead) && i + 1 < in.size() && cp932::IsTrailByte(std::uint8_t(in[i + 1]));
    i += pair ? 2 : 1;
  }
  return out;
}

// Length of the UTF-8 sequence at s[i] (1 for a stray byte).
std::size_t Utf8Length(const std::string& s, std::size_t i) {
  const auto b = std::uint8_t(s[i]);
  if (b < 0xC2 || b > 0xF4) return 1;
  std::size_t n = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : 2;
  for (std::size_t k = 1; k < n; ++k)
    if (i + k >= s.size() || (std::uint8_t(s[i + k]) & 0xC0) != 0x80) return k;
  return n;
}

// Length in bytes of the UTF-16 unit sequence starting at byte offset i.
std::size_t Utf16Length(const std::string& s, std::size_t i) {
  if (i + 1 >= s.size()) return s.size() - i;
  char16_t u;
  std::memcpy(&u, s.data() + i, 2);
  return (u >= 0xD800 && u <= 0xDBFF && i + 3 < s.size()) ? 4 : 2;
}

// From `from` to CP932; each character that CP932 cannot hold becomes "?".
std::string Encode(const std::string& in, const char* from) {
  Converter& c = ToCp932(from);
  std::string out;
  out.reserve(in.size());
  std::size_t i = 0;
  while (i < in.size()) {
    if (c.valid()) i += c.convert(in.data() + i, in.size() - i, out);
    if (i >= in.size()) break;
    out += '?';
    i += from == kUtf16 ? Utf16Length(in, i) : Utf8Length(in, i);
  }
  return out;
}

}  // namespace

std::string Cp932ToUtf8(const std::string& cp932) { return Decode(cp932, "UTF-8", "\xEF\xBF\xBD"); }

std::string Utf8ToCp932(const std::string& utf8) { return Encode(utf8, "UTF-8"); }

std::u16string Cp932ToUtf16(const std::string& cp932) {
  const char16_t fffd = 0xFFFD;
  std::string bytes = Decode(cp932, kUtf16, std::string(reinterpret_cast<const char*>(&fffd), 2));
  std::u16string out(bytes.size() / 2, u'\0');
  std::memcpy(out.data(), bytes.data(), out.size() * 2);
  return out;
}

std::string Utf16ToCp932(const std::u16string& utf16) {
  return Encode(std::string(reinterpret_cast<const char*>(utf16.data()), utf16.size() * 2), kUtf16);
}

}  // namespace quarn::codec
