#include "core/tools/ProgramStart.h"

#include <cstdint>

#include "core/encoding/Cp932.h"

namespace quarn {

std::vector<std::string> SplitCommandWords(const std::string& text) {
  std::vector<std::string> words;
  std::string word;
  bool inWord = false;
  char quote = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (cp932::IsLeadByte(std::uint8_t(c)) && i + 1 < text.size()) {
      word.append(text, i++, 2);
      inWord = true;
      continue;
    }
    if (quote == '\'') {
      if (c == '\'') quote = 0;
      else word += c;
      continue;
    }
    if (quote == '"') {
      if (c == '"') quote = 0;
      else if (c == '\\' && i + 1 < text.size() && std::string_view("\"\\$`").find(text[i + 1]) != std::string_view::npos)
        word += text[++i];
      else word += c;
      continue;
    }
    if (c == ' ' || c == '\t' || c == '\n' || c == '\r') {
      if (inWord) words.push_back(std::move(word));
      word.clear();
      inWord = false;
      continue;
    }
    inWord = true;
    if (c == '\'' || c == '"') quote = c;
    else if (c == '\\' && i + 1 < text.size()) word += text[++i];
    else word += c;
  }
  if (inWord) words.push_back(std::move(word));
  return words;
}

ProcessRequest MakeProcessRequest(const RunEntry& entry, const std::string& expandedParameters) {
  ProcessRequest request;
  request.capture = entry.redirect;
  request.minimized = entry.iconic;
  request.directory = entry.directory;
  if (entry.dosInternal) {
    request.arguments = {"/bin/sh", "-c", expandedParameters.empty() ? entry.command : entry.command + " " + expandedParameters};
    return request;
  }
  request.arguments.push_back(entry.command);
  for (std::string& word : SplitCommandWords(expandedParameters)) request.arguments.push_back(std::move(word));
  // A program given with its folder runs there unless a directory is named.
  const std::size_t slash = entry.command.rfind('/');
  if (request.directory.empty() && slash != std::string::npos)
    request.directory = slash == 0 ? "/" : entry.command.substr(0, slash);
  return request;
}

}  // namespace quarn
