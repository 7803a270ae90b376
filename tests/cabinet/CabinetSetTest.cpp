#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "core/cabinet/BuiltinKeywords.h"
#include "core/cabinet/DocTypeSettings.h"
#include "core/cabinet/FilterList.h"
#include "core/cabinet/KeywordTable.h"
#include "core/cabinet/StandardFonts.h"
#include "core/res/Texts.h"
#include "platform/Cp932Codec.h"

namespace quarn {
namespace {

// Every built-in type's stored record, written out from the table of defaults
// independently of the struct: stored cabinets and users rely on these values.
TEST(DocTypeSettings, BuiltinRecordsAreStoredFieldByFieldLittleEndian) {
  for (int type = 0; type < kDocTypeCount; ++type) {
    const std::uint32_t source = type != 0;
    const std::uint32_t ints[26] = {source ? 128u : 80u, 4, source, 0, 0, 1, 0, 1, source, 0, 1, 1,
                                    std::uint32_t(type), 0x80008000u, 0x80808000u, 0xFF0000u, 0x0000FFu, 0xFF0000u,
                                    0xFF0000u, 0xC0C0C0u, 0x008000u, 0x000000u, 0xFFFFFFu, 0x80808000u, 0, 0};
    std::array<std::uint8_t, DocTypeSettings::kSize> expected{};
    for (int i = 0; i < 26; ++i) PutLe32(expected.data() + i * 4, ints[i]);
    std::uint8_t* font = expected.data() + 104;
    PutLe32(font, 14);       // height
    PutLe32(font + 16, 400);  // weight
    for (auto [at, value] : {std::pair{23, 128}, {24, 1}, {25, 2}, {26, 1}, {27, 49}}) font[at] = std::uint8_t(value);
    const std::string face = "Fixedsys";
    std::copy(face.begin(), face.end(), font + 28);
    const DocTypeSettings r = BuiltinDocType(type);
    EXPECT_EQ(r.ToBytes(), expected) << "type " << type;
    EXPECT_EQ(DocTypeSettings::FromBytes(r.ToBytes().data()), r);
  }
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
  // The first run's record differs from type 0 in the width and the end-of-line mark.
  DocTypeSettings initial = BuiltinDocType(0);
  initial.CharsPerLine = 250;
  initial.ShowEolMark = 0;
  EXPECT_EQ(InitialDocType(), initial);
  EXPECT_EQ(BuiltinDocType(7), BuiltinDocType(0));
  EXPECT_EQ(codec::Cp932ToUtf8(DocTypeName(-3)), "一般文書");
}

TEST(StandardFonts, TableEntriesAndDeviceHeights) {
  const LogFont gothic = StandardFont(kFontGothic);
  EXPECT_EQ(gothic.face(), std::string("\x82\x6c\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4e"));
  EXPECT_EQ(std::tuple(gothic.height, gothic.weight, gothic.outPrecision, gothic.clipPrecision),
            std::tuple(0, 400, 3, 2));
  const LogFont arial = StandardFont(kFontArial);
  EXPECT_EQ(std::tuple(arial.face(), arial.charSet, arial.quality, arial.pitchAndFamily),
            std::tuple(std::string("Arial"), 0, 1, 34));
  EXPECT_EQ(StandardFont(9), StandardFont(0));
  // Status bar, tab bar and rulers at 96 and 120 dpi.
  EXPECT_EQ(MakeStandardFont(kFontGothic, 10, 96).height, -13);
  EXPECT_EQ(MakeStandardFont(kFontPGothic, 9, 96).height, -12);
  EXPECT_EQ(MakeStandardFont(kFontArial, 7, 120).height, -11);
}

TEST(KeywordTable, BuiltinClassesAndTheTablesLimits) {
  ASSERT_EQ(CKeywords().size() + CppKeywords().size(), 81u + 15u);
  std::set<std::string_view> all;
  for (auto table : {CKeywords(), CppKeywords()})
    for (const KeywordEntry& k : table) {
      EXPECT_EQ(k.length, std::char_traits<char>::length(k.text.data())) << k.view();
      EXPECT_TRUE(all.insert(k.view()).second) << "twice: " << k.view();
    }
  KeywordTable table;
  for (const auto& [word, added] : {std::pair(std::string(30, 'k'), true), std::pair(std::string(31, 'k'), false),
                                    std::pair(std::string(), false), std::pair(std::string("\x82\xa0\x82\xa2"), true)})
    EXPECT_EQ(table.Add(word), added) << word;
  for (int i = 2; i < 200; ++i) ASSERT_TRUE(table.Add("w" + std::to_string(i)));
  EXPECT_FALSE(table.Add("one more"));
}

TEST(FilterList, ParsingStepsOverDoubleByteCharactersAndStopsSafely) {
  const FilterList c = FilterList::Builtin(kDocTypeC);
  ASSERT_EQ(c.Count(), 6u);
  EXPECT_EQ(c.At(5), (FilterPair{codec::Utf8ToCp932("すべてのﾌｧｲﾙ(*.*)"), "*.*"}));
  EXPECT_EQ(FilterList::Builtin(kDocTypeCpp).DialogFilter(), texts::kFilterCpp);
  // "ポ" is 0x83 0x7C: its trail byte is "|" and must not end the title.
  const FilterList list = FilterList::Parse("\x83\x7C(*.p)|*.p||ignored|*.x||");
  ASSERT_EQ(list.Count(), 1u);
  EXPECT_EQ(list.At(0).title, "\x83\x7C(*.p)");
  std::string eleven;
  for (int i = 0; i < 11; ++i) eleven += "t" + std::to_string(i) + "|*." + std::to_string(i) + "|";
  const FilterList capped = FilterList::Parse(eleven + "|");
  ASSERT_EQ(capped.Count(), FilterList::kMaxPairs);
  EXPECT_EQ(capped.At(9).patterns, "*.9");
  // Unterminated or broken texts give what is complete, never more.
  EXPECT_EQ(FilterList::Parse("title only").Count(), 0u);
  EXPECT_EQ(FilterList::Parse("").Count(), 0u);
  EXPECT_EQ(FilterList::Parse("|a|b||").Count(), 0u);
  EXPECT_EQ(FilterList::Parse("a|b").At(0).patterns, "b");
  const FilterList lead = FilterList::Parse("a|\x83");  // a lead byte at the very end
  ASSERT_EQ(lead.Count(), 1u);
  EXPECT_EQ(lead.At(0).patterns, "\x83");
  FilterList full = capped;
  EXPECT_FALSE(full.Add({"x", "*.x"}));
  EXPECT_EQ(full, capped);
  EXPECT_EQ(FilterList().DialogFilter(), "|");
}

}  // namespace
}  // namespace quarn
