#include "core/tools/DocumentComparison.h"

#include <algorithm>
#include <cstring>

#include "core/binaryview/BinaryRowText.h"
#include "core/encoding/Cp932.h"

namespace quarn {
namespace {

constexpr std::size_t kRowsBetweenQuestions = 4096;

void Put(std::string& line, std::size_t column, const std::string& text) {
  for (std::size_t i = 0; i < text.size() && column + i < line.size(); ++i) line[column + i] = text[i];
}

}  // namespace

std::string BinaryHeadingLines(const BinaryRowFormat& f) {
  const std::size_t textStart = std::size_t(f.layout.TextStart());
  const std::size_t width = textStart + std::size_t(f.layout.BytesPerLine());
  std::string header(width, ' ');
  Put(header, 0, HeaderAddressText());
  Put(header, BinaryLayout::kHexStart, HeaderHexText(f.layout, f.hexAddress));
  Put(header, textStart, HeaderCharText(f.layout, f.hexAddress));
  return header + "\r\n" + std::string(std::min<std::size_t>(width, 510), '-') + "\r\n";
}

std::string BinaryRowLine(const BinaryRowFormat& f, const std::uint8_t* doc, std::size_t size, std::uint32_t rowStart,
                          int n) {
  const std::size_t begin = rowStart > kCharColumnLookBack ? rowStart - kCharColumnLookBack : 0;
  const std::size_t end = std::min<std::size_t>(size, std::size_t(rowStart) + std::size_t(n) + kCharColumnLookAhead);
  const std::string cells = DecodeCharColumn(doc + begin, end - begin, rowStart - begin, std::size_t(n), f.chars);
  const std::size_t textStart = std::size_t(f.layout.TextStart());
  const bool spare = cells.size() > std::size_t(n) && cells[std::size_t(n)] != ' ';
  std::string line(textStart + std::size_t(n) + (spare ? 1 : 0), ' ');
  Put(line, 0, AddressText(rowStart, f.hexAddress));
  Put(line, BinaryLayout::kHexStart, HexAreaText(f.layout, doc + rowStart, n));
  Put(line, textStart, cells);
  return line;
}

CompareOutcome CompareDocuments(const std::uint8_t* a, std::size_t aSize, const std::uint8_t* b, std::size_t bSize,
                                const BinaryRowFormat& f, const std::string& replacing,
                                const std::function<bool(const std::string&)>& sink,
                                const std::function<bool(unsigned long)>& keepGoing) {
  CompareOutcome outcome;
  const std::size_t size = std::min(aSize, bSize);
  const std::size_t perRow = std::size_t(std::max(1, f.layout.BytesPerLine()));
  // The pair that fills an equal byte's two hex cells.
  char fill[2] = {' ', ' '};
  if (!replacing.empty()) {
    fill[0] = replacing[0];
    fill[1] = replacing.size() > 1 && cp932::IsLeadByte(std::uint8_t(replacing[0])) ? replacing[1] : replacing[0];
  }
  const std::size_t chunk = perRow * kRowsBetweenQuestions;
  for (std::size_t from = 0; from < size; from += chunk) {
    if (keepGoing && !keepGoing(from / perRow)) return outcome.complete = false, outcome;
    const std::size_t to = std::min(size, from + chunk);
    if (std::memcmp(a + from, b + from, to - from) == 0) continue;
    for (std::size_t row = from; row < to; row += perRow) {
      const std::size_t n = std::min(perRow, to - row);
      if (std::memcmp(a + row, b + row, n) == 0) continue;
      std::string lineA = BinaryRowLine(f, a, aSize, std::uint32_t(row), int(n));
      std::string lineB = BinaryRowLine(f, b, bSize, std::uint32_t(row), int(n));
      for (std::size_t i = 0; i < n; ++i) {
        if (a[row + i] != b[row + i]) continue;
        const std::size_t cell = std::size_t(f.layout.HexCell(int(i)));
        lineA[cell] = lineB[cell] = fill[0];
        lineA[cell + 1] = lineB[cell + 1] = fill[1];
      }
      std::string text = outcome.differingRows == 0 ? BinaryHeadingLines(f) : std::string();
      text += lineA + "\r\n" + lineB + "\r\n\r\n";
      if (!sink(text)) return outcome.complete = false, outcome;
      ++outcome.differingRows;
    }
  }
  return outcome;
}

}  // namespace quarn
