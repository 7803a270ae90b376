#include "platform/FileNames.h"

#include <cstdint>
#include <mutex>
#include <unordered_map>
#include <vector>

#include "platform/Cp932Bytes.h"
#include "platform/Cp932Codec.h"

namespace quarn::names {
namespace {

// 0xF040 to 0xF9FC: ten lead bytes of 188 trail bytes each.
constexpr unsigned kTrailsPerLead = 188;
constexpr unsigned kCodes = 10 * kTrailsPerLead;
constexpr char32_t kUserArea = 0xE000;  // what iconv makes of 0xF040
// The key of a byte that is not UTF-8 is this plus the byte: no character.
constexpr char32_t kByteKey = 0x110000;

// Characters and stray bytes of names, each with the code it was given.
class NameTable {
 public:
  // The code of key, given on first use; -1 once every code is taken.
  int codeOf(char32_t key) {
    std::lock_guard lock(mutex_);
    if (auto it = codes_.find(key); it != codes_.end()) return int(it->second);
    if (keys_.size() == kCodes) return -1;
    codes_.emplace(key, unsigned(keys_.size()));
    keys_.push_back(key);
    return int(keys_.size() - 1);
  }
  // The key code stands for: the user-defined character itself when the
  // table never gave it out.
  char32_t keyOf(unsigned code) {
    std::lock_guard lock(mutex_);
    return code < keys_.size() ? keys_[code] : kUserArea + code;
  }

 private:
  std::mutex mutex_;
  std::vector<char32_t> keys_;
  std::unordered_map<char32_t, unsigned> codes_;
};

NameTable& Table() {
  static NameTable table;
  return table;
}

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

void AppendUtf8(std::string& out, char32_t c) {
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

// Walks a CP932 name: runs without user-defined codes go to run(first,
// length), each code's key to key(key).
template <typename Run, typename Key>
void Walk(const std::string& s, Run run, Key key) {
  std::size_t start = 0, i = 0;
  while (i < s.size()) {
    const int code = CodeAt(s, i);
    if (code < 0) {
      i += cp932::IsLeadByte(std::uint8_t(s[i])) && i + 1 < s.size() ? 2 : 1;
      continue;
    }
    if (i > start) run(start, i - start);
    key(Table().keyOf(unsigned(code)));
    i += 2;
    start = i;
  }
  if (i > start) run(start, i - start);
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
    if (!cp932.empty()) {
      out += cp932;
    } else if (const int code = Table().codeOf(n ? c : kByteKey + std::uint8_t(bytes[i])); code >= 0) {
      AppendCode(out, unsigned(code));
    } else {
      out += '?';  // every code is taken
    }
    i += n ? n : 1;
  }
  return out;
}

std::string ToOs(const std::string& cp932) {
  std::string out;
  out.reserve(cp932.size() * 3 / 2);
  Walk(
      cp932, [&](std::size_t at, std::size_t n) { out += codec::Cp932ToUtf8(cp932.substr(at, n)); },
      [&](char32_t key) {
        if (key >= kByteKey)
          out += char(key - kByteKey);
        else
          AppendUtf8(out, key);
      });
  return out;
}

std::u16string ToDisplay(const std::string& cp932) {
  std::u16string out;
  Walk(
      cp932, [&](std::size_t at, std::size_t n) { out += codec::Cp932ToUtf16(cp932.substr(at, n)); },
      [&](char32_t key) { AppendUtf16(out, key >= kByteKey ? 0xFFFD : key); });
  return out;
}

}  // namespace quarn::names
