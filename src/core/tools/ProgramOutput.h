// A program's captured output on its way into a text document: Linux
// programs write UTF-8 with LF line ends, the text window reads Shift_JIS
// with CR LF. Valid UTF-8 becomes CP932 (characters it lacks become "?"),
// other bytes are kept as they are, a lone LF becomes CR LF, and a piece
// never ends inside a character or between CR and LF.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

namespace quarn {

class ChildProcess;

class OutputDecoder {
 public:
  // The text of the bytes so far, less an unfinished character or a CR at
  // the end, which wait for the next piece.
  std::string Take(const char* bytes, std::size_t n);
  // What was held back, once the output has ended.
  std::string Finish();

 private:
  std::string held_;
  bool lastWasCr_ = false;  // the text handed out so far ends with CR
};

// Receives the decoded text; false stops the capture (the document is full
// or gone).
using OutputSink = std::function<bool(const std::string& text)>;

enum class CaptureEnd { kEnded, kStopped, kRefused };

// Reads the program's output until it ends, handing each decoded piece to
// sink. keepGoing is asked between reads with the byte count so far (it also
// keeps the windows alive); false from it or from sink ends the program, and
// what was captured stays.
CaptureEnd CaptureOutput(ChildProcess& child, const OutputSink& sink,
                         const std::function<bool(unsigned long)>& keepGoing);

}  // namespace quarn
