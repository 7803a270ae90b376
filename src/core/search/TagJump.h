// Tag lines and the jumps from them: a line of a result list that names an
// absolute path and a line number ("/src/a.c(12): ..."), and the current,
// next and previous tag commands that open the file at that line.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quarn {

struct TagLine {
  std::string path;
  std::uint32_t line = 0;  // from 1
  friend bool operator==(const TagLine&, const TagLine&) = default;
};

// The tag line rule: of the line's first 270 bytes (at least 7), the first
// is "/"; the path runs to the first "(" (at most 260 bytes); the first ")"
// after it closes 1 to 5 decimal digits that are not 0. Text after ")" is
// ignored.
std::optional<TagLine> ParseTagLine(std::string_view line);

// The text window that holds the list, as the jumps use it.
class TagListWindow {
 public:
  virtual ~TagListWindow() = default;
  virtual std::uint32_t LineCount() = 0;
  virtual std::uint32_t CaretLine() = 0;  // logical line, from 0
  virtual std::string LineText(std::uint32_t line) = 0;
  virtual void MoveCaretToLine(std::uint32_t line) = 0;
};

enum class TagMode { kCurrent = 0, kNext = 1, kPrevious = 2 };

// The list's end flag: next tag at the last line beeps once and sets it; the
// next attempt wraps to the first line (previous tag likewise upward).
class TagStepper {
 public:
  // Steps the list's caret for mode and parses the line it is on then.
  // Beeps and answers nothing when the current line is no tag line (the
  // simple beep), at the end of the list (first attempt), or when the new
  // line is no tag line.
  std::optional<TagLine> Step(TagListWindow& list, TagMode mode);
  void Forget() { atEnd_ = false; }

 private:
  bool atEnd_ = false;
};

}  // namespace quarn
