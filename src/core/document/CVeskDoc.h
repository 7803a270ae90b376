// A document: its bytes, the row table of its laid-out text, its undo and
// redo stores and the format it copied from the current document type.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/document/CPsbManeger.h"
#include "core/document/CVeskRD.h"
#include "platform/Types.h"

namespace quarn {

class CVeskDoc;
class File;

// Update hints sent to the views of a document.
namespace hint {
constexpr int kTextLoaded = 16;
constexpr int kStoreMoved = 17;
constexpr int kFormatChanged = 32;
constexpr int kRefresh = 34;
constexpr int kFocusLost = 35;
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
  void SetModifiedFlag(bool modified = true) { modified_ = modified; }
  const std::string& GetPathName() const { return pathName_; }
  void SetPathName(const std::string& path);  // also sets the title
  const std::string& GetTitle() const { return title_; }
  void SetTitle(const std::string& title) { title_ = title; }
  bool IsWriteProtected() const { return writeProtected_; }
  void SetWriteProtected(bool on) { writeProtected_ = on; }

  void AddView(DocumentView* view);
  void RemoveView(DocumentView* view);
  void UpdateAllViews(int hint);

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

  // ---- format ----
  DocumentFormat& Format() { return format_; }
  LayoutOptions& Layout() { return layout_; }

  // ---- undo ----
  CVeskRD& Undo() { return *undo_; }
  CVeskRD& Redo() { return *redo_; }

  // ---- loading and saving (DocumentFile.cpp) ----
  bool OnOpenDocument(const std::string& path);
  bool OnSaveDocument(const std::string& path);
  // Loads from an open file (the Serialize of loading).
  void LoadFrom(File& file);
  // Writes TextLength bytes to an open file; false on a write error.
  bool SaveTo(File& file);
  // Save (57603) and Save As (57604); false when nothing was saved.
  bool DoFileSave();
  bool DoSave(const std::string& path, bool replace);
  // Asked before a modified document is closed: true to go on.
  bool SaveModified();

 private:
  CPsbManeger store_;
  std::uint32_t textLength_ = 0;
  std::uint32_t lastCharPos_ = kNone;
  std::unique_ptr<CVeskRD> undo_;
  std::unique_ptr<CVeskRD> redo_;
  DocumentFormat format_;
  LayoutOptions layout_;
  bool writeProtected_ = false;
  int docKind_ = kTextDoc;

  bool modified_ = false;
  std::string pathName_;
  std::string title_;
  std::vector<DocumentView*> views_;
};

}  // namespace quarn
