// The system clipboard through the Qt clipboard: CP932 text with Japanese
// characters, the exact bytes inside the program, text from other programs,
// and raw bytes under a private format.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "platform/Cp932Codec.h"
#include "qt/QtClipboard.h"

namespace quarn::qt {
namespace {

TEST(QtClipboardTest, JapaneseTextRoundTripsAndReachesOtherProgramsAsUnicode) {
  QtClipboard clipboard;
  const std::string text = codec::Utf8ToCp932("バイナリ\\編集~ｶﾅ①");
  ASSERT_TRUE(clipboard.setText(text));
  EXPECT_TRUE(clipboard.hasText());
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QString::fromUtf8("バイナリ\\編集~ｶﾅ①"));
  std::string back;
  ASSERT_TRUE(clipboard.getText(back));
  EXPECT_EQ(back, text);
}

TEST(QtClipboardTest, BytesThatAreNoCharacterSurviveInsideTheProgram) {
  QtClipboard clipboard;
  const std::string odd("A\x81\x20" "B\xFF", 5);  // a lead byte without a trail byte, 0xFF
  ASSERT_TRUE(clipboard.setText(odd));
  std::string back;
  ASSERT_TRUE(clipboard.getText(back));
  EXPECT_EQ(back, odd);
}

TEST(QtClipboardTest, TextEndsAtItsFirstNul) {
  QtClipboard clipboard;
  ASSERT_TRUE(clipboard.setText(std::string("AB\0CD", 5)));
  std::string back;
  ASSERT_TRUE(clipboard.getText(back));
  EXPECT_EQ(back, "AB");
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "AB");
}

TEST(QtClipboardTest, TextOfAnotherProgramIsConvertedAndUnmappableCharactersBecomeQuestionMarks) {
  QtClipboard clipboard;
  clipboard.setTextWithData("old", "binary", {1, 2, 3});
  QGuiApplication::clipboard()->setText(QString::fromUtf8("日本語 ☃ text"));
  std::string back;
  ASSERT_TRUE(clipboard.getText(back));
  EXPECT_EQ(back, codec::Utf8ToCp932("日本語 ? text"));
  std::vector<std::uint8_t> bytes;
  EXPECT_FALSE(clipboard.getData("binary", bytes));  // replaced with the rest

  QGuiApplication::clipboard()->clear();
  EXPECT_FALSE(clipboard.hasText());
  EXPECT_FALSE(clipboard.getText(back));
}

TEST(QtClipboardTest, RawBytesTravelBesideTheText) {
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
}

}  // namespace
}  // namespace quarn::qt
