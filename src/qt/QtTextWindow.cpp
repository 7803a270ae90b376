#include "qt/QtTextWindow.h"

#include <QMenu>

#include "core/cabinet/CVeskCabinet.h"
#include "core/document/CVeskDoc.h"
#include "core/operations/CPopupManeger.h"
#include "qt/QtScreenFont.h"
#include "qt/QtDocumentView.h"
#include "qt/QtMainFrame.h"
#include "qt/QtText.h"

namespace quarn::qt {

QtTextWindow::QtTextWindow(CVeskDoc& doc, QWidget* parent)
    : QtWindowHost(parent), doc_(doc), window_(std::make_unique<CVeskEV>(doc, *this)) {
  window_->SetPopupHandler([this](Point point) { ShowPopup(point); });
  ApplyFormat();
  setModel(this);
}

QtTextWindow::~QtTextWindow() { setModel(nullptr); }

void QtTextWindow::ApplyFormat() {
  const ScreenFont screen = MeasureScreenFont(doc_.Format().font, logicalDpiX(), logicalDpiY());
  window_->SetScreenFont(screen.font, screen.metrics);
  setBackgroundColor(gCabinet.Settings().TextBackColor & 0xFFFFFF);
}

void QtTextWindow::ShowPopup(Point point) {
  QMenu menu(this);
  for (const PopupEntry& entry : gPopup.BuildPopup()) {
    if (entry.separator) {
      menu.addSeparator();
      continue;
    }
    QAction* action = menu.addAction(ToQString(entry.name));
    action->setData(entry.id);
  }
  if (QAction* chosen = menu.exec(viewport()->mapToGlobal(QPoint(point.x, point.y))))
    SendCommand(chosen->data().toUInt());
}

void QtTextWindow::SendCommand(unsigned id) {
  // The popup's commands go to the main frame, as the menus' do.
  if (auto* frame = qobject_cast<QtMainFrame*>(window())) {
    frame->runCommand(id);
  } else if (auto* view = qobject_cast<QtDocumentView*>(parentWidget())) {
    view->View().OnCommand(id);
  }
}

void QtTextWindow::onCreate() { window_->OnCreate(); }
void QtTextWindow::onSize(int cx, int cy) { window_->OnSize(cx, cy); }
void QtTextWindow::onPaint(Canvas& canvas, const Rect& invalid) { window_->OnPaint(canvas, invalid); }
void QtTextWindow::onKeyDown(int vk, int repeat, KeyState state) { window_->OnKeyDown(vk, repeat, state); }
void QtTextWindow::onChar(unsigned char byte, KeyState state) { window_->OnChar(byte, state); }
void QtTextWindow::onImeString(const std::string& cp932) { window_->OnImeString(cp932); }
void QtTextWindow::onMouse(MouseKind kind, int x, int y, KeyState state) { window_->OnMouse(kind, x, y, state); }
void QtTextWindow::onTimer(int id) { window_->OnTimer(id); }
void QtTextWindow::onSetFocus() { window_->OnSetFocus(); }
void QtTextWindow::onKillFocus() { window_->OnKillFocus(); }
void QtTextWindow::onVScroll(int code, int pos) { window_->OnVScroll(code, pos); }
void QtTextWindow::onHScroll(int code, int pos) { window_->OnHScroll(code, pos); }

}  // namespace quarn::qt
