#include "core/binaryview/CVeskBV.h"

#include <gtest/gtest.h>

#include "BinaryTestSupport.h"
#include "core/binaryview/BinaryRowText.h"
#include "platform/ScrollCodes.h"
#include "platform/KeyCodes.h"

namespace quarn {
namespace {

using testing::Bytes;
using testing::Cells;
using testing::MakeBinaryDoc;
using testing::RecordingHost;

constexpr int kCw = 8;
constexpr int kLh = 16;
constexpr int kLeft = 5;      // 1.5 mm at 96 dpi
constexpr int kDataTop = 23;  // 5 + 5 / 2 + 16
constexpr int kHeaderTop = 5;

int RowY(int row) { return kDataTop + kLh * row; }
int CellX(int column) { return kLeft + kCw * column; }

std::vector<std::uint8_t> Counting(int n) {
  std::vector<std::uint8_t> bytes;
  for (int i = 0; i < n; ++i) bytes.push_back(std::uint8_t(i));
  return bytes;
}

class BinaryWindow : public ::testing::Test {
 protected:
  void Open(const std::vector<std::uint8_t>& bytes) {
    doc = MakeBinaryDoc(bytes);
    window = std::make_unique<CVeskBV>(*doc, host, settings);
    TextMetric tm;
    tm.height = kLh;
    tm.aveCharWidth = kCw;
    LogFont font;
    font.height = -kLh;
    window->SetScreenFont(font, tm);
    window->SetColors(BinaryColors{0x111111, 0xEEEEEE});
    window->OnCreate();
  }
  void Paint(Rect invalid = Rect{0, 0, 800, 600}) {
    canvas.Clear();
    window->OnPaint(canvas, invalid);
  }
  std::map<int, std::string> Screen() const { return Cells(canvas, window->Layout()); }

  BinaryViewSettings settings;
  RecordingHost host;
  std::unique_ptr<CVeskDoc> doc;
  std::unique_ptr<CVeskBV> window;
  fakes::RecordingCanvas canvas;
};

TEST_F(BinaryWindow, PaintsHeaderAndRowsCellByCell) {
  auto bytes = Counting(20);
  bytes[0] = 'Q';
  Open(bytes);
  Paint();
  const auto screen = Screen();
  EXPECT_EQ(screen.at(kHeaderTop),
            "ADDRESS   00 01 02 03 04 05 06 07  08 09 0A 0B 0C 0D 0E 0F  0123456789ABCDEF");
  EXPECT_EQ(screen.at(RowY(0)),
            "00000000  51 01 02 03 04 05 06 07  08 09 0A 0B 0C 0D 0E 0F  Q............... ");
  // The short last row: four bytes and the spare cell.
  EXPECT_EQ(screen.at(RowY(1)), "00000010  10 11 12 13" + std::string(39, ' ') + ".... ");
  EXPECT_EQ(screen.size(), 3u);

  for (const auto& run : canvas.runs) {
    ASSERT_TRUE(run.rect);
    EXPECT_EQ(run.options & eto::kOpaque, eto::kOpaque);
    EXPECT_EQ(run.advances, std::vector<int>(run.text.size(), kCw));
    EXPECT_EQ(run.rect->left, run.x);
    EXPECT_EQ(run.rect->width(), kCw * int(run.text.size()));
    EXPECT_EQ(run.rect->height(), kLh);
    ASSERT_TRUE(run.clip);
    EXPECT_EQ(run.clip->left, kLeft);
    if (run.y == kHeaderTop) {
      EXPECT_EQ(run.textColor, settings.AddressLineTextColor);
      EXPECT_EQ(run.bkColor, settings.AddressLineBackColor);
    } else {
      EXPECT_EQ(run.textColor, 0x111111u);
      EXPECT_EQ(run.bkColor, 0xEEEEEEu);
      EXPECT_EQ(run.clip->top, kDataTop);
    }
  }
  // One run per area per row.
  EXPECT_EQ(canvas.RunsAt(RowY(1)).size(), 3u);
  EXPECT_EQ(canvas.fonts.back().height, -kLh);
}

TEST_F(BinaryWindow, DecimalModeChangesAddressesAndHeaderOnly) {
  settings.HexAddress = 0;  // blocks of "DecimalBlockBytes", 5
  Open(Counting(20));
  Paint();
  const auto screen = Screen();
  EXPECT_EQ(screen.at(kHeaderTop).substr(0, 40), "ADDRESS   00 01 02 03 04  05 06 07 08 09");
  EXPECT_EQ(screen.at(kHeaderTop).substr(window->Layout().TextStart()), "0123456789012345");
  EXPECT_EQ(screen.at(RowY(1)).substr(0, 28), "00000016  10 11 12 13       ");

  EXPECT_EQ(AddressText(123456789, false), "12345678");
  EXPECT_EQ(AddressText(4000000000u, false), "40000000");
  EXPECT_EQ(AddressText(0xABCDEF12u, true), "ABCDEF12");
}

TEST_F(BinaryWindow, TextAreaFollowsTheCodeSettingAndKeepsCharactersWhole) {
  auto bytes = Counting(40);
  bytes[15] = 0x82;  // "あ" over the end of row 0
  bytes[16] = 0xA0;
  bytes[17] = 'x';
  bytes[32] = 0x42;  // U+3042 "あ" and a line feed as UTF-16 units
  bytes[33] = 0x30;
  bytes[34] = 0x0A;
  bytes[35] = 0x00;
  Open(bytes);
  Paint();
  const int text = window->Layout().TextStart();
  EXPECT_EQ(Screen().at(RowY(0)).substr(text), std::string(15, '.') + "\x82\xA0");
  EXPECT_EQ(Screen().at(RowY(1)).substr(text, 3), " x.");

  settings.StrCodeType = 4;  // read at the next paint
  Paint();
  EXPECT_EQ(Screen().at(RowY(2)).substr(text, 3), "\x82\xA0.");
}

TEST_F(BinaryWindow, BytesWithoutAGlyphShowAsDotsOnScreenOnly) {
  Open(Bytes(std::string("A\x7F\x80\xA0\xFD\xFE\xFF\x85\x40\x82\xA0", 11)));
  Paint();
  const int text = window->Layout().TextStart();
  EXPECT_EQ(Screen().at(RowY(0)).substr(text, 11), "A........\x82\xA0");
  window->SelectAll();
  const std::string copy = window->ScreenText();
  EXPECT_NE(copy.find("A\x7F\x80\xA0\xFD\xFE\xFF\x85\x40\x82\xA0"), std::string::npos);
}

TEST_F(BinaryWindow, SpecialBytesAreRedrawnInTheirColours) {
  settings.Binary1 = 0x41;
  settings.Binary2 = 0x41;  // the same value: Binary1 wins
  auto bytes = Counting(16);
  bytes[1] = 0x41;
  bytes[2] = 0x42;
  bytes[3] = 0x43;
  Open(bytes);
  const std::vector<std::uint32_t> marks = {2, 3};
  window->SetMarks(&marks);
  Paint();
  auto coloured = [&](int index) -> std::optional<ColorRef> {
    for (const auto& run : canvas.RunsAt(RowY(0)))
      if (run.text.size() == 2 && run.x == CellX(window->Layout().HexCell(index))) return run.textColor;
    return std::nullopt;
  };
  EXPECT_EQ(coloured(1), settings.Binary1Color);
  EXPECT_EQ(coloured(3), settings.MarkedPosColor);
  EXPECT_FALSE(coloured(0));

  settings.Binary1 = 0x10;
  settings.Binary2 = 0x42;  // a marked byte equal to Binary2 takes its colour
  Paint();
  EXPECT_EQ(coloured(2), settings.Binary2Color);
  EXPECT_FALSE(coloured(1));
}

TEST_F(BinaryWindow, SelectionIsInvertedInBothAreasPerRow) {
  settings.DrawUnderLine = 1;
  Open(Counting(40));
  host.invalidRects.clear();
  window->SetSelection(18, 14);  // bytes 14..17
  EXPECT_EQ(window->SelectionFirst(), 14u);
  EXPECT_EQ(window->SelectionLast(), 17u);
  ASSERT_FALSE(host.invalidRects.empty());
  EXPECT_EQ(host.invalidRects[0].top, RowY(0));
  EXPECT_GE(host.invalidRects[0].bottom, RowY(2));

  Paint();
  const BinaryLayout& layout = window->Layout();
  ASSERT_EQ(canvas.inversions.size(), 4u);
  EXPECT_EQ(canvas.inversions[0].rect,
            (Rect{CellX(layout.HexCell(14)), RowY(0), CellX(layout.HexCell(15) + 2), RowY(1)}));
  EXPECT_EQ(canvas.inversions[1].rect,
            (Rect{CellX(layout.TextCell(14)), RowY(0), CellX(layout.TextCell(16)), RowY(1)}));
  EXPECT_EQ(canvas.inversions[2].rect, (Rect{CellX(10), RowY(1), CellX(layout.HexCell(1) + 2), RowY(2)}));
  EXPECT_EQ(canvas.inversions[3].rect, (Rect{CellX(60), RowY(1), CellX(62), RowY(2)}));
  // No underline while a selection is shown.
  EXPECT_TRUE(canvas.lines.empty());

  window->DropSelection();
  Paint();
  EXPECT_TRUE(canvas.inversions.empty());
  EXPECT_EQ(canvas.lines.size(), 1u);
}

TEST_F(BinaryWindow, SelectionOutsideTheWindowIsNotInverted) {
  host.client = Point{800, kDataTop + kLh * 4};
  Open(Counting(640));
  window->SetSelection(0, 640);
  window->OnVScroll(sb::kThumbPosition, 10);
  Paint();
  // Only the four visible rows, from the first visible one.
  ASSERT_EQ(canvas.inversions.size(), 8u);
  EXPECT_EQ(canvas.inversions[0].rect.top, RowY(0));
  EXPECT_EQ(canvas.inversions[7].rect.top, RowY(3));
}

TEST_F(BinaryWindow, CaretUnderlines) {
  settings.DrawUnderLine = 1;
  settings.DrawUnderCaret = 1;
  Open(Counting(40));
  window->SetCaretState(17, BinaryArea::kHex, false);
  Paint();
  const BinaryLayout& layout = window->Layout();
  const int y = RowY(1) + kLh - 1;
  ASSERT_EQ(canvas.lines.size(), 3u);
  EXPECT_EQ(canvas.lines[0].x1, kLeft);
  EXPECT_EQ(canvas.lines[0].x2, CellX(layout.TextEnd()));
  EXPECT_EQ(canvas.lines[0].y1, y);
  EXPECT_EQ(canvas.lines[0].width, 1);
  EXPECT_EQ(canvas.lines[0].color, settings.CursorUnderLineColor);
  EXPECT_EQ(canvas.lines[1].x1, CellX(layout.HexCell(1)) + 1);
  EXPECT_EQ(canvas.lines[1].x2 - canvas.lines[1].x1, 2 * kCw - 2);
  EXPECT_EQ(canvas.lines[1].width, 2);
  EXPECT_EQ(canvas.lines[2].x1, CellX(layout.TextCell(1)));
  EXPECT_EQ(canvas.lines[2].x2 - canvas.lines[2].x1, kCw - 1);
  EXPECT_EQ(canvas.lines[2].color, settings.UnderCaretColor);

  // Only in the area without the caret, one pixel lower.
  settings.DrawUnderLine = 0;
  settings.OnlyOppositePart = 1;
  settings.OneRasterLow = 1;
  Paint();
  ASSERT_EQ(canvas.lines.size(), 1u);
  EXPECT_EQ(canvas.lines[0].x1, CellX(layout.TextCell(1)));
  EXPECT_EQ(canvas.lines[0].y1, y + 1);

  // Moving the caret invalidates the old and the new underlined row.
  host.invalidRects.clear();
  window->SetCaretState(40, BinaryArea::kText, false);
  ASSERT_EQ(host.invalidRects.size(), 2u);
  EXPECT_EQ(host.invalidRects[0].top, RowY(1));
  EXPECT_EQ(host.invalidRects[1].top, RowY(2));
}

TEST_F(BinaryWindow, EmptyDocumentDrawsHeaderAndRowZeroUnderline) {
  Open({});
  Paint();
  EXPECT_EQ(canvas.runs.size(), 3u);
  for (const auto& run : canvas.runs) EXPECT_EQ(run.y, kHeaderTop);
  EXPECT_TRUE(canvas.lines.empty());
  EXPECT_EQ(window->Layout().LastVisiblePos(0), 0u);

  settings.DrawUnderLine = 1;
  Paint(Rect{});  // nothing to repaint, yet the underline of row 0
  EXPECT_TRUE(canvas.runs.empty());
  ASSERT_EQ(canvas.lines.size(), 1u);
  EXPECT_EQ(canvas.lines[0].y1, RowY(0) + kLh - 1);
}

TEST_F(BinaryWindow, PaintsOnlyTheRowsOfTheInvalidArea) {
  Open(Counting(160));
  Paint(Rect{0, RowY(2) + 3, 800, RowY(3) + 1});
  std::set<int> tops;
  for (const auto& run : canvas.runs) tops.insert(run.y);
  EXPECT_EQ(tops, (std::set<int>{kHeaderTop, RowY(2), RowY(3)}));
  ASSERT_EQ(canvas.fills.size(), 1u);
  EXPECT_EQ(canvas.fills[0].color, 0xEEEEEEu);
}

TEST_F(BinaryWindow, VerticalScrolling) {
  host.client = Point{800, kDataTop + kLh * 10};
  Open(Counting(1600));  // 100 rows, 10 visible
  EXPECT_EQ(host.range[1], (Point{0, 91}));

  window->OnVScroll(sb::kLineDown, 0);
  ASSERT_EQ(host.scrolls.size(), 1u);
  EXPECT_EQ(host.scrolls[0].dy, -kLh);
  EXPECT_EQ(host.scrolls[0].area, (Rect{kLeft, kDataTop, 800, kDataTop + kLh * 10}));
  EXPECT_EQ(window->Layout().FirstRow(), 1u);
  EXPECT_EQ(host.pos[1], 1);

  const int invalidations = host.invalidations;
  window->OnVScroll(sb::kPageDown, 0);  // a whole page: repainted instead
  EXPECT_EQ(host.scrolls.size(), 1u);
  EXPECT_EQ(host.invalidations, invalidations + 1);
  EXPECT_EQ(window->Layout().FirstRow(), 11u);

  window->OnVScroll(sb::kThumbTrack, 500);
  EXPECT_EQ(window->Layout().FirstRow(), 91u);
  Paint();
  EXPECT_EQ(Screen().at(RowY(0)).substr(0, 8), "000005B0");
  window->OnVScroll(sb::kLineDown, 0);
  EXPECT_EQ(window->Layout().FirstRow(), 91u);
  window->OnVScroll(sb::kTop, 0);
  EXPECT_EQ(window->Layout().FirstRow(), 0u);
}

TEST_F(BinaryWindow, VerticalActionsBecomeKeysWhenNothingScrolls) {
  Open(Counting(64));
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

// Where the caret's image must stand: its byte's hex cell on the screen.
Point HexCaretAt(const BinaryLayout& layout, std::uint32_t pos) {
  const int index = int(pos % 16);
  return Point{CellX(layout.HexCell(index) - layout.FirstColumn()), RowY(int(pos / 16) - int(layout.FirstRow()))};
}

TEST_F(BinaryWindow, ResizesAndScrollsKeepTheCaretOnItsByte) {
  Open(Counting(1024));
  window->OnSetFocus();
  window->OnKeyDown(vk::kEnd, KeyState{false, true});
  window->OnKeyDown(vk::kLeft, KeyState{true});
  ASSERT_TRUE(window->HasSelection());
  EXPECT_FALSE(host.caretShown);

  // A smaller window: the selection goes, the caret shows on its byte.
  window->OnSize(800, 300);
  EXPECT_FALSE(window->HasSelection());
  EXPECT_TRUE(host.caretShown);
  EXPECT_EQ(window->CaretPos(), 1023u);
  EXPECT_EQ(host.caretAt, HexCaretAt(window->Layout(), 1023));
  EXPECT_GE(host.caretAt.y, kDataTop);
  EXPECT_LT(host.caretAt.y, 300);
  EXPECT_EQ(host.imeAt, host.caretAt);

  for (int code : {sb::kLineUp, sb::kPageUp, sb::kTop, sb::kBottom}) {
    window->OnVScroll(code, 0);
    EXPECT_EQ(host.caretAt, HexCaretAt(window->Layout(), 1023)) << code;
  }
  host.client = Point{kLeft + kCw * 30, 300};
  window->OnSize(host.client.x, host.client.y);
  for (int code : {sb::kLeft, sb::kLineRight, sb::kPageRight}) {
    window->OnHScroll(code, 0);
    EXPECT_EQ(host.caretAt, HexCaretAt(window->Layout(), 1023)) << code;
  }
  EXPECT_GT(window->Layout().FirstColumn(), 0);
}

TEST_F(BinaryWindow, HorizontalScrolling) {
  host.client = Point{kLeft + kCw * 50, 400};
  Open(Counting(64));
  const int max = window->Layout().RowColumns() - 50;
  EXPECT_TRUE(host.shown[0]);
  EXPECT_EQ(host.range[0], (Point{0, max}));

  window->OnHScroll(sb::kLineRight, 0);
  EXPECT_EQ(window->Layout().FirstColumn(), 10);
  EXPECT_EQ(host.scrolls.back().dx, -10 * kCw);
  window->OnHScroll(sb::kPageRight, 0);
  EXPECT_EQ(window->Layout().FirstColumn(), max);
  Paint();
  // The header moves with the columns.
  EXPECT_EQ(canvas.runs[0].x, CellX(0) - max * kCw);

  window->OnSize(1200, 400);
  EXPECT_FALSE(host.shown[0]);
  EXPECT_EQ(window->Layout().FirstColumn(), 0);
}

TEST_F(BinaryWindow, RelayoutReadsSettingsAndDropsTheSelection) {
  settings.BytesPerLine = 3;  // out of range: 16
  Open(Counting(100));
  EXPECT_EQ(window->Layout().BytesPerLine(), 16);
  window->SetSelection(1, 5);
  settings.BytesPerLine = 5;
  settings.HexBlockBytes = 5;
  window->Relayout();
  EXPECT_FALSE(window->HasSelection());
  EXPECT_EQ(window->Layout().TextStart(), 26);

  window->SetCaretState(7, BinaryArea::kHex, true);
  EXPECT_EQ(window->CaretPoint(), (Point{CellX(window->Layout().HexCell(2)) + 2 * kCw, RowY(1)}));
  window->SetCaretState(7, BinaryArea::kText, false);
  EXPECT_EQ(window->CaretPoint(), (Point{CellX(26 + 2), RowY(1)}));
  window->SetCaretState(1000, BinaryArea::kHex, true);  // cut to the end
  EXPECT_EQ(window->CaretPos(), 100u);
  EXPECT_FALSE(window->LowNibble());
}

}  // namespace
}  // namespace quarn
