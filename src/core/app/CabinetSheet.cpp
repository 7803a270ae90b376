#include "core/app/CabinetSheet.h"

#include <algorithm>

#include "core/app/DocTemplate.h"
#include "core/app/CabinetFrames.h"
#include "core/document/CVeskDoc.h"
#include "core/options/CommonSettingsSheet.h"
#include "core/res/MessageIds.h"
#include "core/common/AppMessage.h"

namespace quarn {
namespace {

constexpr std::size_t kMaxKeywordText = 6397;
constexpr std::size_t kMaxFilterText = 40;
constexpr std::size_t kFormatValues = 13;

// The colour fields 14 to 24 in their stored order.
ColorRef* ColorFields(DocTypeSettings& r, int i) {
  ColorRef* fields[CabinetSheetRequest::kColorCount] = {
      &r.MarkedLineBackColor, &r.MarkedCharBackColor, &r.CKeywordColor, &r.CppKeywordColor,
      &r.KeywordColor,        &r.EolColor,            &r.TabColor,      &r.CommentColor,
      &r.TextColor,           &r.TextBackColor,       &r.TagBackColor};
  return fields[i];
}

bool IsFlaggedColor(int i) { return i == 0 || i == 1 || i == 10; }

// The lines of a keyword text, without their line ends.
std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    if (end < text.size() && text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ++end;
    start = end + 1;
  }
  return lines;
}

// The format values the 32778 record carries, in its order.
std::array<int*, kFormatValues> RecordedValues(CabinetFormatPage& p, int& kinsoku, int (&flags)[8]) {
  return {&p.docType, &p.charsPerLine, &p.tabColumns, &p.lineNumberMode, &flags[0], &flags[1], &flags[2],
          &flags[3], &flags[4], &flags[5], &flags[6], &flags[7], &kinsoku};
}

std::array<bool*, 8> RecordedFlags(CabinetFormatPage& p) {
  return {&p.freeCursor, &p.autoIndent, &p.showEolMark, &p.showTabMark,
          &p.saveMarkedLines, &p.saveMarkedChars, &p.wordWrap, &p.tabKeySpaces};
}

void Redraw(CVeskCabinet& cabinet) {
  if (CabinetFrames* frames = cabinet.Frames()) frames->RelayoutAll();
}

}  // namespace

std::array<ColorRef, 16>& CustomColors() {
  static std::array<ColorRef, 16> colors = [] {
    std::array<ColorRef, 16> white{};
    white.fill(0xFFFFFF);
    return white;
  }();
  return colors;
}

bool ChooseColor(ColorRef& color) {
  CabinetDialogService* dialogs = CabinetDialogs();
  if (!dialogs) return false;
  ColorRequest request;
  request.color = color;
  request.customColors = CustomColors();
  const bool chosen = dialogs->chooseColor(request);
  CustomColors() = request.customColors;
  if (chosen) color = request.color & 0xFFFFFFu;
  return chosen;
}

CabinetFormatPage FormatPageOf(const CabinetSet& set) {
  const DocTypeSettings& r = set.record;
  CabinetFormatPage p;
  p.charsPerLine = r.CharsPerLine;
  p.tabColumns = r.TabColumns;
  p.lineNumberMode = r.LineNumberMode;
  p.lineSpacing = r.LineSpacing / 10.0;
  p.charSpacing = r.CharSpacing / 10.0;
  p.showEolMark = r.ShowEolMark != 0;
  p.showTabMark = r.ShowTabMark != 0;
  p.freeCursor = r.FreeCursor != 0;
  p.autoIndent = r.AutoIndent != 0;
  p.tabKeySpaces = r.TabKeySpaces != 0;
  p.saveMarkedLines = r.SaveMarkedLines != 0;
  p.saveMarkedChars = r.SaveMarkedChars != 0;
  p.wordWrap = r.WordWrap != 0;
  p.kinsoku = set.kinsoku != 0;
  p.docType = r.DocType;
  for (int t = 0; t < kDocTypeCount; ++t) p.docTypeNames.push_back(DocTypeName(t));
  return p;
}

CabinetSheetRequest SheetOf(const CabinetSet& set) {
  CabinetSheetRequest sheet;
  sheet.format = FormatPageOf(set);
  DocTypeSettings r = set.record;
  for (int i = 0; i < CabinetSheetRequest::kColorCount; ++i) sheet.colors[i] = *ColorFields(r, i) & 0xFFFFFFu;
  sheet.keywordText = KeywordText(set.keywords);
  sheet.caseSensitive = set.caseSensitive != 0;
  sheet.wholeWord = set.wholeWord != 0;
  for (int t = 0; t < kDocTypeCount; ++t)
    for (const FilterPair& pair : set.filters[t].Pairs()) sheet.filters[t].emplace_back(pair.title, pair.patterns);
  sheet.acceptKeywords = [](const std::string& text) {
    const unsigned refusal = CheckKeywordText(text);
    if (refusal) AppMessageBox(refusal);
    return refusal == 0;
  };
  sheet.checkFilterPair = CheckFilterPair;
  sheet.chooseColor = ChooseColor;
  sheet.builtinFilters = [](int type) {
    FilterPairs pairs;
    const FilterList builtin = FilterList::Builtin(type);
    for (const FilterPair& pair : builtin.Pairs()) pairs.emplace_back(pair.title, pair.patterns);
    return pairs;
  };
  return sheet;
}

std::string KeywordText(const KeywordTable& table) {
  std::string text;
  for (const std::string& word : table.Words()) text += word + "\r\n";
  return text;
}

unsigned CheckKeywordText(const std::string& text) {
  if (text.size() >= kMaxKeywordText) return msg::kKeywordTextTooLarge;
  std::size_t keywords = 0;
  for (const std::string& line : Lines(text)) {
    if (line.size() > KeywordTable::kMaxLength) return msg::kKeywordTooLong;
    if (!line.empty()) ++keywords;
  }
  return keywords > KeywordTable::kMaxKeywords ? msg::kTooManyKeywords : 0;
}

KeywordTable ParseKeywordText(const std::string& text) {
  KeywordTable table;
  for (const std::string& line : Lines(text)) table.Add(line);
  return table;
}

int CheckFilterPair(const std::string& title, const std::string& patterns) {
  // A "|" would split the pair when the dialog's filter is built from it.
  if (title.size() > kMaxFilterText || title.find('|') != std::string::npos) return 1;
  if (patterns.empty() || patterns.size() > kMaxFilterText || patterns.find('|') != std::string::npos) return 2;
  return 0;
}

std::vector<std::uint8_t> FormatRecord(const CabinetFormatPage& page) {
  CabinetFormatPage p = page;
  int kinsoku = p.kinsoku ? 1 : 0;
  int flags[8];
  const auto bools = RecordedFlags(p);
  for (std::size_t i = 0; i < bools.size(); ++i) flags[i] = *bools[i] ? 1 : 0;
  std::vector<std::uint8_t> data(kFormatValues * 4);
  const auto values = RecordedValues(p, kinsoku, flags);
  for (std::size_t i = 0; i < values.size(); ++i) PutLe32(data.data() + 4 * i, std::uint32_t(*values[i]));
  return data;
}

bool ReadFormatRecord(const std::vector<std::uint8_t>& data, CabinetFormatPage& page) {
  const std::size_t count = data.size() / 4;
  if (data.size() % 4 != 0 || count < 11 || count > kFormatValues) return false;
  int kinsoku = page.kinsoku ? 1 : 0;
  int flags[8];
  const auto bools = RecordedFlags(page);
  for (std::size_t i = 0; i < bools.size(); ++i) flags[i] = *bools[i] ? 1 : 0;
  const auto values = RecordedValues(page, kinsoku, flags);
  for (std::size_t i = 0; i < count; ++i) *values[i] = std::int32_t(GetLe32(data.data() + 4 * i));
  for (std::size_t i = 0; i < bools.size(); ++i) *bools[i] = flags[i] != 0;
  page.kinsoku = kinsoku != 0;
  return true;
}

void RefreshAllDocuments(CVeskCabinet& cabinet) {
  DocTemplate& documents = Documents();
  for (std::size_t i = 0; i < documents.Count(); ++i) cabinet.RefreshDocumentFormat(documents.At(i));
  Redraw(cabinet);
}

void ApplyFormatPage(CVeskCabinet& cabinet, const CabinetFormatPage& page, bool redraw) {
  CabinetSet& set = cabinet.Current();
  DocTypeSettings& r = set.record;
  const DocTypeSettings old = r;
  const std::int32_t oldKinsoku = set.kinsoku;
  // A played-back record may carry anything: the values are held to the
  // ranges the page allows.
  r.CharsPerLine = std::clamp(page.charsPerLine, 10, 250);
  r.TabColumns = std::clamp(page.tabColumns, 2, 20);
  r.LineNumberMode = page.lineNumberMode == 1 ? 1 : 0;
  r.LineSpacing = std::clamp(MillimetresToLM(page.lineSpacing), 0, 100);
  r.CharSpacing = std::clamp(MillimetresToLM(page.charSpacing), 0, 100);
  r.ShowEolMark = page.showEolMark;
  r.ShowTabMark = page.showTabMark;
  r.FreeCursor = page.freeCursor;
  r.AutoIndent = page.autoIndent;
  r.TabKeySpaces = page.tabKeySpaces;
  r.SaveMarkedLines = page.saveMarkedLines;
  r.SaveMarkedChars = page.saveMarkedChars;
  r.WordWrap = page.wordWrap;
  r.DocType = page.docType >= 0 && page.docType < kDocTypeCount ? page.docType : kDocTypeGeneral;
  set.kinsoku = page.kinsoku;

  const bool layoutChanged = r.CharsPerLine != old.CharsPerLine || r.TabColumns != old.TabColumns ||
                             r.WordWrap != old.WordWrap || r.DocType != old.DocType || set.kinsoku != oldKinsoku ||
                             r.LineSpacing != old.LineSpacing || r.CharSpacing != old.CharSpacing;
  if (layoutChanged)
    RefreshAllDocuments(cabinet);
  else if (redraw || r.LineNumberMode != old.LineNumberMode)
    Redraw(cabinet);
  if (redraw) cabinet.SaveIfImmediate();
}

void ApplyColors(CVeskCabinet& cabinet, const std::array<ColorRef, CabinetSheetRequest::kColorCount>& colors,
                 bool redraw) {
  DocTypeSettings& r = cabinet.Current().record;
  for (int i = 0; i < CabinetSheetRequest::kColorCount; ++i)
    *ColorFields(r, i) = (colors[i] & 0xFFFFFFu) | (IsFlaggedColor(i) ? kBackColorFlag : 0u);
  if (!redraw) return;
  RefreshAllDocuments(cabinet);
  cabinet.SaveIfImmediate();
}

void ApplyKeywords(CVeskCabinet& cabinet, const std::string& text, bool caseSensitive, bool wholeWord) {
  CabinetSet& set = cabinet.Current();
  set.SetKeywords(ParseKeywordText(text));
  set.caseSensitive = caseSensitive;
  set.wholeWord = wholeWord;
  RefreshAllDocuments(cabinet);
  cabinet.SaveIfImmediate();
}

void ApplyFilters(CVeskCabinet& cabinet, const std::array<FilterPairs, 3>& filters) {
  CabinetSet& set = cabinet.Current();
  for (int t = 0; t < kDocTypeCount; ++t) {
    set.filters[t].Clear();
    for (const auto& [title, patterns] : filters[t]) set.filters[t].Add({title, patterns});
  }
  cabinet.SaveIfImmediate();
}

}  // namespace quarn
