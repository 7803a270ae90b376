#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "SettingsTestSupport.h"
#include "core/app/CDataFile.h"
#include "core/app/CabinetSheet.h"
#include "core/res/MessageIds.h"
#include "core/res/StringTable.h"
#include "core/search/CFindReplaceManeger.h"
#include "core/tools/CConvManeger.h"
#include "core/tools/CExtractManeger.h"
#include "core/tools/CFormManeger.h"

namespace quarn {
namespace {

using Bytes = std::string;

DataFileFormat Read(const Bytes& b, DataFileContents* out = nullptr) {
  DataFileContents c;
  return ReadDataFile(reinterpret_cast<const std::uint8_t*>(b.data()), b.size(), out ? *out : c);
}

void Set32(Bytes& b, std::size_t at, std::uint32_t v) { PutLe32(reinterpret_cast<std::uint8_t*>(&b[at]), v); }
void FixLength(Bytes& b) { Set32(b, 0, std::uint32_t(b.size())); }

std::string RandomText(std::mt19937& rng, std::size_t maxBytes) {
  std::string s(rng() % (maxBytes + 1), 'x');
  for (char& c : s) c = char(1 + rng() % 255);
  return s;
}

DataFileContents RandomContents(std::mt19937& rng) {
  DataFileContents c;
  c.page.margins = {int(rng() % 1000), 3, -4, 99};
  c.page.firstLine = std::uint16_t(rng());
  c.page.header = RandomText(rng, 80);
  c.page.footer = RandomText(rng, 80);
  c.page.font.setFace(RandomText(rng, 31));
  for (auto* h : {&c.findHistory, &c.replaceHistory})
    for (unsigned i = rng() % 21; i; --i) h->push_back(RandomText(rng, 80));
  for (unsigned i = rng() % 21; i; --i) c.patternHistory.push_back(RandomText(rng, 260));
  c.options = rng() % 8;
  c.subdirectories = rng() % 2;
  c.directionDown = rng() % 2;
  c.reserved[rng() % 52] = std::uint8_t(rng());
  c.blockCount = rng() % 7;
  for (std::size_t i = 0; i < c.blockCount; ++i) c.blocks[i] = DefaultDataBlock(i);
  return c;
}

// A current-format file with one entry in each history and all six blocks.
Bytes SampleFile(std::size_t blocks = 6) {
  DataFileContents c;
  c.findHistory = {"abc"};
  c.replaceHistory = {"xyz"};
  c.patternHistory = {"/src/*.c"};
  c.blockCount = blocks;
  for (std::size_t i = 0; i < blocks; ++i) c.blocks[i] = DefaultDataBlock(i);
  return WriteDataFile(c);
}

TEST(DataFileFormatTest, RandomContentsRoundTrip) {
  std::mt19937 rng(15);
  for (int round = 0; round < 300; ++round) {
    const DataFileContents c = RandomContents(rng);
    DataFileContents back;
    ASSERT_EQ(Read(WriteDataFile(c), &back), DataFileFormat::kCurrent) << "round " << round;
    ASSERT_TRUE(back == c) << "round " << round;
  }
}

TEST(DataFileFormatTest, EveryDamageIsMalformedAndEveryCutIsCaught) {
  const Bytes good = SampleFile();
  const std::size_t afterHistories = kDataHeaderSize + 4 + 4 + 9;
  const std::size_t block1 = afterHistories, block2 = block1 + DefaultDataBlock(0).size();
  const std::size_t block4 = block2 + DefaultDataBlock(1).size() + 64;
  const std::size_t block5 = block4 + DefaultDataBlock(3).size();
  const std::size_t block6 = block5 + DefaultDataBlock(4).size();
  constexpr DataFileFormat kBad = DataFileFormat::kMalformed, kGood = DataFileFormat::kCurrent;
  const struct {
    const char* name;
    std::function<void(Bytes&)> damage;
    DataFileFormat expected;
  } cases[] = {
      {"untouched", [](Bytes&) {}, kGood},
      {"length field one more", [](Bytes& b) { Set32(b, 0, std::uint32_t(b.size() + 1)); }, kBad},
      {"length field one less", [](Bytes& b) { Set32(b, 0, std::uint32_t(b.size() - 1)); }, kBad},
      {"ends after the pattern history", [&](Bytes& b) { b.resize(afterHistories), FixLength(b); }, kGood},
      {"find count 21", [](Bytes& b) { Set32(b, 284, 21); }, kBad},
      {"pattern count 21", [](Bytes& b) { Set32(b, 292, 21); }, kBad},
      {"find string of 81 bytes", [](Bytes& b) { b.insert(kDataHeaderSize, 78, 'a'), FixLength(b); }, kBad},
      {"find string of 80 bytes", [](Bytes& b) { b.insert(kDataHeaderSize, 77, 'a'), FixLength(b); }, kGood},
      {"run history of 21", [&](Bytes& b) { Set32(b, block1, 21); }, kBad},
      {"toolbar of 51", [&](Bytes& b) { Set32(b, block1 + 8, 51); }, kBad},
      {"extraction list of 6", [&](Bytes& b) { Set32(b, block2 + 4 * 4 + 11 + 20, 6); }, kBad},
      {"11 conversion rules", [&](Bytes& b) { Set32(b, block4, 11); }, kBad},
      {"31 popup commands", [&](Bytes& b) { Set32(b, block5, 31); }, kBad},
      {"31 template files", [&](Bytes& b) { Set32(b, block6, 31); }, kBad},
      {"template count runs past the end", [&](Bytes& b) { Set32(b, block6, 1); }, kBad},
      {"fills the buffer", [](Bytes& b) { b.resize(kDataBufferSize), FixLength(b); }, kBad},
      {"header only", [](Bytes& b) { b.resize(kDataHeaderSize), FixLength(b); }, kBad},
  };
  for (const auto& c : cases) {
    Bytes b = good;
    c.damage(b);
    EXPECT_EQ(Read(b), c.expected) << c.name;
  }
  // Cut anywhere and the length fixed: only cuts at a block's end still read.
  const std::set<std::size_t> blockEnds = {afterHistories, block2, block2 + DefaultDataBlock(1).size(), block4,
                                           block5, block6, good.size()};
  for (std::size_t n = 0; n <= good.size(); ++n) {
    Bytes b = good.substr(0, n);
    if (n >= 4) FixLength(b);
    EXPECT_EQ(Read(b) == DataFileFormat::kCurrent, blockEnds.count(n) == 1) << "cut at " << n;
  }
}

// The older layout (fixed header, histories only) still reads, its fields moved over.
TEST(DataFileFormatTest, OlderFormatIsConverted) {
  Bytes b(kOlderDataHeaderSize, '\0');
  b += std::string("old\0one\0two\0", 12);
  auto set16 = [&](std::size_t at, std::uint16_t v) { PutLe16(reinterpret_cast<std::uint8_t*>(&b[at]), v); };
  set16(0, std::uint16_t(b.size()));
  set16(2, 12);                        // font height
  set16(52, 70);                       // left margin
  b.replace(70, 4, "head");            // header text
  set16(242, 2), set16(244, 0), set16(246, 1);
  b[248] = char(kOptionWidthOff | kOptionRegular);
  set16(250, 0), set16(252, 1);
  DataFileContents c;
  ASSERT_EQ(Read(b, &c), DataFileFormat::kOlder);
  EXPECT_EQ(std::tie(c.findHistory, c.patternHistory, c.page.header),
            std::tuple(std::vector<std::string>{"old", "one"}, std::vector<std::string>{"two"}, "head"));
  EXPECT_EQ(std::tie(c.page.font.height, c.page.margins[0], c.options, c.subdirectories, c.blockCount),
            std::tuple(12, 70, std::uint32_t(kOptionWidthOff | kOptionRegular), 0u, std::size_t(0)));
  // Its strings must end exactly at the end of the file.
  b += "x";
  set16(0, std::uint16_t(b.size()));
  EXPECT_EQ(Read(b), DataFileFormat::kMalformed);
}

class DataFileTest : public SettingsFixture {
 protected:
  DataFileTest() { Reset(0xFFFFFF); }
  ~DataFileTest() override { Reset(0xFFFFFF); }
  // Every value the data file holds back to its start, custom colours too.
  static void Reset(ColorRef colour) {
    gFindReplace = CFindReplaceManeger();
    CustomColors().fill(colour);
    gDataFile = CDataFile();
    gExtract = CExtractManeger();
    gConv = CConvManeger();
    gForm = CFormManeger();
  }
  static constexpr const char* kDat = "/home/q/quarn.DAT";
};

TEST_F(DataFileTest, SaveThenLoadRestoresHistoriesOptionsColoursAndForeignBlocks) {
  EXPECT_EQ(DataFilePath(), kDat);
  Bytes stored = SampleFile();
  stored.replace(stored.size() - 4, 4, std::string("\x01\0\0\0", 4) + "/t.tpl" + '\0');  // a template history
  FixLength(stored);
  platform.files.files[kDat] = stored;
  gDataFile.Load(kDat);
  gFindReplace.findHistory.Add("new");
  gFindReplace.distinguishWidth = gFindReplace.searchSubdirectories = false;
  CustomColors()[3] = 0x123456;
  gExtract.separator = "--";
  gConv.rules = {{28, "", 27, ""}};
  ASSERT_TRUE(gDataFile.Save(kDat));
  Reset(0);
  gDataFile.Load(kDat);
  EXPECT_TRUE(platform.messages.shown.empty());
  EXPECT_EQ(std::tuple(gExtract.separator, gConv.rules.size(), gForm.History()),
            std::tuple("--", 1u, std::vector<std::string>{"/t.tpl"}));
  EXPECT_EQ(std::tuple(gFindReplace.findHistory.Entries(), gFindReplace.filePatternHistory.Entries()),
            std::tuple(std::vector<std::string>{"new", "abc"}, std::vector<std::string>{"/src/*.c"}));
  EXPECT_EQ(std::tuple(gFindReplace.distinguishWidth, gFindReplace.searchSubdirectories, CustomColors()[3]),
            std::tuple(false, false, 0x123456u));
}

// Bit one of the stored options is "width off"; failures show their message
// and keep the values and the old file.
TEST_F(DataFileTest, BitOneOfTheOptionsIsWidthOffAndFailuresKeepTheValuesAndTheOldFile) {
  Bytes b = SampleFile(0);
  Set32(b, 296, kOptionMatchCase | kOptionWidthOff);
  platform.files.files[kDat] = b;
  gDataFile.Load(kDat);
  EXPECT_EQ(std::tuple(gFindReplace.distinguishWidth, gFindReplace.matchCase), std::tuple(false, true));
  platform.files.files.erase(kDat);
  gDataFile.Load(kDat);  // missing: silent
  EXPECT_TRUE(platform.messages.shown.empty());
  // A malformed file is kept beside itself before the next save replaces it.
  platform.files.files[kDat] = SampleFile().substr(0, 400);
  gDataFile.Load(kDat);
  ASSERT_EQ(platform.messages.shown.size(), 1u);
  EXPECT_EQ(platform.messages.shown[0].text.rfind(LoadString(msg::kDataMalformed), 0), 0u);
  EXPECT_NE(platform.messages.shown[0].text.find(std::string(kDat) + ".bad"), std::string::npos);
  EXPECT_EQ(platform.files.files[std::string(kDat) + ".bad"], SampleFile().substr(0, 400));
  // Blocks read from a file near the limit plus full histories would make a
  // file the next start could not read: the old file stays.
  DataFileContents c;
  c.blockCount = 6;
  for (std::size_t i = 0; i < 6; ++i) c.blocks[i] = DefaultDataBlock(i);
  c.blocks[5] = std::string("\x1e\0\0\0", 4);
  for (int i = 0; i < 30; ++i) c.blocks[5] += std::string(250, 'a' + i % 26) + '\0';
  c.blocks[0] = std::string("\x0a\0\0\0", 4);  // user tools with long texts, kept as read
  for (int i = 0; i < 10; ++i) {
    for (char ch : {'r', 's', 't'}) c.blocks[0] += std::string(650, ch) + '\0';
    c.blocks[0] += std::string(12, '\0');
  }
  c.blocks[0] += std::string(8, '\0');
  const Bytes full = WriteDataFile(c);
  ASSERT_LT(full.size(), kDataBufferSize);
  platform.files.files[kDat] = full;
  gDataFile.Load(kDat);
  for (int i = 0; i < 20; ++i) gFindReplace.filePatternHistory.Add(std::string(260, char('A' + i)));
  EXPECT_FALSE(gDataFile.Save(kDat));
  EXPECT_EQ(platform.CountShown(msg::kDataWriteFailed), 1u);
  EXPECT_TRUE(platform.files.files[kDat] == full);
  gFindReplace.findHistory.Add("kept");
  platform.files.unreadable.insert(kDat);
  gDataFile.Load(kDat);
  EXPECT_EQ(std::tuple(platform.Shown(msg::kDataReadFailed), gFindReplace.findHistory.Newest(), CustomColors()[0]),
            std::tuple(true, "kept", 0xFFFFFFu));
  platform.files.uncreatable.insert(kDat);
  EXPECT_FALSE(gDataFile.Save(kDat));
  EXPECT_EQ(platform.CountShown(msg::kDataWriteFailed), 2u);
}

}  // namespace
}  // namespace quarn
