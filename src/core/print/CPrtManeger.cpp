#include "core/print/CPrtManeger.h"

#include <algorithm>

#include "core/cabinet/DeviceUnits.h"
#include "core/common/AppMessage.h"
#include "core/document/CVeskDoc.h"
#include "core/document/RowLayout.h"

namespace quarn {

CPrtManeger gPrtManeger;

namespace {

constexpr unsigned kPaperTooSmall = 59417;
constexpr std::uint32_t kLayoutChunk = 1u << 16;  // bytes laid out per read of the store

}  // namespace

bool CPrtManeger::Paginate(Canvas& canvas, const PrintDevice& device, int docCharsPerLine, bool binary) {
  device_ = device;
  const auto& m = fields_.margins;
  left_ = TenthMmToPixels(device.dpiX, m[0]);
  top_ = TenthMmToPixels(device.dpiY, m[1]);
  right_ = TenthMmToPixels(device.dpiX, m[2]);
  bottom_ = TenthMmToPixels(device.dpiY, m[3]);
  const int charSpacing = TenthMmToPixels(device.dpiX, fields_.charSpacing);
  const int lineSpacing = TenthMmToPixels(device.dpiY, fields_.lineSpacing);

  printFont_ = fields_.font;
  printFont_.height = -PointsToPixels(device.dpiY, fields_.font.height);
  printFont_.width = 0;
  canvas.selectFont(printFont_);
  metric_ = canvas.textMetrics();

  // 64-bit sums: margins of 1000 mm at a high resolution overflow an int.
  const std::int64_t width = std::int64_t(device.width) - right_ - left_;
  const std::int64_t height = std::int64_t(device.height) - bottom_ - top_;
  charPitch_ = std::max(1, metric_.aveCharWidth + charSpacing);
  linePitch_ = std::max(1, metric_.height + lineSpacing);
  if (width < 1 || height < 1) {
    AppMessageBox(kPaperTooSmall);
    return false;
  }
  lineNumberColumns_ = (6 * metric_.aveCharWidth + charPitch_ - 1) / charPitch_;
  charsPerLine_ = int(width / charPitch_);
  linesPerPage_ = int(height / linePitch_);
  if (binary) {
    linesPerPage_ -= 2;  // the header row and the blank row below it
  } else {
    if (fields_.printLineNumbers) charsPerLine_ -= lineNumberColumns_;
    charsPerLine_ = std::min(charsPerLine_, docCharsPerLine);
  }
  if (charsPerLine_ < 2 || linesPerPage_ < 1) {
    AppMessageBox(kPaperTooSmall);
    return false;
  }
  return true;
}

TextRowsResult CPrtManeger::PrepareTextRows(CVeskDoc& doc, bool selection, std::uint32_t selFirst,
                                            std::uint32_t selEnd, std::uint32_t maxRows,
                                            const KeepGoing& keepGoing) {
  rowStarts_.clear();
  rowLines_.clear();
  const std::uint32_t length = doc.TextLength();
  if (length == 0) {
    rangeStart_ = rangeEnd_ = 0;
    return TextRowsResult::kDone;
  }
  if (selection && selEnd > selFirst) {
    rangeStart_ = doc.RowStartOfPos(selFirst);
    const std::uint32_t lastRow = doc.RowOfPos(selEnd - 1);
    rangeEnd_ = std::min(length, lastRow + 1 < doc.RowCount() ? doc.RowStartAt(lastRow + 1) : length);
  } else {
    rangeStart_ = 0;
    rangeEnd_ = length;
  }

  const RowRules& docRules = RowRules::Of(doc);
  RowRules rules = docRules;
  rules.width = charsPerLine_;
  const std::uint32_t reach = rules.MaxRowBytes() + 1;
  std::uint32_t start = rangeStart_;
  std::uint32_t line = 0;
  TextBytes text;
  while (start < rangeEnd_) {
    if (rowStarts_.size() >= maxRows) return TextRowsResult::kTooManyRows;
    rowStarts_.push_back(start);
    rowLines_.push_back(line);
    if (keepGoing && (rowStarts_.size() & 0x3FFF) == 0 && !keepGoing(rowStarts_.size())) {
      return TextRowsResult::kStopped;
    }
    if (start + reach > text.end && text.end < length) {
      text = TextStretch(doc, start, std::min<std::uint64_t>(length, std::uint64_t(start) + kLayoutChunk));
    }
    const std::uint32_t next = NextRowStart(text, start, rules);
    if (next == kNoRow || next >= rangeEnd_) break;
    if (text.At(next - 1) == '\n') ++line;
    start = next;
  }
  return TextRowsResult::kDone;
}

unsigned CPrtManeger::Pages(std::uint32_t rows) const {
  if (linesPerPage_ < 1 || rows == 0) return 1;
  return unsigned((std::uint64_t(rows) + unsigned(linesPerPage_) - 1) / unsigned(linesPerPage_));
}

void CPrtManeger::EndPrinting() {
  rowStarts_ = {};
  rowLines_ = {};
}

}  // namespace quarn
