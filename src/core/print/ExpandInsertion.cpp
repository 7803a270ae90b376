#include "core/print/ExpandInsertion.h"

#include <cstring>
#include <string_view>

#include "core/encoding/Cp932.h"

namespace quarn {
namespace {

constexpr std::size_t kMaxResult = 255;

std::string FormatTime(const char* format, const std::tm& now) {
  char buffer[256];
  std::size_t n = std::strftime(buffer, sizeof buffer, format, &now);
  return std::string(buffer, n);
}

// The strftime conversion a code stands for, or null. "$D" is the full date
// and time; "$z" the time zone's name.
const char* TimeFormat(char code) {
  switch (code) {
    case 'A': return "%A";
    case 'B': return "%B";
    case 'D': return "%c";
    case 'H': return "%H";
    case 'I': return "%I";
    case 'M': return "%M";
    case 'S': return "%S";
    case 'U': return "%U";
    case 'W': return "%W";
    case 'X': return "%X";
    case 'Y': return "%Y";
    case 'a': return "%a";
    case 'b': return "%b";
    case 'd': return "%d";
    case 'j': return "%j";
    case 'm': return "%m";
    case 'p': return "%p";
    case 'w': return "%w";
    case 'x': return "%x";
    case 'y': return "%y";
    case 'z': return "%Z";
    default: return nullptr;
  }
}

// The file name with its extension: what follows the last separator.
std::string NameOf(const std::string& path) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < path.size(); i = cp932::NextChar(path, i)) {
    if (path[i] == '/') start = i + 1;
  }
  return path.substr(start);
}

// 日 月 火 水 木 金 土 in CP932, Sunday first.
constexpr std::string_view kWeekdays[7] = {"\x93\xfa", "\x8c\x8e", "\x89\xce", "\x90\x85",
                                           "\x96\xd8", "\x8b\xe0", "\x93\x79"};

}  // namespace

std::string ExpandInsertion(const std::string& text, const std::string& fullName,
                            unsigned long line, unsigned long column, const std::tm& now) {
  std::string out;
  auto fits = [&](std::size_t n) { return out.size() + n <= kMaxResult; };
  std::size_t i = 0;
  while (i < text.size()) {
    auto b = static_cast<std::uint8_t>(text[i]);
    if (cp932::IsLeadByte(b)) {
      if (i + 1 >= text.size()) break;  // a lead byte without its pair
      if (!fits(2)) break;
      out.append(text, i, 2);
      i += 2;
      continue;
    }
    if (b != '$') {
      if (!fits(1)) break;
      out.push_back(text[i++]);
      continue;
    }
    if (i + 1 >= text.size()) break;  // a final "$"
    char code = text[i + 1];
    i += 2;
    std::string piece;
    if (const char* format = TimeFormat(code)) {
      piece = FormatTime(format, now);
    } else if (code == 'c') {
      piece = std::to_string(column);
    } else if (code == 'l') {
      piece = std::to_string(line);
    } else if (code == 'e') {
      piece = kWeekdays[(now.tm_wday % 7 + 7) % 7];
    } else if (code == 'f') {
      piece = fullName;
    } else if (code == 'n') {
      piece = NameOf(fullName);
    } else if (cp932::IsLeadByte(static_cast<std::uint8_t>(code))) {
      // "$" before a double-byte character gives the character whole.
      if (i >= text.size()) break;
      piece = text.substr(i - 1, 2);
      ++i;
    } else {
      piece.assign(1, code);
    }
    if (!fits(piece.size())) break;
    out += piece;
  }
  return out;
}

std::string ExpandInsertion(const std::string& text, const std::string& fullName,
                            unsigned long line, unsigned long column) {
  return ExpandInsertion(text, fullName, line, column, LocalTimeNow());
}

std::tm LocalTimeNow() {
  std::time_t t = std::time(nullptr);
  return *std::localtime(&t);
}

}  // namespace quarn
