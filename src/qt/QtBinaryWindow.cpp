#include "qt/QtBinaryWindow.h"


#include "core/cabinet/CVeskCabinet.h"
#include "core/document/CVeskDoc.h"
#include "qt/QtScreenFont.h"

namespace quarn::qt {

QtBinaryWindow::QtBinaryWindow(CVeskDoc& doc, QWidget* parent)
    : QtWindowHost(parent), doc_(doc), window_(std::make_unique<CVeskBV>(doc, *this)) {
  ApplyFormat();
  setModel(this);
}

QtBinaryWindow::~QtBinaryWindow() { setModel(nullptr); }

void QtBinaryWindow::ApplyFormat() {
  const ScreenFont screen = MeasureScreenFont(doc_.Format().font, logicalDpiX(), logicalDpiY());
  window_->SetScreenFont(screen.font, screen.metrics);
  const DocTypeSettings& type = gCabinet.Settings();
  const ColorRef back = type.TextBackColor & 0xFFFFFF;
  window_->SetColors(BinaryColors{type.TextColor & 0xFFFFFF, back});
  setBackgroundColor(back);
}

void QtBinaryWindow::onCreate() { window_->OnCreate(); }
void QtBinaryWindow::onSize(int cx, int cy) { window_->OnSize(cx, cy); }
void QtBinaryWindow::onPaint(Canvas& canvas, const Rect& invalid) { window_->OnPaint(canvas, invalid); }
void QtBinaryWindow::onKeyDown(int vk, int, KeyState state) { window_->OnKeyDown(vk, state); }
void QtBinaryWindow::onChar(unsigned char byte, KeyState state) { window_->OnChar(byte, state); }
void QtBinaryWindow::onImeString(const std::string& cp932) { window_->OnImeString(cp932); }
void QtBinaryWindow::onMouse(MouseKind kind, int x, int y, KeyState state) { window_->OnMouse(kind, x, y, state); }
void QtBinaryWindow::onTimer(int id) { window_->OnTimer(id); }
void QtBinaryWindow::onSetFocus() { window_->OnSetFocus(); }
void QtBinaryWindow::onKillFocus() { window_->OnKillFocus(); }
void QtBinaryWindow::onVScroll(int code, int pos) { window_->OnVScroll(code, pos); }
void QtBinaryWindow::onHScroll(int code, int pos) { window_->OnHScroll(code, pos); }

}  // namespace quarn::qt
