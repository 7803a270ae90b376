// The one document template: the list of open documents in the order they
// were opened, how a document is made or opened from a file, and how it is
// closed. The platform makes the child frame of each document through
// FrameFactory; tests plug in a fake.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/app/RecentFileList.h"

namespace quarn {

class CVeskDoc;

class FrameFactory {
 public:
  virtual ~FrameFactory() = default;
  // Opens the child frame with its view for a new document; false when the
  // frame cannot be made (the document is then destroyed).
  virtual bool CreateFrame(CVeskDoc& doc) = 0;
  virtual void ActivateFrame(CVeskDoc& doc) = 0;
  // Called just before the document is destroyed.
  virtual void DestroyFrame(CVeskDoc& doc) = 0;
};

// Told of changes to the set of open documents (the window marks, the tabs).
class DocumentSetObserver {
 public:
  virtual ~DocumentSetObserver() = default;
  // Before the document's frame and views go.
  virtual void DocumentClosing(CVeskDoc& doc) = 0;
  // After a document was added to the list or taken from it.
  virtual void DocumentsChanged() = 0;
};

class DocTemplate {
 public:
  DocTemplate();
  ~DocTemplate();

  void SetFrameFactory(FrameFactory* factory) { frames_ = factory; }
  void SetObserver(DocumentSetObserver* observer) { observer_ = observer; }
  DocumentSetObserver* Observer() const { return observer_; }

  // The framework's open: an empty path makes a new untitled document; a
  // document already open under the same full path is activated instead.
  // The memory check comes first. Null when nothing was opened.
  CVeskDoc* OpenDocumentFile(const std::string& path);
  CVeskDoc* FindByPath(const std::string& fullPath) const;
  void ActivateDocument(CVeskDoc& doc) { if (frames_) frames_->ActivateFrame(doc); }

  // Closes doc after asking to save it when ask is set; false when the
  // user kept it.
  bool CloseDocument(CVeskDoc& doc, bool ask = true);
  // Asks for every modified document in turn; false as soon as one is kept
  // (nothing has been closed then).
  bool SaveAllModified();
  void CloseAll();

  std::size_t Count() const { return documents_.size(); }
  CVeskDoc& At(std::size_t index) const { return *documents_[index]; }
  // Position of doc in the list, or -1.
  int IndexOf(const CVeskDoc& doc) const;

  RecentFileList& Recent() { return recent_; }

 private:
  std::vector<std::unique_ptr<CVeskDoc>> documents_;
  FrameFactory* frames_ = nullptr;
  DocumentSetObserver* observer_ = nullptr;
  RecentFileList recent_;
};

// The template of the running program (other parts walk its documents).
DocTemplate& Documents();

}  // namespace quarn
