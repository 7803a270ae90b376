#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

#include "core/common/Palette.h"
#include "core/cabinet/CabinetFile.h"

namespace quarn {
namespace {

std::string RandomText(std::mt19937& rng, std::size_t minLength, std::size_t maxLength) {
  std::string s(std::uniform_int_distribution<std::size_t>(minLength, maxLength)(rng), 'x');
  for (char& c : s) c = char(std::uniform_int_distribution<int>(1, 255)(rng));
  return s;
}

std::uint32_t Random(std::mt19937& rng, std::uint32_t lo, std::uint32_t hi) {
  return std::uniform_int_distribution<std::uint32_t>(lo, hi)(rng);
}

CabinetSet RandomSet(std::mt19937& rng) {
  CabinetSet set = CabinetSet::Builtin(int(Random(rng, 0, 2)));
  DocTypeSettings& r = set.record;
  r.CharsPerLine = std::int32_t(Random(rng, 10, 250));
  r.TabColumns = std::int32_t(Random(rng, 2, 20));
  r.LineSpacing = std::int32_t(Random(rng, 0, 100));
  r.TextBackColor = Random(rng, 0, 0xFFFFFF);
  r.TagBackColor = Random(rng, 0, 0xFFFFFF) | kBackColorFlag;
  r.Font.height = std::int32_t(Random(rng, 6, 72));
  r.Font.setFace(RandomText(rng, 1, 31));
  KeywordTable words;
  for (std::uint32_t n = Random(rng, 0, 200); n > 0; --n) words.Add(RandomText(rng, 1, 30));
  set.SetKeywords(words);
  set.kinsoku = std::int32_t(Random(rng, 0, 1));
  for (FilterList& list : set.filters) {
    list.Clear();
    for (std::uint32_t n = Random(rng, 0, 10); n > 0; --n) list.Add({RandomText(rng, 0, 40), RandomText(rng, 1, 40)});
  }
  set.wholeWord = std::int32_t(Random(rng, 0, 1));
  set.caseSensitive = std::int32_t(Random(rng, 0, 1));
  return set;
}

std::vector<CabinetEntry> RandomEntries(std::mt19937& rng, std::size_t n) {
  std::vector<CabinetEntry> entries(n);
  for (CabinetEntry& e : entries) {
    e.path = "/" + RandomText(rng, 1, 200);
    e.placement.showCmd = Random(rng, 1, 3);
    e.placement.normalPosition = Rect{std::int32_t(Random(rng, 0, 500)), -3, 900, std::int32_t(Random(rng, 0, 700))};
    e.active = Random(rng, 0, 1) != 0;
    e.docKind = int(Random(rng, 1, 2));
    e.writeProtected = Random(rng, 0, 1) != 0;
    e.position = {Random(rng, 0, 1u << 31), Random(rng, 0, 99), Random(rng, 0, 0xFFFFFFFF)};
  }
  return entries;
}

TEST(CabinetFile, RandomCabinetsReadBackAsWritten) {
  std::mt19937 rng(1301);
  for (int round = 0; round < 200; ++round) {
    const CabinetSet set = RandomSet(rng);
    const std::vector<CabinetEntry> entries = RandomEntries(rng, Random(rng, 0, 30));
    const std::string file = WriteCabinet(entries, set);
    ASSERT_LT(file.size(), kCabinetBufferSize);
    const CabinetContents back = ReadCabinet(file);
    ASSERT_EQ(back.format, CabinetFormat::kCurrent) << "round " << round;
    EXPECT_EQ(back.set, set) << "round " << round;
    EXPECT_EQ(back.entries, entries) << "round " << round;
  }
}

TEST(CabinetFile, TheListKeepsThirtyDocumentsAndGivesWayWhenTheFileWouldNotFit) {
  std::mt19937 rng(7);
  const CabinetSet set = CabinetSet::Builtin(kDocTypeC);
  const std::vector<CabinetEntry> entries = RandomEntries(rng, 31);
  const CabinetContents back = ReadCabinet(WriteCabinet(entries, set));
  EXPECT_EQ(back.entries, std::vector<CabinetEntry>(entries.begin(), entries.begin() + 30));
  // Thirty long paths would make a file no reader takes: the last entries are left out instead.
  std::vector<CabinetEntry> longPaths = RandomEntries(rng, 30);
  for (CabinetEntry& e : longPaths) e.path = "/" + std::string(1200, 'p');
  const CabinetContents fitted = ReadCabinet(WriteCabinet(longPaths, set));
  ASSERT_EQ(fitted.format, CabinetFormat::kCurrent);
  EXPECT_GT(fitted.entries.size(), 20u);
  EXPECT_LT(fitted.entries.size(), 30u);
}

std::uint8_t* Raw(std::string& bytes) { return reinterpret_cast<std::uint8_t*>(bytes.data()); }

// A file of the current format with two documents, the C type and two keywords; s is where its record starts.
struct Sample {
  Sample() {
    set = CabinetSet::Builtin(kDocTypeC);
    KeywordTable words;
    words.Add("alpha");
    words.Add("beta");
    set.SetKeywords(words);
    set.kinsoku = 1;
    set.wholeWord = 0;
    entries.resize(2);
    entries[0].path = "/a.bin";
    entries[0].docKind = 2;
    entries[1].path = "/b.txt";
    bytes = WriteCabinet(entries, set);
    s = GetLe32(Raw(bytes) + 4);
    afterKeywords = s + 168 + 6 + 5;
  }
  void Put(std::size_t at, std::uint32_t v) { PutLe32(Raw(bytes) + at, v); }
  CabinetSet set;
  std::vector<CabinetEntry> entries;
  std::string bytes;
  std::size_t s = 0;
  std::size_t afterKeywords = 0;
};

TEST(CabinetFile, ChecksRefuseEveryBrokenPartAndTrailingPartsAreOptional) {
  const std::vector<std::pair<const char*, std::function<void(Sample&)>>> cases = {
      {"version 2", [](Sample& f) { f.Put(0, (2u << 24) | 2); }},
      {"31 documents", [](Sample& f) { f.Put(0, (1u << 24) | 31); }},
      {"entries end one byte before S", [](Sample& f) { f.Put(4, std::uint32_t(f.s + 1)); }},
      {"one entry fewer than the list holds", [](Sample& f) { f.Put(0, (1u << 24) | 1); }},
      {"S beyond the file", [](Sample& f) { f.Put(4, 0xFFFFFFF0u); }},
      {"CharsPerLine 9", [](Sample& f) { f.Put(f.s, 9); }},
      {"CharsPerLine 251", [](Sample& f) { f.Put(f.s, 251); }},
      {"LineNumberMode 2", [](Sample& f) { f.Put(f.s + 8, 2); }},
      {"DocType 3", [](Sample& f) { f.Put(f.s + 48, 3); }},
      {"201 keywords", [](Sample& f) { f.Put(f.s + 96, 201), f.Put(f.s + 164, 201); }},
      {"K differs from KeywordCount", [](Sample& f) { f.Put(f.s + 164, 1); }},
      {"filled buffer", [](Sample& f) { f.bytes.resize(kCabinetBufferSize, '\0'); }},
  };
  for (const auto& [what, spoil] : cases) {
    Sample file;
    spoil(file);
    EXPECT_EQ(ReadCabinet(file.bytes).format, CabinetFormat::kMalformed) << what;
  }
  Sample padded;
  padded.bytes.resize(kCabinetBufferSize - 1, '\0');
  EXPECT_EQ(ReadCabinet(padded.bytes).format, CabinetFormat::kCurrent);
  // The trailing parts are optional.
  Sample file;
  file.bytes.resize(file.afterKeywords);
  const CabinetContents c = ReadCabinet(file.bytes);
  ASSERT_EQ(c.format, CabinetFormat::kCurrent);
  EXPECT_EQ(std::tuple(c.set.kinsoku, c.set.wholeWord, c.set.caseSensitive), std::tuple(0, 1, 1));
  EXPECT_EQ(std::pair(c.set.keywords, c.entries), std::pair(file.set.keywords, file.entries));
  // Every cut either reads or is refused; none reads more than the file holds.
  Sample whole;
  for (std::size_t n = 0; n <= whole.bytes.size(); ++n) {
    const CabinetContents cut = ReadCabinet(reinterpret_cast<const std::uint8_t*>(whole.bytes.data()), n);
    const bool complete = n == whole.afterKeywords || n == whole.afterKeywords + 4 || n >= whole.bytes.size() - 8;
    EXPECT_EQ(cut.format == CabinetFormat::kCurrent, complete) << n;
  }
}

TEST(CabinetFile, VersionZeroColoursComeFromThePalette) {
  Sample file;
  file.Put(0, 2);  // version 0, two entries
  for (int f = 14; f <= 24; ++f)
    file.Put(file.s + (f - 1) * 4, std::uint32_t(f - 10) | ((f == 14 || f == 15 || f == 24) ? 0x8000u : 0u));
  const CabinetContents c = ReadCabinet(file.bytes);
  ASSERT_EQ(c.format, CabinetFormat::kCurrent);
  const DocTypeSettings& r = c.set.record;
  EXPECT_EQ(std::tuple(r.MarkedLineBackColor, r.CKeywordColor, r.TextBackColor, r.TagBackColor),
            std::tuple(PaletteColor(4) | kBackColorFlag, PaletteColor(6), PaletteColor(13),
                       PaletteColor(14) | kBackColorFlag));
  const std::vector<std::pair<int, std::uint32_t>> broken = {{14, 4u}, {15, 0x8000u}, {16, 17u}, {24, 0x8011u}};
  for (auto [field, value] : broken) {
    Sample bad = file;
    bad.Put(bad.s + (field - 1) * 4, value);
    EXPECT_EQ(ReadCabinet(bad.bytes).format, CabinetFormat::kMalformed) << field;
  }
}

// The older format: 16-bit counts and offsets, a short record.
std::string OlderFile(const std::vector<std::string>& paths, const std::vector<std::string>& keywords) {
  std::string list;
  for (const std::string& p : paths) {
    list += p + '\0';
    std::string tail(32, '\0');
    const std::int16_t placement[11] = {22, 0, 3, -1, -1, -1, -1, 10, 20, 300, 400};
    for (int i = 0; i < 11; ++i) PutLe16(Raw(tail) + 2 * i, std::uint16_t(placement[i]));
    tail[22] = tail[24] = 1;  // active, write-protected
    tail[26] = 5, tail[28] = 2, tail[30] = 7;
    list += tail;
  }
  std::string block(102, '\0');
  auto put = [&block](int field, std::uint16_t v) { PutLe16(Raw(block) + (field - 1) * 2, v); };
  const DocTypeSettings r = BuiltinDocType(kDocTypeCpp);
  for (int f = 1; f <= 31; ++f) put(f, std::uint16_t(r.Field(f)));
  for (int f = 14; f <= 24; ++f) put(f, std::uint16_t(f - 12) | ((f == 14 || f == 15 || f == 24) ? 0x8000 : 0));
  put(25, std::uint16_t(keywords.size()));
  put(27, 12);
  block[62] = 1;  // italic
  block[65] = char(128);
  block.replace(70, 4, "Face");
  std::string out(4, '\0');
  PutLe16(Raw(out), std::uint16_t(paths.size()));
  PutLe16(Raw(out) + 2, std::uint16_t(4 + list.size()));
  out += list + block;
  out += std::string(1, char(keywords.size())) + '\0';
  for (const std::string& k : keywords) out += k + '\0';
  return out;
}

TEST(CabinetFile, OlderFilesConvertToTheCurrentRecord) {
  const CabinetContents c = ReadCabinet(OlderFile({"/x.c"}, {"int", std::string(31, 'w')}));
  ASSERT_EQ(c.format, CabinetFormat::kOlder);
  DocTypeSettings expected = BuiltinDocType(kDocTypeCpp);
  for (int f = 14; f <= 24; ++f)
    expected.SetField(f, PaletteColor(f - 12) | ((f == 14 || f == 15 || f == 24) ? kBackColorFlag : 0));
  expected.KeywordCount = 1;
  expected.Font = LogFont{.height = 12, .weight = 400, .italic = 1, .charSet = 128};
  expected.Font.setFace("Face");
  EXPECT_EQ(c.set.record, expected);
  EXPECT_EQ(std::pair(c.set.keywords.Words(), c.set.kinsoku), std::pair(std::vector<std::string>{"int"}, 0));
  const WindowPlacement placement{22, 0, 3, {-1, -1}, {-1, -1}, {10, 20, 300, 400}};
  EXPECT_EQ(c.entries, (std::vector<CabinetEntry>{{"/x.c", placement, true, 0, true, {5, 2, 7}}}));
  std::string cut = OlderFile({"/x.c", "/y.c"}, {});
  PutLe16(Raw(cut) + 2, std::uint16_t(GetLe16(Raw(cut) + 2) + 1));
  EXPECT_EQ(ReadCabinet(cut).format, CabinetFormat::kMalformed);
}

}  // namespace
}  // namespace quarn
