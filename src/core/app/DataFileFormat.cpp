#include "core/app/DataFileFormat.h"

#include <cstring>
#include <limits>

#include "core/commands/CommandIds.h"
#include "core/res/Texts.h"

namespace quarn {
namespace {

constexpr std::size_t kHistoryCount = 20;
constexpr std::size_t kTextBytes = 80;
constexpr std::size_t kPatternBytes = 260;
constexpr std::size_t kAnyLength = std::numeric_limits<std::size_t>::max();

// Walks a byte range; every step fails (and stays failed) when the range
// ends before it.
class Cursor {
 public:
  Cursor(const std::uint8_t* data, std::size_t size, std::size_t at = 0) : data_(data), size_(size), at_(at) {}

  bool ok() const { return ok_; }
  std::size_t at() const { return at_; }
  bool atEnd() const { return at_ >= size_; }

  std::uint32_t u32() { return fits(4) ? GetLe32(data_ + (at_ += 4) - 4) : 0; }
  void skip(std::size_t n) {
    if (fits(n)) at_ += n;
  }
  // A string with its zero byte of at most maxBytes before the zero.
  std::string text(std::size_t maxBytes) {
    if (!ok_) return {};
    const void* zero = at_ < size_ ? std::memchr(data_ + at_, 0, size_ - at_) : nullptr;
    if (!zero) return fail(), std::string();
    const std::size_t length = std::size_t(static_cast<const std::uint8_t*>(zero) - (data_ + at_));
    if (length > maxBytes) return fail(), std::string();
    std::string s(reinterpret_cast<const char*>(data_ + at_), length);
    at_ += length + 1;
    return s;
  }
  // A count that must not exceed limit.
  std::uint32_t count(std::uint32_t limit) {
    const std::uint32_t n = u32();
    if (n > limit) fail();
    return ok_ ? n : 0;
  }
  void fail() { ok_ = false; }

 private:
  bool fits(std::size_t n) {
    if (ok_ && size_ - at_ >= n && at_ <= size_) return true;
    ok_ = false;
    return false;
  }
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_;
  bool ok_ = true;
};

void ReadHistory(Cursor& in, std::uint32_t n, std::size_t maxBytes, std::vector<std::string>& out) {
  for (std::uint32_t i = 0; i < n && in.ok(); ++i) out.push_back(in.text(maxBytes));
}

void Put32(std::string& out, std::uint32_t v) {
  std::uint8_t b[4];
  PutLe32(b, v);
  out.append(reinterpret_cast<const char*>(b), 4);
}

void PutText(std::string& out, const std::string& s) {
  out += s;
  out += '\0';
}

// A header or footer text: the bytes before the zero of its 81-byte field,
// at most 80.
std::string LayoutText(const std::uint8_t* field) {
  const std::size_t n = strnlen(reinterpret_cast<const char*>(field), PageLayoutFields::kTextBytes);
  return std::string(reinterpret_cast<const char*>(field), n);
}

void PutLayoutText(std::uint8_t* field, const std::string& s) {
  std::memcpy(field, s.data(), std::min(s.size(), PageLayoutFields::kTextBytes));
}

struct Histories {
  std::uint32_t find = 0, replace = 0, patterns = 0;
};

bool ReadHistories(Cursor& in, const Histories& counts, DataFileContents& c) {
  ReadHistory(in, counts.find, kTextBytes, c.findHistory);
  ReadHistory(in, counts.replace, kTextBytes, c.replaceHistory);
  ReadHistory(in, counts.patterns, kPatternBytes, c.patternHistory);
  return in.ok();
}

bool ReadCurrent(const std::uint8_t* p, std::size_t size, DataFileContents& c) {
  if (size < kDataHeaderSize || size >= kDataBufferSize || GetLe32(p) != size) return false;
  const Histories counts{GetLe32(p + 284), GetLe32(p + 288), GetLe32(p + 292)};
  if (counts.find > kHistoryCount || counts.replace > kHistoryCount || counts.patterns > kHistoryCount) return false;
  Cursor in(p, size, kDataHeaderSize);
  if (!ReadHistories(in, counts, c)) return false;
  std::size_t at = in.at();
  for (c.blockCount = 0; c.blockCount < kDataBlockCount && at < size; ++c.blockCount) {
    const std::size_t length = CheckDataBlock(c.blockCount, p + at, size - at);
    if (length == 0) return false;
    c.blocks[c.blockCount].assign(reinterpret_cast<const char*>(p + at), length);
    at += length;
  }
  PageLayoutFields& page = c.page;
  page.font = LogFont::deserialize(p + 4);
  for (int i = 0; i < 4; ++i) page.margins[i] = std::int32_t(GetLe32(p + 64 + 4 * i));
  page.printLineNumbers = GetLe32(p + 80);
  page.firstLine = std::uint16_t(GetLe32(p + 84));
  page.firstPage = GetLe32(p + 88);
  page.headerOn = GetLe32(p + 92);
  page.headerAlign = GetLe32(p + 96);
  page.header = LayoutText(p + 100);
  page.footerOn = GetLe32(p + 184);
  page.footerAlign = GetLe32(p + 188);
  page.footer = LayoutText(p + 192);
  page.lineSpacing = std::int32_t(GetLe32(p + 276));
  page.charSpacing = std::int32_t(GetLe32(p + 280));
  c.options = GetLe32(p + 296);
  c.subdirectories = GetLe32(p + 300);
  c.directionDown = GetLe32(p + 304);
  std::memcpy(c.reserved.data(), p + 308, c.reserved.size());
  return true;
}

std::int32_t Le16s(const std::uint8_t* p) { return std::int16_t(GetLe16(p)); }

// The 16-bit font description of the older header: five 16-bit fields, eight
// bytes and the 32-byte face name.
LogFont OlderFont(const std::uint8_t* p) {
  LogFont f;
  f.height = Le16s(p);
  f.width = Le16s(p + 2);
  f.escapement = Le16s(p + 4);
  f.orientation = Le16s(p + 6);
  f.weight = Le16s(p + 8);
  f.italic = p[10];
  f.underline = p[11];
  f.strikeOut = p[12];
  f.charSet = p[13];
  f.outPrecision = p[14];
  f.clipPrecision = p[15];
  f.quality = p[16];
  f.pitchAndFamily = p[17];
  std::memcpy(f.faceName.data(), p + 18, LogFont::kFaceSize);
  f.faceName.back() = 0;
  return f;
}

bool ReadOlder(const std::uint8_t* p, std::size_t size, DataFileContents& c) {
  if (size < kOlderDataHeaderSize || size >= kDataBufferSize || GetLe16(p) != size) return false;
  const Histories counts{GetLe16(p + 242), GetLe16(p + 244), GetLe16(p + 246)};
  if (counts.find > kHistoryCount || counts.replace > kHistoryCount || counts.patterns > kHistoryCount) return false;
  Cursor in(p, size, kOlderDataHeaderSize);
  if (!ReadHistories(in, counts, c) || in.at() != size) return false;
  PageLayoutFields& page = c.page;
  page.font = OlderFont(p + 2);
  for (int i = 0; i < 4; ++i) page.margins[i] = Le16s(p + 52 + 2 * i);
  page.printLineNumbers = GetLe16(p + 60);
  page.firstLine = GetLe16(p + 62);
  page.firstPage = GetLe16(p + 64);
  page.headerOn = GetLe16(p + 66);
  page.headerAlign = GetLe16(p + 68);
  page.header = LayoutText(p + 70);
  page.footerOn = GetLe16(p + 152);
  page.footerAlign = GetLe16(p + 154);
  page.footer = LayoutText(p + 156);
  page.lineSpacing = Le16s(p + 238);
  page.charSpacing = Le16s(p + 240);
  c.options = p[248];
  c.subdirectories = GetLe16(p + 250);
  c.directionDown = GetLe16(p + 252);
  return true;
}

void CheckTexts(Cursor& in, int n, std::size_t maxBytes) {
  for (int i = 0; i < n; ++i) in.text(maxBytes);
}

void SkipValues(Cursor& in, std::uint32_t n) {
  for (std::uint32_t i = 0; i < n && in.ok(); ++i) in.u32();
}

std::string Default1() {
  static const std::uint32_t kToolbar[] = {cmd::kFileNew, cmd::kFileOpen, cmd::kFileSave, 0, cmd::kCut, cmd::kCopy, cmd::kScreenCopy, cmd::kPaste,
                                           0,     cmd::kUndo, cmd::kRedo, 0, 194,   0,     195,   0,
                                           cmd::kCompare, cmd::kFormat, 0,     cmd::kMarkToggle, cmd::kMarkNext, cmd::kMarkPrev, 0, cmd::kContextHelp};
  std::string b;
  Put32(b, 0);  // run history
  Put32(b, 0);  // user tools
  Put32(b, std::uint32_t(std::size(kToolbar)));
  for (std::uint32_t id : kToolbar) Put32(b, id);
  return b;
}

std::string Default2() {
  std::string b;
  for (std::uint32_t v : {3u, 0u, 1u, 0u}) Put32(b, v);  // execution, no display, information, separator
  PutText(b, "==========");
  for (std::uint32_t v : {0u, 0u, 1u, 0u, 0u}) Put32(b, v);  // case, regular, width, step 1 extracts, step 2 deletes
  const struct {
    const char* text;
    std::int32_t position;
    std::uint32_t lines;
  } kConditions[] = {{texts::kExtractStep1Default, 0, 2},
                     {texts::kExtractStartDefault, -1, 1},
                     {texts::kExtractEndDefault, -1, 1}};
  for (const auto& c : kConditions) {
    Put32(b, 1);
    PutText(b, c.text);
    Put32(b, std::uint32_t(c.position));
    Put32(b, c.lines);
  }
  return b;
}

}  // namespace

std::size_t CheckDataBlock(std::size_t index, const std::uint8_t* data, std::size_t size) {
  Cursor in(data, size);
  switch (index) {
    case 0: {  // run history, user tools, toolbar
      for (std::uint32_t n = in.count(20), i = 0; i < n && in.ok(); ++i) CheckTexts(in, 3, kAnyLength), SkipValues(in, 3);
      for (std::uint32_t n = in.count(20), i = 0; i < n && in.ok(); ++i)
        in.u32(), CheckTexts(in, 4, kAnyLength), SkipValues(in, 4);
      SkipValues(in, in.count(50));
      break;
    }
    case 1: {  // line extraction
      SkipValues(in, 4);
      in.text(kTextBytes);
      in.skip(20);
      for (int list = 0; list < 3; ++list)
        for (std::uint32_t n = in.count(5), i = 0; i < n && in.ok(); ++i) in.text(83), SkipValues(in, 2);
      break;
    }
    case 2:  // custom colours
      in.skip(64);
      break;
    case 3: {  // free conversion
      const std::uint32_t n = in.count(10);
      in.u32();
      for (std::uint32_t i = 0; i < n && in.ok(); ++i) in.u32(), in.text(kAnyLength), in.u32(), in.text(kAnyLength);
      break;
    }
    case 4:  // popup menu
      SkipValues(in, in.count(30));
      break;
    case 5:  // template files
      CheckTexts(in, int(in.count(30)), kPatternBytes);
      break;
    default:
      in.fail();
  }
  return in.ok() ? in.at() : 0;
}

std::string DefaultDataBlock(std::size_t index) {
  std::string b;
  switch (index) {
    case 0:
      return Default1();
    case 1:
      return Default2();
    case 2:
      for (int i = 0; i < 16; ++i) Put32(b, 0xFFFFFF);
      break;
    case 3:
      Put32(b, 0), Put32(b, 0);
      break;
    case 4:
      Put32(b, 6);
      for (std::uint32_t id : {57643u, 57644u, 0xFFFFFFFFu, 57635u, 57634u, 57637u}) Put32(b, id);
      break;
    default:
      Put32(b, 0);
  }
  return b;
}

DataFileFormat ReadDataFile(const std::uint8_t* data, std::size_t size, DataFileContents& out) {
  DataFileContents c;
  if (ReadCurrent(data, size, c)) {
    out = std::move(c);
    return DataFileFormat::kCurrent;
  }
  c = DataFileContents();
  if (ReadOlder(data, size, c)) {
    out = std::move(c);
    return DataFileFormat::kOlder;
  }
  return DataFileFormat::kMalformed;
}

std::string WriteDataFile(const DataFileContents& c) {
  std::uint8_t h[kDataHeaderSize] = {};
  const PageLayoutFields& page = c.page;
  page.font.serialize(h + 4);
  for (int i = 0; i < 4; ++i) PutLe32(h + 64 + 4 * i, std::uint32_t(page.margins[i]));
  PutLe32(h + 80, page.printLineNumbers);
  PutLe32(h + 84, page.firstLine);
  PutLe32(h + 88, page.firstPage);
  PutLe32(h + 92, page.headerOn);
  PutLe32(h + 96, page.headerAlign);
  PutLayoutText(h + 100, page.header);
  PutLe32(h + 184, page.footerOn);
  PutLe32(h + 188, page.footerAlign);
  PutLayoutText(h + 192, page.footer);
  PutLe32(h + 276, std::uint32_t(page.lineSpacing));
  PutLe32(h + 280, std::uint32_t(page.charSpacing));
  PutLe32(h + 284, std::uint32_t(c.findHistory.size()));
  PutLe32(h + 288, std::uint32_t(c.replaceHistory.size()));
  PutLe32(h + 292, std::uint32_t(c.patternHistory.size()));
  PutLe32(h + 296, c.options);
  PutLe32(h + 300, c.subdirectories);
  PutLe32(h + 304, c.directionDown);
  std::memcpy(h + 308, c.reserved.data(), c.reserved.size());
  std::string out(reinterpret_cast<const char*>(h), sizeof h);
  for (const auto* history : {&c.findHistory, &c.replaceHistory, &c.patternHistory})
    for (const std::string& s : *history) PutText(out, s);
  for (std::size_t i = 0; i < c.blockCount && i < kDataBlockCount; ++i) out += c.blocks[i];
  PutLe32(reinterpret_cast<std::uint8_t*>(out.data()), std::uint32_t(out.size()));
  return out;
}

}  // namespace quarn
