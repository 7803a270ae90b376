// The system clipboard through the Qt clipboard: CP932 text with Japanese
// characters, the exact bytes inside the program, text from other programs,
// and raw bytes under a private format.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>

#include "platform/Cp932Codec.h"
#include "qt/QtClipboard.h"

namespace quarn::qt {
namespace {

TEST(QtClipboardTest, TextRoundTripsWithItsExactBytesAndReachesOtherProgramsAsUnicode) {
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
  for (const Case& c : cases) {
    SCOPED_TRACE(c.back);
    ASSERT_TRUE(clipboard.setText(c.set));
    EXPECT_TRUE(clipboard.hasText());
    if (c.others) {
      EXPECT_EQ(QGuiApplication::clipboard()->text(), QString::fromUtf8(c.others));
    }
    std::string back;
    ASSERT_TRUE(clipboard.getText(back));
    EXPECT_EQ(back, c.back);
  }
}

TEST(QtClipboardTest, RawBytesTravelBesideTheTextUntilAnotherProgramReplacesIt) {
  QtClipboard clipboard;
  const std::vector<std::uint8_t> raw = {0x41, 0x00, 0x42, 0xFF, 0x00};
  ASSERT_TRUE(clipboard.setTextWithData("AB\xFF", "binary", raw));
  std::vector<std::uint8_t> bytes;
  ASSERT_TRUE(clipboard.getData("binary", bytes));
  EXPECT_EQ(bytes, raw);
  EXPECT_FALSE(clipboard.getData("other", bytes));
  std::string text;
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
