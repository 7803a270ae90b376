// Keys, typed characters and the mouse in the binary window.

#include <algorithm>

#include "core/binaryview/CVeskBV.h"
#include "core/common/ProcessValues.h"
#include "core/document/CVeskDoc.h"
#include "core/encoding/Cp932.h"
#include "core/encoding/HexDigits.h"

namespace quarn {
namespace {

constexpr unsigned char kBackspace = 0x08;
constexpr unsigned char kTab = 0x09;
constexpr unsigned char kLineFeed = 0x0A;
constexpr unsigned char kReturn = 0x0D;

}  // namespace

void CVeskBV::ShiftMove(std::uint32_t pos, KeyState state, bool setColumn) {
  const std::uint32_t old = caretPos_;
  const std::uint32_t anchor = HasSelection() ? anchor_ : old;
  if (!state.shift) DropSelection();
  PlaceCaret(pos, false);
  if (state.shift) SetSelection(anchor, caretPos_);
  UpdateCaretShown();
  if (setColumn) rememberedColumn_ = int(caretPos_ % std::uint32_t(layout_.BytesPerLine()));
}

void CVeskBV::OnKeyDown(int key, KeyState state) {
  const std::uint32_t b = std::uint32_t(layout_.BytesPerLine());
  const std::uint32_t length = doc_.TextLength();
  const std::uint32_t pos = caretPos_;
  const std::uint32_t page = std::uint32_t(std::max(layout_.VisibleRows(), 1)) * b;
  switch (key) {
    case vk::kEscape: {
      const bool had = HasSelection();
      DropSelection();
      UpdateCaretShown();
      if (had) InvalidateUnderlines();
      break;
    }
    case vk::kPrior:
      if (layout_.VerticalRange(length).enabled) OnVScroll(sb::kPageUp, 0);
      ShiftMove(pos > page ? pos - page : 0, state);
      break;
    case vk::kNext:
      if (layout_.VerticalRange(length).enabled) OnVScroll(sb::kPageDown, 0);
      ShiftMove(std::uint32_t(std::min<std::uint64_t>(std::uint64_t(pos) + page, length)), state);
      break;
    case vk::kEnd:
      ShiftMove(state.control ? length : std::uint32_t(std::min<std::uint64_t>((pos / b + 1) * std::uint64_t(b) - 1, length)),
                state);
      break;
    case vk::kHome:
      ShiftMove(state.control ? 0 : pos / b * b, state);
      break;
    case vk::kLeft:
      if (lowNibble_) {
        if (!state.shift) DropSelection();
        PlaceCaret(pos, false);
        rememberedColumn_ = int(pos % b);
      } else {
        ShiftMove(pos > 0 ? pos - 1 : 0, state);
      }
      break;
    case vk::kRight:
      ShiftMove(std::min(pos + 1, length), state);
      break;
    case vk::kUp: {
      const std::uint32_t row = pos / b;
      ShiftMove(row == 0 ? pos : b * (row - 1) + std::uint32_t(rememberedColumn_), state, false);
      break;
    }
    case vk::kDown: {
      const std::uint64_t next = std::uint64_t(b) * (pos / b + 1) + std::uint32_t(rememberedColumn_);
      ShiftMove(std::uint32_t(std::min<std::uint64_t>(next, length)), state, false);
      break;
    }
    case vk::kInsert:
      if (state.shift) {
        Paste();
      } else {
        gProcess.overwrite = !gProcess.overwrite;
        PlaceCaret(pos, lowNibble_, true, true);
      }
      break;
    case vk::kDelete:
      if (state.shift) {
        if (HasSelection()) {
          Copy();
          DeleteSelectionOrByte(0);
        }
      } else {
        DeleteSelectionOrByte(1);
      }
      break;
    default:
      if (!state.control) break;
      if (key == 'C' && HasSelection()) Copy();
      if (key == 'V') Paste();
      if (key == 'X' && HasSelection()) {
        Copy();
        DeleteSelectionOrByte(0);
      }
      if (key == 'Z') Undo();
      break;
  }
}

void CVeskBV::OnChar(unsigned char c, KeyState state) {
  const bool text = caretArea_ == BinaryArea::kText;
  if (c == kTab) {
    caretArea_ = text ? BinaryArea::kHex : BinaryArea::kText;
    leadPending_ = false;
    host_.invalidate();
    PlaceCaret(caretPos_, false);
    return;
  }
  if (c == kBackspace) {
    if (!HasSelection()) {
      if (caretPos_ == 0) return;
      PlaceCaret(lowNibble_ ? caretPos_ : caretPos_ - 1, false);
    }
    DeleteSelectionOrByte(1);
    return;
  }
  if (c == kReturn || c == kLineFeed) {
    if (!text || leadPending_) return;
    const std::uint8_t crlf[] = {kReturn, kLineFeed};
    if (state.control && state.shift)
      TypeBytes(crlf, 2);
    else if (state.control || c == kLineFeed)
      TypeBytes(crlf, 1);
    else if (state.shift)
      TypeBytes(crlf + 1, 1);
    else
      TypeBytes(crlf, 2);
    return;
  }
  if (c < 0x20) return;
  if (!text) {
    // A double-byte character (a full-width letter, say) is no digit, nor
    // is its second byte.
    const bool secondByte = leadPending_ && cp932::IsTrailByte(c);
    leadPending_ = false;
    if (secondByte) return;
    if (cp932::IsLeadByte(c)) {
      leadPending_ = true;
      return;
    }
    const int digit = HexDigitValue(c);
    if (digit < 0) return;
    const std::uint8_t value = std::uint8_t(digit);
    TypeBytes(&value, 1);
    return;
  }
  if (leadPending_) {
    const std::uint8_t pair[] = {lead_, c};
    leadPending_ = false;
    TypeBytes(pair, 2);
    return;
  }
  if (cp932::IsLeadByte(c)) {
    leadPending_ = true;
    lead_ = c;
    return;
  }
  const std::uint8_t byte = c;
  TypeBytes(&byte, 1);
}

void CVeskBV::OnImeString(const std::string& cp932) {
  for (char c : cp932) OnChar(static_cast<unsigned char>(c), KeyState{});
}

void CVeskBV::DragTo(int x, int y) {
  const BinaryPointHit hit = layout_.HitTestPoint(x, y);
  const std::uint32_t length = doc_.TextLength();
  const std::uint32_t pos = std::min(hit.position, length);
  PlaceCaret(pos, false);
  const std::uint32_t end = hit.hit.pastEnd && pos < length ? pos + 1 : pos;
  SetSelection(anchor_, end);
  UpdateCaretShown();
}

void CVeskBV::OnMouse(MouseKind kind, int x, int y, KeyState state) {
  const std::uint32_t length = doc_.TextLength();
  switch (kind) {
    case MouseKind::kLeftDown: {
      const BinaryPointHit hit = layout_.HitTestPoint(x, y);
      const std::uint32_t old = caretPos_;
      const std::uint32_t anchor = HasSelection() ? anchor_ : old;
      caretArea_ = hit.hit.area;
      leadPending_ = false;
      host_.setFocus();
      rememberedColumn_ = hit.hit.index;
      const std::uint32_t pos = std::min(hit.position, length);
      PlaceCaret(pos, false);
      if (state.shift) {
        SetSelection(anchor, pos);
      } else {
        const std::uint32_t at = hit.hit.pastEnd && pos < length ? pos + 1 : pos;
        SetSelection(at, at);
      }
      UpdateCaretShown();
      host_.invalidate();
      dragging_ = true;
      host_.setCapture();
      host_.setTimer(kDragTimer, kDragTimerMs);
      break;
    }
    case MouseKind::kMove: {
      const Point size = host_.clientSize();
      const bool inside = x >= 0 && y >= 0 && x < size.x && y < size.y;
      host_.setCursor(inside ? CursorShape::kIBeam : CursorShape::kArrow);
      if (dragging_ && state.leftButton && length > 0) DragTo(x, y);
      break;
    }
    case MouseKind::kLeftUp:
      if (!dragging_) break;
      dragging_ = false;
      host_.killTimer(kDragTimer);
      host_.releaseCapture();
      break;
    default:
      break;
  }
}

void CVeskBV::OnTimer(int id) {
  if (id != kDragTimer || !dragging_ || doc_.TextLength() == 0) return;
  const Point size = host_.clientSize();
  Point p = host_.cursorPos();
  if (p.x >= 0 && p.y >= 0 && p.x < size.x && p.y < size.y) return;
  // Above the rows the drag reaches the row before the first shown one, so
  // that the window scrolls up as it scrolls down below them.
  if (p.y < layout_.DataTop()) p.y = layout_.DataTop() - layout_.LineHeight();
  DragTo(std::clamp(p.x, 0, std::max(size.x - 1, 0)), p.y);
}

void CVeskBV::OnSetFocus() {
  focused_ = true;
  PlaceCaret(caretPos_, lowNibble_, true, true);
}

void CVeskBV::OnKillFocus() {
  focused_ = false;
  if (caretShown_) host_.hideCaret();
  caretShown_ = false;
  if (caretCreated_) host_.destroyCaret();
  caretCreated_ = false;
}

}  // namespace quarn
