#include "platform/Cp932Codec.h"

#include <gtest/gtest.h>

namespace quarn::codec {
namespace {

TEST(Cp932CodecTest, AsciiBackslashAndTildeAreKept) {
  std::string ascii;
  for (int b = 0; b < 0x80; ++b) ascii += char(b);
  EXPECT_EQ(Cp932ToUtf8(ascii), ascii);
  EXPECT_EQ(Utf8ToCp932(ascii), ascii);
  EXPECT_EQ(Cp932ToUtf16("a\\b~"), u"a\\b~");
  EXPECT_EQ(Utf16ToCp932(u"C:\\dir~"), "C:\\dir~");
}

TEST(Cp932CodecTest, JapaneseAndExtensionCharacters) {
  struct Case {
    const char* cp932;
    const char16_t* unicode;
  };
  const Case cases[] = {
      {"\x93\xFA\x96\x7B\x8C\xEA", u"日本語"},
      {"\xB1\xDF", u"\uFF71\uFF9F"},  // half-width katakana
      {"\x95\x5C", u"表"},            // trail byte 0x5C
      {"\x87\x40\x87\x54", u"\u2460\u2160"},  // NEC specials: circled 1, Roman I
      {"\xFA\x40", u"\u2170"},                // IBM extension: small Roman i
      {"\xFA\x5C", u"\u7E8A"},                // IBM extension kanji
      {"\x81\x60", u"\uFF5E"},                // wave dash as code page 932 maps it
      {"\x81\x5F", u"\uFF3C"},                // full-width backslash
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.cp932);
    EXPECT_EQ(Cp932ToUtf16(c.cp932), c.unicode);
    EXPECT_EQ(Utf16ToCp932(c.unicode), c.cp932);
    EXPECT_EQ(Utf8ToCp932(Cp932ToUtf8(c.cp932)), c.cp932);
  }
  // The NEC-selected copy of an IBM kanji reads as the same character.
  EXPECT_EQ(Cp932ToUtf16("\xED\x40"), u"\u7E8A");
  // The JIS wave dash is written as the code page's 0x8160.
  EXPECT_EQ(Utf16ToCp932(u"\u301C"), "\x81\x60");
}

TEST(Cp932CodecTest, CharactersCp932CannotHoldBecomeQuestionMarks) {
  EXPECT_EQ(Utf16ToCp932(u"a\u00E9b"), "a?b");
  EXPECT_EQ(Utf16ToCp932(u"x\U0001F600y"), "x?y");    // one ? for a surrogate pair
  EXPECT_EQ(Utf8ToCp932("x\xF0\x9F\x98\x80y"), "x?y");  // and for a 4-byte sequence
  EXPECT_EQ(Utf8ToCp932("\xD0\x96\xE6\x97\xA5"), "\x84\x47\x93\xFA");  // Cyrillic is in CP932
  EXPECT_EQ(Utf8ToCp932("a\xFF\x80z"), "a??z");        // stray bytes of broken UTF-8
  EXPECT_EQ(Utf8ToCp932("end\xE6\x97"), "end?");        // cut sequence at the end
  EXPECT_EQ(Utf16ToCp932(u"a\xD800"), "a?");            // lone surrogate at the end
}

TEST(Cp932CodecTest, BytesThatAreNoCharacterBecomeOneReplacementEach) {
  EXPECT_EQ(Cp932ToUtf16("a\x85\x40" "b"), u"a\uFFFDb");  // unassigned pair
  EXPECT_EQ(Cp932ToUtf16("\x80\xA0\xFD"), u"\uFFFD\uFFFD\uFFFD");
  EXPECT_EQ(Cp932ToUtf16("ok\x82"), u"ok\uFFFD");  // lead byte at the very end
  EXPECT_EQ(Cp932ToUtf8("\x82" "\x0A" "x"), "\xEF\xBF\xBD\nx");  // lead byte before a non-trail byte
  EXPECT_EQ(Cp932ToUtf16(std::string("a\0b", 3)), std::u16string(u"a\0b", 3));
  EXPECT_EQ(Cp932ToUtf16(""), u"");
}

TEST(Cp932CodecTest, LongTextsConvertWhole) {
  std::string cp932;
  std::u16string unicode;
  for (int i = 0; i < 20000; ++i) {
    cp932 += "\x82\xA0z";  // あz
    unicode += u"あz";
  }
  EXPECT_EQ(Cp932ToUtf16(cp932), unicode);
  EXPECT_EQ(Utf16ToCp932(unicode), cp932);
  EXPECT_EQ(Utf8ToCp932(Cp932ToUtf8(cp932)), cp932);
}

}  // namespace
}  // namespace quarn::codec
