// The column ruler and the line bar at 96 dpi: marks, line-width drag, row selection, the view's switches.
#include <algorithm>
#include <random>

#include "core/rulers/CLineBar.h"
#include "core/rulers/CRulerBar.h"
#include "core/view/CVeskView.h"
#include "fakes/FakeViewParts.h"
#include "textview/TextWindowFixture.h"

namespace quarn {
namespace {

using fakes::RecordingCanvas;
using testing::TextHost;

struct Label {
  std::string text;
  int x, y;  // the ruler's left and top, the line bar's right and bottom
  friend bool operator==(const Label&, const Label&) = default;
};

class RulersTest : public testing::TextWindowFixture {
 protected:
  void SetUp() override {
    TextWindowFixture::SetUp();
    Open(std::string(60, 'a') + "\r\nbb\r\n", 20);
    Margins(0, 0);
    rulerHost.client = {400, 16};
    barHost.client = {31, 200};
  }
  // 8 x 16 pixel cells.
  void Margins(int left, int top) {
    TextMetric font;
    font.height = 16;
    font.aveCharWidth = 8;
    layout.SetMetrics(font, 96, 96, 0, 0, left, top);
  }

  TextLayout layout;
  TextHost rulerHost, barHost;
};

TEST_F(RulersTest, LineBarNumbersEveryFiveRowsBelowTheTopMargin) {
  // Top margin, first row; the numbers' right edges and bottoms.
  const std::tuple<int, int, std::vector<Label>> cases[] = {
      {0, 0, {{"1", 26, 17}, {"5", 26, 80}, {"10", 26, 160}}},
      {15, 0, {{"1", 26, 22}, {"5", 26, 85}, {"10", 26, 165}}},
      {0, 3, {{"5", 26, 32}, {"10", 26, 112}, {"15", 26, 192}}},
  };
  for (const auto& [topMarginLM, firstRow, labels] : cases) {
    SCOPED_TRACE(::testing::Message() << topMarginLM << " " << firstRow);
    Margins(0, topMarginLM);
    layout.SetFirstRow(std::uint32_t(firstRow));
    CLineBar bar(*doc, barHost, layout, nullptr);
    RecordingCanvas canvas;
    bar.onPaint(canvas, Rect{0, 0, 31, 200});
    std::vector<Label> drawn;
    for (const auto& text : canvas.texts) drawn.push_back({text.text, text.rect.right, text.rect.bottom});
    EXPECT_EQ(drawn, labels);
    // Ticks run left from the right edge, every row's with a highlight below.
    int rows = 0;
    for (const auto& line : canvas.lines) {
      if (line.y1 != line.y2 || line.x1 != 31 || line.color != 0) continue;
      const int row = firstRow + rows++;
      EXPECT_EQ(std::pair(line.y1, 31 - line.x2),
                std::pair(layout.TopMargin() + (row - firstRow) * 16, row % 10 == 0 ? 13 : row % 5 == 0 ? 9 : 5));
    }
    EXPECT_EQ(rows, (200 - layout.TopMargin()) / 16 + 1);
  }
}

TEST_F(RulersTest, LineWidthDragIsClampedToTenAndTwoHundredFifty) {
  // Where the drag ends and the width it sets. The mark of width 20 is the
  // band x 160..161; a column is (x + 1) / 8.
  const std::pair<int, int> cases[] = {{239, 30},   {40, 10},    {-50, 10}, {5000, 250},
                                       {2007, 250}, {1999, 250}, {160, 20}};
  for (const auto& [dropX, width] : cases) {
    SCOPED_TRACE(dropX);
    gCabinet.RefreshDocumentFormat(*doc, 20);
    ASSERT_EQ(doc->RowCount(), 4u);
    CRulerBar ruler(*doc, rulerHost, layout);
    ruler.onMouse(MouseKind::kLeftDown, 100, 10, {});
    EXPECT_FALSE(ruler.Dragging());
    ruler.onMouse(MouseKind::kLeftDown, 161, 14, {});
    ASSERT_TRUE(ruler.Dragging());
    // Columns outside 10..250 leave the drag line where it was.
    ruler.onMouse(MouseKind::kMove, 8 * 5, 10, {});
    EXPECT_EQ(ruler.DragColumn(), 20);
    ruler.onMouse(MouseKind::kMove, dropX, 10, {});
    ruler.onMouse(MouseKind::kLeftUp, dropX, 10, {});
    EXPECT_FALSE(ruler.Dragging());
    // The 60-character line is laid out again at the new width.
    EXPECT_EQ(std::pair(doc->Format().charsPerLine, doc->RowCount()),
              std::pair(width, std::uint32_t((60 + width - 1) / width + 1)));
  }
}

// The view passes the caret and the scrolling to both bars.
TEST_F(RulersTest, LineBarSelectsWholeRowsAsAPlainModelSays) {
  gSettings.DisplayRulerBar = gSettings.DisplayLineBar = 1;
  std::mt19937 random(12);
  int scrolled = 0;
  for (int round = 0; round < 40; ++round) {
    std::string text;
    const int lines = 5 + int(random() % 30);
    for (int i = 0; i < lines; ++i) text += std::string(random() % 45, char('a' + i % 26)) + "\r\n";
    if (random() % 2) text.resize(text.size() - 2);
    Open(text, 20);
    CRulerBar ruler(*doc, rulerHost, window->Layout());
    CLineBar bar(*doc, barHost, window->Layout(), window.get());
    fakes::NoPlacer placer;
    CVeskView view(*doc, placer);
    view.AttachRulers(&ruler, &bar);
    view.AttachTextWindow(window.get());
    window->GoToCell(7, 2);
    EXPECT_EQ(std::pair(ruler.MarkedColumn(), bar.MarkedRow()), std::pair(window->Caret().column, 2u));
    // The whole rows from a to b, in the order of the text.
    auto expected = [&](std::uint32_t a, std::uint32_t b) {
      const std::uint32_t last = LastCaretRow(*doc);
      a = std::min(a, last);
      b = std::min(b, last);
      const std::uint32_t from = doc->RowStartAt(std::min(a, b));
      return text.substr(from, RowEnd(*doc, std::max(a, b)) - from);
    };
    auto rowAt = [&](int y) {
      const long long row = (y < 0 ? (y - 15) / 16 : y / 16) + (long long)window->Layout().FirstRow();
      return std::uint32_t(std::max<long long>(0, row));
    };
    int y = int(random() % 160);
    const std::uint32_t anchor = rowAt(y);
    bar.onMouse(MouseKind::kLeftDown, 5, y, {});
    ASSERT_TRUE(barHost.timers[CLineBar::kSelectTimer]);
    for (int step = 0; step < 6; ++step) {
      SCOPED_TRACE(::testing::Message() << "round " << round << " step " << step);
      y = int(random() % 400) - 120;
      const std::uint32_t row = rowAt(y);
      if (y >= 0 && step % 2) {
        bar.onMouse(MouseKind::kMove, 5, y, KeyState{false, false, false, true});  // the left button held
      } else {
        // Outside the bar only the timer reaches the rows; the window scrolls.
        barHost.pointer = {5, y};
        bar.onTimer(CLineBar::kSelectTimer);
      }
      EXPECT_EQ(window->SelectedText(), expected(anchor, row)) << y;
      scrolled += window->Layout().FirstRow() > 0;
    }
    bar.onMouse(MouseKind::kLeftUp, 5, y, {});
    EXPECT_FALSE(barHost.timers[CLineBar::kSelectTimer]);
    view.AttachTextWindow(nullptr);
  }
  EXPECT_GT(scrolled, 20);
}

TEST_F(RulersTest, ShiftExtendsTheSelectionFromItsFartherEnd) {
  Open("r0\r\nr1\r\nr2\r\nr3\r\nr4\r\nr5\r\nr6\r\n", 20);
  CLineBar bar(*doc, barHost, window->Layout(), window.get());
  const std::tuple<int, bool, std::string> steps[] = {
      {2, false, "r2\r\n"}, {5, true, "r2\r\nr3\r\nr4\r\nr5\r\n"}, {0, true, "r0\r\nr1\r\nr2\r\nr3\r\nr4\r\nr5\r\n"},
      {3, false, "r3\r\n"}};
  for (const auto& [row, shift, selected] : steps) {
    bar.onMouse(MouseKind::kLeftDown, 5, row * 16 + 4, KeyState{shift, false});
    bar.onMouse(MouseKind::kLeftUp, 5, row * 16 + 4, {});
    EXPECT_EQ(window->SelectedText(), selected) << row;
  }
}

struct Placer : ChildPlacer {
  std::map<ViewChild, Rect> rects;
  std::map<ViewChild, bool> shown;
  int switched = 0;
  void MoveChild(ViewChild child, const Rect& rect) override { rects[child] = rect; }
  void ShowChild(ViewChild child, bool show) override { shown[child] = show; }
  void FocusChild(ViewChild) override {}
  void RulersSwitched() override { ++switched; }
};

// Both bars on: the line bar stands below the ruler and the text window takes
// the rest; the ruler's switch hides only the ruler and lifts the others.
TEST_F(RulersTest, SwitchesShowTheBarsAndGiveTheTextWindowTheRest) {
  const int r = ColumnRulerHeight(96), l = LineBarWidth(96);
  gSettings.DisplayRulerBar = gSettings.DisplayLineBar = 1;
  Placer placer;
  CVeskView view(*doc, placer);
  view.AttachTextWindow(window.get());
  ASSERT_TRUE(view.OnCreate(96, 96));
  view.OnSize(400, 300);
  EXPECT_EQ(placer.rects[ViewChild::kTextWindow], (Rect{l, r, 400, 300}));
  EXPECT_EQ(placer.rects[ViewChild::kColumnRuler], (Rect{0, 0, 400, r}));
  EXPECT_EQ(placer.rects[ViewChild::kLineBar], (Rect{0, r, l, 300}));
  CommandState state;
  ASSERT_TRUE(view.OnUpdateCommand(32806, state));
  EXPECT_TRUE(state.enabled && state.checked);
  EXPECT_TRUE(view.OnCommand(32806));
  EXPECT_EQ(placer.rects[ViewChild::kTextWindow], (Rect{l, 0, 400, 300}));
  EXPECT_EQ(placer.rects[ViewChild::kLineBar], (Rect{0, 0, l, 300}));
  EXPECT_EQ(std::pair(placer.shown[ViewChild::kColumnRuler], placer.shown[ViewChild::kLineBar]),
            std::pair(false, true));
  EXPECT_EQ(placer.switched, 1);
  view.AttachTextWindow(nullptr);
}

}  // namespace
}  // namespace quarn
