// The binary window's search: the toolbar's find box (find next and find
// previous), the find and replace dialog and its replace and replace all.
#include <cstdio>

#include "core/binaryview/BinaryReplaceAll.h"
#include "core/binaryview/CVeskBV.h"
#include "core/common/AppMessage.h"
#include "core/common/AppSettings.h"
#include "core/document/CVeskDoc.h"
#include "core/document/CVeskRD.h"
#include "core/res/MessageIds.h"
#include "core/res/StringTable.h"
#include "core/res/Texts.h"
#include "core/search/CFindReplaceManeger.h"
#include "core/search/FindDialogs.h"
#include "platform/MessageService.h"
#include "platform/Platform.h"

namespace quarn {
namespace {

constexpr std::size_t kMaxFindText = CFindReplaceManeger::kTextBytes;

// A dialog text over 80 bytes reads as empty.
std::string DialogText(const std::string& text) { return text.size() > kMaxFindText ? std::string() : text; }

}  // namespace

CVeskBV::~CVeskBV() { CloseFindDialogOf(this); }

std::optional<BytePattern> CVeskBV::PatternOf(const std::string& text, bool matchCase) const {
  if (caretArea_ == BinaryArea::kHex) return ParseHexPattern(text);
  BytePattern pattern = gSettings.EnRexp ? TranslateEscapes(text) : LiteralPattern(text);
  pattern.foldCase = !matchCase;
  if (pattern.Empty()) return std::nullopt;
  return pattern;
}

void CVeskBV::SelectMatch(std::uint32_t pos, std::uint32_t n) {
  BringRowIntoView(layout_.RowOf(pos), pos + n);
  SetSelection(pos, pos + n);
  UpdateCaretShown();
}

bool CVeskBV::SearchAndSelect(const BytePattern& pattern, bool down) {
  const std::uint32_t length = doc_.TextLength();
  const std::uint32_t n = std::uint32_t(pattern.Size());
  const std::uint32_t from = HasSelection() ? SelectionFirst() : caretPos_;
  const std::uint8_t* data = doc_.Store().GetPointer(0);
  std::optional<std::size_t> hit;
  if (down) {
    hit = FindFirst(data, from, length, pattern);
    // The match already selected is passed over.
    if (hit && HasSelection() && *hit == SelectionFirst() && SelectionLast() + 1 == *hit + n)
      hit = FindFirst(data, *hit + 1, length, pattern);
  } else {
    hit = FindLast(data, from, length, pattern);
  }
  if (!hit) {
    WarningBeep(texts::kNotFoundNotice);
    return false;
  }
  SelectMatch(std::uint32_t(*hit), n);
  return true;
}

void CVeskBV::FindNext(int direction) {
  FindBoxService* box = Platform().findBox;
  const std::string text = box ? box->text() : std::string();
  if (text.empty() || text.size() > kMaxFindText) {
    WarningBeep();
    return;
  }
  const bool matchCase = gFindReplace.matchCase || caretArea_ == BinaryArea::kHex;
  const std::optional<BytePattern> pattern = PatternOf(text, matchCase);
  if (!pattern) {
    if (box) box->focusAndSelect();
    WarningBeep();
    return;
  }
  gFindReplace.findHistory.Add(text);
  RefreshFindBox();
  gFindReplace.SetLastSearch(text, gFindReplace.last.replaceText);
  SearchAndSelect(*pattern, direction != 0);
}

void CVeskBV::ReplaceSelection(const BytePattern& find, const BytePattern& replacement, bool down) {
  if (!HasSelection()) {
    WarningBeep();
    return;
  }
  if (ReadOnlyBeep()) return;
  const std::uint32_t pos = SelectionFirst();
  const std::uint32_t m = std::uint32_t(find.Size());
  const std::uint32_t length = doc_.TextLength();
  const bool selectedMatch = SelectionLast() + 1 - pos == m && pos + m <= length &&
                             find.MatchesAt(doc_.Store().GetSpan(pos, m));
  if (!selectedMatch) {
    SearchAndSelect(find, down);
    return;
  }
  std::vector<std::uint8_t> bytes;
  ReplacementBytes(replacement, doc_.Store().GetSpan(pos, m), m, bytes);
  const std::uint32_t r = std::uint32_t(bytes.size());
  if (r > m && !EnsureRoom(r - m)) return;
  // Two undo steps: the deletion of the match, then the insertion.
  if (CVeskRD::Push(doc_, doc_.Undo(), CVeskRD::kDeleted, pos, m, true) == 0) return;
  SetSelection(pos, pos);
  DeleteAt(pos, m, false);
  if (r > 0) {
    InsertAt(pos, bytes.data(), r, false);
    CVeskRD::Push(doc_, doc_.Undo(), CVeskRD::kInserted, pos, r, true);
  }
  host_.invalidate();
  PlaceCaret(down ? pos + r : pos, false);
  SearchAndSelect(find, down);
}

std::uint32_t CVeskBV::ReplaceAll(const BytePattern& find, const BytePattern& replacement) {
  if (ReadOnlyBeep()) return 0;
  DropSelection();
  const ReplaceAllResult result = ReplaceAllBytes(doc_, find, replacement, [] { return AskStopReplacing(texts::kReplaceCaption); });
  if (result.refused) return 0;
  if (result.count == 0) {
    WarningBeep(texts::kNotFoundNotice);
    return 0;
  }
  UpdateScrollBars();
  host_.invalidate();
  PlaceCaret(result.lastEnd, false);
  SetSelection(caretPos_, caretPos_);
  doc_.UpdateAllViews(hint::kRepaint);
  return result.count;
}

std::string CVeskBV::InitialFindText() const {
  if (HasSelection()) {
    const std::uint32_t first = SelectionFirst();
    const std::uint32_t n = SelectionLast() + 1 - first;
    CPsbManeger& store = doc_.Store();
    std::string text;
    if (caretArea_ == BinaryArea::kHex && n * 2 <= kMaxFindText) {
      char digits[3];
      for (std::uint32_t i = 0; i < n; ++i) {
        std::snprintf(digits, sizeof digits, "%02X", unsigned(store.GetAt(first + i)));
        text += digits;
      }
      return text;
    }
    if (caretArea_ == BinaryArea::kText && n <= kMaxFindText) {
      for (std::uint32_t i = 0; i < n; ++i) text += char(store.GetAt(first + i));
      if (text.find('\0') == std::string::npos) return text;
    }
  }
  return gFindReplace.findHistory.Newest();
}

void CVeskBV::OpenFindDialog(bool findOnly) {
  ShowFindDialog(findOnly, this, InitialFindText(), gSettings.EnRexp != 0);
}

void CVeskBV::FindDialog() { OpenFindDialog(true); }
void CVeskBV::ReplaceDialog() { OpenFindDialog(false); }

void CVeskBV::OnFindDialogMessage(FindAction action, const FindDialogFields& fields) {
  if (action == FindAction::kClose) return;
  const std::string findText = DialogText(fields.findText);
  const std::string replaceText = DialogText(fields.replaceText);
  gFindReplace.regular = fields.regular;
  gFindReplace.distinguishWidth = fields.distinguishWidth;
  gSettings.EnRexp = fields.escapes ? 1 : 0;
  const bool matchCase = fields.matchCase || caretArea_ == BinaryArea::kHex;
  const bool replacing = action != FindAction::kFindNext;

  const std::optional<BytePattern> find = findText.empty() ? std::nullopt : PatternOf(findText, matchCase);
  std::optional<BytePattern> replacement = BytePattern();
  if (replacing && !replaceText.empty()) replacement = PatternOf(replaceText, true);
  if (!find || !replacement) {
    WarningBeep();
  } else if (action == FindAction::kFindNext) {
    SearchAndSelect(*find, fields.down);
  } else if (action == FindAction::kReplace) {
    ReplaceSelection(*find, *replacement, fields.down);
  } else if (const std::uint32_t count = ReplaceAll(*find, *replacement); count > 0) {
    ShowReplaceCount(count, texts::kReplaceCaption);
    CloseFindDialogOf(this);
  }
  gFindReplace.findHistory.Add(findText);
  RefreshFindBox();
  gFindReplace.matchCase = fields.matchCase;
  gFindReplace.directionDown = fields.down;
  if (replacing) gFindReplace.replaceHistory.Add(replaceText);
  gFindReplace.SetLastSearch(findText, replaceText);
}

}  // namespace quarn
