#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/common/ProcessValues.h"
#include "core/common/Settings.h"
#include "core/cabinet/CVeskCabinet.h"
#include "core/cabinet/StandardFonts.h"
#include "core/document/CVeskDoc.h"
#include "core/res/Texts.h"
#include "platform/Cp932Codec.h"

namespace quarn {
namespace {

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
