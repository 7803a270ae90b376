#include "platform/FileNames.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>
#include <vector>

namespace quarn::names {
namespace {

bool InUserArea(const std::string& cp932, std::size_t at) {
  return at + 1 < cp932.size() && std::uint8_t(cp932[at]) >= 0xF0 && std::uint8_t(cp932[at]) <= 0xF9;
}

struct NameCase {
  const char* os;        // bytes on disk
  const char* cp932;     // the program's form, when fixed by CP932
  const char16_t* shown;  // what a title shows
};

TEST(FileNamesTest, NamesComeBackByteForByteAndShowTheirOwnCharacters) {
  const NameCase cases[] = {
      {"/tmp/plain.txt", "/tmp/plain.txt", u"/tmp/plain.txt"},
      {"\xE6\x97\xA5\xE6\x9C\xAC.txt", "\x93\xFA\x96\x7B.txt", u"日本.txt"},
      {"\xEF\xBD\xB1\xE3\x83\xBC\xE2\x80\x95", "\xB1\x81\x5B\x81\x5C", u"ｱー―"},
      {"caf\xC3\xA9.bin", nullptr, u"café.bin"},
      {"\xF0\x9F\x98\x80-\xF0\x9F\x93\x81", nullptr, u"😀-📁"},
      {"a\xFF\xFE" "b", nullptr, u"a\uFFFD\uFFFDb"},
      {"\xC3\xA9\xC3", nullptr, u"é\uFFFD"},            // a sequence cut short
      {"\xED\xA0\x80", nullptr, u"\uFFFD\uFFFD\uFFFD"},  // an encoded surrogate is no character
      {"\xC2\xA5" "100", nullptr, u"¥100"},              // CP932 would give a backslash back
      {"\xEE\x80\x80\xEE\x9D\x97", nullptr, u"\uE000\uE757"},
  };
  for (const NameCase& c : cases) {
    const std::string cp932 = FromOs(c.os);
    if (c.cp932) {
      EXPECT_EQ(cp932, c.cp932) << c.os;
    }
    EXPECT_EQ(ToOs(cp932), c.os);
    EXPECT_EQ(ToDisplay(cp932), c.shown) << c.os;
    EXPECT_EQ(FromOs(ToOs(cp932)), cp932) << c.os;
  }
  // A character CP932 lacks takes one two-byte code: the byte limits of
  // the program's paths still hold about as many characters.
  const std::string e = FromOs("\xC3\xA9");
  ASSERT_EQ(e.size(), 2u);
  EXPECT_TRUE(InUserArea(e, 0));
}

TEST(FileNamesTest, UserDefinedCharactersNeverShareACodeWithAMappedOne) {
  const std::vector<std::string> names = {"\xC3\xA9", "\xEE\x80\x80", "\xEE\x80\x81", "\xFF", "\xC3\xBC"};
  std::set<std::string> codes;
  for (const std::string& n : names) codes.insert(FromOs(n));
  EXPECT_EQ(codes.size(), names.size());
  for (const std::string& n : names) EXPECT_EQ(FromOs(n), FromOs(n)) << "codes are kept for the process";
  // A code the table never gave out is the user-defined character itself.
  EXPECT_EQ(ToOs("\xF9\xFC"), "\xEE\x9D\x97");
}

// Random names built from pieces that exercise every path: ASCII, CP932
// characters, characters CP932 lacks, user-defined characters, stray and
// truncated bytes. The reference is the identity: each name comes back.
TEST(FileNamesTest, RandomByteNamesRoundTrip) {
  const std::vector<std::string> pieces = {
      "a", "/", ".", "\\", "~", "\xE6\x97\xA5", "\xEF\xBD\xB1", "\xC3\xA9", "\xC2\xA5", "\xE2\x80\xBE",
      "\xF0\x9F\x98\x80", "\xEE\x80\x80", "\xEE\x9D\x97", "\x80", "\xC3", "\xE6\x97", "\xFF", "\xF4\x90\x80\x80",
      "\xC0\xAF", "\xE3\x80\x9C", "\xEF\xBD\x9E", "\xE2\x88\x92", "\xEF\xBC\x8D"};
  std::mt19937 random(20240611);
  for (int round = 0; round < 3000; ++round) {
    std::string name;
    const int count = int(random() % 12);
    for (int i = 0; i < count; ++i) {
      if (random() % 5 == 0)
        name += char(1 + random() % 255);
      else
        name += pieces[random() % pieces.size()];
    }
    const std::string cp932 = FromOs(name);
    ASSERT_EQ(ToOs(cp932), name) << "round " << round;
    ASSERT_EQ(FromOs(ToOs(cp932)), cp932) << "round " << round;
    ASSERT_LE(cp932.size(), 2 * name.size()) << "round " << round;
  }
}

}  // namespace
}  // namespace quarn::names
