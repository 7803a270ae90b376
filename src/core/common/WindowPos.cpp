#include "core/common/WindowPos.h"

#include <array>

#include "core/common/ProfileFile.h"

namespace quarn {
namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Reads blanks, an optional sign and digits from text at i; the commas
// between the numbers must be there as written.
bool ScanNumber(const std::string& text, std::size_t& i, std::uint32_t& value) {
  while (i < text.size() && IsSpace(text[i])) ++i;
  std::size_t start = i;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
  std::size_t digits = i;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
  if (i == digits) return false;
  int parsed = 0;
  ParseProfileInt(std::string_view(text).substr(start, i - start), parsed);
  value = std::uint32_t(parsed);
  return true;
}

}  // namespace

bool ParseWindowPos(const std::string& text, WindowPlacement& placement) {
  std::array<std::uint32_t, 10> v{};
  std::size_t i = 0;
  for (std::size_t n = 0; n < v.size(); ++n) {
    if (n > 0) {
      if (i >= text.size() || text[i] != ',') return false;
      ++i;
    }
    if (!ScanNumber(text, i, v[n])) return false;
  }
  WindowPlacement p;
  p.flags = v[0];
  p.showCmd = v[1];
  p.minPosition = {std::int32_t(v[2]), std::int32_t(v[3])};
  p.maxPosition = {std::int32_t(v[4]), std::int32_t(v[5])};
  p.normalPosition = {std::int32_t(v[6]), std::int32_t(v[7]), std::int32_t(v[8]), std::int32_t(v[9])};
  placement = p;
  return true;
}

std::string FormatWindowPos(const WindowPlacement& p) {
  std::string text = std::to_string(p.flags) + "," + std::to_string(p.showCmd);
  for (std::int32_t v : {p.minPosition.x, p.minPosition.y, p.maxPosition.x, p.maxPosition.y,
                         p.normalPosition.left, p.normalPosition.top, p.normalPosition.right,
                         p.normalPosition.bottom})
    text += "," + std::to_string(v);
  return text;
}

}  // namespace quarn
