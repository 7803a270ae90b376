#include "qt/QtWindowHost.h"

#include <QApplication>
#include <QCursor>
#include <QInputMethod>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QScrollBar>
#include <QStyleHints>
#include <QTimerEvent>
#include <QWheelEvent>
#include <iterator>

#include "qt/QtCanvas.h"
#include "qt/QtKeyMap.h"
#include "qt/QtText.h"

namespace quarn::qt {

namespace {

// A black arrow with a white rim pointing right and up, its hot spot at
// the tip: the pointer over the line bar, where a click takes whole rows.
QCursor RowSelectCursor() {
  static const QCursor cursor = [] {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(Qt::white, 1));
    painter.setBrush(Qt::black);
    const QPoint arrow[] = {{14, 1}, {14, 11}, {11, 8}, {6, 13}, {3, 10}, {8, 5}, {5, 2}};
    painter.drawPolygon(arrow, int(std::size(arrow)));
    return QCursor(pixmap, 14, 1);
  }();
  return cursor;
}

Qt::CursorShape QtShape(CursorShape shape) {
  switch (shape) {
    case CursorShape::kRowSelect: break;
    case CursorShape::kIBeam: return Qt::IBeamCursor;
    case CursorShape::kWait: return Qt::WaitCursor;
    case CursorShape::kSizeWE: return Qt::SizeHorCursor;
    case CursorShape::kSizeNS: return Qt::SizeVerCursor;
    case CursorShape::kCross: return Qt::CrossCursor;
    case CursorShape::kArrow: break;
  }
  return Qt::ArrowCursor;
}

// The scroll bar action codes of the window for Qt's slider actions.
int ScrollCodeFor(int action) {
  switch (action) {
    case QAbstractSlider::SliderSingleStepSub: return sb::kLineUp;
    case QAbstractSlider::SliderSingleStepAdd: return sb::kLineDown;
    case QAbstractSlider::SliderPageStepSub: return sb::kPageUp;
    case QAbstractSlider::SliderPageStepAdd: return sb::kPageDown;
    case QAbstractSlider::SliderToMinimum: return sb::kTop;
    case QAbstractSlider::SliderToMaximum: return sb::kBottom;
    case QAbstractSlider::SliderMove: return sb::kThumbTrack;
    default: return -1;
  }
}

}  // namespace

QtWindowHost::QtWindowHost(QWidget* parent) : QAbstractScrollArea(parent) {
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_InputMethodEnabled);
  setFrameShape(QFrame::NoFrame);
  viewport()->setMouseTracking(true);
  viewport()->setAutoFillBackground(false);
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  // A window starts with both bars hidden; it shows what it needs.
  for (ScrollBar which : {ScrollBar::kHorizontal, ScrollBar::kVertical}) {
    state(which).shown = false;
    applyBarVisibility(which);
    QScrollBar* b = bar(which);
    connect(b, &QAbstractSlider::actionTriggered, this, [this, which](int action) { onBarAction(which, action); });
    connect(b, &QAbstractSlider::sliderReleased, this, [this, which] { onBarReleased(which); });
  }
}

QtWindowHost::~QtWindowHost() = default;

void QtWindowHost::setModel(WindowModel* model) {
  model_ = model;
  sizeSent_ = QSize(-1, -1);
  if (!model_) return;
  if (!isVisible()) {
    // A hidden scroll area lays out its client only when shown; do it now so
    // that the window is created with its real client size.
    QResizeEvent layout(size(), size());
    QCoreApplication::sendEvent(this, &layout);
  }
  model_->onCreate();
  deliverSize();
}

void QtWindowHost::setBackgroundColor(ColorRef color) {
  background_ = color;
  invalidate();
}

// ---- geometry and painting ----

Point QtWindowHost::clientSize() const { return Point{viewport()->width(), viewport()->height()}; }
int QtWindowHost::dpiX() const { return logicalDpiX(); }
int QtWindowHost::dpiY() const { return logicalDpiY(); }

void QtWindowHost::invalidate() {
  pending_ += viewport()->rect();
  viewport()->update();
}

void QtWindowHost::invalidateRect(const Rect& rect) {
  const QRect r = ToQRect(rect).intersected(viewport()->rect());
  if (r.isEmpty()) return;
  pending_ += r;
  viewport()->update(r);
}

void QtWindowHost::update() {
  if (!pending_.isEmpty() && viewport()->isVisible()) viewport()->repaint(pending_);
}

void QtWindowHost::scrollWindow(int dx, int dy, const Rect* area) {
  const QRect client = viewport()->rect();
  const QRect r = area ? ToQRect(*area).intersected(client) : client;
  if (r.isEmpty() || (dx == 0 && dy == 0)) return;
  // The caret's image would move with the pixels: repaint where it was and
  // where its copy lands.
  if (caretShown()) {
    pending_ += caret_;
    pending_ += caret_.translated(dx, dy);
    viewport()->update(caret_);
    viewport()->update(caret_.translated(dx, dy));
  }
  const QRegion inside(r);
  const QRegion moved = (pending_ & inside).translated(dx, dy) & inside;
  const QRegion uncovered = inside - QRegion(r.translated(dx, dy));
  pending_ += moved + uncovered;
  viewport()->scroll(dx, dy, r);
}

bool QtWindowHost::viewportEvent(QEvent* event) {
  if (event->type() == QEvent::Resize) {
    deliverSize();
    return false;
  }
  return QAbstractScrollArea::viewportEvent(event);
}

// Sizes that change while the window handles one (its scroll bars appear or
// go) are delivered after it, the last one winning.
void QtWindowHost::deliverSize() {
  if (!model_ || inSize_) return;
  inSize_ = true;
  for (int round = 0; round < 8 && model_ && viewport()->size() != sizeSent_; ++round) {
    sizeSent_ = viewport()->size();
    model_->onSize(sizeSent_.width(), sizeSent_.height());
  }
  inSize_ = false;
}

void QtWindowHost::paintEvent(QPaintEvent* event) {
  pending_ -= event->region();
  pending_ &= viewport()->rect();  // what a resize took away needs no paint
  QPainter painter(viewport());
  painter.fillRect(event->rect(), ToQColor(background_));
  if (model_) {
    QtCanvas canvas(painter);
    const QRect r = event->rect();
    model_->onPaint(canvas, Rect{r.left(), r.top(), r.right() + 1, r.bottom() + 1});
  }
  painter.setClipping(false);
  if (caretShown()) {
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.fillRect(caret_, Qt::white);
  }
}

void QtWindowHost::scrollContentsBy(int, int) {}

// ---- scroll bars ----

QScrollBar* QtWindowHost::bar(ScrollBar which) const {
  return which == ScrollBar::kVertical ? verticalScrollBar() : horizontalScrollBar();
}

void QtWindowHost::applyBarVisibility(ScrollBar which) {
  const BarState& s = bars_[int(which)];
  const Qt::ScrollBarPolicy policy = s.shown && !s.emptyRange ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
  if (which == ScrollBar::kVertical) {
    setVerticalScrollBarPolicy(policy);
  } else {
    setHorizontalScrollBarPolicy(policy);
  }
}

void QtWindowHost::setScrollRange(ScrollBar which, int min, int max) {
  QScrollBar* b = bar(which);
  BarState& s = state(which);
  const QSignalBlocker block(b);
  b->setRange(std::min(min, max), std::max(min, max));
  b->setPageStep(std::max(1, (b->maximum() - b->minimum()) / 10));
  s.pos = b->value();
  // An empty range takes the bar away; a real one brings it back.
  const bool empty = min == max;
  if (empty != s.emptyRange || (!empty && !s.shown)) {
    s.emptyRange = empty;
    if (!empty) s.shown = true;
    applyBarVisibility(which);
  }
}

void QtWindowHost::setScrollPos(ScrollBar which, int pos) {
  QScrollBar* b = bar(which);
  const QSignalBlocker block(b);
  b->setSliderPosition(pos);
  b->setValue(pos);
  state(which).pos = b->value();
}

void QtWindowHost::showScrollBar(ScrollBar which, bool show) {
  BarState& s = state(which);
  if (s.shown == show) return;
  s.shown = show;
  applyBarVisibility(which);
}

void QtWindowHost::enableScrollBar(ScrollBar which, bool enable) { bar(which)->setEnabled(enable); }

int QtWindowHost::scrollPos(ScrollBar which) const { return bars_[int(which)].pos; }

bool QtWindowHost::scrollBarShown(ScrollBar which) const {
  const BarState& s = bars_[int(which)];
  return s.shown && !s.emptyRange;
}

void QtWindowHost::sendScroll(ScrollBar which, int code, int pos) {
  if (!model_) return;
  if (which == ScrollBar::kVertical) {
    model_->onVScroll(code, pos);
  } else {
    model_->onHScroll(code, pos);
  }
}

// The bar moves only where the window puts it: after the window handled
// the action, the slider goes back to the window's position (except while
// the thumb is dragged, when it follows the mouse).
void QtWindowHost::onBarAction(ScrollBar which, int action) {
  const int code = ScrollCodeFor(action);
  if (code < 0) return;
  QScrollBar* b = bar(which);
  sendScroll(which, code, code == sb::kThumbTrack ? b->sliderPosition() : 0);
  if (code != sb::kThumbTrack) {
    sendScroll(which, sb::kEndScroll, 0);
    b->setSliderPosition(state(which).pos);
  }
}

void QtWindowHost::onBarReleased(ScrollBar which) {
  QScrollBar* b = bar(which);
  sendScroll(which, sb::kThumbPosition, b->sliderPosition());
  sendScroll(which, sb::kEndScroll, 0);
  const QSignalBlocker block(b);
  b->setSliderPosition(state(which).pos);
  b->setValue(state(which).pos);
}

// ---- caret ----

void QtWindowHost::createCaret(int width, int height) {
  invalidateCaret();
  caretCreated_ = true;
  caretHideCount_ = 1;
  caret_ = QRect(caret_.topLeft(), QSize(std::max(1, width), std::max(1, height)));
}

void QtWindowHost::setCaretPos(int x, int y) {
  invalidateCaret();
  caret_.moveTo(x, y);
  restartCaretBlink();
}

void QtWindowHost::showCaret() {
  if (!caretCreated_ || caretHideCount_ == 0) return;
  if (--caretHideCount_ == 0) restartCaretBlink();
}

void QtWindowHost::hideCaret() {
  if (!caretCreated_) return;
  invalidateCaret();
  ++caretHideCount_;
}

void QtWindowHost::destroyCaret() {
  invalidateCaret();
  caretCreated_ = false;
  caretBlink_.stop();
}

QRect QtWindowHost::caretRect() const { return caretCreated_ ? caret_ : QRect(); }

bool QtWindowHost::caretShown() const { return caretCreated_ && caretHideCount_ == 0 && caretPhaseOn_; }

void QtWindowHost::invalidateCaret() {
  if (caretShown()) invalidateRect(Rect{caret_.left(), caret_.top(), caret_.right() + 1, caret_.bottom() + 1});
}

// The caret shows at once after it moves or appears, then blinks.
void QtWindowHost::restartCaretBlink() {
  caretPhaseOn_ = true;
  invalidateCaret();
  const int flash = QGuiApplication::styleHints()->cursorFlashTime();
  if (flash > 0 && caretCreated_ && caretHideCount_ == 0) {
    caretBlink_.start(flash / 2, this);
  } else {
    caretBlink_.stop();
  }
}

// ---- timers, capture, cursor, focus, input method ----

void QtWindowHost::setTimer(int id, int milliseconds) {
  killTimer(id);
  timers_[id] = startTimer(std::max(0, milliseconds));
}

void QtWindowHost::killTimer(int id) {
  const auto it = timers_.find(id);
  if (it == timers_.end()) return;
  QObject::killTimer(it->second);
  timers_.erase(it);
}

void QtWindowHost::timerEvent(QTimerEvent* event) {
  if (event->timerId() == caretBlink_.timerId()) {
    invalidateCaret();
    caretPhaseOn_ = !caretPhaseOn_;
    invalidateCaret();
    return;
  }
  for (const auto& [id, qtId] : timers_) {
    if (qtId == event->timerId()) {
      if (model_) model_->onTimer(id);
      return;
    }
  }
  QAbstractScrollArea::timerEvent(event);
}

void QtWindowHost::setCapture() {
  if (viewport()->isVisible()) viewport()->grabMouse();
}

void QtWindowHost::releaseCapture() {
  if (QWidget::mouseGrabber() == viewport()) viewport()->releaseMouse();
}

void QtWindowHost::setCursor(CursorShape shape) {
  viewport()->setCursor(shape == CursorShape::kRowSelect ? RowSelectCursor() : QCursor(QtShape(shape)));
}

Point QtWindowHost::cursorPos() const {
  const QPoint p = viewport()->mapFromGlobal(QCursor::pos());
  return Point{p.x(), p.y()};
}

void QtWindowHost::setFocus() { QWidget::setFocus(Qt::OtherFocusReason); }

bool QtWindowHost::hasFocus() const { return QWidget::hasFocus(); }

void QtWindowHost::setImePosition(Point point) {
  imePosition_ = point;
  if (QWidget::hasFocus()) QGuiApplication::inputMethod()->update(Qt::ImCursorRectangle);
}

QVariant QtWindowHost::inputMethodQuery(Qt::InputMethodQuery query) const {
  if (query == Qt::ImCursorRectangle) {
    const QPoint at = viewport()->mapTo(this, QPoint(imePosition_.x, imePosition_.y));
    return QRect(at, QSize(1, caretCreated_ ? caret_.height() : fontMetrics().height()));
  }
  if (query == Qt::ImEnabled) return true;
  return QAbstractScrollArea::inputMethodQuery(query);
}

void QtWindowHost::inputMethodEvent(QInputMethodEvent* event) {
  const QString commit = event->commitString();
  if (model_ && !commit.isEmpty()) model_->onImeString(ToCp932(commit));
  event->accept();
}

void QtWindowHost::focusInEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusInEvent(event);
  if (model_) model_->onSetFocus();
}

void QtWindowHost::focusOutEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusOutEvent(event);
  if (model_) model_->onKillFocus();
}

// Tab belongs to the window (it switches areas, indents), not to focus
// navigation.
bool QtWindowHost::focusNextPrevChild(bool) { return false; }

// ---- keys, mouse, wheel ----

void QtWindowHost::keyPressEvent(QKeyEvent* event) {
  if (!model_) return QAbstractScrollArea::keyPressEvent(event);
  const KeyState keys = KeyStateFor(event->modifiers(), QGuiApplication::mouseButtons());
  if (const int vk = VirtualKeyFor(*event)) {
    model_->onKeyDown(vk, std::max(1, event->count()), keys);
  }
  for (const char byte : CharBytesFor(*event)) {
    if (!model_) break;
    model_->onChar(static_cast<unsigned char>(byte), keys);
  }
  event->accept();
}

void QtWindowHost::keyReleaseEvent(QKeyEvent* event) {
  if (!model_ || event->isAutoRepeat()) return QAbstractScrollArea::keyReleaseEvent(event);
  if (const int vk = VirtualKeyFor(*event)) {
    model_->onKeyUp(vk, KeyStateFor(event->modifiers(), QGuiApplication::mouseButtons()));
  }
  event->accept();
}

void QtWindowHost::sendMouse(MouseKind kind, QMouseEvent* event) {
  if (!model_) return;
  const QPoint p = event->position().toPoint();
  model_->onMouse(kind, p.x(), p.y(), KeyStateFor(event->modifiers(), event->buttons()));
}

void QtWindowHost::mousePressEvent(QMouseEvent* event) {
  switch (event->button()) {
    case Qt::LeftButton: sendMouse(MouseKind::kLeftDown, event); break;
    case Qt::RightButton: sendMouse(MouseKind::kRightDown, event); break;
    case Qt::MiddleButton: sendMouse(MouseKind::kMiddleDown, event); break;
    default: break;
  }
}

void QtWindowHost::mouseReleaseEvent(QMouseEvent* event) {
  switch (event->button()) {
    case Qt::LeftButton: sendMouse(MouseKind::kLeftUp, event); break;
    case Qt::RightButton: sendMouse(MouseKind::kRightUp, event); break;
    case Qt::MiddleButton: sendMouse(MouseKind::kMiddleUp, event); break;
    default: break;
  }
}

void QtWindowHost::mouseDoubleClickEvent(QMouseEvent* event) {
  switch (event->button()) {
    case Qt::LeftButton: sendMouse(MouseKind::kLeftDoubleClick, event); break;
    case Qt::RightButton: sendMouse(MouseKind::kRightDoubleClick, event); break;
    case Qt::MiddleButton: sendMouse(MouseKind::kMiddleDown, event); break;
    default: break;
  }
}

void QtWindowHost::mouseMoveEvent(QMouseEvent* event) { sendMouse(MouseKind::kMove, event); }

// Whole notches only; what a fine-grained wheel sends in between is kept.
void QtWindowHost::wheelEvent(QWheelEvent* event) {
  event->accept();
  if (!model_) return;
  wheelRemainder_ += event->angleDelta().y();
  const int notches = wheelRemainder_ / WindowModel::kWheelDelta;
  if (notches == 0) return;
  wheelRemainder_ -= notches * WindowModel::kWheelDelta;
  const QPoint p = event->position().toPoint();
  model_->onMouseWheel(notches * WindowModel::kWheelDelta, p.x(), p.y(),
                       KeyStateFor(event->modifiers(), event->buttons()));
}

}  // namespace quarn::qt
