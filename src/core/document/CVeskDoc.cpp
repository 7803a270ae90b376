#include "core/document/CVeskDoc.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

#include "core/common/AppSettings.h"
#include "core/common/ProcessValues.h"
#include "core/res/Texts.h"

namespace quarn {

CVeskDoc::CVeskDoc() {
  static std::uint64_t lastSerial = 0;
  serial_ = ++lastSerial;
  docKind_ = gProcess.nextDocKind;
  if (!gProcess.droppingFiles) gProcess.nextDocKind = kTextDoc;
  if (!store_.Open()) throw std::bad_alloc();
  undo_ = std::make_unique<CVeskRD>(gProcess.undoBufferSize);
  redo_ = std::make_unique<CVeskRD>(gProcess.undoBufferSize);
  if (EnsureRowCapacity(0) != 1) throw std::bad_alloc();
  if (docKind_ == kBinaryDoc) format_.charsPerLine = 16;
  format_.lineSpacing = gSettings.LineSpacesLM;
  layout_.hanging = gSettings.ColumnOutString;
  title_ = texts::kUntitled;
}

CVeskDoc::~CVeskDoc() = default;

namespace {
CVeskDoc::ModifiedObserver gModifiedObserver = nullptr;
void* gModifiedContext = nullptr;
}  // namespace

void CVeskDoc::SetModifiedObserver(ModifiedObserver observer, void* context) {
  gModifiedObserver = observer;
  gModifiedContext = context;
}

void CVeskDoc::SetModifiedFlag(bool modified) {
  if (modified_ == modified) return;
  modified_ = modified;
  if (gModifiedObserver) gModifiedObserver(*this, gModifiedContext);
}

void CVeskDoc::SetPathName(const std::string& path) {
  pathName_ = path;
  auto slash = path.find_last_of('/');
  title_ = (gSettings.LongTitle && !path.empty()) ? path
           : slash == std::string::npos          ? path
                                                 : path.substr(slash + 1);
}

void CVeskDoc::AddView(DocumentView* view) { views_.push_back(view); }

void CVeskDoc::RemoveView(DocumentView* view) {
  views_.erase(std::remove(views_.begin(), views_.end(), view), views_.end());
}

void CVeskDoc::UpdateAllViews(int hintCode) {
  // The views are told from a copy of the list (a view may leave it while
  // told); the few views of a document are copied without allocating, as
  // appended output tells them at every line.
  constexpr std::size_t kFew = 4;
  if (views_.size() <= kFew) {
    std::array<DocumentView*, kFew> few{};
    const std::size_t n = views_.size();
    std::copy(views_.begin(), views_.end(), few.begin());
    for (std::size_t i = 0; i < n; ++i) few[i]->OnUpdate(*this, hintCode);
    return;
  }
  for (DocumentView* view : std::vector<DocumentView*>(views_)) view->OnUpdate(*this, hintCode);
}

void CVeskDoc::AppendToViews(int hintCode, const std::uint8_t* bytes, std::uint32_t n) {
  if (n < 1 || bytes == nullptr) return;
  const AppendedBytes saved = std::exchange(hintBytes_, AppendedBytes{bytes, n});
  UpdateAllViews(hintCode);
  hintBytes_ = saved;
}

void CVeskDoc::AppendStringToViews(const char* text) {
  if (text == nullptr) return;
  AppendToViews(hint::kAppendString, reinterpret_cast<const std::uint8_t*>(text), std::uint32_t(std::strlen(text)));
}

}  // namespace quarn
