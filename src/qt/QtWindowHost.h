// The widget that shows one window of the program: it forwards Qt's paint,
// mouse, key, wheel, focus, resize, scroll bar and timer events to the
// window's handlers and carries out what the window asks of its host. It
// holds no editing logic of its own.
#pragma once

#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <QRegion>
#include <map>

#include "platform/WindowHost.h"
#include "platform/WindowModel.h"

class QScrollBar;

namespace quarn::qt {

class QtWindowHost : public QAbstractScrollArea, public WindowHost {
  Q_OBJECT

 public:
  explicit QtWindowHost(QWidget* parent = nullptr);
  ~QtWindowHost() override;

  // The window whose handlers receive the events (not owned; null detaches
  // it). Attaching calls its onCreate, then onSize with the current client
  // size.
  void setModel(WindowModel* model);
  WindowModel* model() const { return model_; }
  // The colour the invalid area is erased with before the window paints.
  void setBackgroundColor(ColorRef color);

  // ---- WindowHost ----
  Point clientSize() const override;
  int dpiX() const override;
  int dpiY() const override;
  void invalidate() override;
  void invalidateRect(const Rect& rect) override;
  void update() override;
  void scrollWindow(int dx, int dy, const Rect* area) override;
  void setScrollRange(ScrollBar bar, int min, int max) override;
  void setScrollPos(ScrollBar bar, int pos) override;
  void showScrollBar(ScrollBar bar, bool show) override;
  void enableScrollBar(ScrollBar bar, bool enable) override;
  void createCaret(int width, int height) override;
  void setCaretPos(int x, int y) override;
  void showCaret() override;
  void hideCaret() override;
  void destroyCaret() override;
  void setTimer(int id, int milliseconds) override;
  void killTimer(int id) override;
  void setCapture() override;
  void releaseCapture() override;
  void setCursor(CursorShape shape) override;
  Point cursorPos() const override;
  void setFocus() override;
  bool hasFocus() const override;
  void setImePosition(Point point) override;

  // ---- state a test or the view may read ----
  // The caret's rectangle in client coordinates, and whether it is shown
  // now (created, not hidden, blink phase on).
  QRect caretRect() const;
  bool caretShown() const;
  bool timerRunning(int id) const { return timers_.count(id) != 0; }
  int scrollPos(ScrollBar bar) const;
  bool scrollBarShown(ScrollBar bar) const;
  // The area invalidated and not yet painted.
  const QRegion& pendingRegion() const { return pending_; }

  QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

 protected:
  bool viewportEvent(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  void timerEvent(QTimerEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  bool focusNextPrevChild(bool next) override;

 private:
  struct BarState {
    int pos = 0;        // the position the window set last
    bool shown = true;  // as set by the window (an empty range hides it too)
    bool emptyRange = false;
  };

  QScrollBar* bar(ScrollBar which) const;
  BarState& state(ScrollBar which) { return bars_[int(which)]; }
  void applyBarVisibility(ScrollBar which);
  void onBarAction(ScrollBar which, int action);
  void onBarReleased(ScrollBar which);
  void sendScroll(ScrollBar which, int code, int pos);
  void deliverSize();
  void invalidateCaret();
  void restartCaretBlink();
  void sendMouse(MouseKind kind, QMouseEvent* event);

  WindowModel* model_ = nullptr;
  ColorRef background_ = 0xFFFFFF;
  QRegion pending_;
  BarState bars_[2];
  std::map<int, int> timers_;  // window timer id -> Qt timer id

  bool caretCreated_ = false;
  int caretHideCount_ = 1;  // a new caret is hidden until shown
  bool caretPhaseOn_ = true;
  QRect caret_;
  QBasicTimer caretBlink_;

  Point imePosition_;
  int wheelRemainder_ = 0;
  bool inSize_ = false;
  QSize sizeSent_{-1, -1};
};

}  // namespace quarn::qt
