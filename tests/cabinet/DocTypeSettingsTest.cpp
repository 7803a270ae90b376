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
  // Fields 27 and 31 are the font's height and weight; 0 and 32 are none.
  EXPECT_EQ((std::vector<std::uint32_t>{r.Field(1), r.Field(14), r.Field(27), r.Field(31), r.Field(0), r.Field(32)}),
            (std::vector<std::uint32_t>{128, 0x80008000u, 14, 400, 0, 0}));
  r.SetField(20, 0x123456);
  r.SetField(28, 9);
  r.SetField(32, 77);  // outside the numbered fields: nothing changes
  EXPECT_EQ(std::tuple(r.TabColor, r.Font.width, r.Font.face()), std::tuple(0x123456u, 9, std::string("Fixedsys")));
  // Negative values survive the unsigned form.
  r.SetField(4, 0xFFFFFFFFu);
  EXPECT_EQ(r.LineSpacing, -1);
}

TEST(StandardFonts, TableEntriesAndDeviceHeights) {
  const LogFont gothic = StandardFont(kFontGothic);
  EXPECT_EQ(codec::Cp932ToUtf8(gothic.face()), "ＭＳ ゴシック");
  EXPECT_EQ(gothic.face(), std::string("\x82\x6c\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4e"));
  EXPECT_EQ(std::tuple(gothic.height, gothic.weight, gothic.outPrecision, gothic.clipPrecision), std::tuple(0, 400, 3, 2));
  using Font = std::tuple<std::string, int, int, int>;  // face, character set, quality, pitch and family
  const Font fonts[kStandardFontCount] = {{"ＭＳ 明朝", 128, 1, 17},    {"ＭＳ ゴシック", 128, 1, 49},
                                         {"標準明朝", 128, 0, 17},     {"標準ゴシック", 128, 0, 49},
                                         {"Arial", 0, 1, 34},          {"ＭＳ Ｐゴシック", 128, 1, 50},
                                         {"ＭＳ Ｐ明朝", 128, 1, 18}};
  for (int e = 0; e < kStandardFontCount; ++e) {
    const LogFont f = StandardFont(e);
    EXPECT_EQ(Font(codec::Cp932ToUtf8(f.face()), f.charSet, f.quality, f.pitchAndFamily), fonts[e]) << e;
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
  for (const auto& [word, added] : {std::pair(std::string(30, 'k'), true), std::pair(std::string(31, 'k'), false),
                                    std::pair(std::string(), false), std::pair(std::string("\x82\xa0\x82\xa2"), true)})
    EXPECT_EQ(table.Add(word), added) << word;
  for (int i = 2; i < 200; ++i) ASSERT_TRUE(table.Add("w" + std::to_string(i)));
  EXPECT_FALSE(table.Add("one more"));
  EXPECT_EQ(table.Count(), 200u);
  EXPECT_EQ(table.At(0).size(), 30u);
  EXPECT_EQ(table.At(199), "w199");
}

}  // namespace
}  // namespace quarn
