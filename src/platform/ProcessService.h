// Starting other programs: a program with its arguments, optionally with its
// standard output and error merged into one pipe the program reads, and the
// desktop's file manager on a folder.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace quarn {

struct ProcessRequest {
  std::vector<std::string> arguments;  // CP932; the first names the program
  std::string directory;               // CP932; empty: the current one
  bool capture = false;                // standard output and error into one pipe
  bool minimized = false;
};

class ChildProcess {
 public:
  virtual ~ChildProcess() = default;
  // Up to max bytes of the merged output, waiting at most waitMs for some:
  // the count read, 0 once every writer has closed the pipe, -1 when nothing
  // came within the wait.
  virtual long read(char* buffer, std::size_t max, int waitMs) = 0;
  // Ends the program and everything it started.
  virtual void stop() = 0;
};

class ProcessService {
 public:
  virtual ~ProcessService() = default;
  // Null when the program could not be started.
  virtual std::unique_ptr<ChildProcess> start(const ProcessRequest& request) = 0;
  // Shows folder in the desktop's file manager; false when none started.
  virtual bool openFolder(const std::string& folder) = 0;
};

}  // namespace quarn
