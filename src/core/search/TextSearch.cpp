#include "core/search/TextSearch.h"

#include <algorithm>

#include "core/common/AppMessage.h"
#include "core/document/CVeskDoc.h"
#include "core/document/CVeskRD.h"
#include "core/macro/OperationRecorder.h"
#include "core/res/MessageIds.h"
#include "core/res/StringTable.h"
#include "core/res/Texts.h"
#include "core/search/CFindReplaceManeger.h"
#include "core/search/CharFold.h"
#include "core/search/FindDialogs.h"
#include "core/search/FindRecords.h"
#include "core/search/Matcher.h"
#include "core/search/ReplaceAllPass.h"
#include "platform/MessageService.h"
#include "platform/Platform.h"

namespace quarn {
namespace {

constexpr std::size_t kMaxText = CFindReplaceManeger::kTextBytes;
// How far the second search of the pattern matcher reaches past its start.
constexpr std::uint32_t kMatcherOverlap = 80;

bool UsesMatcher() { return gFindReplace.regular || !gFindReplace.distinguishWidth; }

}  // namespace

TextSearch::~TextSearch() { CloseFindDialogOf(this); }

bool TextSearch::SelectionIsText(const std::string& text, bool matchCase) {
  if (!window_.HasStreamSelection()) return false;
  const std::uint32_t start = window_.SelectionStart();
  const std::uint32_t n = window_.SelectionEnd() - start;
  if (n != text.size() || n > kMaxText) return false;
  const std::uint8_t* bytes = window_.Document().Store().GetSpan(start, n);
  const auto* wanted = reinterpret_cast<const std::uint8_t*>(text.data());
  return matchCase ? std::equal(bytes, bytes + n, wanted) : CompareNoCase(bytes, wanted, n) == 0;
}

std::optional<TextMatch> TextSearch::Find(const std::string& text, bool down, bool matchCase, ContinueMode mode) {
  CVeskDoc& doc = window_.Document();
  const std::uint32_t length = doc.TextLength();
  const std::uint32_t n = std::uint32_t(text.size());
  if (n == 0 || n > kMaxText) return std::nullopt;
  const bool matcher = UsesMatcher();

  std::uint32_t start = window_.CaretPos();
  if (mode == ContinueMode::kFirst) {
    start = 0;
  } else if (mode == ContinueMode::kNormal && window_.HasStreamSelection() && !window_.HasBlockSelection()) {
    start = window_.SelectionStart();
    if (down && !matcher && SelectionIsText(text, matchCase))
      start = window_.SelectionEnd();
    else if (down && matcher)
      start = doc.NextCharPos(start);
  }
  start = std::min(start, length);
  const bool wrap = mode == ContinueMode::kNormal;

  window_.SetWaitCursor(true);
  const std::uint8_t* data = doc.Store().GetPointer(0);
  std::optional<TextMatch> found;
  if (!matcher) {
    if (n <= length) {
      const std::uint32_t ends = length - n + 1;  // last possible begin plus one
      auto find = [&](std::uint32_t from, std::uint32_t to, bool first) {
        if (from >= to) return;
        const std::size_t at = PlainFind(data, length, from, to, text, first, matchCase);
        if (at != kNoMatch) found = TextMatch{std::uint32_t(at), n};
      };
      if (down) {
        find(start, ends, true);
        if (!found && start != 0 && wrap) find(0, std::min(start, ends), true);
      } else {
        // Up from near the end: every begin up to the last possible one is
        // searched, and the second search starts on a character.
        start = std::min(start, ends);
        find(0, start, false);
        if (!found && start != ends) find(CharStartAtOrBefore(data, 0, start), ends, false);
      }
    }
  } else {
    MatchOptions options;
    options.firstOnly = down;
    options.matchCase = matchCase;
    options.regular = gFindReplace.regular;
    options.distinguishWidth = gFindReplace.distinguishWidth;
    auto match = [&](std::uint32_t from, std::uint32_t to) {
      std::size_t matched = 0;
      const std::size_t at = Match(data, length, from, to, text, options, &matched);
      if (at != kNoMatch) found = TextMatch{std::uint32_t(at), std::uint32_t(matched)};
    };
    if (down) {
      match(start, length);
      if (!found && start != 0 && wrap) match(0, std::min(start + kMatcherOverlap, length));
    } else {
      match(0, start);
      if (!found && start != length && wrap)
        match(start > kMatcherOverlap ? CharStartAtOrBefore(data, 0, start - kMatcherOverlap) : 0, length);
    }
  }
  window_.SetWaitCursor(false);
  return found;
}

bool TextSearch::FindNext(const std::string& text, bool down, bool matchCase, ContinueMode mode) {
  const std::optional<TextMatch> match = Find(text, down, matchCase, mode);
  if (!match) {
    WarningBeep(texts::kNotFoundNotice);
    return false;
  }
  window_.ShowMatch(match->pos, match->length);
  return true;
}

bool TextSearch::ReplaceSelectionWith(const std::string& replacement) {
  CVeskDoc& doc = window_.Document();
  const std::uint32_t pos = window_.SelectionStart();
  const std::uint32_t n = window_.SelectionEnd() - pos;
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(replacement.data());
  const std::uint32_t r = std::uint32_t(replacement.size());
  if (r > n && !doc.EnsureTextRoom(r - n)) return false;
  // Two undo steps: the deletion of the selected bytes, then the insertion.
  if (CVeskRD::Push(doc, doc.Undo(), CVeskRD::kDeleted, pos, n, true) == 0) return false;
  window_.CancelSelection();
  doc.DeleteText(pos, n);
  if (r > 0) {
    if (doc.InsertText(pos, bytes, r) == CVeskDoc::kNone) {
      window_.ShowReplaced(pos, 0);
      return false;
    }
    CVeskRD::Push(doc, doc.Undo(), CVeskRD::kInserted, pos, r, true);
  }
  doc.SetModifiedFlag(true);
  window_.ShowReplaced(pos, r);
  return true;
}

void TextSearch::Replace(const std::string& find, bool down, bool matchCase, const std::string& replacement) {
  if (!window_.HasStreamSelection()) {
    WarningBeep();
    return;
  }
  if (UsesMatcher() || !SelectionIsText(find, matchCase)) {
    window_.CancelSelection();
    if (!FindNext(find, down, matchCase)) return;
  }
  if (!ReplaceSelectionWith(replacement)) return;
  FindNext(find, down, matchCase);
}

std::uint32_t TextSearch::ReplaceAll(const std::string& find, const std::string& replacement, bool matchCase) {
  window_.CancelSelection();
  const std::size_t n = find.size();
  const bool matcher = UsesMatcher();
  MatchOptions options;
  options.matchCase = matchCase;
  options.regular = gFindReplace.regular;
  options.distinguishWidth = gFindReplace.distinguishWidth;
  const std::function<bool()> askStop = [] { return AskStopReplacing(texts::kReplaceAllCaption); };
  // Each search runs from the end of the last replacement, without wrap.
  ReplaceAllHooks hooks;
  hooks.find = [&](const std::uint8_t* text, std::size_t length, std::size_t from) -> std::optional<PassMatch> {
    std::size_t at = kNoMatch;
    std::size_t matched = n;
    if (matcher) at = Match(text, length, from, length, find, options, &matched);
    else if (n <= length) at = PlainFind(text, length, from, length - n + 1, find, true, matchCase, askStop);
    if (at == kNoMatch) return std::nullopt;
    return PassMatch{at, matched};
  };
  hooks.replacement = [&replacement](const std::uint8_t*, std::size_t, std::vector<std::uint8_t>& out) {
    out.assign(replacement.begin(), replacement.end());
  };
  hooks.stop = [&askStop](std::size_t) { return askStop(); };
  hooks.looksBack = matcher;
  // The matcher's matches are at least one byte (empty ones are passed over).
  hooks.maxGrowth = std::int64_t(replacement.size()) - std::int64_t(matcher ? 1 : n);
  std::uint32_t count = 0;
  if (n > 0 && n <= kMaxText) {
    window_.SetWaitCursor(true);
    const ReplaceAllOutcome outcome = ReplaceAllInPlace(window_.Document(), hooks);
    window_.SetWaitCursor(false);
    count = outcome.count;
    if (count > 0) {
      window_.Document().UpdateAllViews(hint::kRepaint);
      const std::uint32_t r = std::uint32_t(replacement.size());
      window_.ShowReplaced(outcome.lastEnd - r, r);
    }
  }
  if (count == 0) {
    WarningBeep(texts::kNotFoundNotice);
    return 0;
  }
  ShowReplaceCount(count, texts::kReplaceAllCaption);
  CloseFindDialogOf(this);
  return count;
}

void TextSearch::ToolbarFind(bool down, const std::string* playbackText) {
  FindBoxService* box = Platform().findBox;
  const std::string text = playbackText ? *playbackText : box ? box->text() : std::string();
  if (text.empty() || text.size() > kMaxText) {
    WarningBeep();
    return;
  }
  RecordOperation(kToolbarFindRecord, down ? 1 : 0, ToolbarFindRecord(text));
  gFindReplace.findHistory.Add(text);
  const bool storedDown = gFindReplace.directionDown;
  gFindReplace.directionDown = down;
  FindNext(text, down, gFindReplace.matchCase);
  gFindReplace.directionDown = storedDown;
  gFindReplace.SetLastSearch(text, gFindReplace.last.replaceText);
  RefreshFindBox();
}

void TextSearch::OpenFind(bool findOnly) {
  if (window_.HasBlockSelection()) window_.CancelBlockSelection();
  std::string findText = gFindReplace.findHistory.Newest();
  if (window_.HasStreamSelection()) {
    const std::uint32_t start = window_.SelectionStart();
    const std::uint32_t n = window_.SelectionEnd() - start;
    if (n <= kMaxText) {
      const std::uint8_t* bytes = window_.Document().Store().GetSpan(start, n);
      findText.assign(bytes, bytes + n);
    }
  }
  ShowFindDialog(findOnly, this, findText);
}

void TextSearch::RunDialogAction(FindAction action, const FindDialogFields& fields) {
  if (action == FindAction::kFindNext) FindNext(fields.findText, fields.down, fields.matchCase);
  else if (action == FindAction::kReplace) Replace(fields.findText, fields.down, fields.matchCase, fields.replaceText);
  else if (action == FindAction::kReplaceAll) ReplaceAll(fields.findText, fields.replaceText, fields.matchCase);
  // Closing keeps what was typed too: the find text, match case and direction.
  gFindReplace.findHistory.Add(fields.findText);
  RefreshFindBox();
  gFindReplace.matchCase = fields.matchCase;
  gFindReplace.directionDown = fields.down;
  if (action == FindAction::kReplace || action == FindAction::kReplaceAll)
    gFindReplace.replaceHistory.Add(fields.replaceText);
  gFindReplace.SetLastSearch(fields.findText, fields.replaceText);
}

void TextSearch::OnFindDialogMessage(FindAction action, const FindDialogFields& dialogFields) {
  FindDialogFields fields = dialogFields;
  // A text longer than the box holds reads as empty.
  if (fields.findText.size() > kMaxText) fields.findText.clear();
  if (fields.replaceText.size() > kMaxText) fields.replaceText.clear();
  if (action != FindAction::kClose) {
    gFindReplace.regular = fields.regular;
    gFindReplace.distinguishWidth = fields.distinguishWidth;
  }
  RecordOperation(kFindDialogRecord, 0, FindDialogRecord(action, fields));
  RunDialogAction(action, fields);
}

bool TextSearch::ReplayDialogRecord(const std::vector<std::uint8_t>& data) {
  const std::optional<ReplayedDialogAction> replayed = ParseFindDialogRecord(data);
  if (!replayed) {
    WarningBeep();
    return false;
  }
  FindDialogFields fields = replayed->fields;
  // As from the dialog, closing does not take the width and regular-expression boxes.
  const bool closing = replayed->action == FindAction::kClose;
  if (replayed->hasWidth && !closing) gFindReplace.distinguishWidth = fields.distinguishWidth;
  if (replayed->hasRegular && !closing) gFindReplace.regular = fields.regular;
  RecordOperation(kFindDialogRecord, 0, FindDialogRecord(replayed->action, fields));
  RunDialogAction(replayed->action, fields);
  return true;
}

bool TextSearch::ReplayToolbarRecord(std::uint32_t id, const std::vector<std::uint8_t>& data) {
  const std::string text = ToolbarFindText(data);
  ToolbarFind(id != 0, &text);
  return true;
}

}  // namespace quarn
