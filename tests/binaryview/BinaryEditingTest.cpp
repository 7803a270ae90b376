#include <tuple>

#include "BinaryWindowFixture.h"
#include "core/binaryview/BinaryJump.h"
#include "core/common/StatusPanes.h"
#include "core/res/MessageIds.h"
#include "fakes/FakeClipboard.h"

namespace quarn::testing {
namespace {

constexpr KeyState kPlain{};
constexpr KeyState kShift{true, false, false, false};
constexpr KeyState kCtrl{false, true, false, false};

// The bytes, the caret's byte and whether the caret waits for a second digit.
using Shown = std::tuple<std::string, std::uint32_t, bool>;

class BinaryEditing : public BinaryWindowFixture {
 protected:
  void SetUp() override { gProcess.overwrite = false; }
  void TearDown() override { gProcess.overwrite = false; }
  void Type(const std::string& chars) {
    for (char c : chars) window->OnChar(static_cast<unsigned char>(c), kPlain);
  }
  void Key(int vk, KeyState state = kPlain, int times = 1) {
    while (times-- > 0) window->OnKeyDown(vk, state);
  }
  std::pair<std::uint32_t, std::uint32_t> Selection() const {
    return {window->SelectionFirst(), window->SelectionLast()};
  }
  Shown State() { return {Text(), window->CaretPos(), window->LowNibble()}; }
  fakes::FakeClipboard clipboard;
};

TEST_F(BinaryEditing, HexDigitsMakeOneByteAndTheTextAreaTakesWholeCharacters) {
  Open("\x11\x22");
  Type("D");
  EXPECT_EQ(State(), Shown("\x0D\x11\x22", 0, true));
  Type("e");
  EXPECT_EQ(State(), Shown("\xDE\x11\x22", 1, false));
  gProcess.overwrite = true;
  Type("7g3");  // 'g' is no hex digit and is ignored
  EXPECT_EQ(State(), Shown("\xDE\x73\x22", 2, false));
  // At the end the first digit appends its byte and the caret stays on it.
  Key(vk::kEnd, kCtrl);
  Type("d");
  EXPECT_EQ(State(), Shown("\xDE\x73\x22\x0D", 3, true));
  Key(vk::kLeft);  // with a pending second digit the caret stays on the byte
  EXPECT_EQ(State(), Shown("\xDE\x73\x22\x0D", 3, false));
  Key(vk::kLeft);
  EXPECT_EQ(window->CaretPos(), 2u);
  // The text area takes characters, double-byte ones whole, also from the input method.
  Open("");
  window->OnChar('\t', kPlain);
  EXPECT_EQ(window->CaretArea(), BinaryArea::kText);
  Type("A\x88\x9f\r");
  window->OnChar('\r', kShift);
  window->OnImeString("\x82\xa0");
  EXPECT_EQ(Text(), "A\x88\x9f\r\n\n\x82\xa0");
  // A full-width F is taken whole there, not as its second byte "e".
  Open("");
  Type("\t");
  window->OnImeString("\x82\x65");
  EXPECT_EQ(Text(), "\x82\x65");
}

TEST_F(BinaryEditing, OnlyWholeCharactersThatAreHexDigitsTypeDigits) {
  const std::pair<std::string, std::string> cases[] = {  // typed, then the same from the input method
      {"\x82\x65", ""},               // full-width F: its second byte is "e"
      {"\x82\x60" "1", "\x01"},       // full-width A, then 1
      {"\x82\x85" "fA", "\xFA"},      // full-width e, then f and A
      {"\xB1" "c", "\x0C"},           // a half-width kana is one byte
      {"\x82" "5", "\x05"},           // a lone first byte does not take a digit
      {"\x93\xFA\x96\x7B" "0", std::string(1, '\0')},
  };
  for (const auto& [input, bytes] : cases) {
    for (bool ime : {false, true}) {
      Open("");
      ime ? window->OnImeString(input) : Type(input);
      EXPECT_EQ(Text(), bytes) << input << (ime ? " from the input method" : "");
    }
  }
}

TEST_F(BinaryEditing, DeletionsAndMovesWithAndWithoutSelection) {
  Open("abcdef");
  window->OnChar('\b', kPlain);  // at 0 nothing happens
  EXPECT_EQ(Text(), "abcdef");
  Key(vk::kRight, kPlain, 2);
  window->OnChar('\b', kPlain);
  EXPECT_EQ(State(), Shown("acdef", 1, false));
  Key(vk::kDelete);
  EXPECT_EQ(Text(), "adef");
  Key(vk::kRight, kShift, 2);
  window->OnChar('\b', kPlain);  // the selection goes
  EXPECT_EQ(std::pair(Text(), window->HasSelection()), std::pair(std::string("af"), false));
  // Moves stay inside the text; Shift selects.
  Open(std::string(40, 'x'));  // rows of 16: 0..15, 16..31, 32..39
  const std::tuple<int, KeyState, int, std::uint32_t> moves[] = {
      {vk::kUp, kPlain, 1, 0},    {vk::kRight, kPlain, 2, 2}, {vk::kDown, kPlain, 2, 34},
      {vk::kDown, kPlain, 1, 40},  // the short last row: stops at TextLength
      {vk::kHome, kPlain, 1, 32}, {vk::kEnd, kPlain, 1, 40},  {vk::kHome, kCtrl, 1, 0}};
  for (const auto& [vk, state, times, pos] : moves) {
    Key(vk, state, times);
    EXPECT_EQ(window->CaretPos(), pos) << vk;
  }
  Key(vk::kEnd, kShift);
  EXPECT_EQ(Selection(), std::pair(0u, 14u));
  Key(vk::kEscape);
  Key(vk::kInsert);
  EXPECT_EQ(std::pair(window->HasSelection(), gProcess.overwrite), std::pair(false, true));
}

TEST_F(BinaryEditing, CopiesKeepZeroBytesInsideTheProgramAndTheScreenCopyShowsRows) {
  Open(std::string("\x41\x00\x42zz", 5));
  Key(vk::kRight, kShift, 3);
  window->Copy();
  EXPECT_EQ(clipboard.text, "AB");
  Key(vk::kEnd, kCtrl);
  window->Paste();
  EXPECT_EQ(Text(), std::string("\x41\x00\x42zz\x41\x00\x42", 8));
  clipboard.setText("Q");  // another program's text is pasted as it is
  EXPECT_TRUE(window->CanPaste());
  window->Paste();
  EXPECT_EQ(Text().substr(8), "Q");
  // The screen copy shows the selected rows as displayed, after a rule.
  Open("ABCDEFGHIJKLMNOPQR");
  window->SetSelection(1, 2);
  window->ScreenCopy();
  const std::string& text = clipboard.text;
  EXPECT_NE(text.find("\r\n-"), std::string::npos) << text;
  EXPECT_NE(text.find("00000000  41 42 43"), std::string::npos) << text;
  EXPECT_NE(text.find("ABCDEFGHIJKLMNOP\r\n"), std::string::npos) << text;
  EXPECT_EQ(text.find("00000010"), std::string::npos) << text;
}

TEST_F(BinaryEditing, UndoAndRedoRestoreEveryEditExactly) {
  const std::string original = "0123456789";
  Open(original);
  Type("A");                  // insert 0x0A at 0
  gProcess.overwrite = true;  // overwrite a pair at 1
  Type("ff");
  gProcess.overwrite = false;
  Key(vk::kRight, kShift, 2);
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
  // Redo never replays records made for another text.
  Open("ab");
  Key(vk::kEnd, kCtrl);
  clipboard.setText(std::string(40000, 'x'));
  window->Paste();  // an insertion whose undo needs more than a store holds
  Type("7");
  window->Undo();   // the typed byte: its redo record goes in
  EXPECT_TRUE(window->CanRedo());
  window->Undo();   // the paste: its redo record cannot be kept
  // The byte's record belongs to the text with the paste and is gone too.
  EXPECT_EQ(std::pair(Text(), window->CanRedo()), std::pair(std::string("ab"), false));
  window->Redo();
  EXPECT_EQ(Text(), "ab");
}

TEST_F(BinaryEditing, MarksAndDragging) {
  Open(std::string(300, 'm'));
  for (std::uint32_t pos : {200u, 10u, 100u}) {
    window->PlaceCaret(pos, false);
    window->ToggleMark();
  }
  EXPECT_EQ(doc->CharMarks(), (std::vector<std::uint32_t>{10, 100, 200}));
  window->PlaceCaret(150, false);
  std::vector<std::uint32_t> visited;
  for (bool next : {true, true, false}) {
    next ? window->NextMark() : window->PrevMark();
    visited.push_back(window->CaretPos());
  }
  EXPECT_EQ(visited, (std::vector<std::uint32_t>{200, 10, 200}));
  window->ToggleMark();
  EXPECT_EQ(doc->CharMarks().size(), 2u);
  window->ClearMarks();
  EXPECT_TRUE(doc->CharMarks().empty());
  // Dragging past the row end, between the last hex cell and the text area, takes its last byte.
  Open(std::string(64, 'd'));
  const BinaryLayout& layout = window->Layout();
  const int y = int(layout.RowTop(1)) + 2;
  window->OnMouse(MouseKind::kLeftDown, layout.CellX(layout.HexCell(8)) + 1, y, kPlain);
  KeyState drag;
  drag.leftButton = true;
  window->OnMouse(MouseKind::kMove, layout.CellX(layout.TextStart() - 2), y, drag);
  window->OnMouse(MouseKind::kLeftUp, 0, 0, kPlain);
  ASSERT_TRUE(window->HasSelection());
  EXPECT_EQ(Selection(), std::pair(24u, 31u));
}

TEST_F(BinaryEditing, RefusedDeletionOrAReadOnlyDocumentStopsTheInput) {
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
  EXPECT_EQ(std::pair(platform.beep.beeps.size(), window->HasSelection()), std::pair(std::size_t(1), true));
  Open("abc");
  doc->SetWriteProtected(true);
  Type("1");
  Key(vk::kDelete);
  window->Paste();
  // A paste is not offered at all: no beep for it.
  EXPECT_EQ(std::tuple(Text(), doc->IsModified(), platform.beep.beeps.size()), std::tuple("abc", false, 3u));
}

TEST(BinaryJumpTest, OffsetsAreDecimalOrHexWithPrefix) {
  const std::pair<const char*, std::optional<std::uint32_t>> cases[] = {
      {"0x1F", 31},     {"123", 123}, {"0X10", 16},
      {"0x", {}},       {"", {}},     {"12a", {}},  // "0x" alone is no number
      {"12345678901", {}}, {"9999999999", 0xFFFFFFFFu}};
  for (const auto& [text, value] : cases) {
    std::uint32_t v = 0;
    EXPECT_EQ(ParseJumpOffset(text, v) ? std::optional(v) : std::nullopt, value) << text;
  }
}

}  // namespace
}  // namespace quarn::testing
