#include "core/rulers/RowSelection.h"

#include <algorithm>

#include "core/document/CVeskDoc.h"
#include "core/textview/CVeskEV.h"

namespace quarn {

void SelectRows(CVeskEV& window, CVeskDoc& doc, std::uint32_t anchor, std::uint32_t row) {
  const std::uint32_t last = LastCaretRow(doc);
  anchor = std::min(anchor, last);
  row = std::min(row, last);
  std::uint32_t from = 0;
  if (row >= anchor) {
    from = doc.RowStartAt(anchor);
    // After the row: the next row's start, or the end of the last row.
    window.MoveCaretTo(row < last ? TextCell{0, row + 1} : TextCell{0x7FFF, row}, false);
  } else {
    from = RowEnd(doc, anchor);
    window.MoveCaretTo(TextCell{0, row}, false);
  }
  window.SelectRange(from, window.CaretOffset());
}

std::uint32_t SelectionAnchorRow(CVeskEV& window, CVeskDoc& doc, std::uint32_t clicked) {
  const std::uint32_t top = doc.RowOfPos(window.SelectionStart());
  const std::uint32_t end = window.SelectionEnd();
  const std::uint32_t bottom = doc.RowOfPos(end > window.SelectionStart() ? end - 1 : end);
  return clicked >= top ? top : bottom;
}

}  // namespace quarn
