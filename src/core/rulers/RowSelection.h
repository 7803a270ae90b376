// Whole rows of a text window selected from one row to another, as the line
// bar's mouse makes them.
#pragma once

#include <cstdint>

namespace quarn {

class CVeskDoc;
class CVeskEV;

// Selects rows anchor to row, both whole: downwards the caret ends after
// row, upwards at its start, and the window scrolls to show it. Rows past
// the last are the last.
void SelectRows(CVeskEV& window, CVeskDoc& doc, std::uint32_t anchor, std::uint32_t row);

// The row a new extension keeps fixed when the window already has a
// selection: the end farther from the clicked row.
std::uint32_t SelectionAnchorRow(CVeskEV& window, CVeskDoc& doc, std::uint32_t clicked);

}  // namespace quarn
