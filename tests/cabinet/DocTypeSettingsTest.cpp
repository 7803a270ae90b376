#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <set>
#include <string>

#include "core/cabinet/BuiltinKeywords.h"
#include "core/cabinet/DocTypeSettings.h"
#include "core/cabinet/KeywordTable.h"
#include "core/cabinet/StandardFonts.h"
#include "platform/Cp932Codec.h"

namespace quarn {
namespace {

using Record = std::array<std::uint8_t, DocTypeSettings::kSize>;

// The stored form of a built-in record, written out field by field from the
// table of defaults, independently of the struct.
Record ExpectedBuiltin(int type) {
  const bool source = type != 0;
  const std::uint32_t ints[26] = {
      source ? 128u : 80u, 4, source ? 1u : 0u, 0, 0, 1, 0, 1, source ? 1u : 0u, 0, 1, 1,
      std::uint32_t(type), 0x80008000u, 0x80808000u, 0xFF0000u, 0x0000FFu, 0xFF0000u,
      0xFF0000u, 0xC0C0C0u, 0x008000u, 0x000000u, 0xFFFFFFu, 0x80808000u, 0, 0};
  Record r{};
  for (int i = 0; i < 26; ++i) PutLe32(r.data() + i * 4, ints[i]);
  std::uint8_t* font = r.data() + 104;
  PutLe32(font + 0, 14);
  PutLe32(font + 16, 400);
  font[23] = 128;  // Shift_JIS
  font[24] = 1;
  font[25] = 2;
  font[26] = 1;
  font[27] = 49;
  const std::string face = "Fixedsys";
  std::copy(face.begin(), face.end(), font + 28);
  return r;
}

TEST(DocTypeSettings, BuiltinRecordsAreStoredFieldByFieldLittleEndian) {
  for (int type = 0; type < kDocTypeCount; ++type) {
    const DocTypeSettings r = BuiltinDocType(type);
    EXPECT_EQ(r.ToBytes(), ExpectedBuiltin(type)) << "type " << type;
    EXPECT_EQ(DocTypeSettings::FromBytes(r.ToBytes().data()), r);
  }
  EXPECT_EQ(BuiltinDocType(7), BuiltinDocType(0));
  EXPECT_EQ(BuiltinDocType(-1), BuiltinDocType(0));
}

TEST(DocTypeSettings, InitialRecordDiffersFromTypeZeroInTwoFields) {
  const Record initial = InitialDocType().ToBytes();
  const Record general = BuiltinDocType(0).ToBytes();
  std::set<std::size_t> differing;
  for (std::size_t i = 0; i < initial.size(); ++i)
    if (initial[i] != general[i]) differing.insert(i / 4);
  EXPECT_EQ(differing, (std::set<std::size_t>{0, 5}));  // CharsPerLine, ShowEolMark
  EXPECT_EQ(InitialDocType().CharsPerLine, 250);
  EXPECT_EQ(InitialDocType().ShowEolMark, 0);
}

TEST(DocTypeSettings, NumberedFieldsReachTheFontsLeadingIntegers) {
  DocTypeSettings r = BuiltinDocType(1);
  EXPECT_EQ(r.Field(1), 128u);
  EXPECT_EQ(r.Field(14), 0x80008000u);
  EXPECT_EQ(r.Field(27), 14u);   // font height
  EXPECT_EQ(r.Field(31), 400u);  // font weight
  EXPECT_EQ(r.Field(0), 0u);
  EXPECT_EQ(r.Field(32), 0u);
  r.SetField(20, 0x123456);
  r.SetField(28, 9);
  r.SetField(32, 77);  // outside the numbered fields: nothing changes
  EXPECT_EQ(r.TabColor, 0x123456u);
  EXPECT_EQ(r.Font.width, 9);
  EXPECT_EQ(r.Font.face(), "Fixedsys");
  // Negative values survive the unsigned form.
  r.SetField(4, 0xFFFFFFFFu);
  EXPECT_EQ(r.LineSpacing, -1);
}

TEST(StandardFonts, TableEntriesAndDeviceHeights) {
  const LogFont gothic = StandardFont(kFontGothic);
  EXPECT_EQ(codec::Cp932ToUtf8(gothic.face()), "ＭＳ ゴシック");
  EXPECT_EQ(gothic.face(), std::string("\x82\x6c\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4e"));
  EXPECT_EQ(gothic.height, 0);
  EXPECT_EQ(gothic.weight, 400);
  EXPECT_EQ(gothic.outPrecision, 3);
  EXPECT_EQ(gothic.clipPrecision, 2);
  const char* faces[kStandardFontCount] = {"ＭＳ 明朝", "ＭＳ ゴシック", "標準明朝", "標準ゴシック",
                                           "Arial", "ＭＳ Ｐゴシック", "ＭＳ Ｐ明朝"};
  const int charSets[] = {128, 128, 128, 128, 0, 128, 128};
  const int qualities[] = {1, 1, 0, 0, 1, 1, 1};
  const int pitches[] = {17, 49, 17, 49, 34, 50, 18};
  for (int e = 0; e < kStandardFontCount; ++e) {
    const LogFont f = StandardFont(e);
    EXPECT_EQ(codec::Cp932ToUtf8(f.face()), faces[e]) << e;
    EXPECT_EQ(f.charSet, charSets[e]) << e;
    EXPECT_EQ(f.quality, qualities[e]) << e;
    EXPECT_EQ(f.pitchAndFamily, pitches[e]) << e;
  }
  EXPECT_EQ(StandardFont(9), StandardFont(0));
  // Status bar, tab bar and rulers at 96 and 120 dpi.
  EXPECT_EQ(MakeStandardFont(kFontGothic, 10, 96).height, -13);
  EXPECT_EQ(MakeStandardFont(kFontPGothic, 9, 96).height, -12);
  EXPECT_EQ(MakeStandardFont(kFontArial, 7, 120).height, -11);
  EXPECT_EQ(MakeStandardFont(kFontArial, 7, 120).face(), "Arial");
}

TEST(BuiltinKeywords, ClassesHoldTheirWordsWithLengths) {
  ASSERT_EQ(CKeywords().size(), 81u);
  ASSERT_EQ(CppKeywords().size(), 15u);
  std::set<std::string_view> all;
  for (auto table : {CKeywords(), CppKeywords()}) {
    for (const KeywordEntry& k : table) {
      EXPECT_EQ(k.length, std::char_traits<char>::length(k.text.data())) << k.view();
      EXPECT_TRUE(all.insert(k.view()).second) << "twice: " << k.view();
    }
  }
  EXPECT_EQ(CKeywords().front().view(), "__asm");
  EXPECT_EQ(CKeywords().back().view(), "_saveregs");
  EXPECT_TRUE(all.count("#define") && all.count("#ifndef") && all.count("volatile"));
  EXPECT_EQ(CppKeywords().back().view(), "__virtual_inheritance");
}

TEST(KeywordTable, KeepsUpTo200WordsOfAtMost30Bytes) {
  KeywordTable table;
  EXPECT_TRUE(table.Add(std::string(30, 'k')));
  EXPECT_FALSE(table.Add(std::string(31, 'k')));
  EXPECT_FALSE(table.Add(""));
  EXPECT_TRUE(table.Add("\x82\xa0\x82\xa2"));
  for (int i = 2; i < 200; ++i) ASSERT_TRUE(table.Add("w" + std::to_string(i)));
  EXPECT_FALSE(table.Add("one more"));
  EXPECT_EQ(table.Count(), 200u);
  EXPECT_EQ(table.At(0).size(), 30u);
  EXPECT_EQ(table.At(199), "w199");
}

}  // namespace
}  // namespace quarn
