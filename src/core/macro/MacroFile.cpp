#include "core/macro/MacroFile.h"

#include <cstring>

#include "core/commands/CommandCatalogue.h"
#include "core/commands/CommandIds.h"
#include "platform/Types.h"

namespace quarn {
namespace {

constexpr std::size_t kHead = 16;
constexpr std::size_t kOlderHead = 8;
constexpr std::size_t kOlderRecordHead = 6;
constexpr std::size_t kOlderFontSize = 50;

const std::uint8_t* Bytes(const std::string& s) { return reinterpret_cast<const std::uint8_t*>(s.data()); }

struct Header {
  std::size_t headerLength;
  std::size_t recordBytes;
  std::uint32_t count;
  bool older;
  std::string comment;
};

// The comment from offset at, shorter than 101 bytes with its zero in head.
std::optional<std::string> CommentAt(const std::string& head, std::size_t at) {
  if (head.size() <= at) return std::nullopt;
  const std::size_t zero = head.find('\0', at);
  if (zero == std::string::npos || zero - at > kMaxMacroComment) return std::nullopt;
  return head.substr(at, zero - at);
}

std::optional<Header> ReadHeader(const std::string& bytes) {
  const std::string head = bytes.substr(0, kMacroHeaderProbe);
  const std::uint8_t* p = Bytes(head);
  if (head.size() >= kHead && GetLe32(p + 12) == kMacroFormat) {
    const auto comment = CommentAt(head, kHead);
    if (comment && GetLe32(p) == 17 + comment->size())
      return Header{GetLe32(p), GetLe32(p + 4), GetLe32(p + 8), false, *comment};
  }
  if (head.size() >= kOlderHead && GetLe16(p + 6) == kOlderMacroMark) {
    const auto comment = CommentAt(head, kOlderHead);
    if (comment && GetLe16(p) == 9 + comment->size())
      return Header{GetLe16(p), GetLe16(p + 2), GetLe16(p + 4), true, *comment};
  }
  return std::nullopt;
}

// Copies an older parameter block while widening its 16-bit integers.
class Widener {
 public:
  Widener(const std::uint8_t* data, std::size_t n) : p_(data), end_(data + n) {}
  bool More() const { return p_ < end_; }
  bool Ints(int n) {
    for (int i = 0; i < n; ++i) {
      if (end_ - p_ < 2) return false;
      Int(std::int16_t(GetLe16(p_)));
      p_ += 2;
    }
    return true;
  }
  // Texts with their zeros (added when the data ends without one).
  bool Texts(int n) {
    for (int i = 0; i < n; ++i) Text();
    return true;
  }
  void Text() {
    const std::uint8_t* zero = static_cast<const std::uint8_t*>(std::memchr(p_, 0, std::size_t(end_ - p_)));
    const std::uint8_t* stop = zero ? zero : end_;
    out.insert(out.end(), p_, stop);
    out.push_back(0);
    p_ = zero ? zero + 1 : end_;
  }
  // The 50-byte font description as the 60-byte font record.
  bool Font() {
    if (std::size_t(end_ - p_) < kOlderFontSize) return false;
    const std::uint8_t* start = p_;
    Ints(5);
    static_assert(LogFont::kSize == 20 + kOlderFontSize - 10, "flags and face name follow the five integers");
    out.insert(out.end(), p_, start + kOlderFontSize);
    p_ = start + kOlderFontSize;
    return true;
  }
  // A counted text: its length widened, then the text as it stands.
  bool Counted() {
    if (end_ - p_ < 2) return false;
    const std::size_t n = GetLe16(p_);
    Ints(1);
    if (std::size_t(end_ - p_) < n) return false;
    out.insert(out.end(), p_, p_ + n);
    p_ += n;
    return true;
  }
  void Rest() {
    out.insert(out.end(), p_, end_);
    p_ = end_;
  }
  std::vector<std::uint8_t> out;

 private:
  void Int(std::int32_t v) {
    std::uint8_t b[4];
    PutLe32(b, std::uint32_t(v));
    out.insert(out.end(), b, b + 4);
  }
  const std::uint8_t* p_;
  const std::uint8_t* end_;
};

// The converted parameter block of one older record; a block shorter than
// its fixed part is copied as it stands.
std::vector<std::uint8_t> WidenBlock(std::uint32_t type, unsigned command, const std::uint8_t* data, std::size_t n) {
  Widener w(data, n);
  bool ok = true;
  if (type == rec::kFindDialog) {
    ok = w.Ints(6) && w.Texts(2) && (!w.More() || w.Ints(2));
  } else if (type == rec::kWindowCommand && command == cmd::kInsertString) {
    ok = w.Ints(2) && w.Texts(1);
  } else if (type == rec::kFrameCommand) {
    switch (command) {
      case cmd::kCabinetNew: ok = w.Ints(1) && w.Texts(1); break;
      case cmd::kCabinetFormat: ok = w.Ints(11) && (!w.More() || w.Ints(2)); break;
      case cmd::kCabinetColors: ok = w.Ints(10); break;
      case cmd::kFont: ok = w.Font(); break;
      case cmd::kGlobalFind:
        ok = w.Ints(2) && w.Texts(2) && (!w.More() || w.Ints(2));
        break;
      case cmd::kSettingsCommand: ok = w.Ints(2) && (!w.More() || (w.Ints(24) && w.Counted())); break;
      case cmd::kPageLayout:
        ok = w.Ints(13) && w.Font() && w.Texts(2);
        break;
      case cmd::kFileOpen: ok = w.Texts(1) && w.Ints(1); break;
      default: break;
    }
  }
  if (!ok) return std::vector<std::uint8_t>(data, data + n);
  w.Rest();
  return w.out;
}

void PutHead(std::vector<std::uint8_t>& out, std::uint32_t type, std::uint32_t id, std::uint32_t length) {
  std::uint8_t b[kRecordHead];
  PutLe32(b, type);
  PutLe32(b + 4, id);
  PutLe32(b + 8, length);
  out.insert(out.end(), b, b + kRecordHead);
}

}  // namespace

bool RecordsFill(const std::uint8_t* records, std::size_t n, std::uint32_t count) {
  std::size_t at = 0;
  for (std::uint32_t i = 0; i < count; ++i) {
    if (n - at < kRecordHead) return false;
    const std::size_t length = GetLe32(records + at + 8);
    at += kRecordHead;
    if (length > n - at) return false;
    at += length;
  }
  return at == n;
}

std::optional<std::vector<std::uint8_t>> ConvertOlderRecords(const std::uint8_t* data, std::size_t n, std::uint32_t count) {
  std::vector<std::uint8_t> out;
  std::size_t at = 0;
  for (std::uint32_t i = 0; i < count; ++i) {
    if (n - at < kOlderRecordHead) return std::nullopt;
    const std::uint32_t type = GetLe16(data + at);
    std::uint32_t id = GetLe16(data + at + 2);
    const std::size_t length = GetLe16(data + at + 4);
    at += kOlderRecordHead;
    if (length > n - at) return std::nullopt;
    unsigned command = 0;
    if (type == rec::kWindowCommand || type == rec::kFrameCommand) {
      command = CurrentCommandOf(id);
      id = RecordableIndex(command);
      if (id >= kRecordableCount) id = RecordableIndex(cmd::kWriteProtect);
    }
    const std::vector<std::uint8_t> block = WidenBlock(type, command, data + at, length);
    PutHead(out, type, id, std::uint32_t(block.size()));
    out.insert(out.end(), block.begin(), block.end());
    at += length;
  }
  if (at != n) return std::nullopt;
  return out;
}

std::optional<std::string> ReadMacroComment(const std::string& head) {
  const auto header = ReadHeader(head);
  if (!header) return std::nullopt;
  return header->comment;
}

std::optional<MacroContents> ReadMacroFile(const std::string& bytes) {
  const auto header = ReadHeader(bytes);
  if (!header || header->recordBytes > kRecordBufferSize || bytes.size() - header->headerLength < header->recordBytes)
    return std::nullopt;
  const std::uint8_t* records = Bytes(bytes) + header->headerLength;
  MacroContents contents{header->comment, {}, header->count};
  if (header->older) {
    auto converted = ConvertOlderRecords(records, header->recordBytes, header->count);
    if (!converted || converted->size() > kRecordBufferSize) return std::nullopt;
    contents.records = std::move(*converted);
  } else {
    if (!RecordsFill(records, header->recordBytes, header->count)) return std::nullopt;
    contents.records.assign(records, records + header->recordBytes);
  }
  return contents;
}

std::string WriteMacroFile(const std::string& comment, const std::uint8_t* records, std::size_t used, std::uint32_t count) {
  std::string out(kHead, '\0');
  std::uint8_t* p = reinterpret_cast<std::uint8_t*>(out.data());
  PutLe32(p, std::uint32_t(17 + comment.size()));
  PutLe32(p + 4, std::uint32_t(used));
  PutLe32(p + 8, count);
  PutLe32(p + 12, kMacroFormat);
  out += comment;
  out += '\0';
  out.append(reinterpret_cast<const char*>(records), used);
  return out;
}

}  // namespace quarn
