// Reading and writing the attribute file of a text document.
#include "core/document/AttributeFile.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <memory>

#include "core/common/AppMessage.h"
#include "core/document/CVeskDoc.h"
#include "core/res/MessageIds.h"
#include "platform/FileSystem.h"
#include "platform/Platform.h"

namespace quarn {
namespace {

constexpr std::size_t kExtensionSearch = 4;
constexpr std::uint8_t kCr = 0x0D;

void Put16(std::string& out, std::uint32_t v) {
  out += char(v & 0xFF);
  out += char((v >> 8) & 0xFF);
}

void Put32(std::string& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

// Takes little-endian values off the front of the file's bytes.
class Fields {
 public:
  explicit Fields(std::string_view bytes) : bytes_(bytes) {}
  bool U16(std::uint32_t& v) { return Take(2, v); }
  bool U32(std::uint32_t& v) { return Take(4, v); }
  // A NUL-terminated text; false when no NUL follows within the bytes.
  bool Text(std::string_view& text) {
    const std::size_t nul = bytes_.find('\0', at_);
    if (nul == std::string_view::npos) return false;
    text = bytes_.substr(at_, nul - at_);
    at_ = nul + 1;
    return true;
  }
  void Skip(std::size_t n) { at_ += n; }

 private:
  bool Take(std::size_t n, std::uint32_t& v) {
    if (bytes_.size() - at_ < n) return false;
    v = 0;
    for (std::size_t i = n; i-- > 0;) v = (v << 8) | std::uint8_t(bytes_[at_ + i]);
    at_ += n;
    return true;
  }
  std::string_view bytes_;
  std::size_t at_ = 0;
};

bool IsAtr(std::string_view extension) {
  if (extension.size() != 3) return false;
  for (std::size_t i = 0; i < 3; ++i)
    if (std::toupper(std::uint8_t(extension[i])) != "ATR"[i]) return false;
  return true;
}

// Up to limit bytes of the file; false when it cannot be opened or read.
bool ReadFront(FileSystem& files, const std::string& path, std::size_t limit, std::string& out) {
  std::unique_ptr<File> file = files.openRead(path);
  if (!file) return false;
  out.assign(limit, '\0');
  std::size_t got = 0;
  while (got < limit) {
    const std::int64_t n = file->read(out.data() + got, limit - got);
    if (n < 0) {
      file->close();
      return false;
    }
    if (n == 0) break;
    got += std::size_t(n);
  }
  file->close();
  out.resize(got);
  return true;
}

enum class Existing { kNone, kOurs, kForeign };

// A file that exists but cannot be read counts as foreign: it is never removed.
Existing Probe(FileSystem& files, const std::string& path) {
  if (!files.exists(path)) return Existing::kNone;
  std::string front;
  if (!ReadFront(files, path, kAttributeHeader.size(), front)) return Existing::kForeign;
  return front == kAttributeHeader ? Existing::kOurs : Existing::kForeign;
}

}  // namespace

std::string AttributeFileName(const std::string& textPath) {
  if (textPath.empty()) return {};
  const std::size_t from = textPath.size() - std::min(textPath.size(), kExtensionSearch);
  // A period of a directory name is no extension: the search stops at the
  // last separator.
  const std::size_t slash = textPath.rfind('/');
  const std::size_t floor = slash == std::string::npos ? from : std::max(from, slash + 1);
  const std::size_t period = textPath.rfind('.');
  if (period == std::string::npos || period < floor) return textPath + ".ATR";
  if (IsAtr(std::string_view(textPath).substr(period + 1))) return {};
  return textPath.substr(0, period + 1) + "ATR";
}

std::string BuildAttributeFile(const DocumentMarks& marks, bool lineMarks, bool charMarks) {
  std::string out(kAttributeHeader);
  const auto& lines = marks.LineMarks();
  Put16(out, lineMarks ? std::uint32_t(lines.size()) : 0);
  if (lineMarks)
    for (std::uint32_t value : lines) Put32(out, value);
  const auto& chars = marks.CharMarks();
  Put16(out, charMarks ? std::uint32_t(chars.size()) : 0);
  if (charMarks) {
    for (const CharMark& mark : chars) {
      Put32(out, mark.pos);
      out += mark.Text();
      out += '\0';
    }
  }
  return out;
}

AttributeCheck ParseAttributeFile(std::string_view bytes, std::uint32_t textLength,
                                  const std::function<bool(std::uint32_t)>& isCr, AttributeMarks& out) {
  if (bytes.size() < kAttributeHeader.size() || bytes.substr(0, kAttributeHeader.size()) != kAttributeHeader)
    return AttributeCheck::kNotOurs;
  Fields fields(bytes);
  fields.Skip(kAttributeHeader.size());
  AttributeMarks read;
  std::uint32_t count = 0;
  if (!fields.U16(count) || count > DocumentMarks::kMaxLineMarks) return AttributeCheck::kInvalid;
  for (std::uint32_t i = 0; i < count; ++i) {
    std::uint32_t value = 0;
    if (!fields.U32(value)) return AttributeCheck::kInvalid;
    if (value != DocumentMarks::kFirstLine && (value >= textLength || !isCr(value))) return AttributeCheck::kInvalid;
    read.lines.push_back(value);
  }
  if (!fields.U16(count) || count > DocumentMarks::kMaxCharMarks) return AttributeCheck::kInvalid;
  for (std::uint32_t i = 0; i < count; ++i) {
    CharMark mark;
    std::string_view text;
    if (!fields.U32(mark.pos) || mark.pos >= textLength || !fields.Text(text)) return AttributeCheck::kInvalid;
    if (text.empty() || text.size() > DocumentMarks::kMaxCharMarkBytes) return AttributeCheck::kInvalid;
    mark.length = std::uint32_t(text.size());
    std::memcpy(mark.text.data(), text.data(), text.size());
    read.chars.push_back(mark);
  }
  out = std::move(read);
  return AttributeCheck::kValid;
}

bool CVeskDoc::WriteAttributeFile(const std::string& textPath) {
  if (!format_.saveLineMarks && !format_.saveCharMarks) return true;
  const std::string name = AttributeFileName(textPath);
  if (name.empty()) {
    AppMessageBox(msg::kAttributeSameExtension);
    return false;
  }
  FileSystem& files = *Platform().files;
  const Existing existing = Probe(files, name);
  if (marks_.Empty()) {
    if (existing == Existing::kOurs) files.remove(name);
    return true;
  }
  if (existing == Existing::kForeign &&
      AppMessageBox(msg::kAttributeForeignFile, mb::kOkCancel | mb::kIconExclamation) != answer::kOk)
    return false;
  if (!files.writeAll(name, BuildAttributeFile(marks_, format_.saveLineMarks, format_.saveCharMarks))) {
    AppMessageBox(msg::kAttributeWriteFailed);
    return false;
  }
  return true;
}

bool CVeskDoc::ReadAttributeFile(const std::string& textPath) {
  const std::string name = AttributeFileName(textPath);
  FileSystem& files = *Platform().files;
  if (name.empty() || !files.exists(name)) return true;
  std::string bytes;
  if (!ReadFront(files, name, kAttributeBuffer, bytes)) {
    AppMessageBox(msg::kAttributeReadFailed);
    return false;
  }
  AttributeMarks read;
  const auto isCr = [this](std::uint32_t pos) { return ByteAt(pos) == kCr; };
  switch (ParseAttributeFile(bytes, textLength_, isCr, read)) {
    case AttributeCheck::kNotOurs:
      return true;
    case AttributeCheck::kValid:
      marks_.Assign(std::move(read.lines), std::move(read.chars));
      return true;
    case AttributeCheck::kInvalid:
      break;
  }
  marks_.ClearLineMarks();
  marks_.ClearCharMarks();
  AppMessageBox(msg::kAttributeMismatch);
  return false;
}

}  // namespace quarn
