#include "core/encoding/Cp932.h"

namespace quarn::cp932 {

std::size_t PrevChar(const std::uint8_t* s, std::size_t n, std::size_t i) {
  if (i > n) i = n;
  std::size_t last = 0;
  for (std::size_t p = 0; p < i; p = NextChar(s, n, p)) last = p;
  return last;
}

std::size_t CharCount(const std::string& s) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < s.size(); i = NextChar(s, i)) ++count;
  return count;
}

std::size_t FindChar(const std::string& s, char c, std::size_t from) {
  for (std::size_t i = from; i < s.size(); i = NextChar(s, i))
    if (s[i] == c) return i;
  return std::string::npos;
}

std::size_t FindLastChar(const std::string& s, char c) {
  std::size_t found = std::string::npos;
  for (std::size_t i = 0; i < s.size(); i = NextChar(s, i))
    if (s[i] == c) found = i;
  return found;
}

}  // namespace quarn::cp932
