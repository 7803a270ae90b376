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

void CVeskView::AttachTextWindow(TextWindowCommands* window) {
  if (text_) text_->SetViewServices(nullptr);
  text_ = window;
  if (text_) text_->SetViewServices(this);
}

void CVeskView::CaretMoved(int column, std::uint32_t row) {
  if (!IsTextMode()) return;
  rulers_.caretColumn = column;
  rulers_.caretRow = row;
}

void CVeskView::HorizontalScroll(int firstColumn) {
  if (IsTextMode()) rulers_.firstColumn = firstColumn;
}

void CVeskView::VerticalScroll(std::uint32_t topRow) {
  if (IsTextMode()) rulers_.topRow = topRow;
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

void CVeskView::OnTextUpdate(CVeskDoc& doc, int hintCode) {
  if (!text_) return;
  switch (hintCode) {
    case hint::kTextLoaded: text_->OnTextLoaded(); break;
    case hint::kFormatChanged:
      placer_.RecreateScreenFont();
      text_->Reformat(true);
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
    case 57634: case 32805: case 32804:
      state.enabled = selection;
      return true;
    case 57635: case 57637: case 32789: case 32910: case 32911: case 32912:
    case 32775: case 32773: case 32774: case 32772: case 57636: case 57641: case 32788:
      state.enabled = false;
      state.checked = false;
      return true;
    case 57643:
      state.enabled = doc_.Undo().Count() != 0;
      return true;
    case 57644:
      state.enabled = doc_.Redo().Count() != 0;
      return true;
    case 32802: case 32801: case 32819: case 32820: case 32822: case 32816: case 32825: case 32818:
    case 32817: case 32821: case 32823: case 32824:
      state.enabled = selection && !text_->IsBoxSelection();
      return true;
    case 32799: case 32798: case 32826: case 32827: case 32828: case 32875: case 32876:
    case 32803: case 195: case 32850: case 32792:
      state.enabled = text_ != nullptr;
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
  if (IsTextMode()) {
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
