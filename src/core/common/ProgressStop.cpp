#include "core/common/ProgressStop.h"

#include "platform/Platform.h"
#include "platform/ProgressWindow.h"

namespace quarn {

ProgressStop::ProgressStop(std::string caption, std::string text, std::string countLabel, OtherWindows others) {
  if (ProgressService* service = Platform().progress)
    window_ = service->open(caption, text, countLabel, others == OtherWindows::kAnswer);
}

ProgressStop::~ProgressStop() = default;

void ProgressStop::SetText(const std::string& text) {
  if (window_) window_->setText(text);
}

void ProgressStop::SetCount(unsigned long count) {
  if (window_) window_->setCount(count);
}

bool ProgressStop::Continue(unsigned long count) {
  if (!window_) return true;
  window_->setCount(count);
  const auto now = std::chrono::steady_clock::now();
  if (!handledOnce_ || now - handled_ >= kInterval) {
    window_->handleEvents();
    handledOnce_ = true;
    // Measured after the events: time spent in them does not count as loop time.
    handled_ = std::chrono::steady_clock::now();
  }
  return !Stopped();
}

bool ProgressStop::Stopped() const {
  if (!stopped_ && window_ && window_->stopRequested()) stopped_ = true;
  return stopped_;
}

}  // namespace quarn
