#include <deque>

#include "TextWindowFixture.h"
#include "core/commands/CommandIds.h"
#include "core/view/CVeskView.h"
#include "fakes/FakeViewParts.h"

namespace quarn::testing {
namespace {

using fakes::NoPlacer;

constexpr std::uint32_t kFirst = DocumentMarks::kFirstLine;

// Answers the jump dialog from a list; no answer left cancels.
class JumpAnswers : public fakes::FakeDialogs {
 public:
  bool jumpDialog(JumpDialogRequest& request) override {
    labels.push_back(request.label);
    while (!answers.empty()) {
      request.text = answers.front();
      answers.pop_front();
      if (request.accept(request.text)) return true;
    }
    return false;
  }
  std::deque<std::string> answers;
  std::vector<std::string> labels;
};

class TextMarksTest : public TextWindowFixture {
 protected:
  void SetUp() override {
    TextWindowFixture::SetUp();
    Platform().dialogs = &jump;
  }
  void Command(unsigned id) { ASSERT_TRUE(window->OnTextCommand(id)) << id; }
  std::size_t Beeps() const { return platform.beep.beeps.size(); }
  // The command beeps and changes no mark.
  void ExpectRefused(unsigned id, const char* what) {
    const auto lines = doc->Marks().LineMarks();
    const auto chars = doc->Marks().CharMarks();
    const std::size_t beeps = Beeps();
    Command(id);
    EXPECT_EQ(Beeps(), beeps + 1) << what;
    EXPECT_EQ(doc->Marks().LineMarks(), lines) << what;
    EXPECT_EQ(doc->Marks().CharMarks(), chars) << what;
  }
  void CaretTo(std::uint32_t row, int column = 0) { window->GoToCell(column, row); }

  JumpAnswers jump;
};

// Rows of width 20: "short" | "a long line that wra" | "ps here" | "x\tTAB" | "" (after the last CR LF)
const std::string kLines = "short\r\na long line that wraps here\r\nx\tTAB\r\n";

TEST_F(TextMarksTest, LineMarksAndTheTagLineAreSetOnLineStartsAndSteppedThroughInTurn) {
  Open(kLines, 20);
  Command(cmd::kLineMarkToggle);  // the first line stores -2
  EXPECT_EQ(std::pair(doc->Marks().LineMarks(), doc->IsModified()),
            std::pair(std::vector<std::uint32_t>{kFirst}, true));
  CaretTo(2);
  ExpectRefused(cmd::kLineMarkToggle, "a wrapped continuation row");
  CaretTo(4);
  ExpectRefused(cmd::kLineMarkToggle, "the empty row after the last line end");
  ASSERT_TRUE(doc->Marks().AddLineMark(41));  // there from an attribute file: toggling removes it
  Command(cmd::kLineMarkToggle);
  EXPECT_EQ(doc->Marks().LineMarks(), std::vector<std::uint32_t>{kFirst});
  CaretTo(3);
  window->SelectRange(doc->RowStartAt(3), doc->RowStartAt(3) + 2);
  ExpectRefused(cmd::kLineMarkToggle, "with a selection");
  window->CancelSelection();
  Command(cmd::kLineMarkToggle);
  CaretTo(1);
  Command(cmd::kLineMarkToggle);
  EXPECT_EQ(doc->Marks().LineMarks(), (std::vector<std::uint32_t>{kFirst, 5, 34}));
  EXPECT_EQ(window->IsMarkedRow(3), 2u);
  EXPECT_FALSE(window->IsMarkedRow(2));
  // Each command and the row it goes to.
  const std::pair<unsigned, std::uint32_t> steps[] = {{cmd::kLineMarkNext, 3}, {cmd::kLineMarkNext, 0},
                                                      {cmd::kLineMarkPrev, 3}, {cmd::kLineMarkPrev, 1},
                                                      {cmd::kLineMarkPrev, 0}, {cmd::kLineMarkPrev, 3}};
  for (const auto& [id, row] : steps) {
    Command(id);
    EXPECT_EQ(window->Caret(), (TextCell{0, row})) << id;
  }
  Command(cmd::kLineMarkToggle);  // on a marked row it clears
  EXPECT_EQ(doc->Marks().LineMarks().size(), 2u);
  doc->SetModifiedFlag(false);
  doc->Format().saveLineMarks = false;
  Command(cmd::kLineMarkClearAll);  // marks that are not saved do not modify the document
  EXPECT_EQ(std::pair(doc->Marks().LineMarks().empty(), doc->IsModified()), std::pair(true, false));
  ExpectRefused(cmd::kLineMarkNext, "no marks to go to");
  for (const Recorded& r : records) EXPECT_EQ(r.type, textrec::kCommand);
  EXPECT_EQ(records.front().id, cmd::kLineMarkToggle);
  // The tag line stands on line starts, and the view offers line marks only.
  window->SetTagLine(0);
  EXPECT_EQ(doc->Marks().TagLine(), kFirst);
  window->SetTagLine(3);
  EXPECT_EQ(doc->Marks().TagLine(), 34u);
  const std::size_t beeps = Beeps();
  window->SetTagLine(2);
  EXPECT_EQ(doc->Marks().TagLine(), DocumentMarks::kNoTag) << "the old tag line is cleared first";
  window->SetTagLine(9);
  EXPECT_EQ(Beeps(), beeps + 2);
  NoPlacer placer;
  CVeskView view(*doc, placer);
  view.AttachTextWindow(window.get());
  for (unsigned id = cmd::kLineMarkToggle; id <= cmd::kJump; id = id == cmd::kMarkClearAll ? cmd::kJump : id + 1) {
    CommandState state;
    ASSERT_TRUE(view.OnUpdateCommand(id, state)) << id;
    EXPECT_EQ(state.enabled, id <= cmd::kLineMarkClearAll) << id;
  }
  view.AttachTextWindow(nullptr);
}

TEST_F(TextMarksTest, CharacterMarksTakeSelectionsOfAtMostEightyBytesOnOneLine) {
  const std::string line(90, 'c');
  Open(line + "\r\nab\tcd\r\nxyz", 100);
  window->SelectRange(0, 81);
  ExpectRefused(cmd::kMarkToggle, "81 bytes");
  window->SelectRange(0, 80);
  Command(cmd::kMarkToggle);
  ASSERT_EQ(doc->Marks().CharMarks().size(), 1u);
  EXPECT_EQ(doc->Marks().CharMarks()[0].Text(), std::string(80, 'c'));
  EXPECT_FALSE(window->HasSelection());
  window->SelectRange(92, 96);
  ExpectRefused(cmd::kMarkToggle, "a TAB inside");
  window->SelectRange(89, 93);
  ExpectRefused(cmd::kMarkToggle, "a line end inside");
  window->SelectRange(99, 101);
  Command(cmd::kMarkToggle);
  CaretTo(1, 6);
  ExpectRefused(cmd::kMarkToggle, "the caret on a line end");
  CaretTo(2, 2);
  ExpectRefused(cmd::kMarkToggle, "an unmarked character without a selection");

  const std::pair<unsigned, std::uint32_t> steps[] = {
      {cmd::kMarkNext, 0}, {cmd::kMarkNext, 99}, {cmd::kMarkNext, 0}, {cmd::kMarkPrev, 99}};
  for (const auto& [id, pos] : steps) {
    Command(id);
    EXPECT_EQ(window->CaretOffset(), pos) << id;
  }
  Command(cmd::kMarkToggle);  // the caret's character lies in the mark: it goes
  EXPECT_EQ(doc->Marks().CharMarks().size(), 1u);
  Command(cmd::kMarkClearAll);
  EXPECT_TRUE(doc->Marks().CharMarks().empty());
  ExpectRefused(cmd::kMarkPrev, "no marks to go to");
}

TEST_F(TextMarksTest, JumpTakesLineNumbersOrRowsAndCentresTheRow) {
  std::string text;
  for (int i = 0; i < 60; ++i) text += i % 2 ? "a line longer than twenty\r\n" : "short\r\n";
  Open(text, 20);  // every odd line takes two rows: 90 rows and the empty one
  const struct {
    int mode;
    const char* typed;
    std::uint32_t row;  // kNone: refused
  } cases[] = {
      {1, "1", 0},   {1, "2", 1},   {1, "3", 3},   {1, "61", 90},  {1, "62", CVeskDoc::kNone},
      {0, "3", 2},   {0, "91", 90}, {0, "92", CVeskDoc::kNone},    {1, "0", 0},
  };
  for (const auto& c : cases) {
    gCabinet.Current().record.LineNumberMode = c.mode;
    CaretTo(5);
    jump.answers = {c.typed};
    const std::size_t beeps = Beeps();
    Command(cmd::kJump);
    const bool refused = c.row == CVeskDoc::kNone;
    EXPECT_EQ(std::pair(Beeps(), window->Caret()), std::pair(beeps + refused, TextCell{0, refused ? 5u : c.row}))
        << c.typed;
  }
  EXPECT_EQ(platform.messages.notices, std::vector<std::string>(2, texts::kJumpRefusedNotice));
  gCabinet.Current().record.LineNumberMode = 1;
  jump.answers = {"zz", "-1", "41"};  // the dialog stays until a number is typed, saying why
  platform.messages.notices.clear();
  const std::size_t beeps = Beeps();
  Command(cmd::kJump);
  EXPECT_EQ(Beeps(), beeps + 2);
  EXPECT_EQ(platform.messages.notices, std::vector<std::string>(2, texts::kJumpRefusedNotice));
  EXPECT_EQ(window->Caret().row, 60u);
  EXPECT_EQ(window->Layout().FirstRow(), 56u) << "row 60 comes to the middle of ten rows";
  EXPECT_EQ(records.back().data, (std::vector<std::uint8_t>{41, 0, 0, 0}));

  // Played back, the recorded number is taken without the dialog.
  jump.answers.clear();
  ASSERT_TRUE(window->ReplayRecord(textrec::kCommand, cmd::kJump, {3, 0, 0, 0}));
  EXPECT_EQ(window->Caret().row, 3u);
  EXPECT_EQ(window->Layout().FirstRow(), 0u) << "a row in the first half page scrolls to the top";
  EXPECT_EQ(jump.labels.size(), std::size(cases) + 1);
}

TEST_F(TextMarksTest, MarkedLinesTheTagLineAndMarkedCharactersAreDrawnInTheirColours) {
  DocTypeSettings& type = gCabinet.Current().record;
  type.TagBackColor = 0x80123456;
  Open("one\r\ntwo three\r\nfour\r\nfive", 40);
  doc->Marks().AddLineMark(3);
  doc->Marks().SetTagLine(14);
  doc->Marks().AddCharMark(1, "ne");
  doc->Marks().AddCharMark(22, "fiev");  // the text there is no longer the marked one
  fakes::RecordingCanvas canvas;
  window->OnPaint(canvas, Rect{0, 0, 800, 160});
  auto backs = [&](std::uint32_t row) {
    std::string out;
    for (const auto& run : canvas.RunsAt(int(row) * 16)) out += run.text + "=" + std::to_string(run.bkColor) + " ";
    return out;
  };
  const std::string text = std::to_string(type.TextBackColor & 0xFFFFFF);
  const std::string marked = std::to_string(type.MarkedCharBackColor & 0xFFFFFF);
  EXPECT_EQ(backs(0), "o=" + text + " ne=" + marked + " ");
  EXPECT_EQ(backs(1), "two three=" + std::to_string(type.MarkedLineBackColor & 0xFFFFFF) + " ");
  EXPECT_EQ(backs(2), "four=" + std::to_string(0x123456) + " ");
  EXPECT_EQ(backs(3), "five=" + text + " ");
}

}  // namespace
}  // namespace quarn::testing
