#include "core/cabinet/CVeskCabinet.h"

#include <algorithm>
#include <utility>

#include "core/common/AppSettings.h"
#include "core/document/CVeskDoc.h"

namespace quarn {

CabinetSet CabinetSet::Builtin(int type) {
  CabinetSet set;
  set.record = BuiltinDocType(type);
  for (int t = 0; t < kDocTypeCount; ++t) set.filters[t] = FilterList::Builtin(t);
  return set;
}

CabinetSet CabinetSet::Initial() {
  CabinetSet set = Builtin(kDocTypeGeneral);
  set.record = InitialDocType();
  return set;
}

void CabinetSet::SetKeywords(KeywordTable table) {
  keywords = std::move(table);
  record.KeywordCount = std::int32_t(keywords.Count());
}

const FilterList& CabinetSet::CurrentFilters() const {
  const int type = record.DocType;
  return filters[type >= 0 && type < kDocTypeCount ? type : kDocTypeGeneral];
}

CVeskCabinet::CVeskCabinet() : current_(CabinetSet::Initial()), saved_(current_) {}

void CVeskCabinet::ResetToType(int type) {
  current_ = CabinetSet::Builtin(type);
  saved_ = current_;
}

bool CVeskCabinet::RefreshDocumentFormat(CVeskDoc& doc, int charsPerLine) const {
  const DocTypeSettings& r = current_.record;
  DocumentFormat& format = doc.Format();
  const bool fontChanged = !(format.font == r.Font);
  // A cabinet file is checked only for CharsPerLine; the other values are
  // held to the ranges the format page allows, so that a hand-made file
  // cannot give the layout absurd sizes.
  // A binary document keeps its 16 from construction: its rows are the
  // binary window's, not the document type's.
  if (doc.DocKind() != kBinaryDoc)
    format.charsPerLine = std::clamp(charsPerLine ? charsPerLine : r.CharsPerLine, 10, 250);
  format.tabColumns = std::clamp(r.TabColumns, 2, 20);
  format.lineSpacing = gSettings.LineSpacesLM;
  format.charSpacing = std::clamp(r.CharSpacing, 0, 100);
  format.font = r.Font;
  format.saveLineMarks = r.SaveMarkedLines != 0;
  format.saveCharMarks = r.SaveMarkedChars != 0;

  LayoutOptions& layout = doc.Layout();
  layout.wordWrap = r.WordWrap != 0;
  layout.kinsoku = current_.kinsoku != 0;
  layout.hanging = gSettings.ColumnOutString;

  // A text document's rows follow the new width, tabs and wrapping rules.
  if (doc.DocKind() == kTextDoc && doc.RowStarts()) doc.RebuildRows();
  doc.UpdateAllViews(hint::kFormatChanged);
  return fontChanged;
}

}  // namespace quarn
