// The progress-and-stop object of a long loop (global find, replace all,
// reopening a cabinet's documents, the tools): it opens a modeless window
// with a caption, a text, a count and a "中断" button, handles the events
// waiting at a fixed interval so the program stays responsive, and answers
// "stop?" from the button, Esc and the window's close box.
#pragma once

#include <chrono>
#include <memory>
#include <string>

namespace quarn {

class ProgressWindow;

class ProgressStop {
 public:
  // How often Continue() lets the events waiting be handled.
  static constexpr std::chrono::milliseconds kInterval{50};

  // Whether the program's other windows answer the user while the loop
  // lets events be handled: held by default, since the loop may be working
  // on a document the user could otherwise change or close under it.
  enum class OtherWindows { kHeld, kAnswer };

  // Opens the window (CP932 strings); countLabel is shown before the count.
  ProgressStop(std::string caption, std::string text, std::string countLabel = {},
               OtherWindows others = OtherWindows::kHeld);
  ~ProgressStop();  // closes it
  ProgressStop(const ProgressStop&) = delete;
  ProgressStop& operator=(const ProgressStop&) = delete;

  void SetText(const std::string& text);
  void SetCount(unsigned long count);  // shown as a number
  // Sets the count, handles the events waiting when the interval has passed
  // since they were last handled (at once on the first call); false once
  // the user asked to stop.
  bool Continue(unsigned long count);
  bool Stopped() const;

 private:
  std::unique_ptr<ProgressWindow> window_;
  std::chrono::steady_clock::time_point handled_{};
  bool handledOnce_ = false;
  mutable bool stopped_ = false;
};

}  // namespace quarn
