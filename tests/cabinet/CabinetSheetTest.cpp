#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CabinetFixture.h"
#include "core/common/Palette.h"
#include "core/app/CabinetCommands.h"
#include "core/app/CabinetSheet.h"
#include "core/macro/OperationRecorder.h"
#include "core/res/MessageIds.h"
#include "core/res/Texts.h"

namespace quarn {
namespace {

// The sheet's documents: a text document, and the operations recorded.
class SheetTest : public CabinetTest {
 protected:
  SheetTest() {
    gSettings.CabinetSave = 1;
    text = Open("/w/b.txt", kTextDoc);
    text->AddView(&hints);
    SetRecordSink([this](std::uint32_t, std::uint32_t id, const std::vector<std::uint8_t>& data) {
      recorded.emplace_back(id, data);
    });
  }
  ~SheetTest() override {
    SetRecordSink({});
    text->RemoveView(&hints);
  }
  struct Hints : DocumentView {
    void OnUpdate(CVeskDoc&, int hint) override { seen.push_back(hint); }
    std::vector<int> seen;
  };
  CVeskDoc* text = nullptr;
  Hints hints;
  std::vector<std::pair<std::uint32_t, std::vector<std::uint8_t>>> recorded;
};

TEST_F(SheetTest, TheFormatPageRefreshesTheDocumentsOnlyForLayoutValues) {
  CabinetFormatPage page = FormatPageOf(gCabinet.Current());
  page.showTabMark = true;
  ApplyFormatPage(gCabinet, page, false);
  EXPECT_EQ(std::pair(hints.seen.size(), gCabinet.Settings().ShowTabMark), std::pair(0ul, 1));
  page = {.charsPerLine = 10, .lineSpacing = 2.35, .charSpacing = 2.3, .docType = kDocTypeCpp, .docTypeNames = {}};
  ApplyFormatPage(gCabinet, page, true);
  EXPECT_EQ(std::pair(hints.seen, text->Format().charsPerLine), std::pair(std::vector<int>{hint::kFormatChanged}, 10));
  EXPECT_EQ(std::pair(gCabinet.Settings().LineSpacing, gCabinet.Settings().CharSpacing), std::pair(23, 23));
  // Played format records: 44 bytes carry the first eleven values, fewer are refused.
  page = {.charsPerLine = 99, .tabKeySpaces = true, .kinsoku = true, .docType = kDocTypeC, .docTypeNames = {}};
  const std::vector<std::uint8_t> full = FormatRecord(page);
  ASSERT_EQ(full.size(), 52u);
  for (auto [length, chars, kept] : {std::tuple(52u, 99, 99), {44u, 77, 77}, {40u, 55, 77}}) {
    std::vector<std::uint8_t> played(full.begin(), full.begin() + length);
    PutLe32(played.data() + 4, std::uint32_t(chars));
    gCabinet.Current().kinsoku = 0;
    RunCabinetCommand(cabinet_command::kPlayFormat, &played);
    EXPECT_EQ(std::pair(gCabinet.Settings().CharsPerLine, gCabinet.Current().kinsoku),
              std::pair(kept, int(length > 44)));
  }
}

TEST_F(SheetTest, TheCopiedFormatIsHeldToItsRangesAndTellsWhetherTheFontChanged) {
  DocTypeSettings& r = gCabinet.Current().record;
  r.TabColumns = 0;
  r.CharSpacing = -5;
  gCabinet.RefreshDocumentFormat(*text);
  EXPECT_EQ(std::tuple(text->Format().charsPerLine, text->Format().tabColumns, text->Format().charSpacing),
            std::tuple(250, 2, 0));
  r.TabColumns = 0x7FFFFFFF;
  r.CharSpacing = 1 << 30;
  gCabinet.RefreshDocumentFormat(*text, 100000);
  EXPECT_EQ(std::tuple(text->Format().charsPerLine, text->Format().tabColumns, text->Format().charSpacing),
            std::tuple(250, 20, 100));
  EXPECT_FALSE(gCabinet.RefreshDocumentFormat(*text));  // the font stays
  r.Font.height = 20;
  EXPECT_TRUE(gCabinet.RefreshDocumentFormat(*text));
  CVeskDoc* binary = Open("/w/a.bin", kBinaryDoc);  // keeps sixteen characters per line
  gCabinet.RefreshDocumentFormat(*binary, 60);
  EXPECT_EQ(binary->Format().charsPerLine, 16);
  // A DocType out of range (a hand-made file) falls back to type 0's filters.
  r.DocType = 9;
  EXPECT_EQ(gCabinet.OpenDialogFilter(), texts::kFilterGeneral);
}

TEST(KeywordText, LimitsOfTheKeywordAndFilterPages) {
  const std::string crlf = "\r\n";
  std::string many;
  for (int i = 0; i < 200; ++i) many += "k" + std::to_string(i) + crlf;
  const std::vector<std::pair<std::string, unsigned>> cases = {
      {std::string(30, 'a') + crlf, 0},
      {std::string(31, 'a') + crlf, msg::kKeywordTooLong},
      {many, 0},
      {many + crlf + crlf, 0},
      {many + "one more" + crlf, msg::kTooManyKeywords},
      {std::string(6396, '\n'), 0},
      {std::string(6397, '\n'), msg::kKeywordTextTooLarge},
  };
  for (const auto& [text, refusal] : cases) EXPECT_EQ(CheckKeywordText(text), refusal) << text.substr(0, 40);
  EXPECT_EQ(KeywordText(ParseKeywordText("int\r\n\r\nchar\r\n\r\nlong")), "int\r\nchar\r\nlong\r\n");
  const std::string forty(40, 't');
  const std::vector<std::tuple<std::string, std::string, int>> pairs = {
      {"Text", "*.txt", 0}, {"", "*.*", 0},        {forty, forty, 0},      {forty + "t", "*.*", 1},
      {"a|b", "*.*", 1},    {"Text", "", 2},       {"Text", forty + "x", 2}, {"Text", "*.a|*.b", 2}};
  for (const auto& [title, patterns, refusal] : pairs) EXPECT_EQ(CheckFilterPair(title, patterns), refusal) << title;
}

TEST_F(SheetTest, TheSheetAppliesItsPagesInOrderAndRemembersTheLastPage) {
  dialogs.sheetScript = {[](CabinetSheetRequest& sheet) {
                           EXPECT_EQ(sheet.page, 0);
                           sheet.format.wordWrap = true;
                           sheet.colors[9] = 0x123456;  // TextBackColor
                           sheet.colors[0] = 0x00FF00;  // MarkedLineBackColor keeps its flag
                           sheet.keywordText = "alpha\r\nbeta\r\n";
                           sheet.wholeWord = false;
                           sheet.filters[0].emplace_back("Bin(*.bin)", "*.bin");
                           return sheet.page = 2, true;
                         },
                         [](CabinetSheetRequest& sheet) {
                           EXPECT_EQ(std::tuple(sheet.page, sheet.keywordText, sheet.colors[0]),
                                     std::tuple(2, "alpha\r\nbeta\r\n", 0x00FF00u));
                           return sheet.keywordText = "changed\r\n", false;
                         }};
  RunCabinetCommand(cabinet_command::kSettings);
  const CabinetSet& set = gCabinet.Current();
  EXPECT_EQ(std::tuple(set.record.WordWrap, set.record.TextBackColor, set.record.MarkedLineBackColor, set.wholeWord),
            std::tuple(1, 0x123456u, 0x8000FF00u, 0));
  EXPECT_EQ(std::pair(set.keywords.Words(), set.filters[0].Count()),
            std::pair(std::vector<std::string>{"alpha", "beta"}, 2ul));
  EXPECT_EQ(File("/w/one.cab").set, set);
  ASSERT_EQ(recorded.size(), 1u);
  EXPECT_EQ(recorded[0].first, cabinet_command::kPlayFormat);
  EXPECT_FALSE(hints.seen.empty());
  RunCabinetCommand(cabinet_command::kSettings);  // Cancel changes nothing
  EXPECT_EQ(gCabinet.Current().keywords.Count(), 2u);
}

TEST_F(SheetTest, FontAndColourRecordsAndDialogs) {
  const std::vector<std::tuple<int, int, int, bool>> cases = {
      // points chosen, dpi, points kept, beep
      {72, 96, 72, false}, {80, 96, 75, true}, {12, 144, 12, false}, {60, 144, 50, true}};
  for (const auto& [points, dpi, kept, beep] : cases) {
    platform.beep.beeps.clear();
    dialogs.fontScript = {[points = points, dpi = dpi](FontRequest& r) {
      r.font.setFace("IPAGothic");
      return r.font.height = points, r.screenDpi = dpi, true;
    }};
    RunCabinetCommand(cabinet_command::kFont);
    EXPECT_EQ(std::tuple(gCabinet.Settings().Font.height, text->Format().font.height, platform.beep.beeps.size()),
              std::tuple(kept, kept, beep ? 1u : 0u)) << points;
  }
  // The last font chosen, played back.
  const std::vector<std::uint8_t> record = recorded.back().second;
  gCabinet.Current().record.Font.height = 20;
  RunCabinetCommand(cabinet_command::kFont, &record);
  EXPECT_EQ(std::pair(record.size(), gCabinet.Settings().Font.height), std::pair(std::size_t(60), 50));
  // Recorded colours are palette indices.
  std::vector<std::uint8_t> colours(40);
  for (int i = 0; i < 10; ++i) PutLe32(colours.data() + 4 * i, std::uint32_t(i));
  RunCabinetCommand(cabinet_command::kPlayColors, &colours);
  const DocTypeSettings& r = gCabinet.Settings();
  EXPECT_EQ(std::tuple(r.CKeywordColor, r.MarkedLineBackColor, r.TextBackColor, r.TagBackColor),
            std::tuple(PaletteColor(1), PaletteColor(4) | kBackColorFlag, PaletteColor(10),
                       BuiltinDocType(0).TagBackColor));
}

}  // namespace
}  // namespace quarn
