#include "core/cabinet/CabinetFile.h"

#include <optional>

#include "core/common/Palette.h"

namespace quarn {
namespace {

constexpr std::size_t kEntryTail = 64;       // placement, active flag, kind word, 3 position words
constexpr std::size_t kOldEntryTail = 32;
constexpr std::size_t kOldBlockSize = 102;  // 31 short fields, 8 font bytes, the face name
constexpr std::uint32_t kMaxKeywords = 200;
constexpr std::size_t kMaxStoredKeyword = 30;
constexpr int kFirstColorField = 14;
constexpr int kLastColorField = 24;

// Bounded reads over the file's bytes: every read checks that its bytes lie
// inside the file and marks the reader failed when they do not.
class Bytes {
 public:
  Bytes(const std::uint8_t* data, std::size_t size, std::size_t pos = 0) : data_(data), size_(size), pos_(pos) {}

  bool Ok() const { return ok_; }
  std::size_t Pos() const { return pos_; }
  std::size_t Left() const { return ok_ && pos_ <= size_ ? size_ - pos_ : 0; }
  std::uint32_t U32() { return Need(4) ? GetLe32(data_ + Advance(4)) : 0; }
  std::uint16_t U16() { return Need(2) ? GetLe16(data_ + Advance(2)) : 0; }
  std::uint8_t U8() { return Need(1) ? data_[Advance(1)] : 0; }
  const std::uint8_t* Take(std::size_t n) { return Need(n) ? data_ + Advance(n) : nullptr; }
  // A string ended by a NUL inside the file (the NUL is skipped).
  std::string Str() {
    for (std::size_t i = pos_; ok_ && i < size_; ++i)
      if (data_[i] == 0) {
        std::string s(reinterpret_cast<const char*>(data_ + pos_), i - pos_);
        pos_ = i + 1;
        return s;
      }
    ok_ = false;
    return {};
  }

 private:
  bool Need(std::size_t n) {
    if (ok_ && pos_ <= size_ && size_ - pos_ >= n) return true;
    ok_ = false;
    return false;
  }
  std::size_t Advance(std::size_t n) {
    pos_ += n;
    return pos_ - n;
  }

  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_;
  bool ok_ = true;
};

bool InPalette(std::uint32_t index) { return index >= 1 && index <= 16; }

// The palette-coded colour words of version 0 and of the older format:
// fields 14, 15 and 24 carry the flag in bit 15, the others a bare index.
bool PaletteWordValid(int field, std::uint32_t v) {
  const bool flagged = field == 14 || field == 15 || field == 24;
  return flagged ? (v & 0x8000u) && InPalette(v & 0x7FFFu) : InPalette(v);
}

ColorRef PaletteWordColor(std::uint32_t v) {
  return PaletteColor(int(v & 0x7FFFu)) | ((v & 0x8000u) ? kBackColorFlag : 0u);
}

bool FormatFieldsValid(const DocTypeSettings& r) {
  return r.CharsPerLine >= 10 && r.CharsPerLine <= 250 && (r.LineNumberMode == 0 || r.LineNumberMode == 1) &&
         r.DocType >= 0 && r.DocType <= 2;
}

// Reads count keywords; those of 31 bytes or more (and empty ones) are left out.
std::optional<KeywordTable> ReadKeywords(Bytes& in, std::uint32_t count) {
  KeywordTable table;
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::string word = in.Str();
    if (!in.Ok()) return std::nullopt;
    if (word.size() <= kMaxStoredKeyword) table.Add(word);
  }
  return table;
}

// A filter list: a count and that many pairs; all are walked, ten kept.
std::optional<FilterList> ReadFilters(Bytes& in) {
  FilterList list;
  const std::uint32_t count = in.U32();
  for (std::uint32_t i = 0; in.Ok() && i < count; ++i) {
    FilterPair pair;
    pair.title = in.Str();
    pair.patterns = in.Str();
    if (in.Ok()) list.Add(std::move(pair));
  }
  if (!in.Ok()) return std::nullopt;
  return list;
}

// A WINDOWPLACEMENT from its eleven values in their stored order.
WindowPlacement PlacementOf(const std::int32_t (&w)[11]) {
  return WindowPlacement{std::uint32_t(w[0]), std::uint32_t(w[1]), std::uint32_t(w[2]), Point{w[3], w[4]},
                         Point{w[5], w[6]}, Rect{w[7], w[8], w[9], w[10]}};
}

bool ReadCurrent(const std::uint8_t* data, std::size_t size, CabinetContents& out) {
  if (size < 176 || size >= kCabinetBufferSize) return false;
  Bytes head(data, size);
  const std::uint32_t header = head.U32();
  const std::uint32_t version = header >> 24;
  const std::uint32_t count = header & 0xFFFFFFu;
  const std::uint64_t s = head.U32();
  if (version > 1 || s + 168 > size) return false;

  DocTypeSettings record = DocTypeSettings::FromBytes(data + s);
  if (!FormatFieldsValid(record)) return false;
  if (version == 0) {
    for (int f = kFirstColorField; f <= kLastColorField; ++f)
      if (!PaletteWordValid(f, record.Field(f))) return false;
    for (int f = kFirstColorField; f <= kLastColorField; ++f) record.SetField(f, PaletteWordColor(record.Field(f)));
  }
  Bytes tail(data, size, std::size_t(s) + DocTypeSettings::kSize);
  const std::uint32_t keywordCount = tail.U32();
  if (keywordCount > kMaxKeywords || keywordCount != std::uint32_t(record.KeywordCount)) return false;
  std::optional<KeywordTable> keywords = ReadKeywords(tail, keywordCount);
  if (!keywords) return false;

  if (count >= 31) return false;
  Bytes walk(data, size, 8);
  std::vector<CabinetEntry> entries;
  for (std::uint32_t i = 0; i < count; ++i) {
    CabinetEntry e;
    e.path = walk.Str();
    if (!walk.Ok() || walk.Pos() + kEntryTail > s) return false;
    std::int32_t placement[11];
    for (std::int32_t& v : placement) v = std::int32_t(walk.U32());
    e.placement = PlacementOf(placement);
    e.active = walk.U32() != 0;
    const std::uint32_t kindWord = walk.U32();
    e.docKind = ((kindWord >> 8) & 0xFF) == 2 ? 2 : 1;
    e.writeProtected = (kindWord & 1) != 0;
    for (std::uint32_t& p : e.position) p = walk.U32();
    entries.push_back(std::move(e));
  }
  if (walk.Pos() != s) return false;

  CabinetSet set = CabinetSet::Builtin(kDocTypeGeneral);
  set.record = record;
  if (tail.Left() >= 4) set.kinsoku = std::int32_t(tail.U32());
  if (tail.Left() >= 1)
    for (FilterList& list : set.filters) {
      std::optional<FilterList> read = ReadFilters(tail);
      if (!read) return false;
      list = std::move(*read);
    }
  if (tail.Left() >= 4) set.wholeWord = std::int32_t(tail.U32());
  if (tail.Left() >= 4) set.caseSensitive = std::int32_t(tail.U32());
  set.SetKeywords(std::move(*keywords));

  out.format = CabinetFormat::kCurrent;
  out.entries = std::move(entries);
  out.set = std::move(set);
  return true;
}

std::int32_t Signed16(std::uint16_t v) { return std::int16_t(v); }

bool ReadOlder(const std::uint8_t* data, std::size_t size, CabinetContents& out) {
  if (size < 108 || size >= kCabinetBufferSize) return false;
  Bytes head(data, size);
  const std::uint32_t count = head.U16();
  const std::size_t s = head.U16();
  if (s + kOldBlockSize + 2 > size) return false;  // the block and its keyword count

  Bytes block(data, size, s);
  std::uint16_t fields[31];
  for (std::uint16_t& f : fields) f = block.U16();
  DocTypeSettings record;
  for (int f = 1; f <= 31; ++f) record.SetField(f, std::uint32_t(Signed16(fields[f - 1])));
  if (!FormatFieldsValid(record)) return false;
  for (int f = kFirstColorField; f <= kLastColorField; ++f) {
    if (!PaletteWordValid(f, fields[f - 1])) return false;
    record.SetField(f, PaletteWordColor(fields[f - 1]));
  }
  const std::uint8_t* fontBytes = block.Take(8);
  const std::uint8_t* face = block.Take(LogFont::kFaceSize);
  if (!fontBytes || !face) return false;
  LogFont& font = record.Font;
  std::uint8_t* const fontFields[8] = {&font.italic, &font.underline, &font.strikeOut, &font.charSet,
                                       &font.outPrecision, &font.clipPrecision, &font.quality, &font.pitchAndFamily};
  for (int i = 0; i < 8; ++i) *fontFields[i] = fontBytes[i];
  for (std::size_t i = 0; i < LogFont::kFaceSize; ++i) font.faceName[i] = char(face[i]);

  const std::uint32_t keywordCount = block.U16();
  if (keywordCount > kMaxKeywords || keywordCount != fields[24]) return false;
  std::optional<KeywordTable> keywords = ReadKeywords(block, keywordCount);
  if (!keywords) return false;

  if (count >= 31) return false;
  Bytes walk(data, size, 4);
  std::vector<CabinetEntry> entries;
  for (std::uint32_t i = 0; i < count; ++i) {
    CabinetEntry e;
    e.path = walk.Str();
    if (!walk.Ok() || walk.Pos() + kOldEntryTail > s) return false;
    std::int32_t placement[11];
    for (std::int32_t& v : placement) v = Signed16(walk.U16());
    e.placement = PlacementOf(placement);
    e.active = walk.U16() != 0;
    e.writeProtected = (walk.U8() & 1) != 0;
    walk.U8();
    e.docKind = 0;  // the older list names no kind
    for (std::uint32_t& p : e.position) p = std::uint32_t(Signed16(walk.U16()));
    entries.push_back(std::move(e));
  }
  if (walk.Pos() != s) return false;

  CabinetSet set = CabinetSet::Builtin(kDocTypeGeneral);
  set.record = record;
  set.SetKeywords(std::move(*keywords));
  out.format = CabinetFormat::kOlder;
  out.entries = std::move(entries);
  out.set = std::move(set);
  return true;
}

void Put32(std::string& out, std::uint32_t v) {
  std::uint8_t b[4];
  PutLe32(b, v);
  out.append(reinterpret_cast<const char*>(b), 4);
}

void PutStr(std::string& out, const std::string& s) {
  // A NUL inside the text would end it early when read back.
  out.append(s.c_str());
  out.push_back('\0');
}

std::string Entries(const std::vector<CabinetEntry>& entries, std::size_t count) {
  std::string out;
  for (std::size_t i = 0; i < count; ++i) {
    const CabinetEntry& e = entries[i];
    const WindowPlacement& p = e.placement;
    PutStr(out, e.path);
    for (std::uint32_t v : {p.length, p.flags, p.showCmd, std::uint32_t(p.minPosition.x), std::uint32_t(p.minPosition.y),
                            std::uint32_t(p.maxPosition.x), std::uint32_t(p.maxPosition.y),
                            std::uint32_t(p.normalPosition.left), std::uint32_t(p.normalPosition.top),
                            std::uint32_t(p.normalPosition.right), std::uint32_t(p.normalPosition.bottom)})
      Put32(out, v);
    Put32(out, e.active ? 1 : 0);
    Put32(out, std::uint32_t(e.docKind) * 256 + (e.writeProtected ? 1 : 0));
    for (std::uint32_t v : e.position) Put32(out, v);
  }
  return out;
}

std::string SettingsBlock(const CabinetSet& set, bool withTail) {
  std::string out;
  DocTypeSettings record = set.record;
  record.KeywordCount = std::int32_t(set.keywords.Count());
  const auto bytes = record.ToBytes();
  out.append(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  Put32(out, std::uint32_t(set.keywords.Count()));
  for (const std::string& word : set.keywords.Words()) PutStr(out, word);
  Put32(out, std::uint32_t(set.kinsoku));
  for (const FilterList& list : set.filters) {
    Put32(out, std::uint32_t(list.Count()));
    for (const FilterPair& pair : list.Pairs()) {
      PutStr(out, pair.title);
      PutStr(out, pair.patterns);
    }
  }
  if (withTail) {
    Put32(out, std::uint32_t(set.wholeWord));
    Put32(out, std::uint32_t(set.caseSensitive));
  }
  return out;
}

}  // namespace

CabinetContents ReadCabinet(const std::uint8_t* data, std::size_t size) {
  CabinetContents out;
  if (!ReadCurrent(data, size, out)) ReadOlder(data, size, out);
  return out;
}

CabinetContents ReadCabinet(const std::string& bytes) {
  return ReadCabinet(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

std::string WriteCabinet(const std::vector<CabinetEntry>& entries, const CabinetSet& set, bool withTail) {
  const std::string settings = SettingsBlock(set, withTail);
  std::size_t count = std::min(entries.size(), kMaxCabinetDocuments);
  std::string list = Entries(entries, count);
  // A file that fills the buffer would not be read back: the last
  // documents of the list give way until it fits.
  while (count > 0 && 8 + list.size() + settings.size() >= kCabinetBufferSize) list = Entries(entries, --count);
  std::string out;
  Put32(out, (1u << 24) | std::uint32_t(count));
  Put32(out, std::uint32_t(8 + list.size()));
  return out + list + settings;
}

}  // namespace quarn
