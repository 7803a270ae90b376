#include "core/app/CommandLine.h"

#include <cstdlib>

#include "core/encoding/Cp932.h"

namespace quarn {
namespace {

// Values of 256 characters or more are ignored.
constexpr std::size_t kMaxValue = 256;
constexpr std::size_t kMaxHandOverNames = 20;

// The position of the first byte c at a character start from i, or the end.
std::size_t FindAtCharStart(const std::string& s, std::size_t i, char c) {
  while (i < s.size() && s[i] != c) i = cp932::NextChar(s, i);
  return i < s.size() ? i : s.size();
}

std::size_t SkipSpaces(const std::string& s, std::size_t i) {
  while (i < s.size() && s[i] == ' ') ++i;
  return i;
}

// A value starting at i: quoted to the next double quote, else to the next
// space (quoted only where allowed). i moves past the value, its closing
// quote and the spaces after it.
std::string ReadValue(const std::string& s, std::size_t& i, bool quotedAllowed) {
  std::size_t end;
  std::string value;
  if (quotedAllowed && i < s.size() && s[i] == '"') {
    end = FindAtCharStart(s, i + 1, '"');
    value = s.substr(i + 1, end - i - 1);
  } else {
    end = FindAtCharStart(s, i, ' ');
    value = s.substr(i, end - i);
  }
  i = end;
  if (i < s.size() && s[i] == '"') ++i;
  i = SkipSpaces(s, i);
  return value;
}

}  // namespace

CommandLineArguments ParseCommandLine(const std::string& s) {
  CommandLineArguments args;
  std::size_t i = 0;
  for (;;) {
    i = SkipSpaces(s, i);
    if (i >= s.size()) break;
    if (s[i] == '/' || s[i] == '-') {
      if (i + 1 >= s.size()) break;  // an option letter at the very end
      const char letter = char(s[i + 1] & ~0x20);
      i += 2;
      if (letter == 'A' || letter == 'L' || letter == 'C') {
        if (i < s.size() && s[i] == '=') ++i;
        if (i >= s.size()) break;  // "=" at the end
        const std::string value = ReadValue(s, i, letter == 'A');
        if (value.size() >= kMaxValue) continue;
        if (letter == 'A') args.cabinet = value;
        else if (letter == 'L') args.line = std::atoi(value.c_str());
        else args.column = std::atoi(value.c_str());
      } else {
        i = FindAtCharStart(s, i, ' ');
      }
      continue;
    }
    const std::string name = ReadValue(s, i, true);
    if (name.size() < kMaxValue) args.file = name;
    break;
  }
  return args;
}

bool LooksLikeSlashOption(const std::string& a) {
  if (a.size() < 2 || a[0] != '/') return false;
  const char letter = char(a[1] & ~0x20);
  if (a.size() == 2) return true;
  if (letter != 'A' && letter != 'L' && letter != 'C') return false;
  if (a[2] == '=') return true;
  if (letter == 'A') return a.find('/', 2) == std::string::npos;
  return a[2] >= '0' && a[2] <= '9';
}

std::string JoinArguments(const std::vector<std::string>& arguments) {
  std::string line;
  for (const std::string& a : arguments) {
    if (!line.empty()) line += ' ';
    // An absolute path begins with "/" like an option: it goes in quotes.
    const bool path = !a.empty() && a[0] == '/' && !LooksLikeSlashOption(a);
    if (path || a.find(' ') != std::string::npos) line += '"' + a + '"';
    else line += a;
  }
  return line;
}

std::vector<std::string> SplitHandOverNames(const std::string& file) {
  std::vector<std::string> names;
  std::size_t i = SkipSpaces(file, 0);
  while (i < file.size() && names.size() < kMaxHandOverNames) {
    const std::size_t end = FindAtCharStart(file, i, ' ');
    names.push_back(file.substr(i, end - i));
    i = SkipSpaces(file, end);
  }
  if (names.size() >= 2) {
    for (const std::string& name : names) {
      if (name.empty() || name[0] != '/') return {file};
    }
  }
  if (names.empty() && !file.empty()) names.push_back(file);
  return names;
}

std::string OpenCommandMessage(const std::string& path) { return "[open(\"" + path + "\")]"; }

std::string PathOfOpenCommand(const std::string& message) {
  const std::string head = "[open(\"";
  const std::string tail = "\")]";
  if (message.size() < head.size() + tail.size() || message.compare(0, head.size(), head) != 0 ||
      message.compare(message.size() - tail.size(), tail.size(), tail) != 0)
    return {};
  return message.substr(head.size(), message.size() - head.size() - tail.size());
}

}  // namespace quarn
