#include "core/view/CVeskView.h"

#include "core/common/AppSettings.h"
#include "core/common/ProcessValues.h"

namespace quarn {
namespace {

// Commands whose dialogs and tools arrive with their own windows; until
// then the menu shows them disabled.
bool IsPendingCommand(unsigned id) {
  switch (id) {
    case 32791: case 57607: case 57609: case 32911: case 32912:
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
  rulerHeight_ = TenthMmToPixels(dpiY, 40) + 1;
  lineBarWidth_ = TenthMmToPixels(dpiX, 80) + 1;
  placer_.ShowChild(ViewChild::kColumnRuler, gSettings.DisplayRulerBar != 0);
  OnSetFocus();
  return true;
}

void CVeskView::OnSize(int cx, int cy) {
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

void CVeskView::OnUpdate(CVeskDoc&, int hintCode) {
  // Text appended by the tools repaints through the text window alone.
  const bool appended = hintCode >= hint::kAppendString && hintCode <= hint::kAppendQuietly;
  if (!appended) placer_.InvalidateChildren();
  if (IsTextMode() || !binary_) return;
  if (hintCode == hint::kFormatChanged) placer_.RecreateScreenFont();
  if (hintCode == hint::kFormatChanged || hintCode == hint::kBinaryLoaded) binary_->RecomputeLayout();
}

PositionWords CVeskView::SavePosition() const {
  if (!IsTextMode()) return binary_ ? binary_->SavePosition() : PositionWords{};
  if (textPosition_) return textPosition_();
  return pendingPosition_.value_or(PositionWords{});
}

void CVeskView::RestorePosition(const PositionWords& words) {
  if (!IsTextMode()) {
    if (binary_) binary_->RestorePosition(words);
  } else if (words[0] < doc_.RowCount()) {
    pendingPosition_ = words;
  }
}

bool CVeskView::RouteBinary(unsigned id) {
  BinaryWindowCommands& w = *binary_;
  switch (id) {
    case 57634: w.Copy(); return true;
    case 57635: w.Cut(); return true;
    case 57637: w.Paste(); return true;
    case 57643: w.Undo(); return true;
    case 57644: w.Redo(); return true;
    case 32775: w.ClearMarks(); return true;
    case 32773: w.NextMark(); return true;
    case 32774: w.PrevMark(); return true;
    case 32772: w.ToggleMark(); return true;
    case 57636: w.FindDialog(); return true;
    case 57641: w.ReplaceDialog(); return true;
    case 32788: w.Jump(); return true;
    case 32803: w.SelectAll(); return true;
    case 32910: w.ScreenCopy(); return true;
    case 195:
      placer_.FocusChild(ViewChild::kBinaryWindow);
      w.FindNext(1);
      return true;
    case 32850: w.FindNext(1); return true;
    case 32792: w.FindNext(0); return true;
    case 32789:
      doc_.SetWriteProtected(!doc_.IsWriteProtected());
      doc_.UpdateAllViews(hint::kRefresh);
      return true;
    default:
      return false;
  }
}

bool CVeskView::OnCommand(unsigned id) {
  if (IsPendingCommand(id)) return true;
  if (IsTextMode()) return false;
  return binary_ && RouteBinary(id);
}

bool CVeskView::OnUpdateCommand(unsigned id, CommandState& state) {
  if (IsPendingCommand(id)) {
    state.enabled = false;
    return true;
  }
  bool binary = !IsTextMode() && binary_ != nullptr;
  switch (id) {
    case 57634: case 57635: case 32910:
      state.enabled = binary && binary_->HasSelection();
      return true;
    case 57637:
      state.enabled = binary && binary_->CanPaste();
      return true;
    case 57643:
      state.enabled = binary && binary_->CanUndo();
      return true;
    case 57644:
      state.enabled = binary && binary_->CanRedo();
      return true;
    case 32775: case 32773: case 32774: case 32772: case 57636: case 57641: case 32788:
      state.enabled = binary;
      return true;
    case 32789:
      state.enabled = binary;
      state.checked = binary && doc_.IsWriteProtected();
      return true;
    case 32803: case 195: case 32850: case 32792:
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
    case 32806:
      state.enabled = false;
      state.checked = gSettings.DisplayRulerBar != 0;
      return true;
    case 32807:
      state.enabled = false;
      state.checked = gSettings.DisplayLineBar != 0;
      return true;
    default:
      return false;
  }
}

}  // namespace quarn
