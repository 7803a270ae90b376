#include "core/tools/CFormManeger.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "core/tools/BlockBytes.h"

namespace quarn {

CFormManeger gForm;

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The field of one line, or a field with size 0 when the line is left out.
TemplateField ReadField(std::string line) {
  TemplateField field;
  field.size = 0;
  const std::size_t comma = line.find(',');
  if (comma == std::string::npos) return field;
  std::string type = line.substr(comma + 1);
  type.erase(0, std::min(type.size(), type.find_first_not_of(" \t")));
  while (!type.empty() && IsBlank(type.back())) type.pop_back();
  if (type.empty() || type.size() > kMaxCharacterField) return field;
  field.name = line.substr(0, comma);
  if (type.size() == 1 && std::string("BbWwDd").find(type[0]) != std::string::npos) {
    field.kind = char(std::toupper(static_cast<unsigned char>(type[0])));
    field.size = field.kind == 'B' ? 1 : field.kind == 'W' ? 2 : 4;
    return field;
  }
  // A count reads its leading digits; anything else reads as 0.
  std::uint32_t n = 0;
  for (std::size_t i = 0; i < type.size() && type[i] >= '0' && type[i] <= '9' && n <= kMaxCharacterField; ++i)
    n = n * 10 + std::uint32_t(type[i] - '0');
  field.kind = 'n';
  field.size = n <= kMaxCharacterField ? n : 0;
  return field;
}

}  // namespace

std::vector<TemplateField> ReadTemplate(const std::uint8_t* bytes, std::size_t size) {
  std::vector<TemplateField> fields;
  const std::string text(reinterpret_cast<const char*>(bytes), std::min(size, kMaxTemplateBytes));
  for (std::size_t at = 0; at < text.size() && fields.size() < kMaxTemplateFields;) {
    std::size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    std::size_t stop = end;
    if (stop > at && text[stop - 1] == '\r') --stop;
    TemplateField field = ReadField(text.substr(at, stop - at));
    if (field.size) fields.push_back(std::move(field));
    at = end + 1;
  }
  return fields;
}

std::string FormatTable(const std::uint8_t* bytes, std::size_t length, const std::string& path,
                        const std::vector<TemplateField>& fields) {
  std::string out = path + "\r\n";
  std::size_t at = 0;
  for (const TemplateField& f : fields) {
    out += "\t" + f.name + " = ";
    if (length - at >= f.size) {
      const std::uint8_t* p = bytes + at;
      char value[16];
      switch (f.kind) {
        case 'B':
          std::snprintf(value, sizeof value, "%02X", p[0]);
          out += value;
          break;
        case 'W':
          std::snprintf(value, sizeof value, "%04X", unsigned(p[0] | p[1] << 8));
          out += value;
          break;
        case 'D':
          std::snprintf(value, sizeof value, "%08X",
                        unsigned(p[0]) | unsigned(p[1]) << 8 | unsigned(p[2]) << 16 | unsigned(p[3]) << 24);
          out += value;
          break;
        default:
          for (std::size_t i = 0; i < f.size; ++i) out += p[i] < 0x20 ? '.' : char(p[i]);
      }
      at += f.size;
    } else {
      at = length;
    }
    out += "\r\n";
  }
  return out + "\r\n\r\n";
}

void CFormManeger::Add(const std::string& path) {
  if (path.empty()) return;
  history_.erase(std::remove(history_.begin(), history_.end(), path), history_.end());
  history_.insert(history_.begin(), path);
  if (history_.size() > kHistoryEntries) history_.resize(kHistoryEntries);
}

std::vector<std::uint8_t> CFormManeger::SaveBlock() const {
  BlockWriter out;
  out.U32(std::uint32_t(history_.size()));
  for (const std::string& s : history_) out.Text(s);
  return out.Take();
}

bool CFormManeger::LoadBlock(const std::uint8_t* data, std::size_t size) {
  BlockReader in(data, size);
  std::vector<std::string> read(in.Count(kHistoryEntries));
  for (std::string& s : read) s = in.Text(kMaxPath);
  if (!in.ok()) return false;
  history_.clear();
  for (const std::string& s : read)
    if (!s.empty() && std::find(history_.begin(), history_.end(), s) == history_.end()) history_.push_back(s);
  return true;
}

}  // namespace quarn
