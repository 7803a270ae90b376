// The system clipboard through QClipboard. The text goes out as Unicode;
// the exact CP932 bytes travel with it under a private format, so that a
// copy and paste inside the program gives back every byte, also those that
// are no character.
#pragma once

#include "platform/Clipboard.h"

namespace quarn::qt {

class QtClipboard : public Clipboard {
 public:
  bool hasText() override;
  // The private CP932 bytes while the clipboard still holds the program's
  // own contents, else the system text converted to CP932.
  bool getText(std::string& text) override;
  // The text up to its first NUL byte, as a C string on the clipboard ends.
  bool setText(const std::string& text) override;
  bool setTextWithData(const std::string& text, const std::string& format,
                       const std::vector<std::uint8_t>& bytes) override;
  bool getData(const std::string& format, std::vector<std::uint8_t>& bytes) override;
};

}  // namespace quarn::qt
