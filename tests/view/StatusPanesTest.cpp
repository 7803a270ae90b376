#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/common/Palette.h"
#include "core/common/ProgressRow.h"
#include "core/common/StatusPanes.h"
#include "fakes/RecordingCanvas.h"

namespace quarn {
namespace {

struct RecordingBar : StatusBarHost {
  std::vector<std::pair<int, std::string>> texts;
  std::vector<std::pair<int, bool>> states;
  void setPaneText(int index, const std::string& text) override { texts.emplace_back(index, text); }
  void setPaneEnabled(int index, bool enabled) override { states.emplace_back(index, enabled); }
};

// Caret panes and enable states reach the bar only when they change; other
// panes always pass through; unknown ids are ignored.
TEST(StatusPanesTest, PanesAreRedrawnOnlyWhenTheirTextOrStateChanges) {
  RecordingBar host;
  CVeskStatusBar bar;
  bar.SetHost(&host);
  bar.SetPaneTextFast(pane::kOffsetHex, "0x00000010");
  bar.SetPaneTextFast(pane::kOffsetHex, "0x00000010");
  bar.SetPaneTextFast(pane::kOffsetDec, "00000016");
  bar.SetPaneTextFast(pane::kOffsetHex, "0x00000011");
  bar.SetPaneTextFast(pane::kDecoding, "SJIS");
  bar.SetPaneTextFast(pane::kDecoding, "SJIS");
  bar.SetPaneTextFast(12345, "x");
  EXPECT_EQ(host.texts, (std::vector<std::pair<int, std::string>>{
                            {1, "0x00000010"}, {2, "00000016"}, {1, "0x00000011"}, {6, "SJIS"}, {6, "SJIS"}}));
  EXPECT_EQ(bar.RememberedText(pane::kOffsetHex), "0x00000011");
  for (const auto& [id, enabled] : {std::pair{pane::kOverwrite, false}, {pane::kOverwrite, false},
                                    {pane::kOverwrite, true}, {pane::kReadOnly, true}})
    bar.SetPaneEnabled(id, enabled);
  EXPECT_EQ(host.states, (std::vector<std::pair<int, bool>>{{4, false}, {4, true}, {5, true}}));
}

// The recording canvas has 8-pixel average characters 16 pixels high.
TEST(StatusPanesTest, ProgressRowCellsFollowTheTextAndStayInsideThePane) {
  struct Case {
    Rect pane;
    std::string text;
    int cells, steps, textY;
    Rect firstCell;
    int cellStride, cellsDrawn;
  };
  const Case cases[] = {
      // cells start (3 + 1) x 8 after the pane's left, a character wide
      {{0, 0, 200, 20}, "abc", 5, 3, 2, {32, 1, 40, 19}, 10, 3},
      // a pane lower than the text: the text at its top
      {{10, 4, 300, 14}, "abc", 4, 4, 4, {42, 5, 50, 13}, 10, 4},
      // too many cells for the room: one pixel wide, the rest left out
      {{0, 0, 200, 20}, "abc", 100, 100, 2, {32, 1, 33, 19}, 3, 56},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.cells);
    fakes::RecordingCanvas canvas;
    ProgressRow row;
    row.Begin(canvas, c.pane, c.text, c.cells);
    for (int i = 0; i < c.steps; ++i) row.Step(i);
    row.Step(c.cells);  // past the last cell: nothing
    row.Paint(canvas, 0xC0C0C0);
    ASSERT_EQ(canvas.fills.size(), std::size_t(1 + c.cellsDrawn));
    EXPECT_EQ(canvas.fills[0].rect, c.pane);
    ASSERT_EQ(canvas.runs.size(), 1u);
    EXPECT_EQ(canvas.runs[0].text, c.text);
    EXPECT_EQ(canvas.runs[0].y, c.textY);
    for (int i = 0; i < c.cellsDrawn; ++i) {
      Rect cell = c.firstCell;
      cell.left += c.cellStride * i, cell.right += c.cellStride * i;
      EXPECT_EQ(canvas.fills[std::size_t(1 + i)].rect, cell) << i;
      EXPECT_LE(cell.right, c.pane.right);
      EXPECT_EQ(canvas.fills[std::size_t(1 + i)].color, PaletteColor(ProgressRow::kCellColour));
    }
    row.End();
    fakes::RecordingCanvas after;
    row.Paint(after, 0xC0C0C0);
    EXPECT_EQ(after.fills.size(), 1u);
    EXPECT_TRUE(after.runs.empty());
  }
}

}  // namespace
}  // namespace quarn
