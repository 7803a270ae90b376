// The find and replace matcher: a pattern (plain or regular expression), the
// options and a Shift_JIS text with a search area. A match lies in the area
// and inside the text.
#include "FuzzInput.h"
#include "core/search/Matcher.h"
#include "fakes/FakePlatform.h"

using namespace quarn;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static fakes::FakePlatform platform;  // an invalid pattern shows a message
  platform.messages.shown.clear();
  fuzz::Input in(data, size);
  const std::uint8_t flags = in.Byte();
  MatchOptions options;
  options.firstOnly = flags & 1;
  options.matchCase = flags & 2;
  options.regular = flags & 4;
  options.distinguishWidth = flags & 8;
  const std::string pattern = in.Piece();
  const std::uint8_t startByte = in.Byte();
  const std::uint8_t endByte = in.Byte();
  const std::string text = in.Rest();
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
  const std::size_t start = text.empty() ? 0 : startByte % (text.size() + 1);
  const std::size_t end = endByte == 0xFF ? text.size() : start + endByte;

  std::size_t length = 0;
  const std::size_t at = Match(bytes, text.size(), start, end, pattern, options, &length);
  if (at != kNoMatch) {
    fuzz::Check(at >= start && at < std::min(end, text.size()), "a match begins in the area");
    fuzz::Check(at + length <= text.size(), "a match ends inside the text");
  }
  const std::size_t plain = PlainFind(bytes, text.size(), start, end, pattern, options.firstOnly, options.matchCase);
  if (plain != kNoMatch) {
    fuzz::Check(plain >= start && plain < end && plain + pattern.size() <= text.size(), "a plain hit lies in the text");
  }
  return 0;
}
