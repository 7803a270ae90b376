// CP932 text converted both ways, and the system clipboard.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>

#include "platform/Cp932Codec.h"
#include "qt/QtClipboard.h"

namespace quarn::codec {
namespace {

// Characters convert both ways; what the other side cannot hold becomes one
// mark each.
TEST(Cp932CodecTest, CharactersConvertBothWays) {
  struct Case {
    std::string cp932;
    std::u16string unicode;
  };
  const Case cases[] = {
      {"a\\b~", u"a\\b~"},  // backslash and tilde are kept
      {"\x95\x5C", u"表"},                    // trail byte 0x5C
      {"\x87\x40\x87\x54", u"\u2460\u2160"},  // NEC specials: circled 1, Roman I
      {"\xFA\x5C", u"\u7E8A"},                // IBM extension kanji
      {"\x81\x60", u"\uFF5E"},                // wave dash as code page 932 maps it
      {std::string(20000, 'z'), std::u16string(20000, u'z')},  // long texts whole
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
}

}  // namespace
}  // namespace quarn::codec

namespace quarn::qt {
namespace {

// Text keeps its exact bytes inside the program and reaches other programs
// as Unicode; raw bytes travel beside it until another program replaces it.
TEST(QtClipboardTest, TextAndRawBytesRoundTripUntilAnotherProgramReplacesThem) {
  QtClipboard clipboard;
  const char* const kJapanese = "バイナリ\\編集~ｶﾅ①";
  struct Case {
    std::string set, back;
    const char* others;  // what other programs read, UTF-8; null: not checked
  };
  const Case cases[] = {
      {codec::Utf8ToCp932(kJapanese), codec::Utf8ToCp932(kJapanese), kJapanese},
      {std::string("A\x81\x20" "B\xFF", 5), std::string("A\x81\x20" "B\xFF", 5), nullptr},  // no characters
      {std::string("AB\0CD", 5), "AB", "AB"},  // the text ends at its first NUL
  };
  std::string text;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.back);
    ASSERT_TRUE(clipboard.setText(c.set));
    EXPECT_TRUE(clipboard.hasText());
    if (c.others) {
      EXPECT_EQ(QGuiApplication::clipboard()->text(), QString::fromUtf8(c.others));
    }
    ASSERT_TRUE(clipboard.getText(text));
    EXPECT_EQ(text, c.back);
  }
  const std::vector<std::uint8_t> raw = {0x41, 0x00, 0x42, 0xFF, 0x00};
  ASSERT_TRUE(clipboard.setTextWithData("AB\xFF", "binary", raw));
  std::vector<std::uint8_t> bytes;
  ASSERT_TRUE(clipboard.getData("binary", bytes));
  EXPECT_EQ(bytes, raw);
  EXPECT_FALSE(clipboard.getData("other", bytes));
  ASSERT_TRUE(clipboard.getText(text));
  EXPECT_EQ(text, "AB\xFF");
  ASSERT_TRUE(clipboard.setText("plain"));
  EXPECT_FALSE(clipboard.getData("binary", bytes));
  // Text of another program is converted; what CP932 lacks becomes "?".
  clipboard.setTextWithData("old", "binary", {1, 2, 3});
  QGuiApplication::clipboard()->setText(QString::fromUtf8("日本語 ☃ text"));
  ASSERT_TRUE(clipboard.getText(text));
  EXPECT_EQ(text, codec::Utf8ToCp932("日本語 ? text"));
  EXPECT_FALSE(clipboard.getData("binary", bytes));  // replaced with the rest
  QGuiApplication::clipboard()->clear();
  EXPECT_FALSE(clipboard.hasText());
  EXPECT_FALSE(clipboard.getText(text));
}

}  // namespace
}  // namespace quarn::qt
