// The widget of a binary window: a window host whose events go to the
// binary window's handlers. It makes the screen font from the document's
// font and hands it, with the document type's colours, to the window.
#pragma once

#include <memory>

#include "core/binaryview/CVeskBV.h"
#include "qt/QtWindowHost.h"

namespace quarn::qt {

class QtBinaryWindow : public QtWindowHost, public WindowModel {
  Q_OBJECT

 public:
  explicit QtBinaryWindow(CVeskDoc& doc, QWidget* parent = nullptr);
  ~QtBinaryWindow() override;

  CVeskBV& Window() { return *window_; }
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
  CVeskDoc& doc_;
  std::unique_ptr<CVeskBV> window_;
};

}  // namespace quarn::qt
