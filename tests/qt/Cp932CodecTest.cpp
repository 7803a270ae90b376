#include "platform/Cp932Codec.h"

#include <gtest/gtest.h>

namespace quarn::codec {
namespace {

template <typename Text>
Text Repeated(const Text& text, int times) {
  Text out;
  for (int i = 0; i < times; ++i) out += text;
  return out;
}

TEST(Cp932CodecTest, CharactersConvertBothWays) {
  std::string ascii;
  for (int b = 0; b < 0x80; ++b) ascii += char(b);
  EXPECT_EQ(Cp932ToUtf8(ascii), ascii);
  EXPECT_EQ(Utf8ToCp932(ascii), ascii);
  struct Case {
    std::string cp932;
    std::u16string unicode;
  };
  const Case cases[] = {
      {"a\\b~", u"a\\b~"},  // backslash and tilde are kept
      {"\x93\xFA\x96\x7B\x8C\xEA", u"日本語"},
      {"\xB1\xDF", u"\uFF71\uFF9F"},          // half-width katakana
      {"\x95\x5C", u"表"},                    // trail byte 0x5C
      {"\x87\x40\x87\x54", u"\u2460\u2160"},  // NEC specials: circled 1, Roman I
      {"\xFA\x40", u"\u2170"},                // IBM extension: small Roman i
      {"\xFA\x5C", u"\u7E8A"},                // IBM extension kanji
      {"\x81\x60", u"\uFF5E"},                // wave dash as code page 932 maps it
      {"\x81\x5F", u"\uFF3C"},                // full-width backslash
      {Repeated<std::string>("\x82\xA0z", 20000), Repeated<std::u16string>(u"あz", 20000)},  // long texts whole
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.cp932.substr(0, 8));
    EXPECT_EQ(Cp932ToUtf16(c.cp932), c.unicode);
    EXPECT_EQ(Utf16ToCp932(c.unicode), c.cp932);
    EXPECT_EQ(Utf8ToCp932(Cp932ToUtf8(c.cp932)), c.cp932);
  }
  // The NEC-selected copy of an IBM kanji reads as the same character.
  EXPECT_EQ(Cp932ToUtf16("\xED\x40"), u"\u7E8A");
  // The JIS wave dash is written as the code page's 0x8160.
  EXPECT_EQ(Utf16ToCp932(u"\u301C"), "\x81\x60");
}

TEST(Cp932CodecTest, WhatTheOtherSideCannotHoldBecomesOneMarkEach) {
  EXPECT_EQ(Utf16ToCp932(u"a\u00E9b"), "a?b");
  EXPECT_EQ(Utf16ToCp932(u"x\U0001F600y"), "x?y");    // one ? for a surrogate pair
  EXPECT_EQ(Utf8ToCp932("x\xF0\x9F\x98\x80y"), "x?y");  // and for a 4-byte sequence
  EXPECT_EQ(Utf8ToCp932("\xD0\x96\xE6\x97\xA5"), "\x84\x47\x93\xFA");  // Cyrillic is in CP932
  EXPECT_EQ(Utf8ToCp932("a\xFF\x80z"), "a??z");        // stray bytes of broken UTF-8
  EXPECT_EQ(Utf8ToCp932("end\xE6\x97"), "end?");        // cut sequence at the end
  EXPECT_EQ(Utf16ToCp932(u"a\xD800"), "a?");            // lone surrogate at the end
  // Bytes that are no character become one replacement character each.
  EXPECT_EQ(Cp932ToUtf16("a\x85\x40" "b"), u"a\uFFFDb");  // unassigned pair
  EXPECT_EQ(Cp932ToUtf16("\x80\xA0\xFD"), u"\uFFFD\uFFFD\uFFFD");
  EXPECT_EQ(Cp932ToUtf16("ok\x82"), u"ok\uFFFD");  // lead byte at the very end
  EXPECT_EQ(Cp932ToUtf8("\x82" "\x0A" "x"), "\xEF\xBF\xBD\nx");  // lead byte before a non-trail byte
  EXPECT_EQ(Cp932ToUtf16(std::string("a\0b", 3)), std::u16string(u"a\0b", 3));
  EXPECT_EQ(Cp932ToUtf16(""), u"");
}

}  // namespace
}  // namespace quarn::codec
