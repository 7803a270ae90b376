#include <random>

#include "core/document/CVeskRD.h"
#include "core/encoding/Cp932.h"
#include "core/res/Texts.h"
#include "core/search/CFindReplaceManeger.h"
#include "core/search/FindRecords.h"
#include "core/search/Matcher.h"
#include "core/search/TextSearch.h"
#include "fakes/FakeFind.h"
#include "fakes/FakeProgress.h"
#include "textview/TextWindowFixture.h"

namespace quarn {
namespace {

// Searches through a real text window.
class TextSearchTest : public testing::TextWindowFixture {
 protected:
  void SetUp() override {
    TextWindowFixture::SetUp();
    gFindReplace = CFindReplaceManeger();
  }
  void TearDown() override {
    gFindReplace = CFindReplaceManeger();
    TextWindowFixture::TearDown();
  }
  // Opens text in rows of 200 columns with the caret at caret; the search goes through the new window.
  TextSearch& Search(const std::string& text, std::uint32_t caret = 0) {
    Open(text, 200);
    window->GoToCell(int(caret), 0);
    EXPECT_EQ(window->CaretOffset(), caret);
    search_ = std::make_unique<TextSearch>(*window);
    return *search_;
  }
  std::uint32_t Start() const { return window->SelectionStart(); }
  void ExpectSameAsOneByOne(const std::string& text, const std::string& find, bool regular,
                            const std::string& replacement, bool matchCase);
  // A dialog's fields with match case, upwards, regular and width not distinguished.
  static FindDialogFields Fields(const std::string& find) {
    return {.findText = find, .replaceText = {}, .down = false, .matchCase = true, .regular = true,
            .distinguishWidth = false};
  }
  fakes::FakeFindBox box;
  fakes::FakeFindDialog dialog;
  fakes::FakeProgress progress;
  std::unique_ptr<TextSearch> search_;
};

TEST_F(TextSearchTest, PatternSearchAndReplace) {
  TextSearch& search = Search("\x82\xA0x\r\nxy x\r\n");
  gFindReplace.regular = true;
  for (const auto& [find, start] : {std::pair("x$", 2u), std::pair("x$", 8u), std::pair("^x", 5u)}) {
    ASSERT_TRUE(search.FindNext(find, true, true));  // the last wraps to the line start
    EXPECT_EQ(Start(), start);
  }
  // Width not distinguished: the full-width letters are found too.
  gFindReplace.regular = false;
  gFindReplace.distinguishWidth = false;
  ASSERT_TRUE(Search("ab\x82\x60\x82\x61\x82\x62").FindNext("ABC", true, true));
  EXPECT_EQ(window->SelectedText(), "\x82\x60\x82\x61\x82\x62");
  // Replace needs a selection and takes two undo steps.
  gFindReplace = CFindReplaceManeger();
  TextSearch& replace = Search("one two one");
  replace.Replace("one", true, false, "1");
  EXPECT_EQ(platform.beep.beeps.size(), 1u);
  window->SelectRange(0, 3);
  replace.Replace("one", true, false, "1");
  EXPECT_EQ(std::pair(Text(), window->SelectedText()), std::pair(std::string("1 two one"), std::string("one")));
  ASSERT_EQ(doc->Undo().Count(), 2u);
  EXPECT_EQ(std::pair(doc->Undo().At(0).type, doc->Undo().At(1).type),
            std::pair(std::uint32_t(CVeskRD::kDeleted), std::uint32_t(CVeskRD::kInserted)));
  // A selection that is not the text: the next match is found and replaced.
  window->SelectRange(1, 3);
  replace.Replace("one", true, false, "[1]");
  EXPECT_EQ(Text(), "1 two [1]");
}

TEST_F(TextSearchTest, ReplaceAllGoesFromTheTopWithoutWrapAndCanBeStopped) {
  EXPECT_EQ(Search("a-a-a-a", 5).ReplaceAll("a", "bb", false), 4u);
  EXPECT_EQ(Text(), "bb-bb-bb-bb");
  ASSERT_EQ(platform.messages.shown.size(), 1u);
  EXPECT_EQ(platform.messages.shown[0].caption, texts::kReplaceAllCaption);
  // "中断" pressed before the third search; the progress window is closed
  // before the count is shown.
  TextSearch& stoppedSearch = Search("x x x x");
  stoppedSearch.OpenFind(false);
  progress.stopAfter = 2;
  progress.onEvents = [this] { EXPECT_TRUE(platform.messages.shown.size() == 1u); };
  EXPECT_EQ(stoppedSearch.ReplaceAll("x", "y", true), 2u);
  EXPECT_EQ(std::tuple(Text(), progress.caption, progress.isOpen, platform.messages.shown.size()),
            std::tuple(std::string("y y x x"), std::string(texts::kReplaceAllCaption), false, 2u));
  progress.onEvents = nullptr;
  // It is noticed inside a long plain search too, not only between two:
  // before the first and second search, then inside the second.
  progress.count = 0;
  EXPECT_EQ(Search("x" + std::string(5000, '.') + "x").ReplaceAll("x", "y", true), 1u);
  EXPECT_EQ(std::pair(Text().back(), progress.count), std::pair('x', 1ul));
  progress.stopAfter = -1;
}

TEST_F(TextSearchTest, ToolbarFindAndClosingTheDialogKeepTheirTexts) {
  TextSearch& search = Search("find me, find me");
  box.boxText = "me";
  search.ToolbarFind(false);
  EXPECT_EQ(std::tuple(Start(), gFindReplace.directionDown, box.history),
            std::tuple(14u, true, std::vector<std::string>{"me"}));
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(std::tuple(records[0].type, records[0].id, records[0].data),
            std::tuple(305u, 0u, std::vector<std::uint8_t>{'m', 'e', 0}));
  // Replayed: the recorded text, not the box's.
  box.boxText = "zzz";
  EXPECT_TRUE(search.ReplayToolbarRecord(1, records[0].data));
  EXPECT_EQ(Start(), 5u);  // wrapped down to the first
  box.boxText = "";
  search.ToolbarFind(true);
  EXPECT_EQ(std::pair(platform.beep.beeps.size(), records.size()), std::pair(1ul, 2ul));
  // Closing the dialog keeps the find text, match case and direction, but
  // neither the width nor the regular-expression box, also when replayed.
  FindDialogFields fields = Fields("closed");
  search.OnFindDialogMessage(FindAction::kClose, fields);
  fields.findText = "replayed";
  EXPECT_TRUE(search.ReplayDialogRecord(FindDialogRecord(FindAction::kClose, fields)));
  EXPECT_EQ(gFindReplace.findHistory.Entries(), (std::vector<std::string>{"replayed", "closed", "me"}));
  EXPECT_EQ(box.history, gFindReplace.findHistory.Entries());
  EXPECT_EQ(std::tuple(gFindReplace.matchCase, gFindReplace.directionDown, gFindReplace.regular,
                       gFindReplace.distinguishWidth), std::tuple(true, false, false, true));
  EXPECT_TRUE(gFindReplace.replaceHistory.Entries().empty());
}

TEST_F(TextSearchTest, DialogRecordsRoundTripAndBadOnesAreRefused) {
  FindDialogFields fields = Fields("abc");
  const std::vector<std::uint8_t> data = FindDialogRecord(FindAction::kReplaceAll, fields);
  ASSERT_EQ(data.size(), 6 * 4 + 4 + 1 + 8u);
  EXPECT_EQ((std::pair<int, int>(data[12], data[16])), std::pair(1, 1));  // replace all, match case
  const auto parsed = ParseFindDialogRecord(data).value();
  const FindDialogFields& f = parsed.fields;
  EXPECT_EQ(std::tuple(parsed.action, f.findText, f.regular, f.distinguishWidth),
            std::tuple(FindAction::kReplaceAll, std::string("abc"), true, false));
  // An older record without the last two flags.
  const auto old = ParseFindDialogRecord(std::vector<std::uint8_t>(data.begin(), data.end() - 8));
  EXPECT_EQ(std::pair(old.value().hasWidth, old.value().hasRegular), std::pair(false, false));
  // A text of 81 bytes, or one without its zero byte.
  fields.findText = std::string(81, 'a');
  EXPECT_FALSE(ParseFindDialogRecord(FindDialogRecord(FindAction::kFindNext, fields)));
  EXPECT_FALSE(ParseFindDialogRecord(std::vector<std::uint8_t>(data.begin(), data.begin() + 26)));
  TextSearch& search = Search("abc abc");
  EXPECT_FALSE(search.ReplayDialogRecord(FindDialogRecord(FindAction::kReplaceAll, fields)));  // 81 bytes
  EXPECT_EQ(platform.beep.beeps.size(), 1u);
  fields.findText = "abc";
  fields.replaceText = "X";
  fields.regular = false;
  fields.distinguishWidth = true;
  EXPECT_TRUE(search.ReplayDialogRecord(FindDialogRecord(FindAction::kReplaceAll, fields)));
  EXPECT_EQ(std::pair(Text(), gFindReplace.replaceHistory.Newest()), std::pair(std::string("X X"), std::string("X")));
}

// A search starts after a selected match and wraps, up from the end finds the last occurrence first,
// and never begins on the trail byte of a double-byte character (0x41 in "ア" 83 41).
TEST_F(TextSearchTest, SearchesWrapAndBeginOnCharacters) {
  TextSearch& search = Search("ab ab ab", 4);
  const std::tuple<const char*, bool, std::uint32_t> steps[] = {
      {"ab", true, 6}, {"AB", true, 0}, {"ab", false, 6}, {"ab", false, 3}, {"ab", false, 0}, {"ab", false, 6}};
  for (const auto& [find, down, start] : steps) {
    ASSERT_TRUE(search.FindNext(find, down, false));
    EXPECT_EQ(Start(), start);
  }
  // Case matters when asked; nothing found beeps, says so and keeps the selection.
  EXPECT_FALSE(search.FindNext("AB", true, true));
  EXPECT_EQ(std::tuple(platform.beep.beeps.size(), platform.messages.notices, Start()),
            std::tuple(1ul, std::vector<std::string>{texts::kNotFoundNotice}, 6u));
  for (bool regular : {false, true}) {  // text length minus pattern length; caret minus 80
    const std::string text = regular ? std::string(10, 'x') + "\x83\x41" + std::string(90, 'x') : "\x83\x41\x42";
    gFindReplace.regular = regular;
    EXPECT_FALSE(Search(text, regular ? 91 : 3).FindNext(regular ? "A" : "AB", false, true)) << regular;
  }
}

// The undo records with the bytes they keep.
std::vector<std::tuple<std::uint32_t, std::uint32_t, std::uint32_t, std::string>> Records(const CVeskRD& undo) {
  std::vector<std::tuple<std::uint32_t, std::uint32_t, std::uint32_t, std::string>> out;
  for (std::uint32_t i = 0; i < undo.Count(); ++i) {
    const auto& r = undo.At(i);
    const auto* data = reinterpret_cast<const char*>(undo.DataOf(r));
    out.emplace_back(r.type, r.position, r.length, data ? std::string(data, r.length) : "");
  }
  return out;
}

// Replace all against the same replacements made one at a time, with the undo records a single replace
// pushes: the text, the count, the rows and the undo store.
void TextSearchTest::ExpectSameAsOneByOne(const std::string& text, const std::string& find, bool regular,
                                          const std::string& replacement, bool matchCase) {
  SCOPED_TRACE(::testing::Message() << "find " << find << " replace " << replacement << " text " << text);
  gFindReplace.regular = regular;
  const std::uint32_t count = Search(text).ReplaceAll(find, replacement, matchCase);
  const std::string replaced = Text();
  const std::unique_ptr<CVeskDoc> one = std::move(doc);
  Open(text, 200);  // the reference, replaced one match at a time
  CVeskDoc& reference = *doc;
  std::uint32_t expected = 0;
  std::size_t from = 0;
  for (;;) {
    const std::string now = Text();
    const auto* data = reinterpret_cast<const std::uint8_t*>(now.data());
    std::size_t at = kNoMatch, length = find.size();
    MatchOptions options;
    options.matchCase = matchCase;
    options.regular = regular;
    if (regular) at = Match(data, now.size(), from, now.size(), find, options, &length);
    else if (length <= now.size())
      at = PlainFind(data, now.size(), from, now.size() - length + 1, find, true, matchCase);
    if (at == kNoMatch) break;
    if (length == 0) {
      if (at >= now.size()) break;
      from = at + 1 + (cp932::IsLeadByte(data[at]) && at + 1 < now.size());
      continue;
    }
    CVeskRD::Push(reference, reference.Undo(), CVeskRD::kDeleted, std::uint32_t(at), std::uint32_t(length), true);
    reference.DeleteText(std::uint32_t(at), std::uint32_t(length));
    if (!replacement.empty()) {
      const auto size = std::uint32_t(replacement.size());
      reference.InsertText(std::uint32_t(at), reinterpret_cast<const std::uint8_t*>(replacement.data()), size);
      CVeskRD::Push(reference, reference.Undo(), CVeskRD::kInserted, std::uint32_t(at), size, true);
    }
    from = at + replacement.size();
    ++expected;
  }
  ASSERT_EQ(std::tuple(replaced, count, one->LastCharPos(), one->RowCount(), Records(one->Undo())),
            std::tuple(Text(), expected, reference.LastCharPos(), reference.RowCount(), Records(reference.Undo())));
}

// Random texts and patterns (empty matches, anchors); small undo areas
// overflow (emptied after the question), long texts pass the 512 records.
TEST_F(TextSearchTest, ReplaceAllAgreesWithReplacingOneByOne) {
  const std::uint32_t savedUndoSize = gProcess.undoBufferSize;
  // A line start seen through the byte before a search's start; a match too
  // long for the undo area late in the run.
  gProcess.undoBufferSize = 6;
  ExpectSameAsOneByOne("\r\nx", "^[^\n]", true, "", true);
  ExpectSameAsOneByOne("\r\nx", "^[^\n]", true, "LONGER", true);
  ExpectSameAsOneByOne("ab ab abababab ab", "[ab]+", true, "Z", true);
  const std::string pieces[] = {"a", "b", "ab", "\r\n", "\x83\x41", "\x83\x61", "A", "x"};
  const struct {
    const char* find;
    bool regular;
  } patterns[] = {{"ab", false}, {"A", false}, {"\x83\x41", false}, {"b*", true},   {"^a", true},
                  {"a$", true},  {"[ab]+", true}, {"x*a", true},     {"^[^b]", true}};
  const std::string replacements[] = {"", "Y", "\r", "LONGER", "\x83"};
  std::mt19937 random(17);
  for (int round = 0; round < 400; ++round) {
    gProcess.undoBufferSize = round % 3 == 0 ? 6 : 200;
    std::string text;
    for (int i = int(random() % (round % 4 == 0 ? 4000 : 40)); i > 0; --i) text += pieces[random() % 8];
    const auto& pattern = patterns[random() % 9];
    ExpectSameAsOneByOne(text, pattern.find, pattern.regular, replacements[random() % 5], random() % 2);
    if (::testing::Test::HasFatalFailure()) break;
  }
  gProcess.undoBufferSize = savedUndoSize;
}

}  // namespace
}  // namespace quarn
