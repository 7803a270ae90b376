// Programs started with posix_spawn: each in a process group of its own, so
// that stopping it reaches what it started; the output pipe is read with a
// bounded wait so the caller can keep its window alive meanwhile.
#pragma once

#include "platform/ProcessService.h"

namespace quarn {

class PosixProcessService : public ProcessService {
 public:
  std::unique_ptr<ChildProcess> start(const ProcessRequest& request) override;
  bool openFolder(const std::string& folder) override;
};

}  // namespace quarn
