// What a window of the program asks of its surroundings. The Qt widget that
// shows a core window implements it; tests use a recording fake.
#pragma once

#include <cstdint>

#include "platform/Types.h"

namespace quarn {

enum class ScrollBar { kHorizontal = 0, kVertical = 1 };
// kRowSelect: an arrow pointing right, over the line bar's rows.
enum class CursorShape { kArrow, kIBeam, kWait, kSizeWE, kSizeNS, kCross, kRowSelect };

class WindowHost {
 public:
  virtual ~WindowHost() = default;

  virtual Point clientSize() const = 0;  // x: width, y: height
  virtual int dpiX() const = 0;
  virtual int dpiY() const = 0;

  virtual void invalidate() = 0;
  virtual void invalidateRect(const Rect& rect) = 0;
  // Paints the invalid area now (UpdateWindow).
  virtual void update() = 0;
  // Moves the pixels of area (the client area when null) by dx, dy and
  // invalidates what was uncovered.
  virtual void scrollWindow(int dx, int dy, const Rect* area) = 0;

  virtual void setScrollRange(ScrollBar bar, int min, int max) = 0;
  virtual void setScrollPos(ScrollBar bar, int pos) = 0;
  virtual void showScrollBar(ScrollBar bar, bool show) = 0;
  virtual void enableScrollBar(ScrollBar bar, bool enable) = 0;

  virtual void createCaret(int width, int height) = 0;
  virtual void setCaretPos(int x, int y) = 0;
  virtual void showCaret() = 0;
  virtual void hideCaret() = 0;
  virtual void destroyCaret() = 0;

  virtual void setTimer(int id, int milliseconds) = 0;
  virtual void killTimer(int id) = 0;
  virtual void setCapture() = 0;
  virtual void releaseCapture() = 0;
  virtual void setCursor(CursorShape shape) = 0;
  // The mouse position in client coordinates.
  virtual Point cursorPos() const = 0;

  virtual void setFocus() = 0;
  virtual bool hasFocus() const = 0;
  // Where the input method places its composition window.
  virtual void setImePosition(Point point) = 0;
};

}  // namespace quarn
