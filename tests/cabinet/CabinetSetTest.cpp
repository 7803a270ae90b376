#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

#include "core/cabinet/DocTypeSettings.h"
#include "core/cabinet/FilterList.h"
#include "core/cabinet/KeywordTable.h"
#include "core/cabinet/StandardFonts.h"

namespace quarn {
namespace {

// Stored cabinets hold the record as little-endian integers, the numbered
// fields first, the font's face after its leading integers.
TEST(DocTypeSettings, RecordsAreStoredFieldByFieldLittleEndian) {
  DocTypeSettings r = BuiltinDocType(kDocTypeC);
  r.Font.setFace("Face");
  const auto bytes = r.ToBytes();
  for (int f = 1; f <= 31; ++f) EXPECT_EQ(GetLe32(bytes.data() + (f - 1) * 4), r.Field(f)) << f;
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes.data()) + 132), "Face");
  EXPECT_EQ(DocTypeSettings::FromBytes(bytes.data()), r);
}

TEST(DocTypeSettings, NumberedFieldsReachTheFontsLeadingIntegers) {
  DocTypeSettings r = BuiltinDocType(1);
  // Fields 27 and 31 are the font's height and weight; 0 and 32 are none.
  EXPECT_EQ((std::vector<std::uint32_t>{r.Field(1), r.Field(14), r.Field(27), r.Field(31), r.Field(0), r.Field(32)}),
            (std::vector<std::uint32_t>{128, 0x80008000u, 14, 400, 0, 0}));
  r.SetField(20, 0x123456);
  r.SetField(28, 9);
  r.SetField(32, 77);  // outside the numbered fields: nothing changes
  r.SetField(4, 0xFFFFFFFFu);  // negative values survive the unsigned form
  EXPECT_EQ(std::tuple(r.TabColor, r.Font.width, r.Font.face(), r.LineSpacing),
            std::tuple(0x123456u, 9, std::string("Fixedsys"), -1));
  // Unknown types and standard fonts fall back to the first.
  EXPECT_EQ(BuiltinDocType(7), BuiltinDocType(0));
  EXPECT_EQ(StandardFont(9), StandardFont(0));
}

TEST(KeywordTable, TheTablesLimits) {
  KeywordTable table;
  for (const auto& [word, added] : {std::pair(std::string(30, 'k'), true), std::pair(std::string(31, 'k'), false),
                                    std::pair(std::string(), false), std::pair(std::string("\x82\xa0\x82\xa2"), true)})
    EXPECT_EQ(table.Add(word), added) << word;
  for (int i = 2; i < 200; ++i) ASSERT_TRUE(table.Add("w" + std::to_string(i)));
  EXPECT_FALSE(table.Add("one more"));
}

TEST(FilterList, ParsingStepsOverDoubleByteCharactersAndStopsSafely) {
  // "ポ" is 0x83 0x7C: its trail byte is "|" and must not end the title.
  EXPECT_EQ(FilterList::Parse("\x83\x7C(*.p)|*.p||ignored|*.x||").Pairs(),
            (std::vector<FilterPair>{{"\x83\x7C(*.p)", "*.p"}}));
  std::string eleven;
  for (int i = 0; i < 11; ++i) eleven += "t" + std::to_string(i) + "|*." + std::to_string(i) + "|";
  const FilterList capped = FilterList::Parse(eleven + "|");
  ASSERT_EQ(capped.Count(), FilterList::kMaxPairs);
  EXPECT_EQ(capped.At(9).patterns, "*.9");
  // Unterminated or broken texts give what is complete, never more.
  EXPECT_EQ(FilterList::Parse("title only").Count(), 0u);
  EXPECT_EQ(FilterList::Parse("|a|b||").Count(), 0u);
  EXPECT_EQ(FilterList::Parse("a|b").At(0).patterns, "b");
  EXPECT_EQ(FilterList::Parse("a|\x83").Pairs(), (std::vector<FilterPair>{{"a", "\x83"}}));  // a lead byte last
  FilterList full = capped;
  EXPECT_FALSE(full.Add({"x", "*.x"}));
  EXPECT_EQ(full, capped);
}

}  // namespace
}  // namespace quarn
