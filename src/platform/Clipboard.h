// The system clipboard's text, as CP932 bytes.
#pragma once

#include <string>

namespace quarn {

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  virtual bool hasText() = 0;
  // The clipboard's text converted to CP932; false when there is none.
  virtual bool getText(std::string& text) = 0;
  // Replaces the clipboard's contents; false when it cannot be opened.
  virtual bool setText(const std::string& text) = 0;
};

}  // namespace quarn
