// What goes on a printed page: the header and footer lines with their
// "&" codes, the text rows with their line numbers, and the binary rows
// under their header row. Screen, printer and preview draw through Canvas.
#pragma once

#include <cstdint>
#include <ctime>
#include <vector>
#include <string>

#include "core/common/BinarySettings.h"
#include "core/print/CPrtManeger.h"
#include "platform/Canvas.h"

namespace quarn {

class CVeskDoc;

// The print date ("%y/%m/%d") and time ("%H:%M:%S"), taken once per job.
struct PrintStamp {
  std::string date;
  std::string time;
};
PrintStamp MakePrintStamp(const std::tm& now);

// The header or footer text with its codes replaced: page, file, date, time,
// each the lower-case form first, only the first occurrence of the one found.
std::string ExpandPageLine(const std::string& text, unsigned pageNumber, const std::string& path,
                           const PrintStamp& stamp);

// Draws pages of one print job; the manager has paginated already.
class PagePrinter {
 public:
  PagePrinter(Canvas& canvas, const CPrtManeger& manager, CVeskDoc& doc, const PrintStamp& stamp)
      : canvas_(canvas), manager_(manager), doc_(doc), stamp_(stamp) {}

  // The header and footer of page (from 1).
  void DrawHeaderFooter(unsigned page);
  // Rows of page (from 1) of the manager's text row table; byRows counts
  // line numbers by rows instead of logical lines.
  void DrawTextPage(unsigned page, bool byRows);
  // Rows of page (from 1) of the binary layout, from firstRow up to lastRow
  // of the document (the rows a printed selection touches, or all).
  void DrawBinaryPage(unsigned page, const BinaryViewSettings& settings, std::uint32_t firstRow,
                      std::uint32_t lastRow);

 private:
  void DrawLine(const std::string& text, unsigned align, bool header, unsigned page);
  void Cells(int x, int y, const std::string& text, int pitch);

  Canvas& canvas_;
  const CPrtManeger& manager_;
  CVeskDoc& doc_;
  const PrintStamp& stamp_;
  std::vector<int> advances_;
};

}  // namespace quarn
