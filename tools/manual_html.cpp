// Build tool: turns the user manual's Markdown pages (docs/manual/*.md) into
// HTML pages with a shared navigation bar. It reads the small part of
// Markdown the manual uses: headings, paragraphs, lists, tables, code blocks,
// inline code, bold text and links; a link to "page.md" becomes "page.html".
//   manual_html OUTDIR page.md...
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string Escaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '&') out += "&amp;";
    else if (c == '<') out += "&lt;";
    else if (c == '>') out += "&gt;";
    else if (c == '"') out += "&quot;";
    else out += c;
  }
  return out;
}

// Inline markup: `code`, **bold**, [text](target).
std::string Inline(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    if (text[i] == '`') {
      const std::size_t end = text.find('`', i + 1);
      if (end != std::string::npos) {
        out += "<code>" + Escaped(text.substr(i + 1, end - i - 1)) + "</code>";
        i = end + 1;
        continue;
      }
    }
    if (text.compare(i, 2, "**") == 0) {
      const std::size_t end = text.find("**", i + 2);
      if (end != std::string::npos) {
        out += "<strong>" + Inline(text.substr(i + 2, end - i - 2)) + "</strong>";
        i = end + 2;
        continue;
      }
    }
    if (text[i] == '[') {
      const std::size_t close = text.find("](", i);
      const std::size_t end = close == std::string::npos ? close : text.find(')', close);
      if (end != std::string::npos) {
        std::string target = text.substr(close + 2, end - close - 2);
        const std::size_t md = target.find(".md");
        if (md != std::string::npos && target.find("://") == std::string::npos) target.replace(md, 3, ".html");
        out += "<a href=\"" + Escaped(target) + "\">" + Inline(text.substr(i + 1, close - i - 1)) + "</a>";
        i = end + 1;
        continue;
      }
    }
    out += Escaped(std::string(1, text[i]));
    ++i;
  }
  return out;
}

std::vector<std::string> Cells(std::string row) {
  std::vector<std::string> cells;
  if (!row.empty() && row.front() == '|') row.erase(0, 1);
  if (!row.empty() && row.back() == '|') row.pop_back();
  std::stringstream in(row);
  std::string cell;
  while (std::getline(in, cell, '|')) {
    const std::size_t a = cell.find_first_not_of(' ');
    const std::size_t b = cell.find_last_not_of(' ');
    cells.push_back(a == std::string::npos ? std::string() : cell.substr(a, b - a + 1));
  }
  return cells;
}

bool IsOrdered(const std::string& line) {
  std::size_t i = 0;
  while (i < line.size() && std::isdigit(static_cast<unsigned char>(line[i]))) ++i;
  return i > 0 && line.compare(i, 2, ". ") == 0;
}

std::string Body(const std::vector<std::string>& lines, std::string& title) {
  std::string out;
  std::string paragraph;
  std::string list;  // "ul", "ol" or empty
  auto flush = [&] {
    if (!paragraph.empty()) out += "<p>" + Inline(paragraph) + "</p>\n";
    paragraph.clear();
    if (!list.empty()) out += "</" + list + ">\n";
    list.clear();
  };
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    if (line.rfind("```", 0) == 0) {
      flush();
      out += "<pre>";
      for (++i; i < lines.size() && lines[i].rfind("```", 0) != 0; ++i) out += Escaped(lines[i]) + "\n";
      out += "</pre>\n";
      continue;
    }
    if (line.empty()) {
      flush();
      continue;
    }
    if (line[0] == '#') {
      flush();
      std::size_t level = line.find_first_not_of('#');
      const std::string text = line.substr(level + 1);
      if (level == 1 && title.empty()) title = text;
      level = std::min<std::size_t>(level, 4);
      out += "<h" + std::to_string(level) + ">" + Inline(text) + "</h" + std::to_string(level) + ">\n";
      continue;
    }
    if (line[0] == '|') {
      flush();
      out += "<table>\n";
      bool header = true;
      for (; i < lines.size() && !lines[i].empty() && lines[i][0] == '|'; ++i) {
        if (lines[i].find("---") != std::string::npos) continue;
        out += "<tr>";
        for (const std::string& cell : Cells(lines[i]))
          out += (header ? "<th>" : "<td>") + Inline(cell) + (header ? "</th>" : "</td>");
        out += "</tr>\n";
        header = false;
      }
      --i;
      out += "</table>\n";
      continue;
    }
    const bool bullet = line.rfind("- ", 0) == 0;
    const bool ordered = IsOrdered(line);
    if (bullet || ordered) {
      if (!paragraph.empty()) flush();
      const std::string kind = bullet ? "ul" : "ol";
      if (list != kind) {
        if (!list.empty()) out += "</" + list + ">\n";
        out += "<" + kind + ">\n";
        list = kind;
      }
      out += "<li>" + Inline(line.substr(line.find(' ') + 1)) + "</li>\n";
      continue;
    }
    if (!list.empty() && line.rfind("  ", 0) == 0) {
      // A continued list item: joined to the item before it.
      out.insert(out.size() - 6, " " + Inline(line.substr(2)));
      continue;
    }
    if (!list.empty()) flush();
    paragraph += paragraph.empty() ? line : "\n" + line;
  }
  flush();
  return out;
}

const char* const kStyle =
    "body{font-family:'IPAPGothic','IPAGothic',sans-serif;max-width:52em;margin:1em auto;padding:0 1em;line-height:1.6}"
    "nav{border-bottom:1px solid #ccc;padding-bottom:.4em;margin-bottom:1em}"
    "table{border-collapse:collapse}th,td{border:1px solid #bbb;padding:.2em .5em;text-align:left;vertical-align:top}"
    "code,pre{font-family:'IPAGothic',monospace;background:#f4f4f4}pre{padding:.5em;overflow:auto}";

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::cerr << "usage: manual_html OUTDIR page.md...\n";
    return 2;
  }
  const std::filesystem::path outDir = argv[1];
  std::filesystem::create_directories(outDir);
  for (int a = 2; a < argc; ++a) {
    const std::filesystem::path source = argv[a];
    std::ifstream in(source);
    if (!in) {
      std::cerr << "manual_html: cannot read " << source << "\n";
      return 1;
    }
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      lines.push_back(line);
    }
    std::string title;
    const std::string body = Body(lines, title);
    std::ofstream out(outDir / source.filename().replace_extension(".html"));
    out << "<!DOCTYPE html>\n<html lang=\"ja\">\n<head>\n<meta charset=\"utf-8\">\n<title>" << Escaped(title)
        << " - Quarn</title>\n<style>" << kStyle << "</style>\n</head>\n<body>\n"
        << "<nav><a href=\"index.html\">Quarn ユーザーズマニュアル</a></nav>\n"
        << body << "</body>\n</html>\n";
    if (!out) {
      std::cerr << "manual_html: cannot write into " << outDir << "\n";
      return 1;
    }
  }
  return 0;
}
