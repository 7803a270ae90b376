// The handlers of a window of the program: what the platform's widget calls
// when something happens to the window it shows. Every handler does nothing
// by default, so a window implements only the messages it handles.
#pragma once

#include <string>

#include "platform/Canvas.h"
#include "platform/KeyCodes.h"
#include "platform/ScrollCodes.h"
#include "platform/Types.h"

namespace quarn {

enum class MouseKind {
  kMove,
  kLeftDown,
  kLeftUp,
  kLeftDoubleClick,
  kRightDown,
  kRightUp,
  kRightDoubleClick,
  kMiddleDown,
  kMiddleUp,
};

class WindowModel {
 public:
  // One notch of the mouse wheel.
  static constexpr int kWheelDelta = 120;
  // Lines scrolled per notch when a window leaves the wheel to its scroll bar.
  static constexpr int kWheelLines = 3;

  virtual ~WindowModel() = default;

  virtual void onCreate() {}
  // The client area's new size.
  virtual void onSize(int /*cx*/, int /*cy*/) {}
  // invalid: the bounding rectangle of the area to paint; the area has
  // been erased with the window's background colour.
  virtual void onPaint(Canvas& /*canvas*/, const Rect& /*invalid*/) {}

  // vk: a Windows virtual-key code. repeat: the auto-repeat count (1 for a
  // first press).
  virtual void onKeyDown(int /*vk*/, int /*repeat*/, KeyState /*state*/) {}
  virtual void onKeyUp(int /*vk*/, KeyState /*state*/) {}
  // One byte of a typed character: a double-byte CP932 character arrives
  // as two calls, lead byte first. Control characters (Backspace 8, Tab 9,
  // Enter 13, Ctrl+Enter 10, Escape 27, Ctrl+letter 1..26) come here too.
  virtual void onChar(unsigned char /*byte*/, KeyState /*state*/) {}
  // A string completed by the input method, in CP932.
  virtual void onImeString(const std::string& /*cp932*/) {}

  // x, y in client coordinates.
  virtual void onMouse(MouseKind /*kind*/, int /*x*/, int /*y*/, KeyState /*state*/) {}
  // delta: a multiple of kWheelDelta, positive away from the user. The
  // default scrolls the vertical bar by kWheelLines lines per notch.
  virtual void onMouseWheel(int delta, int /*x*/, int /*y*/, KeyState /*state*/) {
    const int code = delta > 0 ? sb::kLineUp : sb::kLineDown;
    const int lines = (delta < 0 ? -delta : delta) / kWheelDelta * kWheelLines;
    for (int i = 0; i < lines; ++i) onVScroll(code, 0);
    if (lines > 0) onVScroll(sb::kEndScroll, 0);
  }

  virtual void onTimer(int /*id*/) {}
  virtual void onSetFocus() {}
  virtual void onKillFocus() {}

  // code: an sb:: action; pos: the thumb position for kThumbTrack and
  // kThumbPosition, else 0.
  virtual void onVScroll(int /*code*/, int /*pos*/) {}
  virtual void onHScroll(int /*code*/, int /*pos*/) {}
};

}  // namespace quarn
