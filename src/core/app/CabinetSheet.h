// The pages of the cabinet sheet: filled from the current set, checked,
// and applied back with the refresh of every open document.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/cabinet/CVeskCabinet.h"
#include "platform/CabinetDialogService.h"

namespace quarn {

// The keyword page's text buffer.
constexpr std::size_t kKeywordTextBuffer = 6400;

CabinetFormatPage FormatPageOf(const CabinetSet& set);
CabinetSheetRequest SheetOf(const CabinetSet& set);

// The keyword text: each keyword followed by CR LF.
std::string KeywordText(const KeywordTable& table);
// 0 when the text may leave the page, else the message refusing it
// (59403 too large, 59404 a keyword over 30 bytes, 59405 over 200 keywords).
unsigned CheckKeywordText(const std::string& text);
// The non-empty lines of a checked text, up to 200.
KeywordTable ParseKeywordText(const std::string& text);
// 0 accepted, 1 the title refused, 2 the wildcard list refused.
int CheckFilterPair(const std::string& title, const std::string& patterns);

// The recorded format operation (32778): thirteen 32-bit values.
std::vector<std::uint8_t> FormatRecord(const CabinetFormatPage& page);
// Overwrites page with the values a record carries (52, 48 or 44 bytes);
// false for a record of any other length.
bool ReadFormatRecord(const std::vector<std::uint8_t>& data, CabinetFormatPage& page);

// Applying the pages to the current set. The format page refreshes the
// documents only when a value of their layout changed; with redraw (a
// played-back operation) the windows are redrawn and "CabinetSave" 1
// saves at once.
void ApplyFormatPage(CVeskCabinet& cabinet, const CabinetFormatPage& page, bool redraw);
void ApplyColors(CVeskCabinet& cabinet, const std::array<ColorRef, CabinetSheetRequest::kColorCount>& colors,
                 bool redraw);
void ApplyKeywords(CVeskCabinet& cabinet, const std::string& text, bool caseSensitive, bool wholeWord);
void ApplyFilters(CVeskCabinet& cabinet, const std::array<FilterPairs, 3>& filters);

// Copies the format into every open document (hint 32; the text documents
// lay their rows out again) and lets the main frame lay out and redraw.
void RefreshAllDocuments(CVeskCabinet& cabinet);

// The colour chooser's custom colours, kept while the program runs.
std::array<ColorRef, 16>& CustomColors();
// The colour chooser started with color and the custom colours; false on
// Cancel (color unchanged).
bool ChooseColor(ColorRef& color);

}  // namespace quarn
