// The system clipboard's text, as CP932 bytes, and raw bytes under the
// program's own formats.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quarn {

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  virtual bool hasText() = 0;
  // The clipboard's text converted to CP932; false when there is none.
  virtual bool getText(std::string& text) = 0;
  // Replaces the clipboard's contents; false when it cannot be opened.
  virtual bool setText(const std::string& text) = 0;

  // Replaces the clipboard's contents by the text together with raw bytes
  // under the private format (a short ASCII name such as "binary"); other
  // programs see the text only.
  virtual bool setTextWithData(const std::string& text, const std::string& /*format*/,
                               const std::vector<std::uint8_t>& /*bytes*/) {
    return setText(text);
  }
  // The raw bytes of the private format; false when the clipboard does not
  // hold it (another program replaced the contents, or none was set).
  virtual bool getData(const std::string& /*format*/, std::vector<std::uint8_t>& /*bytes*/) { return false; }
};

}  // namespace quarn
