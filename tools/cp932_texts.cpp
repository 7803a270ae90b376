// Build tool: turns the program's texts, kept in UTF-8 for editing, into
// C++ source holding their CP932 bytes.
//
//   cp932_texts INPUT TABLE_OUT NAMES_OUT
//
// Each line of INPUT is "KEY<space>TEXT"; '#' starts a comment line. A
// numeric KEY is a string-table id and goes to TABLE_OUT as "{id, "..."},";
// any other KEY becomes "inline constexpr char KEY[] = "...";" in NAMES_OUT.
// In TEXT, \n is a line feed, \t a tab, \\ a backslash and \s a space (for
// texts that begin or end with one).
#include <iconv.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

namespace {

std::string ToCp932(const std::string& utf8, int lineNo) {
  iconv_t cd = iconv_open("CP932", "UTF-8");
  if (cd == (iconv_t)-1) {
    std::perror("iconv_open");
    std::exit(1);
  }
  std::string out(utf8.size() * 2 + 4, '\0');
  char* in = const_cast<char*>(utf8.data());
  size_t inLeft = utf8.size();
  char* o = out.data();
  size_t outLeft = out.size();
  if (iconv(cd, &in, &inLeft, &o, &outLeft) == size_t(-1)) {
    std::cerr << "line " << lineNo << ": not representable in CP932\n";
    std::exit(1);
  }
  iconv_close(cd);
  out.resize(out.size() - outLeft);
  return out;
}

std::string Unescape(const std::string& s) {
  std::string r;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\\' && i + 1 < s.size()) {
      char c = s[++i];
      r += c == 'n' ? '\n' : c == 't' ? '\t' : c == 's' ? ' ' : c;
    } else {
      r += s[i];
    }
  }
  return r;
}

// Octal escapes never swallow a following character, unlike \x.
std::string Literal(const std::string& bytes) {
  std::string r = "\"";
  for (unsigned char c : bytes) {
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == ' ') {
      r += char(c);
    } else {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\%03o", c);
      r += buf;
    }
  }
  return r + "\"";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::cerr << "usage: cp932_texts INPUT TABLE_OUT NAMES_OUT\n";
    return 2;
  }
  std::ifstream in(argv[1]);
  if (!in) {
    std::cerr << "cannot read " << argv[1] << "\n";
    return 1;
  }
  std::ostringstream table, names;
  names << "// Generated from " << argv[1] << "; do not edit.\n#pragma once\n\nnamespace quarn::texts {\n\n";
  std::string line;
  int lineNo = 0;
  while (std::getline(in, line)) {
    ++lineNo;
    if (line.empty() || line[0] == '#') continue;
    size_t space = line.find(' ');
    std::string key = line.substr(0, space);
    std::string text = space == std::string::npos ? "" : line.substr(space + 1);
    std::string bytes = Literal(ToCp932(Unescape(text), lineNo));
    if (key.find_first_not_of("0123456789") == std::string::npos)
      table << "{" << key << ", " << bytes << "},\n";
    else
      names << "inline constexpr char " << key << "[] = " << bytes << ";\n";
  }
  names << "\n}  // namespace quarn::texts\n";
  std::ofstream(argv[2]) << table.str();
  std::ofstream(argv[3]) << names.str();
  return 0;
}
