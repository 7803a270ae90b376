// The widget of a text window: a window host whose events go to the text
// window's handlers. It makes the screen font from the document's font and
// shows the popup menu the right button asks for.
#pragma once

#include <memory>

#include "core/textview/CVeskEV.h"
#include "qt/QtWindowHost.h"

namespace quarn::qt {

class QtTextWindow : public QtWindowHost, public WindowModel {
  Q_OBJECT

 public:
  explicit QtTextWindow(CVeskDoc& doc, QWidget* parent = nullptr);
  ~QtTextWindow() override;

  CVeskEV& Window() { return *window_; }
  // The screen font again, after the document's format changed.
  void ApplyFormat();

  void onCreate() override;
  void onSize(int cx, int cy) override;
  void onPaint(Canvas& canvas, const Rect& invalid) override;
  void onKeyDown(int vk, int repeat, KeyState state) override;
  void onChar(unsigned char byte, KeyState state) override;
  void onImeString(const std::string& cp932) override;
  void onMouse(MouseKind kind, int x, int y, KeyState state) override;
  void onTimer(int id) override;
  void onSetFocus() override;
  void onKillFocus() override;
  void onVScroll(int code, int pos) override;
  void onHScroll(int code, int pos) override;

 private:
  void ShowPopup(Point point);
  void SendCommand(unsigned id);

  CVeskDoc& doc_;
  std::unique_ptr<CVeskEV> window_;
};

}  // namespace quarn::qt
