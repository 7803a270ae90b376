// The commands of the text window: copying, selecting, the toolbar's find,
// playback of recorded operations, and the refused changes, which do what
// their handlers do before the text and then leave everything as it was.
#include <algorithm>
#include <ctime>

#include "core/commands/CommandIds.h"
#include "core/common/AppMessage.h"
#include "core/common/AppSettings.h"
#include "core/document/CVeskDoc.h"
#include "core/encoding/Cp932.h"
#include "core/macro/OperationRecorder.h"
#include "core/common/ParameterBlock.h"
#include "core/res/MessageIds.h"
#include "core/textview/CVeskEV.h"
#include "platform/Clipboard.h"
#include "platform/FindDialogService.h"
#include "platform/Platform.h"
#include "platform/RunDialogs.h"
#include "core/res/Texts.h"

namespace quarn {
namespace {

constexpr std::size_t kMaxInsertion = 80;

bool IsRefusedChange(unsigned id) {
  switch (id) {
    case cmd::kCut: case cmd::kCutAppend: case cmd::kIndent: case cmd::kUnindent: case cmd::kSpacesToTabs: case cmd::kTabsToSpaces: case cmd::kCentre: case cmd::kAlignRight:
    case cmd::kToggleCase: case cmd::kUpperCase: case cmd::kLowerCase: case cmd::kCapitalise: case cmd::kToFullWidth: case cmd::kToHalfWidth: case cmd::kToKatakana: case cmd::kToHiragana:
    case cmd::kSplitLines: case cmd::kJoinLines:
      return true;
    default:
      return false;
  }
}

// "文字列の挿入": the dialog (skipped in playback) chooses the position and
// the text, which become the settings and the recorded block (position,
// length, text and its zero). The text window then refuses the insertion
// like every other change, so the text is neither expanded nor inserted.
void InsertStringCommand() {
  if (!ReplayedParameters()) {
    RunDialogService* dialogs = RunDialogs();
    if (!dialogs) return;
    InsertTextRequest request;
    request.position = gSettings.InsertionPosition;
    request.text = gSettings.InsertionString;
    const std::string codes = texts::kInsertionCodes;
    for (std::size_t at = 0; at <= codes.size();) {
      const std::size_t end = std::min(codes.find('\n', at), codes.size());
      request.codes.push_back(codes.substr(at, end - at));
      at = end + 1;
    }
    if (!dialogs->insertTextDialog(request) || request.position < 0 || request.position > 2 ||
        request.text.size() > kMaxInsertion)
      return;
    gSettings.InsertionPosition = request.position;
    gSettings.InsertionString = request.text;
  }
  std::vector<std::uint8_t> block;
  for (std::uint32_t v : {std::uint32_t(gSettings.InsertionPosition), std::uint32_t(gSettings.InsertionString.size())})
    for (int i = 0; i < 4; ++i) block.push_back(std::uint8_t(v >> (8 * i)));
  if (const auto& replayed = ReplayedParameters()) block = *replayed;
  else block.insert(block.end(), gSettings.InsertionString.begin(), gSettings.InsertionString.end()), block.push_back(0);
  RecordOperation(textrec::kCommand, cmd::kInsertString, block);
}

int KeyOfRecord(std::uint32_t type) {
  static constexpr int kKeys[] = {vk::kHome,  vk::kEnd,  vk::kPrior, vk::kNext,   vk::kRight,
                                  vk::kLeft,  vk::kDown, vk::kUp,    vk::kInsert, vk::kEscape};
  return kKeys[type - textrec::kHome];
}

}  // namespace

bool CVeskEV::OnTextCommand(unsigned id) {
  switch (id) {
    case cmd::kCopy:
      RecordOperation(textrec::kCommand, id);
      Copy();
      return true;
    case cmd::kCopyAppend:
      RecordOperation(textrec::kCommand, id);
      AppendCopy();
      return true;
    case cmd::kSelectAll:
      SelectAll();
      return true;
    case 195:
    case cmd::kFindNext:
      FindNext(1);
      return true;
    case cmd::kFindPrev:
      FindNext(0);
      return true;
    case cmd::kPaste: {
      // Ctrl+V belongs to the find box while it has the focus.
      const FindBoxService* box = Platform().findBox;
      if (box && box->hasFocus()) return true;
      RefuseCommand(id);
      return true;
    }
    case cmd::kUndo:
    case cmd::kRedo:
      RefuseCommand(id);
      CancelSelection();
      UpdateCaretShown();
      return true;
    case cmd::kInsertDate:
    case cmd::kInsertTime: {
      // The date or time is read as its handler does, and then not inserted.
      const std::time_t now = std::time(nullptr);
      (void)now;
      RefuseCommand(id);
      return true;
    }
    case cmd::kInsertString:
      InsertStringCommand();
      return true;
    default:
      if (OnMarkCommand(id)) return true;
      if (!IsRefusedChange(id)) return false;
      RefuseCommand(id);
      return true;
  }
}

void CVeskEV::RefuseCommand(unsigned id) { RecordOperation(textrec::kCommand, id); }

void CVeskEV::RefuseDelete(std::uint32_t count) { RecordOperation(textrec::kDeleteKey, count); }

void CVeskEV::RefuseTyping(const std::string& bytes) {
  if (bytes.size() < textrec::kMaxTypedRecord)
    RecordOperation(textrec::kTypedText, 0, std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
}

void CVeskEV::TypedBytes(const std::string& bytes) {
  if (bytes.empty()) return;
  if (selActive_ && !gSettings.DeleteSelectionAtInput) {
    CancelSelection();
    UpdateCaretShown();
  }
  RefuseTyping(bytes);
}

void CVeskEV::OnChar(unsigned char c, KeyState state) {
  if (swallowChar_) {
    swallowChar_ = false;
    return;
  }
  if (c == 0x08) {
    if (!selActive_ && CaretOffset() == 0 && caret_.column == 0) return;
    if (!selActive_) OnKeyDown(vk::kLeft, 1, KeyState{});
    RefuseDelete(1);
    return;
  }
  if (c == '\t' && selActive_) {
    OnTextCommand(state.shift ? cmd::kUnindent : cmd::kIndent);
    return;
  }
  if (c < 0x20 && c != '\r' && c != '\t') return;
  std::string bytes;
  if (leadPending_) {
    leadPending_ = false;
    bytes = {char(lead_), char(c)};
  } else if (c == '\r') {
    bytes = "\r\n";
  } else if (cp932::IsLeadByte(c)) {
    leadPending_ = true;
    lead_ = c;
    return;
  } else {
    bytes.assign(1, char(c));
  }
  TypedBytes(bytes);
}

void CVeskEV::OnImeString(const std::string& cp932) { TypedBytes(cp932); }

std::string CVeskEV::SelectedText() const {
  if (!selActive_) return {};
  const auto* data = doc_.Store().GetPointer(0);
  if (!box_) return std::string(data + selStart_, data + selEnd_);
  std::string out;
  const std::uint32_t r1 = std::min(boxAnchor_.row, caret_.row);
  const std::uint32_t r2 = std::min(std::max(boxAnchor_.row, caret_.row), LastCaretRow(doc_));
  const int c1 = std::min(boxAnchor_.column, caret_.column);
  const int c2 = std::max(boxAnchor_.column, caret_.column);
  for (std::uint32_t row = r1; row <= r2; ++row) {
    // The empty row after a final line end holds no line to copy.
    if (doc_.RowStartAt(row) >= doc_.TextLength()) continue;
    const auto [a, b] = BoxPartOfRow(doc_, row, c1, c2);
    data = doc_.Store().GetPointer(0);
    out.append(data + a, data + b);
    if (b - a < 2 || data[b - 2] != '\r' || data[b - 1] != '\n') out += "\r\n";
  }
  return out;
}

void CVeskEV::Copy() {
  if (!selActive_) return;
  Clipboard* clipboard = Platform().clipboard;
  if (!clipboard || !clipboard->setText(SelectedText())) AppMessageBox(msg::kOutOfMemory);
}

void CVeskEV::AppendCopy() {
  if (!selActive_) return;
  Clipboard* clipboard = Platform().clipboard;
  std::string text;
  if (clipboard && clipboard->getText(text)) text.resize(std::min(text.size(), text.find('\0')));
  if (!clipboard || !clipboard->setText(text + SelectedText())) AppMessageBox(msg::kOutOfMemory);
}

void CVeskEV::SelectAll() {
  RecordOperation(textrec::kCommand, cmd::kSelectAll);
  if (doc_.TextLength() == 0) return;
  SelectRange(0, doc_.TextLength());
  UpdateCaretShown();
}

void CVeskEV::FindNext(int direction) { search_.ToolbarFind(direction == 1); }

bool CVeskEV::ReplayRecord(std::uint32_t type, std::uint32_t id, const std::vector<std::uint8_t>& data) {
  if (type >= textrec::kHome && type < textrec::kCommand) {
    // Key records of types this window does not know carry key code 0.
    const int key = type <= textrec::kEscape ? KeyOfRecord(type) : 0;
    OnKeyDown(key, 1, KeyState{(id & 1) != 0, (id & 2) != 0});
    return true;
  }
  switch (type) {
    case textrec::kCommand: {
      // A command that takes parameters reads them instead of asking.
      ScopedParameterBlock block(data);
      OnTextCommand(id);
      return true;
    }
    case textrec::kTypedText: TypedBytes(std::string(data.begin(), data.end())); return true;
    case textrec::kDeleteKey: RefuseDelete(id); return true;
    case rec::kFindDialog: return search_.ReplayDialogRecord(data);
    case rec::kToolbarFind: return search_.ReplayToolbarRecord(id, data);
    default: return true;
  }
}

void CVeskEV::SelectRange(std::uint32_t anchor, std::uint32_t caret) {
  const std::uint32_t length = doc_.TextLength();
  anchor = std::min(anchor, length);
  caret = std::min(caret, length);
  InvalidateSelection();
  box_ = false;
  anchor_ = anchor;
  selStart_ = std::min(anchor, caret);
  selEnd_ = std::max(anchor, caret);
  selActive_ = selStart_ != selEnd_;
  InvalidateSelection();
  UpdateCaretShown();
}

void CVeskEV::CancelSelection() {
  InvalidateSelection();
  selActive_ = box_ = false;
  selStart_ = selEnd_ = 0;
}

void CVeskEV::CancelBlockSelection() {
  if (box_) CancelSelection();
}

void CVeskEV::ShowMatch(std::uint32_t pos, std::uint32_t length) {
  CancelSelection();
  caret_ = CellOfPos(pos + length);
  goal_ = caret_.column;
  PlaceCaret();
  SelectRange(pos, pos + length);
}

void CVeskEV::ShowReplaced(std::uint32_t pos, std::uint32_t length) {
  CancelSelection();
  RebuildTables();
  UpdateScrollRanges();
  host_.invalidate();
  caret_ = CellOfPos(pos + length);
  goal_ = caret_.column;
  PlaceCaret();
}

void CVeskEV::SetWaitCursor(bool on) { host_.setCursor(on ? CursorShape::kWait : CursorShape::kArrow); }

}  // namespace quarn
