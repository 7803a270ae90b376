#include "core/search/TagJump.h"

#include "core/common/AppMessage.h"

namespace quarn {
namespace {

constexpr std::size_t kMinTagLine = 7;
constexpr std::size_t kMaxTagLine = 270;
constexpr std::size_t kMaxTagPath = 260;
constexpr std::size_t kMaxDigits = 5;

}  // namespace

std::optional<TagLine> ParseTagLine(std::string_view line) {
  line = line.substr(0, kMaxTagLine);
  if (line.size() < kMinTagLine || line[0] != '/') return std::nullopt;
  const std::size_t open = line.find('(');
  if (open == std::string_view::npos || open > kMaxTagPath) return std::nullopt;
  const std::size_t close = line.find(')', open);
  if (close == std::string_view::npos) return std::nullopt;
  const std::string_view digits = line.substr(open + 1, close - open - 1);
  if (digits.empty() || digits.size() > kMaxDigits) return std::nullopt;
  std::uint32_t number = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    number = number * 10 + std::uint32_t(c - '0');
  }
  if (number == 0) return std::nullopt;
  return TagLine{std::string(line.substr(0, open)), number};
}

std::optional<TagLine> TagStepper::Step(TagListWindow& list, TagMode mode) {
  if (!ParseTagLine(list.LineText(list.CaretLine()))) {
    SimpleBeep();
    return std::nullopt;
  }
  if (mode != TagMode::kCurrent) {
    const std::uint32_t count = list.LineCount();
    const std::uint32_t caret = list.CaretLine();
    // The list's last line is the empty one after the final CR LF when there is one.
    std::uint32_t last = count ? count - 1 : 0;
    if (last > 0 && list.LineText(last).empty()) --last;
    const bool down = mode == TagMode::kNext;
    if (down ? caret >= last : caret == 0) {
      if (!atEnd_) {
        atEnd_ = true;
        WarningBeep();
        return std::nullopt;
      }
      list.MoveCaretToLine(down ? 0 : last);
    } else {
      list.MoveCaretToLine(down ? caret + 1 : caret - 1);
    }
    atEnd_ = false;
  }
  auto tag = ParseTagLine(list.LineText(list.CaretLine()));
  if (!tag) WarningBeep();
  return tag;
}

}  // namespace quarn
