#include "core/app/TagCommands.h"

#include <algorithm>

#include "core/app/CMainFrame.h"
#include "core/app/DocTemplate.h"
#include "core/commands/CommandIds.h"
#include "core/common/AppMessage.h"
#include "core/common/ProcessValues.h"
#include "core/document/CVeskDoc.h"
#include "core/macro/OperationRecorder.h"
#include "core/options/CommonSettingsSheet.h"
#include "core/textview/CVeskEV.h"
#include "core/textview/TagLineClick.h"
#include "core/textview/TextLayout.h"
#include "core/view/CVeskView.h"

namespace quarn {
namespace {

// More than the tag line rule looks at.
constexpr std::uint32_t kLineBytes = 271;

// A text window's logical lines as the tag stepper reads them.
class WindowList : public TagListWindow {
 public:
  explicit WindowList(CVeskEV& window) : window_(window), doc_(window.Document()) {}
  std::uint32_t LineCount() override { return doc_.RowToLineNumber(LastCaretRow(doc_)) + 1; }
  std::uint32_t CaretLine() override { return doc_.RowToLineNumber(window_.Caret().row); }
  std::string LineText(std::uint32_t line) override {
    const std::uint32_t row = doc_.LineNumberToRow(line);
    if (row > LastCaretRow(doc_)) return {};
    const std::uint32_t start = doc_.RowStartAt(row);
    const std::uint32_t n = std::min(doc_.LineEndPos(start) - start, kLineBytes);
    std::string text(n, '\0');
    if (n) doc_.Store().Read(reinterpret_cast<std::uint8_t*>(text.data()), start, n);
    return text;
  }
  void MoveCaretToLine(std::uint32_t line) override { window_.GoToCell(0, doc_.LineNumberToRow(line)); }

 private:
  CVeskEV& window_;
  CVeskDoc& doc_;
};

CVeskView* FirstView(CVeskDoc& doc) {
  return doc.Views().empty() ? nullptr : dynamic_cast<CVeskView*>(doc.Views().front());
}

}  // namespace

TagJumps::TagJumps(DocTemplate& documents, MainFrameHost& host) : documents_(documents), host_(host) {
  TagLineDoubleClickHandler() = [this](CVeskEV& window) { return OnTagLineDoubleClick(window); };
}

TagJumps::~TagJumps() { TagLineDoubleClickHandler() = nullptr; }

CVeskDoc* TagJumps::TagDocument() const {
  return tagDocument_ && documents_.IndexOf(*tagDocument_) >= 0 && tagDocument_->Serial() == tagSerial_ ? tagDocument_
                                                                                                    : nullptr;
}

CVeskEV* TagJumps::WindowOf(CVeskDoc& doc) const {
  CVeskView* view = FirstView(doc);
  return view && view->IsTextMode() ? dynamic_cast<CVeskEV*>(view->TextWindow()) : nullptr;
}

bool TagJumps::OnCommand(unsigned id) {
  switch (id) {
    case cmd::kTagJump: case cmd::kTagNext: case cmd::kTagPrev:
      RecordOperation(kFrameCommandRecord, id);
      TagJump(id == cmd::kTagJump ? TagMode::kCurrent : id == cmd::kTagNext ? TagMode::kNext : TagMode::kPrevious);
      return true;
    case cmd::kTagWindow:
      RecordOperation(kFrameCommandRecord, id);
      if (CVeskDoc* doc = TagDocument()) documents_.ActivateDocument(*doc);
      else WarningBeep();
      return true;
    default:
      return false;
  }
}

bool TagJumps::OnUpdateCommand(unsigned id, CommandState& state) {
  if (id != cmd::kTagJump && id != cmd::kTagNext && id != cmd::kTagPrev && id != cmd::kTagWindow) return false;
  state.enabled = TagDocument() != nullptr;
  return true;
}

void TagJumps::TagJump(TagMode mode, CVeskEV* from) {
  CVeskView* active = host_.ActiveView();
  if (!from && !active) return WarningBeep();
  CVeskDoc* tagDoc = TagDocument();
  CVeskEV* list = from               ? from
                  : tagDoc           ? WindowOf(*tagDoc)
                  : active->IsTextMode() ? dynamic_cast<CVeskEV*>(active->TextWindow())
                                     : nullptr;
  if (!list) return SimpleBeep();
  WindowList lines(*list);
  const std::optional<TagLine> tag = stepper_.Step(lines, mode);
  if (!tag) return;
  tagDocument_ = &list->Document();
  tagSerial_ = tagDocument_->Serial();
  OpenAt(*tag);
}

// Opens the file (a text document; one already open is activated) and puts
// its caret at the start of the line's first row.
void TagJumps::OpenAt(const TagLine& tag) {
  gProcess.nextDocKind = kTextDoc;
  CVeskDoc* doc = documents_.OpenDocumentFile(tag.path);
  if (!doc) return WarningBeep();
  CVeskView* view = FirstView(*doc);
  if (!view || !view->IsTextMode()) return;
  const std::uint32_t row = std::min(doc->LineNumberToRow(tag.line - 1), LastCaretRow(*doc));
  view->SetPendingTextCaret(row, 0);
  if (auto* window = dynamic_cast<CVeskEV*>(view->TextWindow())) window->SetTagLine(row);
}

bool TagJumps::OnTagLineDoubleClick(CVeskEV& window) {
  if (window.Document().DocKind() != kTextDoc) return false;
  WindowList lines(window);
  if (!ParseTagLine(lines.LineText(lines.CaretLine()))) return false;
  tagDocument_ = nullptr;
  stepper_.Forget();
  TagJump(TagMode::kCurrent, &window);
  return true;
}

}  // namespace quarn
