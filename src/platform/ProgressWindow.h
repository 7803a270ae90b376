// The modeless progress window of a long loop: a caption, a line of text, a
// count and a "中断" button. The core's ProgressStop decides when events are
// handled; the window only shows and answers.
#pragma once

#include <memory>
#include <string>

namespace quarn {

class ProgressWindow {
 public:
  virtual ~ProgressWindow() = default;
  // Both are cheap: what is shown follows at the next handleEvents().
  virtual void setText(const std::string& text) = 0;  // CP932
  virtual void setCount(unsigned long count) = 0;
  // Handles the events that are waiting: the window and the program's
  // other windows repaint and answer the user.
  virtual void handleEvents() = 0;
  // True once "中断", Esc or the window's close box was used (or the
  // application is quitting).
  virtual bool stopRequested() = 0;
};

class ProgressService {
 public:
  virtual ~ProgressService() = default;
  // countLabel goes before the count ("見つかった個数 : "). While events
  // are handled, the user's input to the program's other windows is held
  // back unless othersAnswer (a loop that changes a document must not see
  // it changed under it). Null when no window can be made (the loop then
  // runs without one).
  virtual std::unique_ptr<ProgressWindow> open(const std::string& caption, const std::string& text,
                                               const std::string& countLabel, bool othersAnswer) = 0;
};

}  // namespace quarn
