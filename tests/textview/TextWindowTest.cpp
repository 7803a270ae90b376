#include <random>

#include "TextWindowFixture.h"
#include "core/view/CVeskView.h"
#include "core/common/StatusPanes.h"
#include "platform/ScrollCodes.h"
#include "fakes/FakeViewParts.h"

namespace quarn::testing {
namespace {

using fakes::NoPlacer;

using TextWindowTest = TextWindowFixture;

TEST_F(TextWindowTest, MovementKeys) {
  // Rows of width 10: "abc def\r\n" | "あいう\r\n" | "\txyz gh" | "ijkl"
  Open("abc def\r\n\x82\xa0\x82\xa2\x82\xa4\r\n\txyz ghijkl", 10, 4);
  const struct {
    int vk;
    bool control;
    TextCell cell;
  } steps[] = {
      {vk::kRight, false, {1, 0}}, {vk::kEnd, false, {7, 0}},     // End of a line: its CR
      {vk::kRight, false, {0, 1}}, {vk::kRight, false, {2, 1}},   // a double-byte character
      {vk::kUp, false, {2, 0}},    {vk::kDown, false, {2, 1}},    // the goal column
      {vk::kDown, false, {4, 2}},  {vk::kLeft, false, {0, 2}},    // a TAB is one character
      {vk::kEnd, false, {10, 2}},  {vk::kRight, false, {1, 3}},   // after the row's last character
      {vk::kHome, true, {0, 0}},   {vk::kRight, true, {4, 0}},    // the next word
      {vk::kRight, true, {0, 1}},  {vk::kLeft, true, {4, 0}},     // and back
      {vk::kEnd, true, {4, 3}},    {vk::kHome, false, {0, 3}},
  };
  for (const auto& s : steps) {
    Key(s.vk, false, s.control);
    EXPECT_EQ(window->Caret(), s.cell) << "key " << s.vk << " ctrl " << s.control;
  }
}

// Page keys scroll, Ctrl with an arrow keeps the caret in view, the cabinet's position words come back
// (unless their top row lies past the text), and the command line's cell is clamped.
TEST_F(TextWindowTest, PageKeysPositionWordsAndTheCommandLineCell) {
  Open(FiftyLines());
  const auto firstRowCaretRowSelected = [&] {
    return std::tuple(window->Layout().FirstRow(), window->Caret().row, window->HasSelection());
  };
  Key(vk::kNext);
  EXPECT_EQ(firstRowCaretRowSelected(), std::tuple(10u, 10u, false));
  Key(vk::kRight, true);  // a selection, which the scroll drops as any move without Shift
  Key(vk::kDown, false, true);  // scroll by a row; the caret moves to the first visible row
  EXPECT_EQ(firstRowCaretRowSelected(), std::tuple(11u, 11u, false));
  Key(vk::kRight, true);
  Key(vk::kUp, false, true);
  EXPECT_EQ(firstRowCaretRowSelected(), std::tuple(10u, 11u, false));
  Key(vk::kDown, false, true);
  Key(vk::kEnd, false, true);
  EXPECT_EQ(window->Caret(), (TextCell{0, 50}));
  EXPECT_EQ(std::pair(StatusBar().RememberedText(pane::kOffsetHex), StatusBar().RememberedText(pane::kOffsetDec)),
            std::pair(std::string("00051"), std::string("001")));
  window->RestorePosition({30, 2, 44});
  EXPECT_EQ(std::pair(window->Layout().FirstRow(), window->Caret()), std::pair(30u, TextCell{2, 44}));
  EXPECT_EQ(window->SavePosition(), (PositionWords{30, 2, 44}));
  window->RestorePosition({50, 0, 0});
  EXPECT_EQ(window->SavePosition(), (PositionWords{30, 2, 44}));
  window->GoToCell(3, 1000);
  EXPECT_EQ(window->Caret(), (TextCell{0, 50}));
  window->GoToCell(9, 4);
  EXPECT_EQ(window->Caret(), (TextCell{4, 4})) << "at most the row's last column";
}

// A box copies on each row the whole characters it covers, each part with one line end, and highlights
// exactly those: never half of a double-byte character, nothing on the empty last row.
TEST_F(TextWindowTest, BoxHighlightShowsExactlyWhatItsCopyTakes) {
  const std::string kana = "abcdef\r\n\x82\xa0\x82\xa2\x82\xa4\r\n";  // abcdef | あいう | the empty row after them
  const struct {
    std::string text;
    TextCell from, to;
    std::string copy;
    std::vector<Rect> inverted;
  } cases[] = {
      {"abcd\r\nef\r\nghij", {1, 0}, {6, 2}, "bcd\r\nf\r\nhij\r\n", {{8, 0, 48, 16}, {8, 16, 32, 32}, {8, 32, 32, 48}}},
      {kana, {1, 0}, {4, 1}, "bcd\r\n\x82\xa2\r\n", {{8, 0, 32, 16}, {16, 16, 32, 32}}},
      {kana, {1, 0}, {5, 2}, "bcde\r\n\x82\xa2\x82\xa4\r\n", {{8, 0, 40, 16}, {16, 16, 48, 32}}},
      {kana, {2, 0}, {8, 1}, "cdef\r\n\x82\xa2\x82\xa4\r\n", {{16, 0, 64, 16}, {16, 16, 64, 32}}},
  };
  for (const auto& c : cases) {
    Open(c.text, 20);
    Drag(c.from, c.to, true);
    ASSERT_TRUE(window->IsBoxSelection());
    EXPECT_EQ(window->SelectedText(), c.copy);
    window->OnTextCommand(57634);
    EXPECT_EQ(clipboard.text, c.copy);
    fakes::RecordingCanvas canvas;
    window->OnPaint(canvas, Rect{0, 0, 800, 160});
    std::vector<Rect> inverted;
    for (const auto& inversion : canvas.inversions) inverted.push_back(inversion.rect);
    EXPECT_EQ(inverted, c.inverted) << c.copy;
  }
}

TEST_F(TextWindowTest, AppendCopyAddsTheSelectionAndCopiesTakeTheTextsBytes) {
  Open("hello world");
  window->OnMouse(MouseKind::kLeftDoubleClick, 8 * 7, 0, KeyState{});
  EXPECT_EQ(window->SelectedText(), "world");
  EXPECT_EQ(window->Caret(), (TextCell{6, 0})) << "the caret goes to the word's start";
  window->OnTextCommand(32805);
  EXPECT_EQ(clipboard.text, "world") << "an empty clipboard";
  clipboard.text = std::string("old\0junk", 8);
  window->OnTextCommand(32805);
  EXPECT_EQ(clipboard.text, "oldworld");
  // Select all and Shift with the arrows take the text's bytes.
  Open("ab\r\n\x82\xa0z");
  window->OnTextCommand(32803);
  window->OnTextCommand(57634);
  EXPECT_EQ(clipboard.text, Text());
  Key(vk::kHome, false, true);
  Key(vk::kDown, true);
  Key(vk::kRight, true);
  EXPECT_EQ(window->SelectedText(), "ab\r\n\x82\xa0");
}

TEST_F(TextWindowTest, RefusedCommandsAreRecordedAndChangeNothing) {
  Open("abc\r\ndef");
  Key(vk::kRight);
  Key(vk::kRight, true);
  records.clear();
  const unsigned refused[] = {57635, 32804, 57637, 57643, 57644, 32875, 32876, 32802, 32801, 32799, 32798,
                              32816, 32817, 32818, 32819, 32820, 32821, 32822, 32825, 32823, 32824, 32826,
                              32827};
  for (unsigned id : refused) {
    EXPECT_TRUE(window->OnTextCommand(id));
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(records.back().type, 256u);
    EXPECT_EQ(records.back().id, id);
  }
  Key(vk::kDelete);
  EXPECT_EQ(records.back().type, 288u);
  window->OnChar(0x82, KeyState{});
  window->OnChar(0xa0, KeyState{});
  EXPECT_EQ(records.back().type, 272u);
  EXPECT_EQ(records.back().data, (std::vector<std::uint8_t>{0x82, 0xa0})) << "one record after the trail byte";
  window->OnImeString("\x82\xa2");
  window->OnChar('\r', KeyState{});
  EXPECT_EQ(records.back().data, (std::vector<std::uint8_t>{'\r', '\n'}));
  EXPECT_EQ(Text(), "abc\r\ndef");
  EXPECT_EQ(doc->Undo().Count(), 0u);
  EXPECT_TRUE(platform.beep.beeps.empty());
}

TEST_F(TextWindowTest, BackspaceMovesLeftAndTypingTreatsTheSelectionByTheSetting) {
  Open("abc");
  window->OnChar(8, KeyState{});
  EXPECT_TRUE(records.empty()) << "nothing at the very start";
  Key(vk::kEnd);
  window->OnChar(8, KeyState{});
  EXPECT_EQ(window->Caret(), (TextCell{2, 0}));
  EXPECT_EQ(Text(), "abc");
  for (int on : {1, 0}) {
    gSettings.DeleteSelectionAtInput = on;
    Key(vk::kHome, true);
    window->OnChar('x', KeyState{});
    EXPECT_EQ(window->HasSelection(), on == 1);
    EXPECT_EQ(Text(), "abc");
  }
  gProcess.overwrite = false;  // the Insert key changes the caret's width
  Key(vk::kInsert);
  EXPECT_EQ(host.caretWidth, 8);
  Key(vk::kInsert);
  EXPECT_EQ(host.caretWidth, 2);
}

TEST_F(TextWindowTest, AnyKeyStopsTheAutomaticScrollAndIsSwallowed) {
  Open(FiftyLines());
  gSettings.AutoScrollCount = 3;
  Key(vk::kDown, true, true);
  EXPECT_TRUE(host.timers[CVeskEV::kAutoScrollTimer]);
  window->OnTimer(CVeskEV::kAutoScrollTimer);
  window->OnTimer(CVeskEV::kAutoScrollTimer);
  EXPECT_EQ(window->Caret().row, 6u);
  Key('A');
  window->OnChar('a', KeyState{});
  EXPECT_FALSE(host.timers[CVeskEV::kAutoScrollTimer]);
  EXPECT_TRUE(records.empty() || records.back().type != 272u) << "the stopping key's character is dropped";
}

TEST_F(TextWindowTest, AppendedPiecesLayOutAsTheWholeTextWould) {
  gCabinet.ResetToType(kDocTypeCpp);
  gSettings.ColorAreaComment = 1;
  std::mt19937 rng(3);
  // The long piece carries the end of the text across the store's 32 KB window.
  const std::string pieces[] = {"word ", "/*", "*/", "\r\n", "\t", "\x82\xa0", "\x82", "long_identifier_here ",
                                std::string(3000, '*') + "/"};
  for (int round = 0; round < 20; ++round) {
    Open("", 12, 4);
    doc->Layout().wordWrap = round % 2 == 0;
    doc->Layout().kinsoku = round % 3 == 0;
    std::string all;
    for (int step = 0; step < 60; ++step) {
      std::string piece;
      for (int n = 1 + int(rng() % 4); n > 0; --n) piece += pieces[rng() % std::size(pieces)];
      all += piece;
      window->AppendText(reinterpret_cast<const std::uint8_t*>(piece.data()), std::uint32_t(piece.size()), step % 2);
    }
    ASSERT_EQ(Text(), all);
    const std::vector<std::uint32_t> rows(doc->RowStarts(), doc->RowStarts() + doc->RowCount());
    const auto opens = window->CommentOpens();
    const auto closes = window->CommentCloses();
    doc->RebuildRows();
    window->Reformat(true);
    EXPECT_EQ(std::vector<std::uint32_t>(doc->RowStarts(), doc->RowStarts() + doc->RowCount()), rows) << round;
    EXPECT_EQ(window->CommentOpens(), opens) << round;
    EXPECT_EQ(window->CommentCloses(), closes) << round;
  }
}

TEST_F(TextWindowTest, TheViewFollowsTheCaretAndTheScrolling) {
  std::string text;
  for (int i = 0; i < 60; ++i)
    text += "line " + std::to_string(i) + " " + std::string(std::size_t(i % 30), 'x') + "\r\n";
  Open(text, 200);
  NoPlacer placer;
  CVeskView view(*doc, placer);
  view.AttachTextWindow(window.get());
  auto expectFollowing = [&](const char* step) {
    const auto& r = view.Rulers();
    EXPECT_EQ(std::tuple(r.caretRow, r.caretColumn, r.topRow, r.firstColumn),
              std::tuple(window->Caret().row, window->Caret().column, window->Layout().FirstRow(),
                         window->Layout().FirstColumn())) << step;
  };
  Key(vk::kEnd, false, true);
  Key(vk::kEnd);
  Key(vk::kUp);
  expectFollowing("end, up");
  window->OnVScroll(sb::kTop, 0);
  expectFollowing("scroll bar to the top");
  window->OnHScroll(sb::kLineRight, 0);
  expectFollowing("scroll right");
  view.AttachTextWindow(nullptr);
  Key(vk::kHome, false, true);
  EXPECT_NE(view.Rulers().caretRow, window->Caret().row) << "a detached window reports nothing";
}

// A writer appending line by line: the window scrolls, paints and reports
// its caret once per frame of its timer, and the last frame shows the end.
TEST_F(TextWindowTest, AppendedLinesShowOncePerFrame) {
  Open("", 200);
  NoPlacer placer;
  CVeskView view(*doc, placer);
  view.AttachTextWindow(window.get());
  host.updates = 0;
  for (int i = 0; i < 500; ++i) doc->AppendStringToViews("line\r\n");
  EXPECT_EQ(host.updates, 0) << "the first line needed no scroll, the others wait for the frame";
  EXPECT_LT(view.Rulers().caretRow, 10u);
  ASSERT_TRUE(host.timers[CVeskEV::kAppendTimer]);
  window->OnTimer(CVeskEV::kAppendTimer);
  EXPECT_EQ(host.updates, 1);
  EXPECT_EQ(window->Layout().FirstRow(), 491u) << "the empty row after the last line at the bottom";
  EXPECT_EQ(view.Rulers().caretRow, 500u);
  window->OnTimer(CVeskEV::kAppendTimer);
  EXPECT_FALSE(host.timers[CVeskEV::kAppendTimer]) << "a frame without appends ends the timer";
  doc->AppendStringToViews("line\r\n");
  EXPECT_EQ(host.updates, 3) << "an append after a quiet frame shows at once";
  EXPECT_EQ(view.Rulers().caretRow, 501u);
  EXPECT_EQ(view.Rulers().topRow, 492u);
}

}  // namespace
}  // namespace quarn::testing
