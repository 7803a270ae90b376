// A document: its bytes, the row table of its laid-out text, its undo and
// redo stores and the format it copied from the current document type.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/document/CPsbManeger.h"
#include "core/document/CVeskRD.h"
#include "core/document/DocumentMarks.h"
#include "core/document/RowLayout.h"
#include "platform/FileSystem.h"
#include "platform/LargeBlock.h"
#include "platform/Types.h"

namespace quarn {

class CVeskDoc;
class File;

// Update hints sent to the views of a document.
namespace hint {
constexpr int kTextLoaded = 16;
constexpr int kStoreMoved = 17;
constexpr int kFormatChanged = 32;
constexpr int kRepaint = 33;
constexpr int kRefresh = 34;
constexpr int kFocusLost = 35;
constexpr int kAppendString = 48;
constexpr int kAppendBytes = 49;
constexpr int kAppendQuietly = 50;
constexpr int kBinaryLoaded = 128;
}  // namespace hint

enum DocKind : int { kTextDoc = 1, kBinaryDoc = 2 };

// Anything that shows a document and wants its update hints.
class DocumentView {
 public:
  virtual ~DocumentView() = default;
  virtual void OnUpdate(CVeskDoc& doc, int hint) = 0;
};

// What a document copies from the document type (and the settings).
struct DocumentFormat {
  int charsPerLine = 80;
  int tabColumns = 4;
  int lineSpacing = 0;  // 0.1 mm, from "LineSpacesLM"
  int charSpacing = 0;  // 0.1 mm
  LogFont font;
  // Which marks go into the attribute file ("マーク行情報を保存",
  // "マーク文字情報を保存"); a change of them sets the modified flag.
  bool saveLineMarks = true;
  bool saveCharMarks = true;
};

// The switches of the row-breaking rule that do not live in the document's
// format: word wrap and kinsoku come from the current document type, the
// hanging characters from "ColumnOutString".
struct LayoutOptions {
  bool wordWrap = false;
  bool kinsoku = false;
  std::string hanging;  // CP932
};

// A stream selection of the window editing the document; insertions and
// deletions before it move it.
struct StreamSelection {
  bool active = false;
  std::uint32_t start = 0;
  std::uint32_t end = 0;
};

class CVeskDoc {
 public:
  static constexpr std::uint32_t kRowGrowthStep = 2000;
  // Unique in the process: tells a document from a later one that happens
  // to live at the same address.
  std::uint64_t Serial() const { return serial_; }
  static constexpr std::uint32_t kNone = 0xFFFFFFFFu;

  // Takes its kind from the next-document kind and sets that back to 1.
  // Throws std::bad_alloc when the store or the undo stores cannot be had.
  CVeskDoc();
  ~CVeskDoc();
  CVeskDoc(const CVeskDoc&) = delete;
  CVeskDoc& operator=(const CVeskDoc&) = delete;

  // ---- framework document state ----
  int DocKind() const { return docKind_; }
  bool IsModified() const { return modified_; }
  // Tells the modified observer when the flag changes value.
  void SetModifiedFlag(bool modified = true);
  // The one observer of every document's modified flag (the tab images).
  using ModifiedObserver = void (*)(CVeskDoc& doc, void* context);
  static void SetModifiedObserver(ModifiedObserver observer, void* context);
  // The document that holds a comparison result is titled "相違" on its tab.
  bool IsComparisonResult() const { return comparisonResult_; }
  void SetComparisonResult(bool on) { comparisonResult_ = on; }
  const std::string& GetPathName() const { return pathName_; }
  void SetPathName(const std::string& path);  // also sets the title
  const std::string& GetTitle() const { return title_; }
  void SetTitle(const std::string& title) { title_ = title; }
  bool IsWriteProtected() const { return writeProtected_; }
  void SetWriteProtected(bool on) { writeProtected_ = on; }
  // The file was longer than the document limit and only its first part was
  // loaded: saving under its own name would cut the file, so the document
  // opens write-protected and only Save As to another name writes it.
  bool IsCutShort() const { return cutShort_; }
  // Whether the document must open write-protected whatever the user chose:
  // cut short, or read from a file the user may not write.
  bool OpensProtected() const { return cutShort_ || fileReadOnly_; }

  void AddView(DocumentView* view);
  void RemoveView(DocumentView* view);
  void UpdateAllViews(int hint);
  // The hint object of hints 48 to 50 while they are sent: the bytes to
  // append at the end of the text and their count.
  struct AppendedBytes {
    const std::uint8_t* bytes = nullptr;
    std::uint32_t count = 0;
  };
  // Sends hint 48 (a NUL-terminated string), 49 or 50 (n bytes) with the
  // bytes as its object; nothing happens for a count below 1.
  void AppendToViews(int hint, const std::uint8_t* bytes, std::uint32_t n);
  void AppendStringToViews(const char* text);
  const AppendedBytes& HintBytes() const { return hintBytes_; }
  const std::vector<DocumentView*>& Views() const { return views_; }

  // ---- bytes ----
  CPsbManeger& Store() { return store_; }
  std::uint32_t TextLength() const { return textLength_; }
  // First byte of the last character; kNone (-1) for an empty text.
  std::uint32_t LastCharPos() const { return lastCharPos_; }
  void SetTextLength(std::uint32_t length, std::uint32_t lastCharPos) {
    textLength_ = length;
    lastCharPos_ = lastCharPos;
  }
  std::uint8_t ByteAt(std::uint32_t pos) { return store_.GetAt(pos); }

  // ---- row table (DocumentRows.cpp) ----
  std::uint32_t RowCount() const { return rowCount_; }
  std::uint32_t RowCapacity() const { return rowCapacity_; }
  // The arrays move when the table grows (hint 17); valid until then.
  const std::uint32_t* RowStarts() const { return rowStart_; }
  const std::uint8_t* RowFlags() const { return rowFlag_; }
  // Grows the row table for rows: 0 nothing needed, 1 grown, 2 out of
  // memory (the table is unchanged), 3 over the row limit.
  int EnsureRowCapacity(std::uint32_t rows);
  // True when TextLength + n bytes fit; else shows 59399 or 59394.
  bool EnsureTextRoom(std::uint32_t n);
  // True when n more rows fit; else shows 59395 or 59399.
  bool EnsureRowRoom(std::int64_t n);

  // Lays the whole text out again from row 0 (after loading or a change of
  // the format); the modified flag is left alone.
  void RebuildRows();
  // The text changes of a text document: the bytes, then the rows from the
  // start of the edited logical line to its end, the rest of the table
  // reused. They answer where the re-laid stretch ends (TextLength when the
  // rows after it moved too); InsertText answers kNone when the text would
  // grow too long. A selection before the edit moves with the text.
  std::uint32_t InsertText(std::uint32_t pos, const std::uint8_t* bytes, std::uint32_t n,
                           StreamSelection* selection = nullptr);
  std::uint32_t DeleteText(std::uint32_t pos, std::uint32_t n, StreamSelection* selection = nullptr);
  // True when the last relayout changed RowCount: the text window then
  // updates its scroll ranges.
  bool RowCountChanged() const { return rowCountChanged_; }

  // The byte-level parts of InsertText and DeleteText. The caller has made
  // room with EnsureTextRoom.
  void InsertBytes(std::uint32_t pos, const std::uint8_t* bytes, std::uint32_t n,
                   StreamSelection* selection = nullptr);
  void DeleteBytes(std::uint32_t pos, std::uint32_t n, StreamSelection* selection = nullptr);
  // Re-lays rows from startRow (starting at startPos) after an edit at pos
  // of delta bytes (+ inserted, - deleted); sets the modified flag.
  std::uint32_t Relayout(std::uint32_t pos, std::int64_t delta, std::uint32_t startPos,
                         std::uint32_t startRow);

  // Row whose start is the greatest start <= pos; RowCount for the empty
  // row after a final CR LF; the last row beyond it at the row limit.
  std::uint32_t RowOfPos(std::uint32_t pos);
  std::uint32_t RowStartOfPos(std::uint32_t pos) { return RowStartAt(RowOfPos(pos)); }
  std::uint32_t RowStartAt(std::uint32_t row);
  // First byte of the last character of the row (its CR for a row ending in
  // CR LF); the row start for the empty row after a final CR LF.
  std::uint32_t RowLastChar(std::uint32_t row);
  std::uint32_t LastCharOfRowAt(std::uint32_t pos) { return RowLastChar(RowOfPos(pos)); }

  // Character units: 2 bytes for a lead byte or a CR (CR LF), else 1.
  std::uint32_t CharUnitLength(std::uint32_t pos);
  std::uint32_t NextCharPos(std::uint32_t pos);
  std::uint32_t PrevCharPos(std::uint32_t pos);
  bool IsLineEndAt(std::uint32_t pos);
  // The first CR at or after pos, or TextLength.
  std::uint32_t LineEndPos(std::uint32_t pos);
  // Start of the logical line holding pos (just after the CR LF before it).
  std::uint32_t LineStartPos(std::uint32_t pos);

  // Zero-based logical line numbers when a line runs up to its CR LF.
  std::uint32_t RowToLineNumber(std::uint32_t row) const;
  std::uint32_t LineNumberToRow(std::uint32_t line) const;

  // ---- format ----
  DocumentFormat& Format() { return format_; }
  LayoutOptions& Layout() { return layout_; }
  // The row rules last made from the format (RowRules::Of keeps them current).
  RowRules& KeptRowRules() { return rowRules_; }

  // ---- marks ----
  static constexpr std::size_t kMaxCharMarks = 100;
  // The binary window's marked positions, sorted.
  std::vector<std::uint32_t>& CharMarks() { return charMarks_; }
  // The line marks, character marks and tag line of a text document; the
  // text changes move them.
  DocumentMarks& Marks() { return marks_; }
  const DocumentMarks& Marks() const { return marks_; }

  // ---- undo ----
  CVeskRD& Undo() { return *undo_; }
  CVeskRD& Redo() { return *redo_; }

  // ---- loading and saving (DocumentFile.cpp) ----
  bool OnOpenDocument(const std::string& path);
  bool OnSaveDocument(const std::string& path);
  // Loads from an open file (the Serialize of loading); false on a read error.
  bool LoadFrom(File& file);
  // Writes TextLength bytes to an open file; false on a write error.
  bool SaveTo(File& file);
  // Save (57603) and Save As (57604); false when nothing was saved.
  bool DoFileSave();
  bool DoSave(const std::string& path, bool replace);
  // Asked before a modified document is closed: true to go on.
  bool SaveModified();
  // The marks of a text document beside its file (AttributeFile.cpp).
  // Writing, after the text was saved, is false when the user declined to
  // overwrite a foreign file of that name or the file could not be written;
  // reading, after the text was loaded, is false when the file could not be
  // read or does not fit the text (the document then has no marks).
  bool WriteAttributeFile(const std::string& textPath);
  bool ReadAttributeFile(const std::string& textPath);

 private:
  CPsbManeger store_;
  std::uint32_t textLength_ = 0;
  std::uint32_t lastCharPos_ = kNone;
  std::unique_ptr<CVeskRD> undo_;
  std::unique_ptr<CVeskRD> redo_;
  // The row table's two arrays and their blocks.
  LargeBlock rowStartBlock_;
  LargeBlock rowFlagBlock_;
  std::uint32_t* rowStart_ = nullptr;
  std::uint8_t* rowFlag_ = nullptr;
  std::uint32_t rowCapacity_ = 0;
  std::uint32_t rowCount_ = 0;
  bool rowCountChanged_ = false;
  DocumentFormat format_;
  LayoutOptions layout_;
  RowRules rowRules_;
  std::vector<std::uint32_t> relaidRows_;  // the rows one relayout builds, kept for the next
  bool writeProtected_ = false;
  bool cutShort_ = false;
  bool fileReadOnly_ = false;
  // The file as it was read or last saved; a save over it after another
  // program changed it asks first.
  std::optional<FileStamp> stamp_;
  int docKind_ = kTextDoc;

  bool modified_ = false;
  bool comparisonResult_ = false;
  std::string pathName_;
  std::string title_;
  std::vector<DocumentView*> views_;
  AppendedBytes hintBytes_;
  std::vector<std::uint32_t> charMarks_;
  DocumentMarks marks_;

  // The line number of a row asked for last: the sum of the flags of rows
  // 1 to row, kept below the first row a relayout rewrites.
  struct LineMemo {
    std::uint32_t row = 0;
    std::uint32_t line = 0;
  };
  mutable LineMemo lineMemo_;
  void ForgetLinesFrom(std::uint32_t row);

  // Writes rows [from, from + starts.size()) of the table and their flags.
  void StoreRows(std::uint32_t from, const std::vector<std::uint32_t>& starts);
  bool EndsWithCr();
  // Start of the last character unit, walking from the unit start from.
  std::uint32_t LastUnitFrom(std::uint32_t from);
  // After an edit: LastCharPos from the walk over the last row.
  void SettleLastChar();
  // The first row to re-lay for an edit at pos (taken before the edit).
  std::uint32_t FirstRowToRelay(std::uint32_t pos);
  std::uint64_t serial_ = 0;
};

}  // namespace quarn
