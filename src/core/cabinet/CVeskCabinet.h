// The cabinet object: the settings of the one document type in use, with
// its keywords, kinsoku switch and the file-dialog filters of all three
// types. It holds two sets: the current set the program uses now and the
// saved set the cabinet file holds.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/cabinet/DocTypeSettings.h"
#include "core/cabinet/FilterList.h"
#include "core/cabinet/KeywordTable.h"

namespace quarn {

class CVeskDoc;

struct CabinetSet {
  DocTypeSettings record;
  KeywordTable keywords;
  std::int32_t kinsoku = 0;
  std::array<FilterList, kDocTypeCount> filters;
  std::int32_t wholeWord = 1;      // a keyword counts only as a whole word
  std::int32_t caseSensitive = 1;

  // The built-in set of document type 0, 1 or 2: its record, no keywords,
  // kinsoku off, the built-in filter lists, both keyword switches on.
  static CabinetSet Builtin(int type);
  // The set in effect before any cabinet has been read.
  static CabinetSet Initial();

  // Replaces the keywords and keeps the record's KeywordCount equal to them.
  void SetKeywords(KeywordTable table);
  // The filters of the record's DocType (type 0 for a value out of range).
  const FilterList& CurrentFilters() const;

  friend bool operator==(const CabinetSet&, const CabinetSet&) = default;
};

class CVeskCabinet {
 public:
  CVeskCabinet();

  const std::string& Path() const { return path_; }
  void SetPath(const std::string& path) { path_ = path; }

  CabinetSet& Current() { return current_; }
  const CabinetSet& Current() const { return current_; }
  CabinetSet& Saved() { return saved_; }
  const CabinetSet& Saved() const { return saved_; }
  // The current record, read by the windows whenever they need a field.
  const DocTypeSettings& Settings() const { return current_.record; }

  // Both sets become the built-in set of document type 0, 1 or 2.
  void ResetToType(int type);
  // The saved set becomes a copy of the current one (before the file is written).
  void CopyCurrentToSaved() { saved_ = current_; }

  // The open dialog's filter string for the current document type.
  std::string OpenDialogFilter() const { return current_.CurrentFilters().DialogFilter(); }

  // Copies the current type's format into doc (charsPerLine 0 takes
  // CharsPerLine; a binary document keeps its 16), with the line spacing of
  // "LineSpacesLM" and the hanging characters of "ColumnOutString", and
  // tells its views with hint 32.
  // Answers whether the font changed, so that the views make their screen
  // fonts again.
  bool RefreshDocumentFormat(CVeskDoc& doc, int charsPerLine = 0) const;

 private:
  std::string path_;
  CabinetSet current_;
  CabinetSet saved_;
};

// The one cabinet of the process.
inline CVeskCabinet gCabinet;

}  // namespace quarn
