#include "core/app/ToolCommands.h"

#include <memory>

#include "core/common/ProgressStop.h"

namespace quarn {

// The one place where the tools' long loops get their progress window: the
// shared progress-and-stop window, open while the returned function lives.
std::function<bool(unsigned long)> ToolProgress(const std::string& caption, const std::string& text) {
  auto progress = std::make_shared<ProgressStop>(caption, text);
  return [progress](unsigned long done) { return progress->Continue(done); };
}

}  // namespace quarn
