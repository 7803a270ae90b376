// The window host widget with a recording window.
#include <QCursor>
#include <QInputMethodEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyleHints>
#include <QWheelEvent>
#include <sstream>

#include "FrameTest.h"
#include "platform/Cp932Codec.h"
#include "qt/QtWindowHost.h"

namespace quarn::qt {
namespace {

class RecordingWindow : public WindowModel {
 public:
  void onCreate() override { log("create"); }
  void onSize(int cx, int cy) override { log("size ", cx, "x", cy); }
  void onPaint(Canvas& canvas, const Rect& invalid) override {
    paints.push_back(invalid);
    if (paint) paint(canvas);
  }
  void onKeyDown(int vk, int repeat, KeyState s) override {
    log("down ", vk, " ", repeat, s.shift ? " shift" : "", s.control ? " ctrl" : "");
  }
  void onKeyUp(int vk, KeyState) override { log("up ", vk); }
  void onChar(unsigned char byte, KeyState) override { log("char ", int(byte)); }
  void onImeString(const std::string& cp932) override { log("ime ", codec::Cp932ToUtf8(cp932)); }
  void onMouse(MouseKind kind, int x, int y, KeyState s) override {
    log("mouse ", int(kind), " ", x, ",", y, s.leftButton ? " L" : "", s.control ? " ctrl" : "");
  }
  void onTimer(int id) override { log("timer ", id); }
  void onSetFocus() override { log("setfocus"); }
  void onKillFocus() override { log("killfocus"); }
  void onVScroll(int code, int pos) override {
    log("v ", code, " ", pos);
    if (onV) onV(code, pos);
  }
  void onHScroll(int code, int pos) override { log("h ", code, " ", pos); }
  // Adds a call to the calls since the last take, separated by "; ".
  template <typename... Parts>
  void log(const Parts&... parts) {
    std::ostringstream out;
    out << (calls.empty() ? "" : "; ");
    (out << ... << parts);
    calls += out.str();
  }
  std::string take() { return std::exchange(calls, {}); }
  std::string calls;
  std::vector<Rect> paints;
  std::function<void(Canvas&)> paint;
  std::function<void(int, int)> onV;
};

class WindowHostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    QGuiApplication::styleHints()->setCursorFlashTime(0);  // a steady caret
    host_.resize(300, 200);
    host_.setModel(&window_);
  }
  QWidget* client() { return host_.viewport(); }
  void send(QWidget* to, QEvent* event) { QApplication::sendEvent(to, event); }
  void mouse(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons buttons,
             Qt::KeyboardModifiers modifiers = {}) {
    QMouseEvent event(type, QPointF(at), client()->mapToGlobal(QPointF(at)), button, buttons, modifiers);
    send(client(), &event);
  }
  void key(QEvent::Type type, int qtKey, Qt::KeyboardModifiers modifiers, const QString& text,
           bool autoRepeat = false) {
    QKeyEvent event(type, qtKey, modifiers, text, autoRepeat);
    send(&host_, &event);
  }
  RecordingWindow window_;
  QtWindowHost host_;
};

// Keys, mouse and wheel reach the window as its own messages; its painting,
// scroll bars, caret, timers, focus and cursor show through the host.
TEST_F(WindowHostTest, InputPaintingScrollBarsCaretTimersFocusAndCursor) {
  EXPECT_EQ(window_.take(), "create; size 300x200");
  key(QEvent::KeyPress, Qt::Key_A, Qt::ShiftModifier, "A");
  key(QEvent::KeyRelease, Qt::Key_A, Qt::ShiftModifier, "A");
  EXPECT_EQ(window_.take(), "down 65 1 shift; char 65; up 65");
  // Tab goes to the window, not to the focus chain; auto-repeat releases
  // are not key-ups.
  key(QEvent::KeyPress, Qt::Key_Tab, {}, "\t");
  key(QEvent::KeyRelease, Qt::Key_Tab, {}, "\t", true);
  EXPECT_EQ(window_.take(), "down 9 1; char 9");
  key(QEvent::KeyPress, Qt::Key_Return, Qt::ControlModifier, "");
  EXPECT_EQ(window_.take(), "down 13 1 ctrl; char 10");
  // A double-byte character arrives as its two bytes, lead byte first.
  key(QEvent::KeyPress, Qt::Key_unknown, {}, QString::fromUtf8("あ"));
  EXPECT_EQ(window_.take(), "char 130; char 160");
  QInputMethodEvent ime;
  ime.setCommitString(QString::fromUtf8("日本語"));
  send(&host_, &ime);
  EXPECT_EQ(window_.take(), "ime 日本語");
  // Mouse and wheel events carry client coordinates and the key state.
  mouse(QEvent::MouseButtonPress, {12, 34}, Qt::LeftButton, Qt::LeftButton, Qt::ControlModifier);
  mouse(QEvent::MouseMove, {20, 40}, Qt::NoButton, Qt::LeftButton);
  mouse(QEvent::MouseButtonRelease, {20, 40}, Qt::LeftButton, Qt::NoButton);
  mouse(QEvent::MouseButtonDblClick, {5, 6}, Qt::LeftButton, Qt::LeftButton);
  mouse(QEvent::MouseButtonPress, {7, 8}, Qt::RightButton, Qt::RightButton);
  EXPECT_EQ(window_.take(),
            "mouse 1 12,34 L ctrl; mouse 0 20,40 L; mouse 2 20,40; mouse 3 5,6 L; mouse 4 7,8");
  // Whole notches only; the default wheel handling scrolls three lines per
  // notch, then ends the scroll.
  const auto wheel = [this](int delta) {
    QWheelEvent event(QPointF(10, 10), client()->mapToGlobal(QPointF(10, 10)), QPoint(), QPoint(0, delta),
                      Qt::NoButton, {}, Qt::NoScrollPhase, false);
    send(client(), &event);
  };
  wheel(60);
  EXPECT_EQ(window_.take(), "");
  wheel(60);
  EXPECT_EQ(window_.take(), "v 0 0; v 0 0; v 0 0; v 8 0");
  wheel(-120);
  EXPECT_EQ(window_.take(), "v 1 0; v 1 0; v 1 0; v 8 0");

  // Paint erases with the background and draws the window.
  host_.setBackgroundColor(Rgb(0, 0, 128));
  window_.paint = [](Canvas& canvas) { canvas.fillRect(Rect{10, 10, 20, 20}, Rgb(255, 0, 0)); };
  host_.show();
  ASSERT_TRUE(testing::WaitFor([this] { return host_.pendingRegion().isEmpty() && !window_.paints.empty(); }));
  const QImage painted = client()->grab().toImage();
  EXPECT_EQ(painted.pixel(15, 15), qRgb(255, 0, 0));
  EXPECT_EQ(painted.pixel(100, 100), qRgb(0, 0, 128));
  // Scrolling the window repaints only what was uncovered.
  host_.scrollWindow(0, -30, nullptr);
  EXPECT_EQ(host_.pendingRegion(), QRegion(0, 170, 300, 30));
  host_.update();  // paints now, without the event loop
  EXPECT_GE(window_.paints.back().top, 170);
  EXPECT_TRUE(host_.pendingRegion().isEmpty());
  host_.setScrollRange(ScrollBar::kVertical, 0, 100);
  host_.setScrollPos(ScrollBar::kVertical, 40);
  EXPECT_TRUE(host_.scrollBarShown(ScrollBar::kVertical));
  EXPECT_FALSE(host_.scrollBarShown(ScrollBar::kHorizontal));
  window_.take();
  QScrollBar* bar = host_.verticalScrollBar();
  bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(window_.take(), "v 1 0; v 8 0");
  EXPECT_EQ(bar->value(), 40);  // the window did not move it
  window_.onV = [this](int code, int) {
    if (code == sb::kPageDown) host_.setScrollPos(ScrollBar::kVertical, 55);
  };
  bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
  EXPECT_EQ(window_.take(), "v 3 0; v 8 0");
  EXPECT_EQ(bar->value(), 55);
  bar->triggerAction(QAbstractSlider::SliderToMinimum);
  EXPECT_EQ(window_.take(), "v 6 0; v 8 0");
  // An empty range takes the bar away and the client grows.
  host_.setScrollRange(ScrollBar::kVertical, 0, 0);
  EXPECT_FALSE(host_.scrollBarShown(ScrollBar::kVertical));
  ASSERT_TRUE(testing::WaitFor([this] { return host_.clientSize().x == 300; }));
  host_.showScrollBar(ScrollBar::kHorizontal, true);
  EXPECT_TRUE(host_.scrollBarShown(ScrollBar::kHorizontal));
  ASSERT_TRUE(testing::WaitFor([this] { return host_.clientSize().y < 200; }));
  EXPECT_NE(window_.take().find("size 300x"), std::string::npos);

  // The caret hides cumulatively and shows inverted.
  host_.showScrollBar(ScrollBar::kHorizontal, false);
  ASSERT_TRUE(testing::WaitFor([this] { return host_.clientSize().y == 200; }));
  host_.createCaret(2, 16);
  host_.setCaretPos(40, 50);
  EXPECT_FALSE(host_.caretShown());  // a new caret is hidden
  host_.showCaret();
  EXPECT_EQ(host_.caretRect(), QRect(40, 50, 2, 16));
  const QImage image = client()->grab().toImage();
  EXPECT_EQ(image.pixel(41, 65), qRgb(255, 255, 127));  // the background inverted
  EXPECT_EQ(image.pixel(42, 50), qRgb(0, 0, 128));
  host_.hideCaret();
  host_.hideCaret();
  host_.showCaret();
  EXPECT_FALSE(host_.caretShown());
  host_.showCaret();
  EXPECT_TRUE(host_.caretShown());
  host_.showCaret();  // extra shows do not bank
  host_.hideCaret();
  EXPECT_FALSE(host_.caretShown());
  EXPECT_EQ(client()->grab().toImage().pixel(40, 50), qRgb(0, 0, 128));
  host_.destroyCaret();
  host_.showCaret();
  EXPECT_FALSE(host_.caretShown());
  // Timers fire until killed; focus and the cursor are passed on.
  host_.setTimer(3, 5);
  ASSERT_TRUE(testing::WaitFor([this] { return window_.calls.find("timer 3; timer 3") != std::string::npos; }));
  host_.killTimer(3);
  EXPECT_FALSE(host_.timerRunning(3));
  window_.take();
  QApplication::processEvents();
  EXPECT_EQ(window_.take(), "");
  for (QEvent::Type type : {QEvent::FocusIn, QEvent::FocusOut}) {
    QFocusEvent focus(type, Qt::OtherFocusReason);
    send(&host_, &focus);
  }
  EXPECT_EQ(window_.take(), "setfocus; killfocus");
  QCursor::setPos(client()->mapToGlobal(QPoint(33, 44)));
  EXPECT_EQ(host_.cursorPos(), (Point{33, 44}));
  host_.setCursor(CursorShape::kIBeam);
  EXPECT_EQ(client()->cursor().shape(), Qt::IBeamCursor);
}

}  // namespace
}  // namespace quarn::qt
