#include <numeric>
#include <tuple>

#include "BinaryWindowFixture.h"
#include "core/binaryview/BinaryRowText.h"
#include "platform/KeyCodes.h"
#include "platform/ScrollCodes.h"

namespace quarn::testing {
namespace {

constexpr int kCw = 8;
constexpr int kLh = 16;
constexpr int kLeft = 5;      // 1.5 mm at 96 dpi
constexpr int kDataTop = 23;  // 5 + 5 / 2 + 16
constexpr int kHeaderTop = 5;

int RowY(int row) { return kDataTop + kLh * row; }
int CellX(int column) { return kLeft + kCw * column; }

std::string Counting(int n) {
  std::string bytes(std::size_t(n), '\0');
  std::iota(bytes.begin(), bytes.end(), '\0');
  return bytes;
}

// A window without the focus, painted into a recording canvas.
class BinaryWindow : public BinaryWindowFixture {
 protected:
  void Show(const std::string& bytes) { Open(bytes, false); }
  void Paint(Rect invalid = Rect{0, 0, 800, 600}) {
    canvas.Clear();
    window->OnPaint(canvas, invalid);
  }
  std::map<int, std::string> Screen() const { return Cells(canvas, window->Layout()); }
  const BinaryLayout& Layout() const { return window->Layout(); }
  using LineAt = std::tuple<int, int, int, ColorRef>;  // x1, length, y1, colour
  LineAt Underline(std::size_t i) const {
    const auto& l = canvas.lines.at(i);
    return {l.x1, l.x2 - l.x1, l.y1, l.color};
  }
  fakes::RecordingCanvas canvas;
};

TEST_F(BinaryWindow, PaintsHeaderRowsGlyphlessBytesAndSpecialBytes) {
  std::string bytes = Counting(20);
  bytes[0] = 'Q';
  Show(bytes);
  Paint();
  // The header, a full row and the short last row with its spare cell.
  EXPECT_EQ(Screen(), (std::map<int, std::string>{
                          {kHeaderTop, "ADDRESS   00 01 02 03 04 05 06 07  08 09 0A 0B 0C 0D 0E 0F  0123456789ABCDEF"},
                          {RowY(0), "00000000  51 01 02 03 04 05 06 07  08 09 0A 0B 0C 0D 0E 0F  Q............... "},
                          {RowY(1), "00000010  10 11 12 13" + std::string(39, ' ') + ".... "}}));
  EXPECT_EQ(AddressText(123456789, false) + AddressText(4000000000u, false) + AddressText(0xABCDEF12u, true),
            "12345678" "40000000" "ABCDEF12");
  // Special bytes are redrawn in their colours.
  settings.Binary1 = 0x41;
  settings.Binary2 = 0x41;  // the same value: Binary1 wins
  bytes = Counting(16);
  bytes.replace(1, 3, "ABC");
  Show(bytes);
  const std::vector<std::uint32_t> marks = {2, 3};
  window->SetMarks(&marks);
  Paint();
  using Colours = std::vector<std::optional<ColorRef>>;
  const auto colours = [&] {  // of the first four hex cells, where redrawn
    Colours out(4);
    for (const auto& run : canvas.RunsAt(RowY(0)))
      for (int i = 0; i < 4; ++i)
        if (run.text.size() == 2 && run.x == CellX(Layout().HexCell(i)) && !out[i]) out[i] = run.textColor;
    return out;
  };
  EXPECT_EQ(colours(), (Colours{{}, settings.Binary1Color, settings.MarkedPosColor, settings.MarkedPosColor}));
}

TEST_F(BinaryWindow, UnderlinesAndTheSelection) {
  Show({});
  Paint();  // the header only
  EXPECT_EQ(std::tuple(Screen().size(), Screen().begin()->first, canvas.lines.size(), Layout().LastVisiblePos(0)),
            std::tuple(1u, kHeaderTop, 0u, 0u));
  settings.DrawUnderLine = 1;
  Paint(Rect{});  // nothing to repaint, yet the underline of row 0
  EXPECT_EQ(std::tuple(canvas.runs.size(), canvas.lines.size(), canvas.lines.at(0).y1),
            std::tuple(0u, 1u, RowY(0) + kLh - 1));
  // A selection is inverted in both areas per row.
  Show(Counting(40));
  window->SetSelection(18, 14);  // bytes 14..17
  Paint();
  std::vector<Rect> inverted;
  for (const auto& inversion : canvas.inversions) inverted.push_back(inversion.rect);
  const BinaryLayout& l = Layout();
  EXPECT_EQ(inverted, (std::vector<Rect>{{CellX(l.HexCell(14)), RowY(0), CellX(l.HexCell(15) + 2), RowY(1)},
                                         {CellX(l.TextCell(14)), RowY(0), CellX(l.TextCell(16)), RowY(1)},
                                         {CellX(10), RowY(1), CellX(l.HexCell(1) + 2), RowY(2)},
                                         {CellX(60), RowY(1), CellX(62), RowY(2)}}));
  EXPECT_TRUE(canvas.lines.empty());  // no underline while a selection is shown
  // Caret underlines.
  settings.DrawUnderCaret = 1;
  Show(Counting(40));
  window->SetCaretState(17, BinaryArea::kHex, false);
  Paint();
  const int y = RowY(1) + kLh - 1;
  ASSERT_EQ(canvas.lines.size(), 3u);
  EXPECT_EQ(Underline(0), LineAt(kLeft, CellX(Layout().TextEnd()) - kLeft, y, settings.CursorUnderLineColor));
  EXPECT_EQ(Underline(1), LineAt(CellX(Layout().HexCell(1)) + 1, 2 * kCw - 2, y, settings.UnderCaretColor));
  EXPECT_EQ(Underline(2), LineAt(CellX(Layout().TextCell(1)), kCw - 1, y, settings.UnderCaretColor));
  EXPECT_EQ(std::pair(canvas.lines[0].width, canvas.lines[1].width), std::pair(1, 2));
}

TEST_F(BinaryWindow, VerticalScrollingAndItsActionsAsKeysWhenNothingScrolls) {
  host.client = Point{800, kDataTop + kLh * 10};
  Show(Counting(1600));  // 100 rows, 10 visible
  EXPECT_EQ(host.range[1], (Point{0, 91}));
  window->OnVScroll(sb::kLineDown, 0);
  ASSERT_EQ(host.scrolls.size(), 1u);
  EXPECT_EQ(std::pair(host.scrolls[0].dy, host.scrolls[0].area),
            std::pair(-kLh, Rect{kLeft, kDataTop, 800, kDataTop + kLh * 10}));
  EXPECT_EQ(std::pair(Layout().FirstRow(), host.pos[1]), std::pair(1u, 1));
  const int invalidations = host.invalidations;
  window->OnVScroll(sb::kPageDown, 0);  // a whole page: repainted instead
  EXPECT_EQ(std::tuple(host.scrolls.size(), host.invalidations, Layout().FirstRow()),
            std::tuple(1u, invalidations + 1, 11u));
  window->OnVScroll(sb::kThumbTrack, 500);
  Paint();
  EXPECT_EQ(std::pair(Layout().FirstRow(), Screen().at(RowY(0)).substr(0, 8)), std::pair(91u, std::string("000005B0")));
  window->OnVScroll(sb::kLineDown, 0);  // already on the last page
  EXPECT_EQ(Layout().FirstRow(), 91u);
  // Vertical actions become keys when nothing scrolls.
  host = RecordingHost();
  Show(Counting(64));
  std::vector<int> keys;
  window->SetScrollKeyHandler([&](int vk) { keys.push_back(vk); });
  for (int code : {sb::kLineUp, sb::kLineDown, sb::kPageUp, sb::kPageDown, sb::kTop, sb::kBottom,
                   sb::kThumbPosition, sb::kThumbTrack, sb::kEndScroll})
    window->OnVScroll(code, 0);
  EXPECT_EQ(keys, (std::vector<int>{vk::kUp, vk::kDown, vk::kPrior, vk::kNext, vk::kHome, vk::kEnd, vk::kEnd}));
  EXPECT_TRUE(host.scrolls.empty());
  // Without a handler the window's own keys move the caret.
  window->SetScrollKeyHandler(nullptr);
  const std::pair<int, std::uint32_t> moves[] = {
      {sb::kLineDown, 16}, {sb::kLineDown, 32}, {sb::kLineUp, 16}, {sb::kBottom, 31},
      {sb::kTop, 16},      {sb::kPageDown, 64}, {sb::kPageUp, 0}};
  for (const auto& [code, pos] : moves) {
    window->OnVScroll(code, 0);
    EXPECT_EQ(window->CaretPos(), pos) << code;
  }
}

TEST_F(BinaryWindow, ResizesAndScrollsKeepTheCaretOnItsByte) {
  // Where the caret's image must stand: the hex cell of byte 1023 on the screen.
  auto caretAt = [&] {
    const BinaryLayout& l = Layout();
    return Point{CellX(l.HexCell(1023 % 16) - l.FirstColumn()), RowY(1023 / 16 - int(l.FirstRow()))};
  };
  Show(Counting(1024));
  window->OnSetFocus();
  window->OnKeyDown(vk::kEnd, KeyState{false, true});
  window->OnKeyDown(vk::kLeft, KeyState{true});
  ASSERT_TRUE(window->HasSelection());
  EXPECT_FALSE(host.caretShown);
  // A smaller window: the selection goes, the caret shows on its byte.
  window->OnSize(800, 300);
  EXPECT_EQ(std::tuple(window->HasSelection(), host.caretShown, window->CaretPos()), std::tuple(false, true, 1023u));
  EXPECT_EQ(std::pair(host.caretAt, host.imeAt), std::pair(caretAt(), caretAt()));
  EXPECT_TRUE(host.caretAt.y >= kDataTop && host.caretAt.y < 300) << host.caretAt.y;
  for (int code : {sb::kLineUp, sb::kPageUp, sb::kTop, sb::kBottom}) {
    window->OnVScroll(code, 0);
    EXPECT_EQ(host.caretAt, caretAt()) << code;
  }
  host.client = Point{kLeft + kCw * 30, 300};
  window->OnSize(host.client.x, host.client.y);
  for (int code : {sb::kLeft, sb::kLineRight, sb::kPageRight, sb::kPageRight}) {
    window->OnHScroll(code, 0);
    EXPECT_EQ(host.caretAt, caretAt()) << code;
  }
  const int lastFirst = Layout().RowColumns() - 30;
  EXPECT_EQ(std::pair(host.range[0], Layout().FirstColumn()), std::pair(Point{0, lastFirst}, lastFirst));
  // A new layout reads the settings (a width out of range is 16) and drops the selection.
  settings.BytesPerLine = 3;
  window->SetSelection(1, 5);
  window->Relayout();
  EXPECT_EQ(std::pair(window->HasSelection(), Layout().BytesPerLine()), std::pair(false, 16));
  window->SetCaretState(5000, BinaryArea::kHex, true);  // cut to the end
  EXPECT_EQ(std::pair(window->CaretPos(), window->LowNibble()), std::pair(1024u, false));
}

}  // namespace
}  // namespace quarn::testing
