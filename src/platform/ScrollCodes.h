// Scroll bar action codes as the windows receive them (the Windows SB_
// numbers, so that recorded and translated actions keep their values).
#pragma once

#include <cstdint>
#include <optional>

namespace quarn::sb {

constexpr int kLineUp = 0;
constexpr int kLineDown = 1;
constexpr int kPageUp = 2;
constexpr int kPageDown = 3;
constexpr int kThumbPosition = 4;
constexpr int kThumbTrack = 5;
constexpr int kTop = 6;
constexpr int kBottom = 7;
constexpr int kEndScroll = 8;

constexpr int kLineLeft = kLineUp;
constexpr int kLineRight = kLineDown;
constexpr int kPageLeft = kPageUp;
constexpr int kPageRight = kPageDown;
constexpr int kLeft = kTop;
constexpr int kRight = kBottom;

// Where a scroll action takes the first row (or column) of a window: by
// `line` or by `page` from `first`, to the thumb at `pos`, or to 0 or `last`;
// none for the actions that do not scroll.
inline std::optional<std::int64_t> Target(int code, int pos, std::int64_t first, int line, int page,
                                          std::int64_t last) {
  switch (code) {
    case kLineUp: return first - line;
    case kLineDown: return first + line;
    case kPageUp: return first - page;
    case kPageDown: return first + page;
    case kThumbPosition:
    case kThumbTrack: return pos;
    case kTop: return 0;
    case kBottom: return last;
    default: return std::nullopt;
  }
}

}  // namespace quarn::sb
