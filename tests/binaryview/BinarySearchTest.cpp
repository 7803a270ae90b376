#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>

#include "BinaryTestSupport.h"
#include "BinaryWindowFixture.h"
#include "core/common/Settings.h"
#include "core/binaryview/BinaryReplaceAll.h"
#include "core/binaryview/CVeskBV.h"
#include "core/common/ProcessValues.h"
#include "core/document/CVeskRD.h"
#include "core/res/MessageIds.h"
#include "core/res/Texts.h"
#include "core/search/CFindReplaceManeger.h"
#include "fakes/FakeFind.h"
#include "fakes/FakePlatform.h"

namespace quarn::testing {
namespace {

class BinarySearch : public BinaryWindowFixture {
 protected:
  void SetUp() override {
    gFindReplace = CFindReplaceManeger();
    gSettings.EnRexp = 0;
  }
  void TearDown() override {
    gFindReplace = CFindReplaceManeger();
    gSettings.EnRexp = 0;
  }
  void InTextArea(std::uint32_t pos = 0) { window->SetCaretState(pos, BinaryArea::kText, false); }
  std::string Selected() {
    if (!window->HasSelection()) return "<none>";
    return Text().substr(window->SelectionFirst(), window->SelectionLast() + 1 - window->SelectionFirst());
  }
  void Dialog(FindAction action, const std::string& find, const std::string& replace = {}, bool down = true,
              bool matchCase = false) {
    FindDialogFields f;
    f.findText = find;
    f.replaceText = replace;
    f.down = down;
    f.matchCase = matchCase;
    window->OnFindDialogMessage(action, f);
  }
  std::size_t Beeps() const { return platform.beep.beeps.size(); }

  fakes::FakeFindBox box;
  fakes::FakeFindDialog dialog;
};

TEST_F(BinarySearch, FindBoxSearchesHexDownAndUpFromTheCaretWithoutWrapping) {
  Open(std::string("\x01\x0D\x0A\x02\x0D\x0A\x03", 7));
  box.boxText = "0d0A";
  window->FindNext(1);
  EXPECT_EQ(window->SelectionFirst(), 1u);
  window->FindNext(1);  // the selected match is passed over
  EXPECT_EQ(window->SelectionFirst(), 4u);
  window->FindNext(1);
  EXPECT_EQ(Beeps(), 1u);  // no wrap; the selection stays
  EXPECT_EQ(platform.messages.notices, std::vector<std::string>{texts::kNotFoundNotice});
  EXPECT_EQ(window->SelectionFirst(), 4u);
  window->FindNext(0);
  EXPECT_EQ(window->SelectionFirst(), 1u);
  window->FindNext(0);
  EXPECT_EQ(Beeps(), 2u);
  EXPECT_EQ(gFindReplace.findHistory.Entries(), std::vector<std::string>{"0d0A"});
  EXPECT_EQ(box.history, gFindReplace.findHistory.Entries());
}

TEST_F(BinarySearch, BadFindBoxTextsBeepAndAnInvalidHexPatternFocusesTheBox) {
  Open("abc");
  box.boxText = "";
  window->FindNext(1);
  box.boxText = std::string(81, 'a');
  window->FindNext(1);
  EXPECT_EQ(Beeps(), 2u);
  EXPECT_EQ(box.focusCount, 0);
  box.boxText = "6";  // odd number of digits
  window->FindNext(1);
  box.boxText = "6g";
  window->FindNext(1);
  EXPECT_EQ(Beeps(), 4u);
  EXPECT_EQ(box.focusCount, 2);
  EXPECT_TRUE(gFindReplace.findHistory.Entries().empty());
  EXPECT_FALSE(window->HasSelection());
}

TEST_F(BinarySearch, TextAreaFoldsCaseUnlessAskedAndTranslatesEscapesWhenOn) {
  Open("xxABC\r\nQ\x01Z");
  InTextArea();
  box.boxText = "abc";
  window->FindNext(1);
  EXPECT_EQ(Selected(), "ABC");
  gFindReplace.matchCase = true;
  window->FindNext(1);
  EXPECT_EQ(Beeps(), 1u);

  // Without "EnRexp" a backslash is a byte like any other.
  box.boxText = "\\nQ";
  window->FindNext(1);
  EXPECT_EQ(Beeps(), 2u);
  gSettings.EnRexp = 1;
  window->FindNext(1);
  EXPECT_EQ(Selected(), "\r\nQ");
  box.boxText = "Q\\.Z";  // the wildcard takes any byte
  window->FindNext(1);
  EXPECT_EQ(Selected(), "Q\x01Z");
  box.boxText = "\\x01Z";
  window->FindNext(0);
  EXPECT_EQ(Beeps(), 3u);  // the only match starts after the selection's start
  window->FindNext(1);
  EXPECT_EQ(Selected(), "\x01Z");
}

// Without match case only single-byte letters fold: "ア" (83 41) is not
// "ヂ" (83 61), while the letter after it still folds.
TEST_F(BinarySearch, TextAreaDoesNotFoldTrailBytes) {
  Open("\x83\x61z \x83\x41Z");
  InTextArea();
  box.boxText = "\x83\x41z";
  window->FindNext(1);
  EXPECT_EQ(window->SelectionFirst(), 4u);
  EXPECT_EQ(Selected(), "\x83\x41Z");
}

TEST_F(BinarySearch, PasteIsIgnoredWhileTheFindBoxHasTheFocus) {
  Open("ab");
  box.focused = true;
  window->Paste();
  EXPECT_EQ(Text(), "ab");
}

TEST_F(BinarySearch, DialogOpensOnceWithTheSelectionAndTheOtherKindReplacesIt) {
  Open("\x12\x34\x56");
  window->SetSelection(0, 2);
  window->FindDialog();
  EXPECT_EQ(dialog.fields.findText, "1234");
  EXPECT_TRUE(dialog.fields.showEscapes);
  window->FindDialog();
  EXPECT_EQ(dialog.opened, 1);
  EXPECT_EQ(dialog.activated, 1);
  gFindReplace.findHistory.Add("ABCD");
  window->DropSelection();
  window->ReplaceDialog();
  EXPECT_EQ(dialog.opened, 2);
  EXPECT_FALSE(dialog.isFindOnly());
  EXPECT_EQ(dialog.fields.findText, "ABCD");
  // A window that goes away takes its dialog with it.
  window.reset();
  EXPECT_FALSE(dialog.isOpen());
}

TEST_F(BinarySearch, ReplaceTakesTwoUndoStepsAndSearchesOn) {
  Open("a-b-c");
  InTextArea();
  Dialog(FindAction::kReplace, "-", "==");
  EXPECT_EQ(Beeps(), 1u);  // nothing selected yet
  Dialog(FindAction::kFindNext, "-");
  EXPECT_EQ(window->SelectionFirst(), 1u);
  Dialog(FindAction::kReplace, "-", "==");
  EXPECT_EQ(Text(), "a==b-c");
  EXPECT_EQ(window->SelectionFirst(), 4u);  // the next match
  EXPECT_EQ(doc->Undo().Count(), 2u);
  window->Undo();
  EXPECT_EQ(Text(), "ab-c");
  window->Undo();
  EXPECT_EQ(Text(), "a-b-c");
  EXPECT_EQ(gFindReplace.replaceHistory.Newest(), "==");
  EXPECT_EQ(gFindReplace.last.findText, "-");
}

TEST_F(BinarySearch, ReplaceAllCountsShowsTheCountAndClosesTheDialog) {
  Open("one two one two one");
  InTextArea();
  window->ReplaceDialog();
  Dialog(FindAction::kReplaceAll, "ONE", "1");
  EXPECT_EQ(Text(), "1 two 1 two 1");
  ASSERT_EQ(platform.messages.shown.size(), 1u);
  EXPECT_EQ(platform.messages.shown[0].text, "3 \x89\xF1\x92\x75\x8A\xB7\x82\xB5\x82\xDC\x82\xB5\x82\xBD\x81\x42");
  EXPECT_EQ(platform.messages.shown[0].caption, texts::kReplaceCaption);
  EXPECT_FALSE(dialog.isOpen());
  // None to replace: a beep and no message.
  Dialog(FindAction::kReplaceAll, "zzz", "1");
  EXPECT_EQ(Beeps(), 1u);
  EXPECT_EQ(platform.messages.shown.size(), 1u);
  // An empty replacement deletes.
  Dialog(FindAction::kReplaceAll, " ", "");
  EXPECT_EQ(Text(), "1two1two1");
}

TEST_F(BinarySearch, ReadOnlyDocumentIsNotReplaced) {
  Open("aaa");
  InTextArea();
  doc->SetWriteProtected(true);
  Dialog(FindAction::kReplaceAll, "a", "b");
  EXPECT_EQ(Text(), "aaa");
  EXPECT_TRUE(platform.messages.shown.empty());
}

// Replace all against a plain string replacement, for shrinking, equal and
// growing replacements, then undone step by step as far as the undo store
// reaches.
TEST(BinaryReplaceAll, ManyMatchesGiveTheBytesOfAPlainReplacementAndUndoStepByStep) {
  fakes::FakePlatform platform;
  std::mt19937 random(5);
  for (const std::string& replacement : {std::string(""), std::string("XY"), std::string("LONGER")}) {
    std::string text;
    for (int i = 0; i < 20000; ++i) text += "ab"[random() % 2] + std::string(random() % 3 == 0 ? "XY" : "");
    auto doc = MakeBinaryDoc(Bytes(text));
    const BytePattern find = LiteralPattern("XY");
    const ReplaceAllResult result = ReplaceAllBytes(*doc, find, LiteralPattern(replacement), nullptr);

    std::string expected;
    std::size_t matches = 0;
    for (std::size_t i = 0; i < text.size();) {
      if (text.compare(i, 2, "XY") == 0) {
        expected += replacement;
        i += 2;
        ++matches;
      } else {
        expected += text[i++];
      }
    }
    std::string got(doc->TextLength(), '\0');
    doc->Store().Read(reinterpret_cast<std::uint8_t*>(got.data()), 0, doc->TextLength());
    ASSERT_EQ(got, expected) << "replacement " << replacement;
    EXPECT_EQ(result.count, matches);
    EXPECT_TRUE(doc->IsModified());

    // The undo store holds the newest records: undoing them one by one
    // walks back through the replacements, last first.
    RecordingHost host;
    BinaryViewSettings settings;
    CVeskBV window(*doc, host, settings);
    window.OnCreate();
    const std::uint32_t records = doc->Undo().Count();
    ASSERT_GT(records, 100u);
    const std::uint32_t perReplacement = replacement.empty() ? 1 : 2;
    const std::uint32_t undone = records / perReplacement;
    for (std::uint32_t i = 0; i < records; ++i) window.Undo();
    std::string partial = text;
    // Redo the replacements the store no longer reaches, as a reference.
    std::string reference;
    std::size_t replaced = 0;
    for (std::size_t i = 0; i < text.size();) {
      if (text.compare(i, 2, "XY") == 0 && replaced < matches - undone) {
        reference += replacement;
        i += 2;
        ++replaced;
      } else {
        reference += text[i++];
      }
    }
    got.assign(doc->TextLength(), '\0');
    doc->Store().Read(reinterpret_cast<std::uint8_t*>(got.data()), 0, doc->TextLength());
    EXPECT_EQ(got, reference) << "replacement " << replacement;
  }
}

TEST(BinaryReplaceAll, WildcardsInTheReplacementKeepTheMatchedBytes) {
  fakes::FakePlatform platform;
  auto doc = MakeBinaryDoc(Bytes("<a> <b> <c"));
  const ReplaceAllResult result = ReplaceAllBytes(*doc, TranslateEscapes("<\\.>"), TranslateEscapes("[\\.]\\."), nullptr);
  std::string got(doc->TextLength(), '\0');
  doc->Store().Read(reinterpret_cast<std::uint8_t*>(got.data()), 0, doc->TextLength());
  EXPECT_EQ(got, "[a] [b] <c");  // the wildcard past the match's end is left out
  EXPECT_EQ(result.count, 2u);
  EXPECT_EQ(result.lastEnd, 7u);
}

TEST(BinaryReplaceAll, AStopAnswerLeavesTheRestUnreplacedAndTooLongIsRefused) {
  fakes::FakePlatform platform;
  std::string text(3 << 20, 'a');
  auto doc = MakeBinaryDoc(Bytes(text));
  int asked = 0;
  const ReplaceAllResult result =
      ReplaceAllBytes(*doc, LiteralPattern("a"), LiteralPattern("b"), [&asked] { return ++asked == 1; });
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(result.count, 1u << 20);
  EXPECT_EQ(doc->Store().GetAt((1 << 20) - 1), 'b');
  EXPECT_EQ(doc->Store().GetAt(1 << 20), 'a');

  const std::uint32_t savedMax = gProcess.maxBytes;
  gProcess.maxBytes = 4 << 20;
  auto small = MakeBinaryDoc(Bytes(std::string(1 << 20, 'a')));
  const ReplaceAllResult refused = ReplaceAllBytes(*small, LiteralPattern("a"), LiteralPattern("bbbbb"), nullptr);
  gProcess.maxBytes = savedMax;
  EXPECT_TRUE(refused.refused);
  EXPECT_EQ(small->TextLength(), 1u << 20);
  EXPECT_EQ(small->Undo().Count(), 0u);
  EXPECT_TRUE(platform.Shown(msg::kTooManyChars));
}

}  // namespace
}  // namespace quarn::testing
