#include <random>

#include "BinaryWindowFixture.h"
#include "core/binaryview/BinaryReplaceAll.h"
#include "core/common/Settings.h"
#include "core/res/MessageIds.h"
#include "core/search/CFindReplaceManeger.h"
#include "fakes/FakeFind.h"

namespace quarn::testing {
namespace {

class BinarySearch : public BinaryWindowFixture {
 protected:
  void SetUp() override { TearDown(); }
  void TearDown() override {
    gFindReplace = CFindReplaceManeger();
    gSettings.EnRexp = 0;
  }
  void InTextArea() { window->SetCaretState(0, BinaryArea::kText, false); }
  std::string Selected() {
    if (!window->HasSelection()) return "<none>";
    return Text().substr(window->SelectionFirst(), window->SelectionLast() + 1 - window->SelectionFirst());
  }
  void Dialog(FindAction action, const std::string& find, const std::string& replace = {}) {
    FindDialogFields f;
    f.findText = find;
    f.replaceText = replace;
    f.down = true;
    window->OnFindDialogMessage(action, f);
  }
  std::size_t Beeps() const { return platform.beep.beeps.size(); }
  fakes::FakeFindBox box;
  fakes::FakeFindDialog dialog;
};

TEST_F(BinarySearch, FindBoxSearchesHexAndBadTextsBeep) {
  Open("abc");
  // Empty, too long, an odd number of digits, no digit: each beeps; the last two give the box the focus.
  for (const std::string& text : {std::string(), std::string(81, 'a'), std::string("6"), std::string("6g")}) {
    box.boxText = text;
    window->FindNext(1);
  }
  EXPECT_EQ(std::tuple(Beeps(), box.focusCount, gFindReplace.findHistory.Entries().size(), window->HasSelection()),
            std::tuple(4u, 2, 0u, false));
  box.focused = true;  // paste is ignored while the find box has the focus
  window->Paste();
  EXPECT_EQ(Text(), "abc");
  // Hex down and up from the caret, passing over the selected match, without wrapping.
  Open(std::string("\x01\x0D\x0A\x02\x0D\x0A\x03", 7));
  box.boxText = "0d0A";
  for (int down : {1, 1, 1, 0}) window->FindNext(down);
  EXPECT_EQ(std::pair(window->SelectionFirst(), Beeps()), std::pair(1u, std::size_t(5)));
  EXPECT_EQ(gFindReplace.findHistory.Entries(), std::vector<std::string>{"0d0A"});
}

TEST_F(BinarySearch, TextAreaSearchesAndTheDialog) {
  Open("xxABC\r\nQ\x01Z");
  InTextArea();
  // Each search goes on from the last one's selection; "beep" when nothing is found.
  const std::tuple<std::string, bool, bool, int, std::string> steps[] = {  // text, match case, escapes, down
      {"abc", false, false, 1, "ABC"},
      {"abc", true, false, 1, "beep"},
      {"\\nQ", true, false, 1, "beep"},  // without "EnRexp" a backslash is a byte like any other
      {"\\nQ", true, true, 1, "\r\nQ"},
      {"Q\\.Z", true, true, 1, "Q\x01Z"},  // the wildcard takes any byte
      {"\\x01Z", true, true, 0, "beep"},  // the only match starts after the selection's start
      {"\\x01Z", true, true, 1, "\x01Z"}};
  for (const auto& [find, matchCase, escapes, down, result] : steps) {
    std::tie(box.boxText, gFindReplace.matchCase, gSettings.EnRexp) = std::tuple(find, matchCase, escapes);
    const std::size_t beeps = Beeps();
    window->FindNext(down);
    EXPECT_EQ(Beeps() > beeps ? "beep" : Selected(), result) << find;
  }
  // Without match case only single-byte letters fold: "ア" (83 41) is not "ヂ" (83 61), while the letter after it
  // still folds.
  Open("\x83\x61z \x83\x41Z");
  InTextArea();
  gFindReplace.matchCase = false;
  box.boxText = "\x83\x41z";
  window->FindNext(1);
  EXPECT_EQ(std::pair(window->SelectionFirst(), Selected()), std::pair(4u, std::string("\x83\x41Z")));
  // The dialog opens once with the selection; the other kind replaces it.
  Open("\x12\x34\x56");
  window->SetSelection(0, 2);
  window->FindDialog();
  EXPECT_EQ(std::pair(dialog.fields.findText, dialog.fields.showEscapes), std::pair(std::string("1234"), true));
  window->FindDialog();
  EXPECT_EQ(std::pair(dialog.opened, dialog.activated), std::pair(1, 1));
  window.reset();  // a window that goes away takes its dialog with it
  EXPECT_FALSE(dialog.isOpen());
}

TEST_F(BinarySearch, ReplaceTakesTwoUndoStepsAndReplaceAllShowsTheCount) {
  Open("a-b-c");
  InTextArea();
  Dialog(FindAction::kReplace, "-", "==");
  EXPECT_EQ(Beeps(), 1u);  // nothing selected yet
  Dialog(FindAction::kFindNext, "-");
  EXPECT_EQ(window->SelectionFirst(), 1u);
  Dialog(FindAction::kReplace, "-", "==");
  // The next match is selected; undo takes the insertion, then the deletion.
  EXPECT_EQ(std::tuple(Text(), window->SelectionFirst(), doc->Undo().Count()), std::tuple("a==b-c", 4u, 2u));
  window->Undo();
  EXPECT_EQ(Text(), "ab-c");
  window->Undo();
  EXPECT_EQ(Text(), "a-b-c");
  EXPECT_EQ(std::tuple(gFindReplace.replaceHistory.Newest(), gFindReplace.last.findText), std::tuple("==", "-"));
  // Replace all counts, shows the count and closes the dialog.
  platform.beep.beeps.clear();
  Open("one two one two one");
  InTextArea();
  window->ReplaceDialog();
  Dialog(FindAction::kReplaceAll, "ONE", "1");
  EXPECT_EQ(std::pair(Text(), dialog.isOpen()), std::pair(std::string("1 two 1 two 1"), false));
  ASSERT_EQ(platform.messages.shown.size(), 1u);
  EXPECT_EQ(platform.messages.shown[0].text, "3 \x89\xF1\x92\x75\x8A\xB7\x82\xB5\x82\xDC\x82\xB5\x82\xBD\x81\x42");
  // None to replace: a beep and no message.
  Dialog(FindAction::kReplaceAll, "zzz", "1");
  EXPECT_EQ(std::pair(Beeps(), platform.messages.shown.size()), std::pair(std::size_t(1), std::size_t(1)));
  // A read-only document is not replaced.
  doc->SetWriteProtected(true);
  const std::size_t shown = platform.messages.shown.size();
  Dialog(FindAction::kReplaceAll, "1", "b");
  EXPECT_EQ(Text(), "1 two 1 two 1");
  EXPECT_EQ(platform.messages.shown.size(), shown);
}

// The text with its first n occurrences of "XY" replaced, left to right.
std::string ReplaceFirst(std::string text, std::size_t n, const std::string& replacement) {
  for (std::size_t at = text.find("XY"); n > 0 && at != std::string::npos; --n) {
    text.replace(at, 2, replacement);
    at = text.find("XY", at + replacement.size());
  }
  return text;
}

// Replace all against a plain string replacement, for shrinking, equal and growing replacements, then undone step by
// step as far as the undo store reaches: undoing the newest records walks back through the replacements, last first.
TEST(BinaryReplaceAll, ManyMatchesGiveTheBytesOfAPlainReplacementAndUndoStepByStep) {
  fakes::FakePlatform platform;
  std::mt19937 random(5);
  for (const std::string& replacement : {std::string(""), std::string("XY"), std::string("LONGER")}) {
    SCOPED_TRACE("replacement " + replacement);
    std::string text;
    for (int i = 0; i < 20000; ++i) text += "ab"[random() % 2] + std::string(random() % 3 == 0 ? "XY" : "");
    auto doc = MakeBinaryDoc(text);
    const ReplaceAllResult result = ReplaceAllBytes(*doc, LiteralPattern("XY"), LiteralPattern(replacement), nullptr);
    std::size_t matches = 0;
    for (std::size_t at = text.find("XY"); at != std::string::npos; at = text.find("XY", at + 2)) ++matches;
    ASSERT_EQ(TextOf(*doc), ReplaceFirst(text, matches, replacement));
    EXPECT_EQ(std::pair(result.count, doc->IsModified()), std::pair(std::uint32_t(matches), true));
    RecordingHost host;
    BinaryViewSettings settings;
    CVeskBV window(*doc, host, settings);
    window.OnCreate();
    const std::uint32_t records = doc->Undo().Count();
    ASSERT_GT(records, 100u);
    for (std::uint32_t i = 0; i < records; ++i) window.Undo();
    const std::uint32_t undone = records / (replacement.empty() ? 1 : 2);
    EXPECT_EQ(TextOf(*doc), ReplaceFirst(text, matches - undone, replacement));
  }
}

TEST(BinaryReplaceAll, WildcardsAStopAnswerAndTooLongAReplacement) {
  fakes::FakePlatform platform;
  auto doc = MakeBinaryDoc("<a> <b> <c");
  ReplaceAllResult result = ReplaceAllBytes(*doc, TranslateEscapes("<\\.>"), TranslateEscapes("[\\.]\\."), nullptr);
  EXPECT_EQ(TextOf(*doc), "[a] [b] <c");  // the wildcard past the match's end is left out
  EXPECT_EQ(std::pair(result.count, result.lastEnd), std::pair(2u, 7u));
  const std::uint32_t savedMax = gProcess.maxBytes;
  gProcess.maxBytes = 4 << 20;
  doc = MakeBinaryDoc(std::string(1 << 20, 'a'));
  result = ReplaceAllBytes(*doc, LiteralPattern("a"), LiteralPattern("bbbbb"), nullptr);
  gProcess.maxBytes = savedMax;
  EXPECT_EQ(std::tuple(result.refused, doc->TextLength(), doc->Undo().Count()), std::tuple(true, 1u << 20, 0u));
  EXPECT_TRUE(platform.Shown(msg::kTooManyChars));
}

}  // namespace
}  // namespace quarn::testing
