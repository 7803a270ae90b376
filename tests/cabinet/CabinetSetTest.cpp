#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "core/cabinet/BuiltinKeywords.h"
#include "core/cabinet/CVeskCabinet.h"
#include "core/cabinet/DocTypeSettings.h"
#include "core/cabinet/KeywordTable.h"
#include "core/cabinet/StandardFonts.h"
#include "core/common/ProcessValues.h"
#include "core/common/Settings.h"
#include "core/document/CVeskDoc.h"
#include "core/res/Texts.h"
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
  EXPECT_EQ(std::tuple(gothic.height, gothic.weight, gothic.outPrecision, gothic.clipPrecision),
            std::tuple(0, 400, 3, 2));
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


std::string Sjis(const std::string& utf8) { return codec::Utf8ToCp932(utf8); }

TEST(FilterList, BuiltinStringsParseIntoPairsAndRebuildTheDialogFilter) {
  const FilterList c = FilterList::Builtin(kDocTypeC);
  ASSERT_EQ(c.Count(), 6u);
  EXPECT_EQ(c.At(0), (FilterPair{Sjis("ｿｰｽ(*.c)"), "*.c"}));
  EXPECT_EQ(c.At(3), (FilterPair{Sjis("ｱｾﾝﾌﾞﾗ(*.asm;*.inc)"), "*.asm;*.inc"}));
  EXPECT_EQ(c.At(5), (FilterPair{Sjis("すべてのﾌｧｲﾙ(*.*)"), "*.*"}));
  EXPECT_EQ(FilterList::Builtin(kDocTypeCpp).At(1).patterns, "*.h;*.hpp");
  for (int type = 0; type < kDocTypeCount; ++type) {
    const char* text = type == 0 ? texts::kFilterGeneral : type == 1 ? texts::kFilterC : texts::kFilterCpp;
    EXPECT_EQ(FilterList::Builtin(type).DialogFilter(), text) << type;
  }
  EXPECT_EQ(FilterList::Builtin(5), FilterList::Builtin(kDocTypeGeneral));
}

TEST(FilterList, ParsingStepsOverDoubleByteCharactersAndStopsSafely) {
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
  const FilterList open = FilterList::Parse("a|b");
  ASSERT_EQ(open.Count(), 1u);
  EXPECT_EQ(open.At(0).patterns, "b");
  const FilterList lead = FilterList::Parse("a|\x83");  // a lead byte at the very end
  ASSERT_EQ(lead.Count(), 1u);
  EXPECT_EQ(lead.At(0).patterns, "\x83");
  FilterList full = capped;
  EXPECT_FALSE(full.Add({"x", "*.x"}));
  EXPECT_EQ(full, capped);
  EXPECT_EQ(FilterList().DialogFilter(), "|");
}

TEST(CVeskCabinet, StartsWithTheInitialSetAndResetsToABuiltinType) {
  // A built-in set: no keywords, kinsoku off, both keyword switches on and
  // every type's filters.
  const CabinetSet cpp = CabinetSet::Builtin(kDocTypeCpp);
  EXPECT_EQ(std::tuple(cpp.keywords.Count(), cpp.kinsoku, cpp.wholeWord, cpp.caseSensitive), std::tuple(0u, 0, 1, 1));
  for (int t = 0; t < kDocTypeCount; ++t) EXPECT_EQ(cpp.filters[t], FilterList::Builtin(t));
  EXPECT_EQ(cpp.record, BuiltinDocType(kDocTypeCpp));
  CabinetSet initial = CabinetSet::Builtin(kDocTypeGeneral);
  initial.record = InitialDocType();
  CVeskCabinet cabinet;
  EXPECT_EQ(cabinet.Current(), initial);
  EXPECT_EQ(cabinet.Saved(), initial);
  EXPECT_EQ(cabinet.OpenDialogFilter(), texts::kFilterGeneral);
  KeywordTable words;
  words.Add("alpha");
  words.Add("beta");
  cabinet.Current().SetKeywords(words);
  cabinet.Current().kinsoku = 1;
  cabinet.Current().caseSensitive = 0;
  EXPECT_EQ(cabinet.Current().record.KeywordCount, 2);
  EXPECT_NE(cabinet.Current(), cabinet.Saved());
  cabinet.CopyCurrentToSaved();
  EXPECT_EQ(cabinet.Saved(), cabinet.Current());
  cabinet.ResetToType(kDocTypeCpp);
  EXPECT_EQ(cabinet.Current(), cpp);
  EXPECT_EQ(cabinet.Saved(), cpp);
  EXPECT_EQ(std::pair(cabinet.Settings().DocType, cabinet.Settings().KeywordCount), std::pair(int(kDocTypeCpp), 0));
  EXPECT_EQ(cabinet.OpenDialogFilter(), texts::kFilterCpp);
  // A DocType out of range (a hand-made file) falls back to type 0's filters.
  cabinet.Current().record.DocType = 9;
  EXPECT_EQ(cabinet.OpenDialogFilter(), texts::kFilterGeneral);
  EXPECT_EQ(codec::Cp932ToUtf8(DocTypeName(kDocTypeCpp)), "Ｃ＋＋言語");
  EXPECT_EQ(codec::Cp932ToUtf8(DocTypeName(-3)), "一般文書");
}

class FormatRefresh : public ::testing::Test, public DocumentView {
 protected:
  FormatRefresh() { doc.AddView(this); }
  ~FormatRefresh() override {
    doc.RemoveView(this);
    gSettings = savedSettings;
  }
  void OnUpdate(CVeskDoc&, int hint) override { hints.push_back(hint); }
  // The copied values: characters per line, tab columns, character spacing.
  static std::tuple<int, int, int> Copied(CVeskDoc& d) {
    return {d.Format().charsPerLine, d.Format().tabColumns, d.Format().charSpacing};
  }

  AppSettings savedSettings = gSettings;
  CVeskCabinet cabinet;
  CVeskDoc doc;
  std::vector<int> hints;
};

TEST_F(FormatRefresh, CopiesTheCurrentTypeAndTellsWhetherTheFontChanged) {
  gSettings.LineSpacesLM = 15;
  gSettings.ColumnOutString = "!?";
  cabinet.ResetToType(kDocTypeC);
  DocTypeSettings& r = cabinet.Current().record;
  r.CharSpacing = 7;
  r.WordWrap = 1;
  cabinet.Current().kinsoku = 1;
  EXPECT_TRUE(cabinet.RefreshDocumentFormat(doc));
  const DocumentFormat& f = doc.Format();
  EXPECT_EQ(Copied(doc), std::tuple(128, 4, 7));
  EXPECT_EQ(f.lineSpacing, 15);
  EXPECT_EQ(f.font, BuiltinFont());
  EXPECT_EQ(std::tuple(doc.Layout().wordWrap, doc.Layout().kinsoku, doc.Layout().hanging),
            std::tuple(true, true, std::string("!?")));
  EXPECT_EQ(hints, std::vector<int>{hint::kFormatChanged});
  // Same font again: still hint 32, but no font change; an explicit width
  // (the column ruler's) wins over the record's.
  r.TabColumns = 8;
  EXPECT_FALSE(cabinet.RefreshDocumentFormat(doc, 60));
  EXPECT_EQ(Copied(doc), std::tuple(60, 8, 7));
  EXPECT_EQ(hints.size(), 2u);
  r.Font.height = 20;
  EXPECT_TRUE(cabinet.RefreshDocumentFormat(doc));
  EXPECT_EQ(f.font.height, 20);
  EXPECT_EQ(f.charsPerLine, 128);
}

TEST_F(FormatRefresh, ValuesOutsideTheirRangesAreHeldToThemInTheCopy) {
  DocTypeSettings& r = cabinet.Current().record;
  r.TabColumns = 0;
  r.CharSpacing = -5;
  cabinet.RefreshDocumentFormat(doc);
  EXPECT_EQ(Copied(doc), std::tuple(250, 2, 0));
  r.TabColumns = 0x7FFFFFFF;
  r.CharSpacing = 1 << 30;
  cabinet.RefreshDocumentFormat(doc, 100000);
  EXPECT_EQ(Copied(doc), std::tuple(250, 20, 100));
  // The record itself keeps what it was given.
  EXPECT_EQ(r.TabColumns, 0x7FFFFFFF);
  // A binary document keeps sixteen characters per line; the rest is copied
  // as for text.
  gProcess.nextDocKind = kBinaryDoc;
  CVeskDoc binary;
  cabinet.ResetToType(kDocTypeC);
  cabinet.RefreshDocumentFormat(binary);
  EXPECT_EQ(binary.Format().charsPerLine, 16);
  cabinet.RefreshDocumentFormat(binary, 60);
  EXPECT_EQ(binary.Format().charsPerLine, 16);
  EXPECT_EQ(binary.Format().font, BuiltinFont());
}

}  // namespace
}  // namespace quarn
