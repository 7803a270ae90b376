#include "core/commands/CommandCatalogue.h"
#include "core/commands/CommandIds.h"
#include "core/macro/OperationRecorder.h"
#include "core/view/CVeskView.h"

#include "core/common/AppSettings.h"
#include "core/common/ProcessValues.h"

#include <functional>

namespace quarn {
namespace {

// Commands whose dialogs and tools arrive with their own windows; until
// then the menu shows them disabled.
bool IsPendingCommand(unsigned id) {
  switch (id) {
    case cmd::kPageLayout: case cmd::kPrint: case cmd::kPrintPreview:
      return true;
    default:
      return false;
  }
}

}  // namespace

CVeskView::CVeskView(CVeskDoc& doc, ChildPlacer& placer) : doc_(doc), placer_(placer) {
  doc_.AddView(this);
}

CVeskView::~CVeskView() { doc_.RemoveView(this); }

LogFont CVeskView::ScreenFontOf(const LogFont& documentFont, int dpiY) {
  LogFont font = documentFont;
  font.height = -PointsToPixels(dpiY, documentFont.height);
  font.width = 0;
  return font;
}

bool CVeskView::OnCreate(int dpiX, int dpiY) {
  if (doc_.RowStarts() == nullptr) return false;
  rulerHeight_ = ColumnRulerHeight(dpiY);
  lineBarWidth_ = quarn::LineBarWidth(dpiX);
  placer_.ShowChild(ViewChild::kColumnRuler, IsTextMode() && gSettings.DisplayRulerBar != 0);
  placer_.ShowChild(ViewChild::kLineBar, IsTextMode() && gSettings.DisplayLineBar != 0);
  OnSetFocus();
  return true;
}

void CVeskView::OnSize(int cx, int cy) {
  client_ = Point{cx, cy};
  if (!IsTextMode()) {
    placer_.MoveChild(ViewChild::kBinaryWindow, Rect{0, 0, cx, cy});
    return;
  }
  int l = gSettings.DisplayLineBar ? lineBarWidth_ : 0;
  int r = gSettings.DisplayRulerBar ? rulerHeight_ : 0;
  placer_.MoveChild(ViewChild::kTextWindow, Rect{l, r, cx, cy});
  placer_.MoveChild(ViewChild::kColumnRuler, r ? Rect{0, 0, cx, r} : Rect{});
  placer_.MoveChild(ViewChild::kLineBar, l ? Rect{0, r, l, cy} : Rect{});
}

void CVeskView::OnSetFocus() {
  placer_.FocusChild(IsTextMode() ? ViewChild::kTextWindow : ViewChild::kBinaryWindow);
}

void CVeskView::AttachTextWindow(TextWindowCommands* window) {
  if (text_) text_->SetViewServices(nullptr);
  text_ = window;
  if (text_) text_->SetViewServices(this);
}

void CVeskView::AttachRulers(CRulerBar* ruler, CLineBar* lineBar) {
  ruler_ = ruler;
  lineBar_ = lineBar;
}

// The marks follow the caret also while a bar is hidden, so that it shows
// the right cell when it appears.
void CVeskView::CaretMoved(int column, std::uint32_t row) {
  if (!IsTextMode()) return;
  rulers_.caretColumn = column;
  rulers_.caretRow = row;
  if (ruler_) ruler_->CaretMoved(column);
  if (lineBar_) lineBar_->CaretMoved(row);
}

void CVeskView::HorizontalScroll(int firstColumn) {
  if (!IsTextMode()) return;
  rulers_.firstColumn = firstColumn;
  if (ruler_ && gSettings.DisplayRulerBar) ruler_->Refresh();
}

void CVeskView::VerticalScroll(std::uint32_t topRow) {
  if (!IsTextMode()) return;
  rulers_.topRow = topRow;
  // Also while hidden: the bar's pixels keep step with the text.
  if (lineBar_) lineBar_->VerticalScroll();
}

void CVeskView::RelayoutRulers() {
  if (!IsTextMode()) return;
  placer_.ShowChild(ViewChild::kColumnRuler, gSettings.DisplayRulerBar != 0);
  placer_.ShowChild(ViewChild::kLineBar, gSettings.DisplayLineBar != 0);
  OnSize(client_.x, client_.y);
  // The ruler's scale starts past the line bar when that is shown.
  if (ruler_ && gSettings.DisplayRulerBar) ruler_->Refresh();
  if (text_) text_->Refresh();
}

void CVeskView::ToggleRuler(int AppSettings::*flag) {
  gSettings.*flag = gSettings.*flag ? 0 : 1;
  RelayoutRulers();
  placer_.RulersSwitched();
}

void CVeskView::OnUpdate(CVeskDoc& doc, int hintCode) {
  // Text appended by the tools repaints through the text window alone.
  const bool appended = hintCode >= hint::kAppendString && hintCode <= hint::kAppendQuietly;
  if (!appended) placer_.InvalidateChildren();
  if (IsTextMode()) return OnTextUpdate(doc, hintCode);
  if (!binary_) return;
  if (hintCode == hint::kFormatChanged) placer_.RecreateScreenFont();
  if (hintCode == hint::kFormatChanged || hintCode == hint::kBinaryLoaded) binary_->RecomputeLayout();
}

PositionWords CVeskView::SavePosition() const {
  if (!IsTextMode()) return binary_ ? binary_->SavePosition() : PositionWords{};
  if (text_ && !pendingPosition_) return text_->SavePosition();
  return pendingPosition_.value_or(PositionWords{});
}

void CVeskView::SetPendingTextCaret(std::uint32_t line, std::uint32_t column) {
  if (text_ && IsTextMode()) text_->GoToCell(int(std::min<std::uint32_t>(column, 0x7FFF)), line);
  else pendingCaret_ = TextCaret{line, column};
}

void CVeskView::RestorePosition(const PositionWords& words) {
  if (!IsTextMode()) {
    if (binary_) binary_->RestorePosition(words);
  } else if (words[0] < doc_.RowCount()) {
    if (text_) text_->RestorePosition(words);
    else pendingPosition_ = words;
  }
}

void CVeskView::OnTextUpdate(CVeskDoc& doc, int hintCode) {
  if (!text_) return;
  switch (hintCode) {
    case hint::kTextLoaded:
      text_->OnTextLoaded();
      // Words the cabinet handed over before the text was there.
      if (pendingPosition_) text_->RestorePosition(*std::exchange(pendingPosition_, std::nullopt));
      break;
    case hint::kFormatChanged:
      placer_.RecreateScreenFont();
      text_->Reformat(true);
      if (ruler_) ruler_->RefreshMetrics();
      if (lineBar_) lineBar_->RefreshMetrics();
      break;
    case hint::kRefresh: text_->Refresh(); break;
    case hint::kFocusLost: text_->Reformat(false); break;
    case hint::kAppendString:
    case hint::kAppendBytes:
    case hint::kAppendQuietly:
      text_->AppendText(doc.HintBytes().bytes, doc.HintBytes().count, hintCode != hint::kAppendQuietly);
      break;
    default: break;
  }
}

bool CVeskView::UpdateTextCommand(unsigned id, CommandState& state) {
  const bool selection = text_ && text_->HasSelection();
  switch (id) {
    case cmd::kCopy: case cmd::kCopyAppend: case cmd::kCutAppend:
      state.enabled = selection;
      return true;
    case cmd::kCut: case cmd::kPaste: case cmd::kWriteProtect: case cmd::kScreenCopy: case cmd::kCompare: case cmd::kFormat:
    case cmd::kMarkClearAll: case cmd::kMarkNext: case cmd::kMarkPrev: case cmd::kMarkToggle: case cmd::kFind: case cmd::kReplace: case cmd::kJump:
      state.enabled = false;
      state.checked = false;
      return true;
    case cmd::kLineMarkToggle: case cmd::kLineMarkNext: case cmd::kLineMarkPrev: case cmd::kLineMarkClearAll:
      state.enabled = text_ != nullptr;
      return true;
    case cmd::kUndo:
      state.enabled = doc_.Undo().Count() != 0;
      return true;
    case cmd::kRedo:
      state.enabled = doc_.Redo().Count() != 0;
      return true;
    case cmd::kSpacesToTabs: case cmd::kTabsToSpaces: case cmd::kCapitalise: case cmd::kToFullWidth: case cmd::kToKatakana: case cmd::kToggleCase: case cmd::kToHiragana: case cmd::kLowerCase:
    case cmd::kUpperCase: case cmd::kToHalfWidth: case cmd::kSplitLines: case cmd::kJoinLines:
      state.enabled = selection && !text_->IsBoxSelection();
      return true;
    case cmd::kCentre: case cmd::kAlignRight: case cmd::kInsertDate: case cmd::kInsertTime: case cmd::kInsertString: case cmd::kIndent: case cmd::kUnindent:
    case cmd::kSelectAll: case 195: case cmd::kFindNext: case cmd::kFindPrev:
      state.enabled = text_ != nullptr;
      return true;
    case cmd::kRulerBar:
      state.enabled = true;
      state.checked = gSettings.DisplayRulerBar != 0;
      return true;
    case cmd::kLineBar:
      state.enabled = true;
      state.checked = gSettings.DisplayLineBar != 0;
      return true;
    case 59143: case 59144:
      state.enabled = true;
      return true;
    case 59147: case 59477:
      // The binary caret's byte value and decoding mean nothing here.
      state.enabled = false;
      return true;
    default:
      return false;
  }
}

bool CVeskView::RouteBinary(unsigned id) {
  BinaryWindowCommands& w = *binary_;
  std::function<void()> run;
  switch (id) {
    case cmd::kCopy: run = [&] { w.Copy(); }; break;
    case cmd::kCut: run = [&] { w.Cut(); }; break;
    case cmd::kPaste: run = [&] { w.Paste(); }; break;
    case cmd::kUndo: run = [&] { w.Undo(); }; break;
    case cmd::kRedo: run = [&] { w.Redo(); }; break;
    case cmd::kMarkClearAll: run = [&] { w.ClearMarks(); }; break;
    case cmd::kMarkNext: run = [&] { w.NextMark(); }; break;
    case cmd::kMarkPrev: run = [&] { w.PrevMark(); }; break;
    case cmd::kMarkToggle: run = [&] { w.ToggleMark(); }; break;
    case cmd::kFind: run = [&] { w.FindDialog(); }; break;
    case cmd::kReplace: run = [&] { w.ReplaceDialog(); }; break;
    case cmd::kJump: run = [&] { w.Jump(); }; break;
    case cmd::kSelectAll: run = [&] { w.SelectAll(); }; break;
    case cmd::kScreenCopy: run = [&] { w.ScreenCopy(); }; break;
    case 195:
      run = [&] {
        placer_.FocusChild(ViewChild::kBinaryWindow);
        w.FindNext(1);
      };
      break;
    case cmd::kFindNext: run = [&] { w.FindNext(1); }; break;
    case cmd::kFindPrev: run = [&] { w.FindNext(0); }; break;
    case cmd::kWriteProtect:
      run = [&] {
        doc_.SetWriteProtected(!doc_.IsWriteProtected());
        doc_.UpdateAllViews(hint::kRefresh);
      };
      break;
    default:
      // Left to the frame, which records it.
      return false;
  }
  // The binary window's recordable commands replay through the frame; the
  // jump records its offset itself.
  if (id != cmd::kJump && RecordableIndex(id) < kRecordableCount) RecordOperation(rec::kFrameCommand, id);
  run();
  return true;
}

bool CVeskView::OnCommand(unsigned id) {
  if (IsPendingCommand(id)) return true;
  if (IsTextMode()) {
    if (id == cmd::kRulerBar || id == cmd::kLineBar) {
      ToggleRuler(id == cmd::kRulerBar ? &AppSettings::DisplayRulerBar : &AppSettings::DisplayLineBar);
      return true;
    }
    if (!text_) return false;
    if (id == 195) placer_.FocusChild(ViewChild::kTextWindow);
    return text_->OnTextCommand(id);
  }
  return binary_ && RouteBinary(id);
}

bool CVeskView::OnUpdateCommand(unsigned id, CommandState& state) {
  if (IsPendingCommand(id)) {
    state.enabled = false;
    return true;
  }
  if (IsTextMode() && UpdateTextCommand(id, state)) return true;
  bool binary = !IsTextMode() && binary_ != nullptr;
  switch (id) {
    case cmd::kCopy: case cmd::kCut: case cmd::kScreenCopy: case cmd::kFormat:
      state.enabled = binary && binary_->HasSelection();
      return true;
    case cmd::kCompare:
      state.enabled = binary;
      return true;
    case cmd::kPaste:
      state.enabled = binary && binary_->CanPaste();
      return true;
    case cmd::kUndo:
      state.enabled = binary && binary_->CanUndo();
      return true;
    case cmd::kRedo:
      state.enabled = binary && binary_->CanRedo();
      return true;
    case cmd::kMarkClearAll: case cmd::kMarkNext: case cmd::kMarkPrev: case cmd::kMarkToggle: case cmd::kFind: case cmd::kReplace: case cmd::kJump:
      state.enabled = binary;
      return true;
    case cmd::kWriteProtect:
      state.enabled = binary;
      state.checked = binary && doc_.IsWriteProtected();
      return true;
    case cmd::kLineMarkToggle: case cmd::kLineMarkNext: case cmd::kLineMarkPrev: case cmd::kLineMarkClearAll:
      state.enabled = false;  // line marks belong to the text window
      return true;
    case cmd::kSelectAll: case 195: case cmd::kFindNext: case cmd::kFindPrev:
      state.enabled = binary;
      return true;
    case 59143: case 59144: case 59147:
      state.enabled = true;
      return true;
    case 59145:
      state.enabled = gProcess.overwrite;
      return true;
    case 59146:
      state.enabled = doc_.IsWriteProtected();
      return true;
    case cmd::kRulerBar:
      state.enabled = false;
      state.checked = gSettings.DisplayRulerBar != 0;
      return true;
    case cmd::kLineBar:
      state.enabled = false;
      state.checked = gSettings.DisplayLineBar != 0;
      return true;
    default:
      return false;
  }
}

}  // namespace quarn
