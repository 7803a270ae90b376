#include "core/print/PrintPage.h"

#include <algorithm>
#include <cstdio>
#include <ctime>

#include "core/binaryview/BinaryCharColumn.h"
#include "core/binaryview/BinaryLayout.h"
#include "core/binaryview/BinaryRowText.h"
#include "core/binaryview/GlyphCells.h"
#include "core/cabinet/StandardFonts.h"
#include "core/document/CVeskDoc.h"
#include "core/document/RowLayout.h"
#include "core/encoding/Cp932.h"

namespace quarn {
namespace {

constexpr ColorRef kWindowText = 0x000000;
constexpr int kHeaderPoints = 9;

// Replaces the first "&x" (or, when there is none, the first "&X").
void ReplaceCode(std::string& text, char lower, const std::string& value) {
  const char upper = char(lower - 'a' + 'A');
  for (char code : {lower, upper}) {
    const char pattern[3] = {'&', code, 0};
    std::size_t at = text.find(pattern);
    if (at != std::string::npos) {
      text.replace(at, 2, value);
      return;
    }
  }
}

}  // namespace

PrintStamp MakePrintStamp(const std::tm& now) {
  char date[32], time[32];
  std::strftime(date, sizeof date, "%y/%m/%d", &now);
  std::strftime(time, sizeof time, "%H:%M:%S", &now);
  return {date, time};
}

std::string ExpandPageLine(const std::string& text, unsigned pageNumber, const std::string& path,
                           const PrintStamp& stamp) {
  std::string out = text;
  ReplaceCode(out, 'p', std::to_string(pageNumber));
  ReplaceCode(out, 'f', path);
  ReplaceCode(out, 'd', stamp.date);
  ReplaceCode(out, 't', stamp.time);
  return out;
}

void PagePrinter::DrawLine(const std::string& text, unsigned align, bool header, unsigned page) {
  const PrintDevice& device = manager_.Device();
  const Rect band{manager_.Left(), 0, device.width - manager_.Right(), device.height};
  if (band.right <= band.left) return;
  canvas_.selectFont(MakeStandardFont(kFontGothic, kHeaderPoints, device.dpiY));
  const int h = canvas_.textMetrics().height;
  const int q = h / 4;
  Rect rect = band;
  if (header) {
    rect.bottom = rect.top + h + q;
  } else {
    rect.top = rect.bottom - q - h;
  }
  const unsigned number = page + manager_.Fields().firstPage - 1;
  const unsigned horizontal = align == 1 ? dt::kCenter : align == 2 ? dt::kRight : dt::kLeft;
  canvas_.setTextColor(kWindowText);
  canvas_.setBkOpaque(false);
  canvas_.drawText(ExpandPageLine(text, number, doc_.GetPathName(), stamp_), rect,
                   horizontal | dt::kVCenter | dt::kSingleLine | dt::kNoPrefix);
}

void PagePrinter::DrawHeaderFooter(unsigned page) {
  const PageLayoutFields& f = manager_.Fields();
  if (f.headerOn) DrawLine(f.header, f.headerAlign, true, page);
  if (f.footerOn) DrawLine(f.footer, f.footerAlign, false, page);
}

void PagePrinter::Cells(int x, int y, const std::string& text, int pitch) {
  advances_.assign(text.size(), pitch);
  canvas_.extTextOut(x, y, 0, nullptr, text, advances_);
}

void PagePrinter::DrawTextPage(unsigned page, bool byRows) {
  const auto& starts = manager_.RowStarts();
  const std::uint64_t lines = std::uint64_t(manager_.LinesPerPage());
  const std::uint64_t first = (page - 1) * lines;
  if (first >= starts.size()) return;
  const std::uint64_t last = std::min<std::uint64_t>(starts.size(), first + lines);
  const PageLayoutFields& f = manager_.Fields();
  const int pitch = manager_.CharPitch();
  const int numberOffset = f.printLineNumbers ? manager_.LineNumberColumns() * pitch : 0;
  const int tab = std::max(1, doc_.Format().tabColumns);

  canvas_.selectFont(manager_.PrintFont());
  canvas_.setTextColor(kWindowText);
  canvas_.setBkOpaque(false);

  const auto& rowLines = manager_.RowLines();
  const std::uint32_t textEnd = manager_.RangeEnd();
  std::string cells;
  for (std::uint64_t i = first; i < last; ++i) {
    const int y = manager_.Top() + int(i - first) * manager_.LinePitch();
    const std::uint32_t line = byRows ? std::uint32_t(i) : rowLines[std::size_t(i)];
    const bool continuation = i > 0 && !byRows && rowLines[std::size_t(i) - 1] == line;
    if (f.printLineNumbers && !continuation) {
      char number[24];
      std::snprintf(number, sizeof number, "%.5u ", unsigned(f.firstLine + line));
      Cells(manager_.Left(), y, number, pitch);
    }
    const std::uint32_t from = starts[std::size_t(i)];
    const std::uint32_t to = i + 1 < starts.size() ? starts[std::size_t(i) + 1] : textEnd;
    // One run per row: tabs and line ends become blank cells of their width.
    const TextBytes text = TextStretch(doc_, from, to);
    cells.clear();
    advances_.clear();
    int column = 0;
    for (std::uint32_t p = from; p < std::min(to, text.end);) {
      const std::uint8_t b = text.At(p);
      if (b == '\r' || b == '\n') break;
      if (b == '\t') {
        const int w = tab - column % tab;
        cells.push_back(' ');
        advances_.push_back(w * pitch);
        column += w;
        ++p;
      } else if (cp932::IsLeadByte(b) && p + 1 < text.end) {
        cells.push_back(char(b));
        cells.push_back(char(text.At(p + 1)));
        advances_.push_back(2 * pitch);
        advances_.push_back(0);
        column += 2;
        p += 2;
      } else {
        cells.push_back(char(b));
        advances_.push_back(pitch);
        ++column;
        ++p;
      }
    }
    if (!cells.empty()) canvas_.extTextOut(manager_.Left() + numberOffset, y, 0, nullptr, cells, advances_);
  }
}

void PagePrinter::DrawBinaryPage(unsigned page, const BinaryViewSettings& settings, std::uint32_t firstRow,
                                 std::uint32_t lastRow) {
  const std::uint32_t length = doc_.TextLength();
  if (length == 0) return;
  BinaryLayout layout;
  layout.SetShape(settings.BytesPerLine, settings.BlockBytes());
  const bool hex = settings.HexAddress != 0;
  const int pitch = manager_.CharPitch();
  const int x0 = manager_.Left();
  canvas_.selectFont(manager_.PrintFont());
  canvas_.setTextColor(kWindowText);
  canvas_.setBkOpaque(false);
  Cells(x0, manager_.Top(), HeaderAddressText(), pitch);
  Cells(x0 + BinaryLayout::kHexStart * pitch, manager_.Top(), HeaderHexText(layout, hex), pitch);
  Cells(x0 + layout.TextStart() * pitch, manager_.Top(), HeaderCharText(layout, hex), pitch);

  const std::uint32_t b = std::uint32_t(layout.BytesPerLine());
  lastRow = std::min(lastRow, (length - 1) / b);
  const std::uint64_t lines = std::uint64_t(manager_.LinesPerPage());
  const std::uint64_t from = firstRow + (page - 1) * lines;
  if (from > lastRow) return;
  const std::uint32_t to = std::uint32_t(std::min<std::uint64_t>(lastRow, from + lines - 1));

  const std::uint32_t first = std::uint32_t(from) * b;
  const std::uint32_t last = std::min(length, (to + 1) * b);
  const std::uint32_t begin = first > kCharColumnLookBack ? first - std::uint32_t(kCharColumnLookBack) : 0;
  const std::uint32_t end = std::uint32_t(std::min<std::uint64_t>(length, std::uint64_t(last) + kCharColumnLookAhead));
  const std::uint8_t* span = doc_.Store().GetSpan(begin, end - begin);
  const std::vector<std::uint8_t> bytes(span, span + (end - begin));
  CharColumnOptions options;
  options.code = settings.Code();
  options.ignore8bit = settings.Ignore8bitCode != 0;
  options.dummy = settings.DummyChar();

  for (std::uint32_t row = std::uint32_t(from); row <= to; ++row) {
    const int y = manager_.Top() + int(row - from + 2) * manager_.LinePitch();
    const std::uint32_t start = row * b;
    const int n = int(std::min(b, length - start));
    const std::size_t offset = start - begin;
    Cells(x0, y, AddressText(start, hex), pitch);
    Cells(x0 + BinaryLayout::kHexStart * pitch, y, HexAreaText(layout, bytes.data() + offset, n), pitch);
    const std::string chars =
        VisibleCells(DecodeCharColumn(bytes.data(), bytes.size(), offset, std::size_t(n), options));
    Cells(x0 + layout.TextStart() * pitch, y, chars, pitch);
  }
}

}  // namespace quarn
