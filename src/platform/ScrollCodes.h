// Scroll bar action codes as the windows receive them (the Windows SB_
// numbers, so that recorded and translated actions keep their values).
#pragma once

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

}  // namespace quarn::sb
