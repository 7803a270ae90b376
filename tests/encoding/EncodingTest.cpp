// CP932 character walking and file names between the system's bytes and the program's CP932 form.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/encoding/Cp932.h"
#include "core/res/StringTable.h"
#include "platform/FileNames.h"

namespace quarn::names {
namespace {

TEST(Cp932, ClassifiesBytesAndWalksCharactersWithoutTakingTrailBytesForStarts) {
  const std::pair<std::uint8_t, bool> leads[] = {{0x80, false}, {0x81, true}, {0x9F, true}, {0xA0, false},
                                                 {0xDF, false}, {0xE0, true}, {0xFC, true}, {0xFD, false}};
  for (auto [b, lead] : leads) EXPECT_EQ(cp932::IsLeadByte(b), lead) << int(b);
  EXPECT_TRUE(cp932::IsHalfWidthKana(0xA1) && cp932::IsHalfWidthKana(0xDF));
  EXPECT_TRUE(cp932::IsTrailByte(0x5C) && !cp932::IsTrailByte(0x7F));
  // "ソ" is 0x83 0x5C: its trail byte is a backslash.
  const std::string s = "a\x83\x5C\\b";
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(s.data());
  EXPECT_EQ(std::tuple(cp932::CharCount(s), cp932::FindChar(s, '\\'), cp932::FindLastChar(s, '\\'),
                       cp932::PrevChar(bytes, s.size(), 3), cp932::NextChar(s, 1)),
            std::tuple(4u, 3u, 3u, 1u, 3u));
  // A lead byte at the very end is walked as one byte.
  EXPECT_EQ(cp932::NextChar(std::string("a\x83"), 1), 2u);
  EXPECT_TRUE(LoadString(1).empty()) << "an unknown message";
}

// The two bytes of user-defined code n (0 is 0xF040, 1879 is 0xF9FC).
std::string Code(unsigned n) {
  const unsigned trail = n % 188;
  return {char(0xF0 + n / 188), char(trail < 63 ? 0x40 + trail : 0x80 + trail - 63)};
}

TEST(FileNamesTest, NamesComeBackByteForByteAndShowTheirOwnCharacters) {
  // Bytes on disk, the program's form when fixed by CP932 or stored, what a title shows.
  const std::tuple<const char*, const char*, const char16_t*> cases[] = {
      {"/tmp/plain.txt", "/tmp/plain.txt", u"/tmp/plain.txt"},
      {"\xE6\x97\xA5\xE6\x9C\xAC.txt", "\x93\xFA\x96\x7B.txt", u"日本.txt"},
      {"\xEF\xBD\xB1\xE3\x83\xBC\xE2\x80\x95", "\xB1\x81\x5B\x81\x5C", u"ｱー―"},
      // A character CP932 lacks has the same stored form in every run and version: cabinets hold it.
      {"caf\xC3\xA9.bin", "caf\xF9\xD8\xF1\x6D.bin", u"café.bin"},
      {"\xF0\x9F\x98\x80-\xF0\x9F\x93\x81", nullptr, u"😀-📁"},
      {"a\xFF\xFE" "b", nullptr, u"a\uFFFD\uFFFDb"},
      {"\xC3\xA9\xC3", nullptr, u"é\uFFFD"},            // a sequence cut short
      {"\xED\xA0\x80", nullptr, u"\uFFFD\uFFFD\uFFFD"},  // an encoded surrogate is no character
      {"\xC2\xA5" "100", nullptr, u"¥100"},              // CP932 would give a backslash back
      {"\xEE\x80\x80\xEE\x9D\x97", nullptr, u"\uE000\uE757"},  // user-defined characters
      {"\xF4\x8F\xBF\xBF", nullptr, u"\U0010FFFF"},
  };
  for (const auto& [os, form, shown] : cases) {
    const std::string cp932 = FromOs(os);
    EXPECT_EQ(cp932, form ? form : cp932) << os;
    EXPECT_EQ(std::tuple(Decodable(cp932), ToOs(cp932), ToDisplay(cp932)), std::tuple(true, os, shown)) << os;
  }
}

// Forms no run writes (codes of an earlier version's per-run table, a sequence cut short, sequences
// spelling a character CP932 holds, a surrogate or a value past U+10FFFF) lead to no other file.
TEST(FileNamesTest, CodesThatSpellNothingReachNoFile) {
  const std::string cases[] = {
      Code(0) + ".txt",           Code(1) + Code(0),           Code(1843),
      "a" + Code(1843) + "b",     Code(1843) + Code(1843),     Code(1843) + Code(65),
      Code(1873) + Code(6),       Code(1879) + Code(569) + Code(0), Code(1879) + Code(3),
  };
  for (const std::string& c : cases) {
    EXPECT_EQ(std::tuple(Decodable(c), ToOs(c), ToDisplay(c).find(u'\uFFFD') != std::u16string::npos),
              std::tuple(false, "", true)) << testing::PrintToString(c);
  }
}

// Random names from ASCII, CP932 characters, characters CP932 lacks, user-defined characters, stray
// and truncated bytes: each comes back.
TEST(FileNamesTest, RandomByteNamesRoundTrip) {
  const std::vector<std::string> pieces = {
      "a", "/", ".", "\\", "~", "\xE6\x97\xA5", "\xEF\xBD\xB1", "\xC3\xA9", "\xC2\xA5", "\xE2\x80\xBE",
      "\xF0\x9F\x98\x80", "\xEE\x80\x80", "\xEE\x9D\x97", "\x80", "\xC3", "\xE6\x97", "\xFF", "\xF4\x90\x80\x80",
      "\xC0\xAF", "\xE3\x80\x9C", "\xEF\xBD\x9E", "\xE2\x88\x92", "\xEF\xBC\x8D", "\xF3\xA0\x80\x81"};
  std::mt19937 random(20240611);
  for (int round = 0; round < 3000; ++round) {
    std::string name;
    const int count = int(random() % 12);
    for (int i = 0; i < count; ++i)
      name += random() % 5 == 0 ? std::string(1, char(1 + random() % 255)) : pieces[random() % pieces.size()];
    const std::string cp932 = FromOs(name);
    ASSERT_EQ(ToOs(cp932), name) << "round " << round;
    ASSERT_EQ(FromOs(ToOs(cp932)), cp932) << "round " << round;
    ASSERT_LE(cp932.size(), 4 * name.size()) << "round " << round;
  }
}

// Random stored forms of plain characters and user-defined codes, as a damaged or hand-made file may
// hold: each names exactly one file, whose name converts back to a form naming it, or none.
TEST(FileNamesTest, RandomStoredFormsNameOneFileOrNone) {
  std::mt19937 random(7);
  int decodable = 0;
  for (int round = 0; round < 5000; ++round) {
    std::string cp932;
    const int count = 1 + int(random() % 6);
    for (int i = 0; i < count; ++i) {
      const unsigned kind = random() % 4;
      cp932 += kind == 0 ? std::string("x") : kind == 1 ? Code(1843 + random() % 37) : Code(random() % 1843);
    }
    const std::string os = ToOs(cp932);
    ASSERT_EQ(os.empty(), !Decodable(cp932)) << "round " << round;
    if (os.empty()) continue;
    ++decodable;
    ASSERT_EQ(ToOs(FromOs(os)), os) << "round " << round;
  }
  EXPECT_GT(decodable, 100);
}

}  // namespace
}  // namespace quarn::names
