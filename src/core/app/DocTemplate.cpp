#include "core/app/DocTemplate.h"

#include <algorithm>
#include <new>

#include "core/cabinet/CVeskCabinet.h"
#include "core/common/AppMessage.h"
#include "core/document/CVeskDoc.h"
#include "core/res/MessageIds.h"
#include "platform/FileSystem.h"
#include "platform/Platform.h"

namespace quarn {

DocTemplate::DocTemplate() = default;
DocTemplate::~DocTemplate() = default;

DocTemplate& Documents() {
  static DocTemplate instance;
  return instance;
}

CVeskDoc* DocTemplate::FindByPath(const std::string& fullPath) const {
  for (const auto& doc : documents_)
    if (!doc->GetPathName().empty() && doc->GetPathName() == fullPath) return doc.get();
  return nullptr;
}

CVeskDoc* DocTemplate::OpenDocumentFile(const std::string& path) {
  if (!MemoryCheck()) return nullptr;
  std::string full;
  if (!path.empty()) {
    full = Platform().files->fullPath(path);
    if (CVeskDoc* open = FindByPath(full)) {
      if (frames_) frames_->ActivateFrame(*open);
      return open;
    }
  }
  std::unique_ptr<CVeskDoc> doc;
  try {
    doc = std::make_unique<CVeskDoc>();
  } catch (const std::bad_alloc&) {
    AppMessageBox(msg::kOutOfMemory);
    return nullptr;
  }
  gCabinet.RefreshDocumentFormat(*doc);
  if (!full.empty()) {
    if (!doc->OnOpenDocument(full)) return nullptr;
    doc->SetPathName(full);
    recent_.Add(full);
  }
  doc->SetModifiedFlag(false);
  CVeskDoc* result = doc.get();
  documents_.push_back(std::move(doc));
  if (frames_ && !frames_->CreateFrame(*result)) {
    documents_.pop_back();
    return nullptr;
  }
  if (observer_) observer_->DocumentsChanged();
  return result;
}

int DocTemplate::IndexOf(const CVeskDoc& doc) const {
  for (std::size_t i = 0; i < documents_.size(); ++i)
    if (documents_[i].get() == &doc) return int(i);
  return -1;
}

bool DocTemplate::CloseDocument(CVeskDoc& doc, bool ask) {
  int index = IndexOf(doc);
  if (index < 0) return true;
  if (ask && !doc.SaveModified()) return false;
  if (observer_) observer_->DocumentClosing(doc);
  if (frames_) frames_->DestroyFrame(doc);
  documents_.erase(documents_.begin() + index);
  if (observer_) observer_->DocumentsChanged();
  return true;
}

bool DocTemplate::SaveAllModified() {
  for (const auto& doc : documents_)
    if (!doc->SaveModified()) return false;
  return true;
}

void DocTemplate::CloseAll() {
  while (!documents_.empty()) {
    CVeskDoc& doc = *documents_.back();
    if (observer_) observer_->DocumentClosing(doc);
    if (frames_) frames_->DestroyFrame(doc);
    documents_.pop_back();
  }
  if (observer_) observer_->DocumentsChanged();
}

}  // namespace quarn
