#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/common/Palette.h"
#include "core/common/ProcessValues.h"
#include "core/common/ProgressRow.h"
#include "core/view/CVeskView.h"
#include "fakes/FakePlatform.h"
#include "fakes/RecordingCanvas.h"

namespace quarn {
namespace {

struct Placer : ChildPlacer {
  std::vector<std::pair<ViewChild, Rect>> moves;
  std::vector<ViewChild> focused;
  void MoveChild(ViewChild child, const Rect& rect) override { moves.emplace_back(child, rect); }
  void ShowChild(ViewChild, bool) override {}
  void FocusChild(ViewChild child) override { focused.push_back(child); }
};

struct Binary : BinaryWindowCommands {
  std::vector<std::string> calls;
  bool selection = false, paste = false, undo = false, redo = false;
  void Copy() override { calls.push_back("Copy"); }
  void Cut() override { calls.push_back("Cut"); }
  void Paste() override { calls.push_back("Paste"); }
  void Undo() override { calls.push_back("Undo"); }
  void Redo() override { calls.push_back("Redo"); }
  void ClearMarks() override { calls.push_back("ClearMarks"); }
  void NextMark() override { calls.push_back("NextMark"); }
  void PrevMark() override { calls.push_back("PrevMark"); }
  void ToggleMark() override { calls.push_back("ToggleMark"); }
  void FindDialog() override { calls.push_back("FindDialog"); }
  void ReplaceDialog() override { calls.push_back("ReplaceDialog"); }
  void Jump() override { calls.push_back("Jump"); }
  void SelectAll() override { calls.push_back("SelectAll"); }
  void ScreenCopy() override { calls.push_back("ScreenCopy"); }
  void FindNext(int direction) override { calls.push_back(direction ? "FindNext" : "FindPrevious"); }
  bool HasSelection() const override { return selection; }
  bool CanPaste() const override { return paste; }
  bool CanUndo() const override { return undo; }
  bool CanRedo() const override { return redo; }
  void RecomputeLayout() override { calls.push_back("Relayout"); }
};

// A view of a new document of the given kind with the binary window attached.
class CVeskViewTest : public ::testing::Test {
 protected:
  void Make(int kind) {
    gProcess.nextDocKind = kind;
    doc = std::make_unique<CVeskDoc>();
    view = std::make_unique<CVeskView>(*doc, placer);
    view->AttachBinaryWindow(&binary);
  }
  bool Enabled(unsigned id, bool* checked = nullptr) {
    CommandState state;
    EXPECT_TRUE(view->OnUpdateCommand(id, state)) << id;
    if (checked) *checked = state.checked;
    return state.enabled;
  }
  fakes::FakePlatform platform;
  Placer placer;
  Binary binary;
  std::unique_ptr<CVeskDoc> doc;
  std::unique_ptr<CVeskView> view;
};

TEST_F(CVeskViewTest, BinaryDocumentRoutesTheEditCommandsAndTheirRulesToTheBinaryWindow) {
  Make(kBinaryDoc);
  for (unsigned id : {57634u, 57637u, 57643u}) EXPECT_FALSE(Enabled(id)) << id;
  binary.selection = binary.paste = binary.undo = true;
  for (unsigned id : {57634u, 57635u, 32910u, 57637u, 57643u, 32772u}) EXPECT_TRUE(Enabled(id)) << id;
  // Nothing to redo; the ruler toggles and the line marks belong to text mode.
  for (unsigned id : {57644u, 32806u, 32807u, 32768u}) EXPECT_FALSE(Enabled(id)) << id;
  ASSERT_TRUE(view->OnCreate(96, 96));
  EXPECT_EQ(placer.focused.back(), ViewChild::kBinaryWindow);
  for (unsigned id : {57634u, 57635u, 57637u, 57643u, 57644u, 32775u, 32773u, 32774u, 32772u, 32788u, 32803u,
                      32910u, 32850u, 32792u})
    EXPECT_TRUE(view->OnCommand(id)) << id;
  EXPECT_EQ(binary.calls,
            (std::vector<std::string>{"Copy", "Cut", "Paste", "Undo", "Redo", "ClearMarks", "NextMark", "PrevMark",
                                      "ToggleMark", "Jump", "SelectAll", "ScreenCopy", "FindNext", "FindPrevious"}));
  // The find box's command focuses the binary window first.
  placer.focused.clear();
  view->OnCommand(195);
  EXPECT_EQ(placer.focused, (std::vector<ViewChild>{ViewChild::kBinaryWindow}));
  view->OnSize(300, 200);
  ASSERT_EQ(placer.moves.size(), 1u);
  EXPECT_EQ(placer.moves[0].second, (Rect{0, 0, 300, 200}));
  for (auto h : {hint::kFormatChanged, hint::kBinaryLoaded, hint::kRefresh}) doc->UpdateAllViews(h);
  EXPECT_EQ(std::count(binary.calls.begin(), binary.calls.end(), "Relayout"), 2);
  // Read-only switching: checked while set, and the status panes follow it
  // and the overwrite mode.
  for (bool on : {false, true}) {
    if (on) view->OnCommand(32789);
    gProcess.overwrite = on;
    bool checked = !on;
    EXPECT_TRUE(Enabled(32789, &checked));
    EXPECT_EQ(std::tuple(checked, doc->IsWriteProtected(), Enabled(59146), Enabled(59145)), std::tuple(on, on, on, on));
  }
  gProcess.overwrite = false;
  EXPECT_TRUE(Enabled(59143));
}

TEST_F(CVeskViewTest, TextDocumentLeavesTheBinaryCommandsAlone) {
  Make(kTextDoc);
  binary.selection = binary.paste = true;
  EXPECT_FALSE(view->OnCommand(57637));
  for (unsigned id : {57635u, 57637u, 32789u, 32772u}) EXPECT_FALSE(Enabled(id)) << id;
  EXPECT_TRUE(binary.calls.empty());
  ASSERT_TRUE(view->OnCreate(96, 96));
  EXPECT_EQ(placer.focused.back(), ViewChild::kTextWindow);
  // The screen font takes its pixel height from the point size.
  const LogFont font{14, 7}, screen = CVeskView::ScreenFontOf(font, 96);
  EXPECT_EQ(std::tuple(screen.height, screen.width, CVeskView::ScreenFontOf(font, 120).height), std::tuple(-18, 0, -23));
}

// The recording canvas has 8-pixel average characters: the cells start
// (3 + 1) x 8 after the pane's left, clear of the text "abc". Too many for the
// room, they are one pixel wide and those past the pane are left out.
TEST(StatusPanesTest, ProgressRowCellsFollowTheTextAndStayInsideThePane) {
  fakes::RecordingCanvas canvas, after;
  ProgressRow row;
  row.Begin(canvas, {0, 0, 200, 20}, "abc", 100);
  for (int i = 0; i <= 100; ++i) row.Step(i);
  row.Paint(canvas, 0xC0C0C0);
  ASSERT_EQ(canvas.fills.size(), 1u + 56);
  EXPECT_EQ(std::tuple(canvas.fills[1].rect, canvas.fills.back().rect.right <= 200, canvas.fills.back().color),
            std::tuple(Rect{32, 1, 33, 19}, true, PaletteColor(ProgressRow::kCellColour)));
  row.End();
  row.Paint(after, 0xC0C0C0);
  EXPECT_EQ(std::tuple(after.fills.size(), after.runs.size()), std::tuple(1u, 0u));
}

}  // namespace
}  // namespace quarn
