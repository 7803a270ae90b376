// The row-breaking rule applied to a document: its rules from the format
// and the layout options, and the columns of positions in its rows.
#include <algorithm>

#include "core/document/CVeskDoc.h"
#include "core/document/RowLayout.h"
#include "core/encoding/Cp932.h"

namespace quarn {

namespace {

constexpr std::uint8_t kCr = 0x0D;
constexpr std::uint8_t kTab = 0x09;

}  // namespace

const RowRules& RowRules::Of(CVeskDoc& doc) {
  RowRules& kept = doc.KeptRowRules();
  const DocumentFormat& format = doc.Format();
  const LayoutOptions& layout = doc.Layout();
  if (kept.width != std::max(1, format.charsPerLine) || kept.tab != std::max(1, format.tabColumns) ||
      kept.wordWrap != layout.wordWrap || kept.kinsoku != layout.kinsoku || kept.hangingText != layout.hanging)
    kept = RowRules(format.charsPerLine, format.tabColumns, layout.wordWrap, layout.kinsoku, layout.hanging);
  return kept;
}

TextBytes TextStretch(CVeskDoc& doc, std::uint32_t from, std::uint32_t to) {
  TextBytes t;
  t.length = doc.TextLength();
  t.origin = std::min(from, t.length);
  t.end = std::max(t.origin, std::min(to, t.length));
  t.data = doc.Store().GetSpan(t.origin, t.end - t.origin);
  return t;
}

std::uint32_t NextRowStart(CVeskDoc& doc, std::uint32_t start) {
  const RowRules& rules = RowRules::Of(doc);
  if (start >= doc.TextLength()) return kNoRow;
  const TextBytes text = TextStretch(doc, start, start + rules.MaxRowBytes() + 1);
  return NextRowStart(text, start, rules);
}

int MaxRowWidth(CVeskDoc& doc) {
  const int width = std::max(1, doc.Format().charsPerLine);
  return (doc.Layout().wordWrap || doc.Layout().kinsoku) ? width + 2 : width;
}

int ColumnOfPos(CVeskDoc& doc, std::uint32_t pos) {
  pos = std::min(pos, doc.TextLength());
  const std::uint32_t rowStart = std::min(doc.RowStartOfPos(pos), pos);
  if (pos == rowStart) return 0;
  return ColumnsOfStretch(TextStretch(doc, rowStart, pos), rowStart, pos, doc.Format().tabColumns);
}

int CharColumns(CVeskDoc& doc, std::uint32_t pos) {
  if (pos >= doc.TextLength()) return 1;
  const std::uint8_t x = doc.ByteAt(pos);
  if (x == kTab) {
    const int tab = std::max(1, doc.Format().tabColumns);
    return tab - ColumnOfPos(doc, pos) % tab;
  }
  return (cp932::IsLeadByte(x) || x == kCr) ? 2 : 1;
}

}  // namespace quarn
