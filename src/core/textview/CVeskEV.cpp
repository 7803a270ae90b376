#include "core/textview/CVeskEV.h"

#include <algorithm>
#include <cstdlib>

#include "core/common/AppMessage.h"
#include "core/common/AppSettings.h"
#include "core/cabinet/CVeskCabinet.h"
#include "core/document/CVeskDoc.h"
#include "core/document/RowLayout.h"
#include "platform/ScrollCodes.h"

namespace quarn {
namespace {

// "/*" or "*/" more than the tables hold.
constexpr unsigned kTooManyCommentsMessage = 59406;

}  // namespace

CVeskEV::CVeskEV(CVeskDoc& doc, WindowHost& host) : doc_(doc), host_(host), search_(*this) {}

CVeskEV::~CVeskEV() = default;

void CVeskEV::SetScreenFont(const LogFont& font, const TextMetric& metrics) {
  font_ = font;
  metrics_ = metrics;
}

bool CVeskEV::FreeCursor() const { return gCabinet.Settings().FreeCursor != 0; }

bool CVeskEV::TablesKept() const {
  const int type = gCabinet.Settings().DocType;
  return (type == kDocTypeC || type == kDocTypeCpp) && gSettings.ColorAreaComment != 0;
}

ColourRules CVeskEV::Rules() const {
  const DocTypeSettings& type = gCabinet.Settings();
  ColourRules rules;
  rules.language = type.DocType == kDocTypeC     ? SyntaxLanguage::kC
                   : type.DocType == kDocTypeCpp ? SyntaxLanguage::kCpp
                                                 : SyntaxLanguage::kNone;
  rules.areaComments = gSettings.ColorAreaComment != 0;
  rules.keywords = &gCabinet.Current().keywords;
  rules.wholeWord = gCabinet.Current().wholeWord != 0;
  rules.caseSensitive = gCabinet.Current().caseSensitive != 0;
  rules.keywordColour = type.KeywordColor;
  rules.cKeywordColour = type.CKeywordColor;
  rules.cppKeywordColour = type.CppKeywordColor;
  rules.commentColour = type.CommentColor;
  rules.markedCharBack = type.MarkedCharBackColor;
  rules.charMarks = &doc_.Marks().CharMarks();
  return rules;
}

CommentTables::Text CVeskEV::Bytes() const {
  return CommentTables::Text{doc_.Store().GetPointer(0), doc_.TextLength()};
}

CommentTables::Text CVeskEV::TailBytes(std::uint32_t from) const {
  const std::uint32_t length = doc_.TextLength();
  from = std::min(from, length);
  return CommentTables::Text{doc_.Store().GetSpan(from, length - from), length, from};
}

void CVeskEV::RebuildTables() {
  tables_.Clear();
  if (!TablesKept()) return;
  if (!tables_.Rebuild(Bytes())) AppMessageBox(kTooManyCommentsMessage);
}

void CVeskEV::ReadFormat() {
  const DocumentFormat& format = doc_.Format();
  layout_.SetMetrics(metrics_, host_.dpiX(), host_.dpiY(), format.charSpacing, format.lineSpacing,
                     gSettings.LeftMarginLM, gSettings.TopMarginLM);
  layout_.SetMaxRowWidth(MaxRowWidth(doc_));
  const Point client = host_.clientSize();
  layout_.SetClientSize(client.x, client.y);
}

void CVeskEV::OnCreate() {
  layout_.SetFirstRow(0);
  layout_.SetFirstColumn(0);
  caret_ = TextCell{};
  goal_ = 0;
  selActive_ = box_ = false;
  ReadFormat();
  RebuildTables();
  UpdateScrollRanges();
  host_.invalidate();
}

void CVeskEV::OnSize(int cx, int cy) {
  layout_.SetClientSize(cx, cy);
  UpdateScrollRanges();
  host_.invalidate();
}

void CVeskEV::OnTextLoaded() {
  // The document laid its rows out while loading.
  layout_.SetFirstRow(0);
  layout_.SetFirstColumn(0);
  caret_ = TextCell{};
  goal_ = 0;
  CancelSelection();
  ReadFormat();
  RebuildTables();
  UpdateScrollRanges();
  PlaceCaret(true);
  host_.invalidate();
}

void CVeskEV::Reformat(bool full) {
  const std::uint32_t topPos = doc_.RowStartAt(layout_.FirstRow());
  const std::uint32_t caretPos = CaretOffset();
  ReadFormat();
  if (full) {
    // A new width or language lays out and scans everything again; the
    // selection's cells no longer mean the same text.
    CancelSelection();
    doc_.RebuildRows();
    RebuildTables();
  }
  layout_.SetFirstRow(doc_.RowOfPos(topPos));
  caret_ = CellOfPos(caretPos);
  goal_ = caret_.column;
  UpdateScrollRanges();
  if (caretCreated_) CreateCaret();
  PlaceCaret(true);
  host_.invalidate();
}

void CVeskEV::Refresh() {
  ReadFormat();
  UpdateScrollRanges();
  host_.invalidate();
}

void CVeskEV::AppendText(const std::uint8_t* bytes, std::uint32_t n, bool redraw) {
  if (n < 1 || bytes == nullptr) return;
  const std::uint32_t oldLength = doc_.TextLength();
  const bool kept = TablesKept();
  const ColourRules rules = Rules();
  // Plain text (no syntax, keywords or marks) colours nothing that an
  // append could change: the text itself need not be read.
  const bool coloured = kept || rules.language != SyntaxLanguage::kNone || rules.keywords->Count() > 0 ||
                        !doc_.Marks().CharMarks().empty();
  bool wholeRest = false;
  std::uint32_t from = oldLength;
  if (coloured) {
    // Only the end of the text is read: the bytes a keyword or a delimiter
    // reaching the end can start at.
    const CommentTables::Text before = TailBytes(oldLength > kRedrawLookBack ? oldLength - kRedrawLookBack : 0);
    wholeRest = kept && CommentsOnInsert(before, rules, oldLength, bytes, n);
    from = RedrawStart(before, rules, oldLength);
  }
  const std::uint32_t firstRow = doc_.RowOfPos(from);
  if (doc_.InsertText(oldLength, bytes, n) == CVeskDoc::kNone) return;
  if (kept && !tables_.OnInsert(TailBytes(oldLength > 0 ? oldLength - 1 : 0), oldLength, n))
    AppMessageBox(kTooManyCommentsMessage);
  if (doc_.RowCountChanged()) UpdateScrollRanges();
  if (!redraw) return;
  InvalidateRows(firstRow > 0 && !wholeRest ? firstRow - 1 : std::min(firstRow, layout_.FirstRow()),
                 LastCaretRow(doc_));
  caret_ = CellOfPos(doc_.TextLength());
  goal_ = caret_.column;
  PlaceCaret();
}

Rect CVeskEV::TextArea() const {
  return Rect{layout_.LeftMargin(), layout_.TopMargin(), layout_.ClientWidth(), layout_.ClientHeight()};
}

void CVeskEV::UpdateScrollRanges() {
  const TextScrollRange vertical = layout_.VerticalRange(doc_.RowCount());
  if (vertical.enabled) {
    layout_.SetFirstRow(std::min<std::uint32_t>(layout_.FirstRow(), std::uint32_t(vertical.max)));
    host_.setScrollRange(ScrollBar::kVertical, 0, vertical.max);
  } else {
    layout_.SetFirstRow(0);
    host_.setScrollRange(ScrollBar::kVertical, 0, 0);
  }
  host_.enableScrollBar(ScrollBar::kVertical, vertical.enabled);
  host_.setScrollPos(ScrollBar::kVertical, int(layout_.FirstRow()));

  const TextScrollRange horizontal = layout_.HorizontalRange();
  if (horizontal.enabled) {
    layout_.SetFirstColumn(std::clamp(layout_.FirstColumn(), 0, horizontal.max));
    host_.setScrollRange(ScrollBar::kHorizontal, 0, horizontal.max);
  } else {
    layout_.SetFirstColumn(0);
    host_.setScrollRange(ScrollBar::kHorizontal, 0, 0);
  }
  host_.enableScrollBar(ScrollBar::kHorizontal, horizontal.enabled);
  host_.setScrollPos(ScrollBar::kHorizontal, layout_.FirstColumn());
  if (view_) {
    view_->VerticalScroll(layout_.FirstRow());
    view_->HorizontalScroll(layout_.FirstColumn());
  }
}

void CVeskEV::ScrollRowsTo(std::int64_t row) {
  const TextScrollRange range = layout_.VerticalRange(doc_.RowCount());
  row = std::clamp<std::int64_t>(row, 0, range.enabled ? range.max : 0);
  const std::int64_t move = row - std::int64_t(layout_.FirstRow());
  if (move == 0) return;
  if (std::abs(move) < layout_.VisibleRows()) {
    const Rect area = TextArea();
    host_.scrollWindow(0, int(-move * layout_.RowPitch()), &area);
  } else {
    host_.invalidate();
  }
  layout_.SetFirstRow(std::uint32_t(row));
  host_.setScrollPos(ScrollBar::kVertical, int(row));
  host_.update();
  if (view_) view_->VerticalScroll(std::uint32_t(row));
}

void CVeskEV::ScrollColumnsTo(std::int64_t column) {
  const TextScrollRange range = layout_.HorizontalRange();
  column = std::clamp<std::int64_t>(column, 0, range.enabled ? range.max : 0);
  const std::int64_t move = column - layout_.FirstColumn();
  if (move == 0) return;
  if (std::abs(move) < layout_.VisibleColumns()) {
    const Rect area = TextArea();
    host_.scrollWindow(int(-move * layout_.CharPitch()), 0, &area);
  } else {
    host_.invalidate();
  }
  layout_.SetFirstColumn(int(column));
  host_.setScrollPos(ScrollBar::kHorizontal, int(column));
  host_.update();
  if (view_) view_->HorizontalScroll(int(column));
}

void CVeskEV::OnVScroll(int code, int pos) {
  const auto row = sb::Target(code, pos, layout_.FirstRow(), 1, std::max(1, layout_.VisibleRows()),
                              layout_.VerticalRange(doc_.RowCount()).max);
  if (!row) return;
  ScrollRowsTo(*row);
  PlaceCaret(true);
}

void CVeskEV::OnHScroll(int code, int pos) {
  const auto column = sb::Target(code, pos, layout_.FirstColumn(), 1, std::max(1, layout_.VisibleColumns()),
                                 layout_.HorizontalRange().max);
  if (!column) return;
  ScrollColumnsTo(*column);
  PlaceCaret(true);
}

void CVeskEV::InvalidateRows(std::uint32_t first, std::uint32_t last) {
  const std::uint32_t top = layout_.FirstRow();
  const std::uint64_t bottom = std::uint64_t(top) + std::uint64_t(layout_.VisibleRows());
  if (last < top || first > bottom) return;
  first = std::max(first, top);
  const int y1 = int(layout_.RowTop(first));
  const std::int64_t y2 = std::min<std::int64_t>(layout_.RowTop(std::uint32_t(std::min<std::uint64_t>(last, bottom))) +
                                                     layout_.RowPitch(),
                                                 layout_.ClientHeight());
  host_.invalidateRect(Rect{0, y1, layout_.ClientWidth(), int(y2)});
}

void CVeskEV::InvalidateSelection() {
  if (!selActive_) return;
  if (box_) {
    InvalidateRows(std::min(boxAnchor_.row, caret_.row), std::max(boxAnchor_.row, caret_.row));
  } else {
    InvalidateRows(doc_.RowOfPos(selStart_), doc_.RowOfPos(selEnd_));
  }
}

void CVeskEV::OnPaint(Canvas& canvas, const Rect& invalid) {
  const DocTypeSettings& type = gCabinet.Settings();
  TextPaintColours colours;
  colours.text = type.TextColor & kColourMask;
  colours.back = type.TextBackColor & kColourMask;
  colours.eol = type.EolColor;
  colours.tab = type.TabColor;
  colours.markedLineBack = type.MarkedLineBackColor;
  colours.tagBack = type.TagBackColor;
  colours.showEol = type.ShowEolMark != 0;
  colours.showTab = type.ShowTabMark != 0;
  if (invalid.width() <= 0 || invalid.height() <= 0) return;
  canvas.fillRect(invalid, colours.back);
  canvas.selectFont(font_);
  const int pitch = layout_.RowPitch();
  const int top = layout_.TopMargin();
  const std::uint32_t firstRow = layout_.FirstRow() + std::uint32_t(std::max(0, invalid.top - top) / pitch);
  const std::uint32_t lastRow = layout_.FirstRow() + std::uint32_t(std::max(0, invalid.bottom - 1 - top) / pitch);
  const ColourRules rules = Rules();
  TextPainter painter(canvas, layout_, colours, rules, TablesKept() ? &tables_ : nullptr);
  painter.DrawRows(doc_, firstRow, lastRow);
  if (!selActive_) return;
  if (box_) {
    const std::uint32_t r1 = std::max(firstRow, std::min(boxAnchor_.row, caret_.row));
    const std::uint32_t r2 = std::min(lastRow, std::max(boxAnchor_.row, caret_.row));
    const int c1 = std::min(boxAnchor_.column, caret_.column);
    const int c2 = std::max(boxAnchor_.column, caret_.column);
    // Each row shows the whole characters a copy takes, no half of one.
    for (std::uint32_t row = r1; row <= r2 && row <= LastCaretRow(doc_); ++row) {
      const auto [a, b] = BoxPartOfRow(doc_, row, c1, c2);
      const std::uint32_t start = doc_.RowStartAt(row);
      painter.InvertCells(row, ColumnInRow(doc_, start, a), ColumnInRow(doc_, start, b));
    }
    return;
  }
  const std::uint32_t r1 = std::max(firstRow, doc_.RowOfPos(selStart_));
  const std::uint32_t r2 = std::min(lastRow, doc_.RowOfPos(selEnd_));
  for (std::uint32_t row = r1; row <= r2; ++row) {
    const std::uint32_t start = doc_.RowStartAt(row);
    const std::uint32_t end = RowEnd(doc_, row);
    const std::uint32_t a = std::max(selStart_, start);
    const std::uint32_t b = std::min(selEnd_, end);
    if (a >= b) continue;
    painter.InvertCells(row, ColumnInRow(doc_, start, a), ColumnInRow(doc_, start, b));
  }
}

}  // namespace quarn
