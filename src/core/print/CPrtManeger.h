// The print manager: the page layout, and for one print job the page
// geometry on the printer (margins, pitches, characters per line, lines per
// page) and the start of every printed text row.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "core/print/PageLayoutFields.h"
#include "platform/Canvas.h"
#include "platform/PrintService.h"

namespace quarn {

class CVeskDoc;

// Asked with the rows laid out so far; false stops the job.
using KeepGoing = std::function<bool(unsigned long)>;

enum class TextRowsResult { kDone, kTooManyRows, kStopped };

class CPrtManeger {
 public:
  explicit CPrtManeger(PageLayoutFields& fields = gPageLayout) : fields_(fields) {}

  PageLayoutFields& Fields() { return fields_; }
  const PageLayoutFields& Fields() const { return fields_; }

  // Page geometry for a document of docCharsPerLine characters per line.
  // Selects the print font on canvas. Shows 59417 and answers false when
  // the page leaves no room.
  bool Paginate(Canvas& canvas, const PrintDevice& device, int docCharsPerLine, bool binary);

  // Lays the text out again at the printed width, from 0 to the start of
  // the last character, or the rows of [selFirst, selEnd) when selection.
  // kTooManyRows when more rows than maxRows would be needed.
  TextRowsResult PrepareTextRows(CVeskDoc& doc, bool selection, std::uint32_t selFirst, std::uint32_t selEnd,
                                 std::uint32_t maxRows, const KeepGoing& keepGoing = {});

  // Pages for rows printed rows (at least one page: a document without
  // rows still prints its header and footer).
  unsigned Pages(std::uint32_t rows) const;

  // Results of Paginate.
  int Left() const { return left_; }
  int Top() const { return top_; }
  int Right() const { return right_; }
  int Bottom() const { return bottom_; }
  int CharPitch() const { return charPitch_; }
  int LinePitch() const { return linePitch_; }
  int CharsPerLine() const { return charsPerLine_; }
  int LinesPerPage() const { return linesPerPage_; }
  int LineNumberColumns() const { return lineNumberColumns_; }
  const LogFont& PrintFont() const { return printFont_; }
  const TextMetric& FontMetric() const { return metric_; }
  const PrintDevice& Device() const { return device_; }

  // Results of PrepareTextRows.
  const std::vector<std::uint32_t>& RowStarts() const { return rowStarts_; }
  // The logical line of each row, counted from the range start.
  const std::vector<std::uint32_t>& RowLines() const { return rowLines_; }
  std::uint32_t RangeStart() const { return rangeStart_; }
  std::uint32_t RangeEnd() const { return rangeEnd_; }

  // Frees the row table at the end of a job.
  void EndPrinting();

 private:
  PageLayoutFields& fields_;
  PrintDevice device_;
  int left_ = 0, top_ = 0, right_ = 0, bottom_ = 0;
  int charPitch_ = 1, linePitch_ = 1;
  int charsPerLine_ = 0, linesPerPage_ = 0, lineNumberColumns_ = 0;
  LogFont printFont_;
  TextMetric metric_;
  std::vector<std::uint32_t> rowStarts_;
  std::vector<std::uint32_t> rowLines_;
  std::uint32_t rangeStart_ = 0, rangeEnd_ = 0;
};

// The application's one print manager.
extern CPrtManeger gPrtManeger;

}  // namespace quarn
