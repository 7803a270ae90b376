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
class CabinetFrames;
struct CabinetContents;

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

  // The main frame's side of saving and reopening the document list; null
  // (tests of the file alone): placements are left out.
  void SetFrames(CabinetFrames* frames) { frames_ = frames; }
  CabinetFrames* Frames() const { return frames_; }

  // Reads the file at Path() and applies it: both sets, and with
  // reopenDocuments the documents it lists. False when nothing was read (a
  // missing file silently, an unreadable one after "Failed to read from
  // Cabinet", a malformed one after 59398); the settings are then as they were.
  bool Open(bool reopenDocuments);
  // Writes the saved set and the first 30 open documents that have a path;
  // with closeDocuments every document is then offered saving and closed.
  // False after "Failed to write to Cabinet" (nothing closed) or when the
  // user kept a modified document (the rest stay open).
  bool Save(bool closeDocuments);
  // The current set becomes the saved set; then Save(false).
  bool SaveNow();
  // SaveNow when "CabinetSave" is 1: every change is written at once.
  void SaveIfImmediate();
  // Writes a new cabinet at path and makes it the current one: type 0 to 2
  // with that type's built-in settings (and a new untitled document), type 3
  // with the current settings and the open documents. False after its
  // message (59400 answered with Cancel, 59401, 59402).
  bool Create(const std::string& path, int type);
  // The file at path, at most 30,720 bytes. False when it cannot be read;
  // "Failed to read from Cabinet" unless it does not exist or quiet is set.
  static bool ReadFile(const std::string& path, std::string& bytes, bool quiet = false);
  // Both sets and, with reopenDocuments, the documents of contents.
  void Apply(const CabinetContents& contents, bool reopenDocuments);

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
  void Reopen(const CabinetContents& contents);

  std::string path_;
  CabinetFrames* frames_ = nullptr;
  CabinetSet current_;
  CabinetSet saved_;
};

// The one cabinet of the process.
inline CVeskCabinet gCabinet;

}  // namespace quarn
