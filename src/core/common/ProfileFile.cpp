#include "core/common/ProfileFile.h"

#include <memory>

#include "platform/FileSystem.h"
#include "platform/Platform.h"

namespace quarn {
namespace {

// A settings file larger than this is not a settings file: it is left alone.
constexpr std::int64_t kMaxFileSize = 8 * 1024 * 1024;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

char Fold(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

std::string Folded(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = Fold(c);
  return out;
}

bool SameName(std::string_view folded, std::string_view name) {
  if (folded.size() != name.size()) return false;
  for (std::size_t i = 0; i < name.size(); ++i)
    if (folded[i] != Fold(name[i])) return false;
  return true;
}

std::string_view Trimmed(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

bool IsQuote(char c) { return c == '"' || c == '\''; }

// A value is one line: it ends at a line break or a NUL, which the file
// cannot carry. Values that the reader would change (outer blanks, a
// quoted look) are put in quotes, which the reader takes off again.
std::string EncodedValue(std::string_view value) {
  std::size_t cut = value.find_first_of(std::string_view("\r\n\0", 3));
  if (cut != std::string_view::npos) value = value.substr(0, cut);
  if (value.empty()) return {};
  const bool blanks = IsBlank(value.front()) || IsBlank(value.back());
  const bool quoted = value.size() >= 2 && IsQuote(value.front()) && value.back() == value.front();
  if (blanks || quoted) return "\"" + std::string(value) + "\"";
  return std::string(value);
}

bool ReadWhole(FileSystem& fs, const std::string& path, std::string& out) {
  std::unique_ptr<File> file = fs.openRead(path);
  if (!file) return false;
  const std::int64_t size = file->length();
  if (size < 0 || size > kMaxFileSize) return false;
  std::string data;
  char buffer[16384];
  for (;;) {
    const std::int64_t n = file->read(buffer, sizeof buffer);
    if (n < 0) return false;
    if (n == 0) break;
    data.append(buffer, std::size_t(n));
    if (std::int64_t(data.size()) > kMaxFileSize) return false;
  }
  out.swap(data);
  return true;
}

}  // namespace

bool ParseProfileInt(std::string_view text, int& value) {
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  std::uint32_t magnitude = 0;
  std::size_t digits = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, ++digits)
    magnitude = magnitude * 10u + std::uint32_t(text[i] - '0');
  if (digits == 0) return false;
  value = int(negative ? 0u - magnitude : magnitude);
  return true;
}

bool ProfileFile::Load(const std::string& path) {
  path_ = path;
  lines_.clear();
  FileSystem* fs = Platform().files;
  if (!fs || path.empty()) {
    writable_ = false;
    return false;
  }
  std::string data;
  if (ReadWhole(*fs, path, data)) {
    Parse(data);
    writable_ = true;
    return true;
  }
  // Only a file that is not there may be created; one that could not be
  // read would lose its contents.
  writable_ = !fs->exists(path);
  return false;
}

bool ProfileFile::Save() {
  FileSystem* fs = Platform().files;
  if (!fs || !writable_ || path_.empty()) return false;
  return fs->writeAll(path_, Text());
}

void ProfileFile::Parse(std::string_view text) {
  lines_.clear();
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t nl = text.find('\n', start);
    Line line;
    if (nl == std::string_view::npos) {
      line.text = std::string(text.substr(start));
      start = text.size();
    } else {
      std::size_t stop = nl;
      if (stop > start && text[stop - 1] == '\r') --stop;
      line.text = std::string(text.substr(start, stop - start));
      line.end = std::string(text.substr(stop, nl + 1 - stop));
      start = nl + 1;
    }
    Classify(line);
    lines_.push_back(std::move(line));
  }
}

std::string ProfileFile::Text() const {
  std::string out;
  for (const Line& line : lines_) {
    out += line.text;
    out += line.end;
  }
  return out;
}

void ProfileFile::Classify(Line& line) {
  line.kind = Kind::kOther;
  line.name.clear();
  std::string_view t = Trimmed(line.text);
  if (t.empty() || t.front() == ';') return;
  if (t.front() == '[') {
    t.remove_prefix(1);
    std::size_t close = t.find(']');
    line.kind = Kind::kSection;
    line.name = Folded(Trimmed(t.substr(0, close)));
    return;
  }
  std::size_t eq = line.text.find('=');
  if (eq == std::string::npos) return;
  std::string_view key = Trimmed(std::string_view(line.text).substr(0, eq));
  if (key.empty()) return;
  line.kind = Kind::kKey;
  line.name = Folded(key);
  line.valueStart = eq + 1;
}

std::size_t ProfileFile::FindKey(std::string_view section, std::string_view key) const {
  bool inSection = false;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const Line& line = lines_[i];
    if (line.kind == Kind::kSection) inSection = SameName(line.name, section);
    else if (inSection && line.kind == Kind::kKey && SameName(line.name, key)) return i;
  }
  return std::string::npos;
}

std::size_t ProfileFile::SectionInsertPoint(std::string_view section) const {
  std::size_t i = 0;
  while (i < lines_.size() && !(lines_[i].kind == Kind::kSection && SameName(lines_[i].name, section))) ++i;
  if (i == lines_.size()) return std::string::npos;
  std::size_t last = i;
  for (++i; i < lines_.size() && lines_[i].kind != Kind::kSection; ++i)
    if (lines_[i].kind == Kind::kKey) last = i;
  return last;
}

std::string ProfileFile::NewLineEnd() const {
  for (const Line& line : lines_)
    if (!line.end.empty()) return line.end;
  return "\r\n";
}

bool ProfileFile::Has(std::string_view section, std::string_view key) const {
  return FindKey(section, key) != std::string::npos;
}

std::string ProfileFile::ValueAt(std::size_t index) const {
  std::string_view value = std::string_view(lines_[index].text).substr(lines_[index].valueStart);
  std::size_t nul = value.find('\0');
  if (nul != std::string_view::npos) value = value.substr(0, nul);
  value = Trimmed(value);
  if (value.size() >= 2 && IsQuote(value.front()) && value.back() == value.front())
    value = value.substr(1, value.size() - 2);
  return std::string(value);
}

std::string ProfileFile::GetString(std::string_view section, std::string_view key,
                                   std::string_view def) const {
  std::size_t at = FindKey(section, key);
  return at == std::string::npos ? std::string(def) : ValueAt(at);
}

int ProfileFile::GetInt(std::string_view section, std::string_view key, int def) const {
  std::size_t at = FindKey(section, key);
  int value = 0;
  return (at != std::string::npos && ParseProfileInt(ValueAt(at), value)) ? value : def;
}

void ProfileFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  const std::string encoded = EncodedValue(value);
  std::size_t at = FindKey(section, key);
  if (at != std::string::npos) {
    Line& line = lines_[at];
    line.text.resize(line.valueStart);
    line.text += encoded;
    return;
  }
  const std::string end = NewLineEnd();
  Line added;
  added.text = std::string(key) + "=" + encoded;
  added.end = end;
  Classify(added);
  std::size_t after = SectionInsertPoint(section);
  if (after == std::string::npos) {
    if (!lines_.empty() && lines_.back().end.empty()) lines_.back().end = end;
    Line header;
    header.text = "[" + std::string(section) + "]";
    header.end = end;
    Classify(header);
    lines_.push_back(std::move(header));
    lines_.push_back(std::move(added));
    return;
  }
  if (lines_[after].end.empty()) lines_[after].end = end;
  lines_.insert(lines_.begin() + std::ptrdiff_t(after + 1), std::move(added));
}

void ProfileFile::WriteInt(std::string_view section, std::string_view key, int value) {
  WriteString(section, key, std::to_string(value));
}

}  // namespace quarn
