#include "core/tools/ProgramOutput.h"

#include <cstdint>
#include <vector>

#include "core/encoding/Cp932.h"
#include "platform/Cp932Codec.h"
#include "platform/ProcessService.h"

namespace quarn {
namespace {

constexpr char kCr = '\r';
constexpr char kLf = '\n';

// The length of the UTF-8 character at s[i]: 0 when the bytes there are not
// one, -1 when they could still become one but the text ends first.
int Utf8Length(const std::uint8_t* s, std::size_t n, std::size_t i) {
  const std::uint8_t b = s[i];
  int length;
  std::uint8_t low = 0x80, high = 0xBF;  // the range of the second byte
  if (b >= 0xC2 && b <= 0xDF) length = 2;
  else if (b >= 0xE0 && b <= 0xEF) {
    length = 3;
    if (b == 0xE0) low = 0xA0;
    if (b == 0xED) high = 0x9F;  // no surrogates
  } else if (b >= 0xF0 && b <= 0xF4) {
    length = 4;
    if (b == 0xF0) low = 0x90;
    if (b == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  for (int k = 1; k < length; ++k) {
    if (i + k >= n) return -1;
    const std::uint8_t c = s[i + k];
    if (k == 1 ? c < low || c > high : c < 0x80 || c > 0xBF) return 0;
  }
  return length;
}

}  // namespace

std::string OutputDecoder::Take(const char* bytes, std::size_t count) {
  held_.append(bytes, count);
  const auto* s = reinterpret_cast<const std::uint8_t*>(held_.data());
  const std::size_t n = held_.size();
  std::string out;
  out.reserve(n + n / 8);
  std::string utf8;  // a run of UTF-8 characters, converted together
  auto flushUtf8 = [&] {
    if (utf8.empty()) return;
    out += codec::Utf8ToCp932(utf8);
    utf8.clear();
  };
  std::size_t i = 0;
  while (i < n) {
    const std::uint8_t b = s[i];
    if (b < 0x80) {
      flushUtf8();
      if (b == std::uint8_t(kCr) && i + 1 == n) break;  // LF may follow in the next piece
      if (b == std::uint8_t(kLf) && !(out.empty() ? lastWasCr_ : out.back() == kCr)) out += kCr;
      out += char(b);
      ++i;
      continue;
    }
    const int length = Utf8Length(s, n, i);
    if (length < 0) break;
    if (length > 0) {
      utf8.append(held_, i, std::size_t(length));
      i += std::size_t(length);
      continue;
    }
    flushUtf8();
    // Not UTF-8: a Shift_JIS pair stays whole, so its trail byte is never
    // taken for a line end or the start of something else.
    if (cp932::IsLeadByte(b)) {
      if (i + 1 == n) break;
      out.append(held_, i, 2);
      i += 2;
      continue;
    }
    out += char(b);
    ++i;
  }
  flushUtf8();
  held_.erase(0, i);
  if (!out.empty()) lastWasCr_ = out.back() == kCr;
  return out;
}

std::string OutputDecoder::Finish() {
  std::string rest;
  rest.swap(held_);
  return rest;
}

CaptureEnd CaptureOutput(ChildProcess& child, const OutputSink& sink,
                         const std::function<bool(unsigned long)>& keepGoing) {
  // Large reads: the pipe is emptied as fast as the program fills it.
  constexpr std::size_t kPiece = 64 * 1024;
  constexpr int kWaitMs = 50;
  std::vector<char> buffer(kPiece);
  OutputDecoder decoder;
  unsigned long total = 0;
  CaptureEnd end = CaptureEnd::kEnded;
  for (;;) {
    const long n = child.read(buffer.data(), buffer.size(), kWaitMs);
    if (n == 0) break;
    if (n > 0) {
      total += static_cast<unsigned long>(n);
      const std::string text = decoder.Take(buffer.data(), std::size_t(n));
      if (!text.empty() && !sink(text)) {
        end = CaptureEnd::kRefused;
        break;
      }
    }
    if (keepGoing && !keepGoing(total)) {
      end = CaptureEnd::kStopped;
      break;
    }
  }
  if (end != CaptureEnd::kEnded) child.stop();
  if (end == CaptureEnd::kRefused) return end;
  // What was held back for the next piece stays too.
  const std::string rest = decoder.Finish();
  if (!rest.empty() && !sink(rest)) return CaptureEnd::kRefused;
  return end;
}

}  // namespace quarn
