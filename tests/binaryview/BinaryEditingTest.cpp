#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "BinaryWindowFixture.h"
#include "core/common/Settings.h"
#include "core/binaryview/BinaryJump.h"
#include "core/binaryview/CVeskBV.h"
#include "core/common/ProcessValues.h"
#include "core/res/MessageIds.h"
#include "core/common/StatusPanes.h"
#include "fakes/FakeClipboard.h"
#include "fakes/FakePlatform.h"

namespace quarn::testing {
namespace {

constexpr KeyState kPlain{};
constexpr KeyState kShift{true, false, false, false};
constexpr KeyState kCtrl{false, true, false, false};

class BinaryEditing : public BinaryWindowFixture {
 protected:
  void SetUp() override { gProcess.overwrite = false; }
  void TearDown() override { gProcess.overwrite = false; }
  void Type(const std::string& chars) {
    for (char c : chars) window->OnChar(static_cast<unsigned char>(c), kPlain);
  }
  void Key(int vk, KeyState state = kPlain) { window->OnKeyDown(vk, state); }

  fakes::FakeClipboard clipboard;
};

TEST_F(BinaryEditing, HexDigitsMakeOneByteInInsertAndOverwriteMode) {
  Open("\x11\x22");
  Type("D");
  EXPECT_EQ(Text(), "\x0D\x11\x22");
  EXPECT_EQ(window->CaretPos(), 0u);
  EXPECT_TRUE(window->LowNibble());
  Type("e");
  EXPECT_EQ(Text(), "\xDE\x11\x22");
  EXPECT_EQ(window->CaretPos(), 1u);
  EXPECT_FALSE(window->LowNibble());

  gProcess.overwrite = true;
  Type("7g3");  // 'g' is no hex digit and is ignored
  EXPECT_EQ(Text(), "\xDE\x73\x22");
  EXPECT_EQ(window->CaretPos(), 2u);

  // At the end the first digit appends its byte and the caret stays on it.
  Key(vk::kEnd, kCtrl);
  Type("d");
  EXPECT_EQ(Text(), "\xDE\x73\x22\x0D");
  EXPECT_EQ(window->CaretPos(), 3u);
  // Left with a pending second digit keeps the caret on the byte.
  Key(vk::kLeft);
  EXPECT_EQ(window->CaretPos(), 3u);
  EXPECT_FALSE(window->LowNibble());
  Key(vk::kLeft);
  EXPECT_EQ(window->CaretPos(), 2u);

  EXPECT_EQ(StatusBar().RememberedText(pane::kOffsetHex), "0x00000002");
  EXPECT_EQ(StatusBar().RememberedText(pane::kOffsetDec), "00000002");
  EXPECT_EQ(StatusBar().RememberedText(pane::kByteValue), "034");
}

TEST_F(BinaryEditing, TextAreaTakesCharactersDoubleByteOnesWhole) {
  Open("");
  window->OnChar('\t', kPlain);
  EXPECT_EQ(window->CaretArea(), BinaryArea::kText);
  Type("A\x88\x9f");
  window->OnChar('\r', kPlain);
  window->OnChar('\r', KeyState{true, false, false, false});
  EXPECT_EQ(Text(), "A\x88\x9f\r\n\n");
  window->OnImeString("\x82\xa0");
  EXPECT_EQ(Text(), "A\x88\x9f\r\n\n\x82\xa0");
}

TEST_F(BinaryEditing, OnlyWholeCharactersThatAreHexDigitsTypeDigits) {
  struct Case {
    std::string input;  // typed, then the same from the input method
    std::string bytes;
  };
  const Case cases[] = {
      {"\x82\x65", ""},               // full-width F: its second byte is "e"
      {"\x82\x60" "1", "\x01"},       // full-width A, then 1
      {"\x82\x85" "fA", "\xFA"},      // full-width e, then f and A
      {"\xB1" "c", "\x0C"},            // a half-width kana is one byte
      {"\x82" "5", "\x05"},            // a lone first byte does not take a digit
      {"\x93\xFA\x96\x7B" "0", std::string(1, '\0')},
  };
  for (const Case& c : cases) {
    Open("");
    Type(c.input);
    EXPECT_EQ(Text(), c.bytes) << c.input;
    Open("");
    window->OnImeString(c.input);
    EXPECT_EQ(Text(), c.bytes) << c.input;
  }
  // The text area takes the character whole.
  Open("");
  Type("\t");
  window->OnImeString("\x82\x65");
  EXPECT_EQ(Text(), "\x82\x65");
}

TEST_F(BinaryEditing, BackspaceAndDeleteWithAndWithoutSelection) {
  Open("abcdef");
  window->OnChar('\b', kPlain);  // at 0 nothing happens
  EXPECT_EQ(Text(), "abcdef");
  Key(vk::kRight);
  Key(vk::kRight);
  window->OnChar('\b', kPlain);
  EXPECT_EQ(Text(), "acdef");
  EXPECT_EQ(window->CaretPos(), 1u);
  Key(vk::kDelete);
  EXPECT_EQ(Text(), "adef");
  Key(vk::kRight, kShift);
  Key(vk::kRight, kShift);
  EXPECT_TRUE(window->HasSelection());
  window->OnChar('\b', kPlain);
  EXPECT_EQ(Text(), "af");
  EXPECT_FALSE(window->HasSelection());
}

TEST_F(BinaryEditing, MovesStayInsideTheTextAndShiftSelects) {
  std::string bytes(40, 'x');
  Open(bytes);  // rows of 16: 0..15, 16..31, 32..39
  Key(vk::kUp);
  EXPECT_EQ(window->CaretPos(), 0u);
  Key(vk::kRight);
  Key(vk::kRight);
  Key(vk::kDown);
  Key(vk::kDown);
  EXPECT_EQ(window->CaretPos(), 34u);
  Key(vk::kDown);  // the short last row: stops at TextLength
  EXPECT_EQ(window->CaretPos(), 40u);
  Key(vk::kHome);
  EXPECT_EQ(window->CaretPos(), 32u);
  Key(vk::kEnd);
  EXPECT_EQ(window->CaretPos(), 40u);
  Key(vk::kHome, kCtrl);
  Key(vk::kEnd, kShift);
  EXPECT_EQ(window->SelectionFirst(), 0u);
  EXPECT_EQ(window->SelectionLast(), 14u);
  Key(vk::kEscape);
  EXPECT_FALSE(window->HasSelection());
  Key(vk::kInsert);
  EXPECT_TRUE(gProcess.overwrite);
}

TEST_F(BinaryEditing, CopyKeepsZeroBytesInsideTheProgramOnly) {
  Open(std::string("\x41\x00\x42zz", 5));
  Key(vk::kRight, kShift);
  Key(vk::kRight, kShift);
  Key(vk::kRight, kShift);
  window->Copy();
  EXPECT_EQ(clipboard.text, "AB");
  Key(vk::kEnd, kCtrl);
  window->Paste();
  EXPECT_EQ(Text(), std::string("\x41\x00\x42zz\x41\x00\x42", 8));
  // Another program's text is pasted as it is.
  clipboard.setText("Q");
  window->Paste();
  EXPECT_EQ(Text().substr(8), "Q");
  EXPECT_TRUE(window->CanPaste());
}

TEST_F(BinaryEditing, UndoAndRedoRestoreEveryEditExactly) {
  const std::string original = "0123456789";
  Open(original);
  Type("A");                  // insert 0x0A at 0
  gProcess.overwrite = true;  // overwrite a pair at 1
  Type("ff");
  gProcess.overwrite = false;
  Key(vk::kRight, kShift);
  Key(vk::kRight, kShift);
  Key(vk::kDelete);  // delete the selection
  const std::string edited = Text();
  EXPECT_NE(edited, original);

  while (window->CanUndo()) window->Undo();
  EXPECT_EQ(Text(), original);
  while (window->CanRedo()) window->Redo();
  EXPECT_EQ(Text(), edited);
  // Four steps: the insertion, two overwrite pairs and the deletion.
  EXPECT_EQ(doc->Undo().Count(), 6u);
  for (int i = 0; i < 4; ++i) window->Undo();
  EXPECT_EQ(Text(), original);
}

TEST_F(BinaryEditing, ReadOnlyDocumentsOnlyBeep) {
  Open("abc");
  doc->SetWriteProtected(true);
  Type("1");
  Key(vk::kDelete);
  clipboard.setText("x");
  window->Paste();
  EXPECT_EQ(Text(), "abc");
  EXPECT_FALSE(doc->IsModified());
  EXPECT_GE(platform.beep.beeps.size(), 2u);
}

TEST_F(BinaryEditing, MarksAreSortedLimitedAndVisitedInTurn) {
  Open(std::string(300, 'm'));
  for (std::uint32_t pos : {200u, 10u, 100u}) {
    window->PlaceCaret(pos, false);
    window->ToggleMark();
  }
  EXPECT_EQ(doc->CharMarks(), (std::vector<std::uint32_t>{10, 100, 200}));
  window->PlaceCaret(150, false);
  window->NextMark();
  EXPECT_EQ(window->CaretPos(), 200u);
  window->NextMark();
  EXPECT_EQ(window->CaretPos(), 10u);
  window->PrevMark();
  EXPECT_EQ(window->CaretPos(), 200u);
  window->ToggleMark();
  EXPECT_EQ(doc->CharMarks().size(), 2u);

  for (std::uint32_t pos = 0; doc->CharMarks().size() < 100; ++pos) {
    window->PlaceCaret(pos + 1, false);
    window->ToggleMark();
  }
  const std::size_t beeps = platform.beep.beeps.size();
  window->PlaceCaret(299, false);
  window->ToggleMark();
  EXPECT_EQ(doc->CharMarks().size(), 100u);
  EXPECT_EQ(platform.beep.beeps.size(), beeps + 1);
  window->ClearMarks();
  EXPECT_TRUE(doc->CharMarks().empty());
}

TEST_F(BinaryEditing, DraggingPastTheRowEndTakesItsLastByte) {
  Open(std::string(64, 'd'));
  const BinaryLayout& layout = window->Layout();
  const int y = int(layout.RowTop(1)) + 2;
  window->OnMouse(MouseKind::kLeftDown, layout.CellX(layout.HexCell(8)) + 1, y, kPlain);
  KeyState drag;
  drag.leftButton = true;
  // Between the last hex cell and the text area: past the end of the row.
  window->OnMouse(MouseKind::kMove, layout.CellX(layout.TextStart() - 2), y, drag);
  window->OnMouse(MouseKind::kLeftUp, 0, 0, kPlain);
  ASSERT_TRUE(window->HasSelection());
  EXPECT_EQ(window->SelectionFirst(), 24u);
  EXPECT_EQ(window->SelectionLast(), 31u);
}

TEST_F(BinaryEditing, ScreenCopyShowsTheSelectedRowsAsDisplayed) {
  Open("ABCDEFGHIJKLMNOPQR");
  window->SetSelection(1, 2);
  window->ScreenCopy();
  const std::string& text = clipboard.text;
  ASSERT_NE(text.find("\r\n-"), std::string::npos);
  EXPECT_NE(text.find("00000000  41 42 43"), std::string::npos) << text;
  EXPECT_NE(text.find("ABCDEFGHIJKLMNOP\r\n"), std::string::npos) << text;
  EXPECT_EQ(text.find("00000010"), std::string::npos);
}

TEST_F(BinaryEditing, RedoNeverReplaysRecordsMadeForAnotherText) {
  Open("ab");
  Key(vk::kEnd, kCtrl);
  clipboard.setText(std::string(40000, 'x'));
  window->Paste();  // an insertion whose undo needs more than a store holds
  Type("7");
  window->Undo();   // the typed byte: its redo record goes in
  EXPECT_TRUE(window->CanRedo());
  window->Undo();   // the paste: its redo record cannot be kept
  EXPECT_EQ(Text(), "ab");
  // The byte's record belongs to the text with the paste and is gone too.
  EXPECT_FALSE(window->CanRedo());
  window->Redo();
  EXPECT_EQ(Text(), "ab");
}

TEST_F(BinaryEditing, RefusedDeletionOfTheSelectionStopsTheInput) {
  Open(std::string(40000, 'q'));
  window->SelectAll();
  platform.messages.answers = {answer::kCancel, answer::kCancel};
  Type("5");
  clipboard.setText("Z");
  window->Paste();
  EXPECT_EQ(Text(), std::string(40000, 'q'));
  EXPECT_TRUE(window->HasSelection());
  EXPECT_EQ(platform.CountShown(msg::kUndoOverflow), 2u);

  // A read-only document beeps once and keeps its selection.
  doc->SetWriteProtected(true);
  platform.beep.beeps.clear();
  Type("5");
  EXPECT_EQ(platform.beep.beeps.size(), 1u);
  EXPECT_TRUE(window->HasSelection());
}

TEST(BinaryJumpTest, OffsetsAreDecimalOrHexWithPrefix) {
  std::uint32_t v = 0;
  EXPECT_TRUE(ParseJumpOffset("0x1F", v));
  EXPECT_EQ(v, 31u);
  EXPECT_TRUE(ParseJumpOffset("123", v));
  EXPECT_EQ(v, 123u);
  EXPECT_TRUE(ParseJumpOffset("0X10", v));
  EXPECT_EQ(v, 16u);
  EXPECT_TRUE(ParseJumpOffset("0x", v) == false);  // "0x" alone is no number
  EXPECT_FALSE(ParseJumpOffset("", v));
  EXPECT_FALSE(ParseJumpOffset("12a", v));
  EXPECT_FALSE(ParseJumpOffset("12345678901", v));
  EXPECT_TRUE(ParseJumpOffset("9999999999", v));
  EXPECT_EQ(v, 0xFFFFFFFFu);
}

}  // namespace
}  // namespace quarn::testing
