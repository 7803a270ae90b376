// Byte input and deletion in the binary window. Every change goes through
// the document's insertion and deletion and leaves its record in the undo
// store; an overwrite is a pair that undoes as one step.
#include <algorithm>
#include <vector>

#include "core/binaryview/CVeskBV.h"
#include "core/common/AppMessage.h"
#include "core/common/AppSettings.h"
#include "core/common/ProcessValues.h"
#include "core/document/CVeskDoc.h"
#include "core/document/CVeskRD.h"

namespace quarn {

bool CVeskBV::ReadOnlyBeep() {
  if (!doc_.IsWriteProtected()) return false;
  WarningBeep();
  return true;
}

bool CVeskBV::EnsureRoom(std::uint32_t n) {
  // The document shows the messages and tells the views when the store moved.
  return doc_.EnsureTextRoom(n);
}

void CVeskBV::InsertAt(std::uint32_t pos, const std::uint8_t* bytes, std::uint32_t n, bool redraw) {
  doc_.InsertBytes(pos, bytes, n);
  doc_.SetModifiedFlag(true);
  UpdateScrollBars();
  if (!redraw) return;
  InvalidatePositions(pos, doc_.TextLength());
  if (layout_.RowOf(pos) != layout_.RowOf(doc_.TextLength())) host_.invalidate();
  PlaceCaret(pos + n, false);
  rememberedColumn_ = int(caretPos_ % std::uint32_t(layout_.BytesPerLine()));
}

void CVeskBV::DeleteAt(std::uint32_t pos, std::uint32_t n, bool redraw) {
  doc_.DeleteBytes(pos, n);
  doc_.SetModifiedFlag(true);
  UpdateScrollBars();
  if (!redraw) return;
  // The bytes after pos all moved.
  host_.invalidate();
  PlaceCaret(pos, false);
  rememberedColumn_ = int(caretPos_ % std::uint32_t(layout_.BytesPerLine()));
}

bool CVeskBV::Insert(const std::uint8_t* bytes, std::uint32_t n) {
  if (ReadOnlyBeep() || n == 0 || !EnsureRoom(n)) return false;
  const std::uint32_t pos = caretPos_;
  InsertAt(pos, bytes, n, true);
  CVeskRD::Push(doc_, doc_.Undo(), CVeskRD::kInserted, pos, n, true);
  return true;
}

bool CVeskBV::Overwrite(const std::uint8_t* bytes, std::uint32_t n) {
  if (ReadOnlyBeep() || n == 0 || !EnsureRoom(n)) return false;
  const std::uint32_t pos = caretPos_;
  const std::uint32_t length = doc_.TextLength();
  if (pos < length) {
    const std::uint32_t old = std::min(n, length - pos);
    if (CVeskRD::Push(doc_, doc_.Undo(), CVeskRD::kOverwrittenOld, pos, old, true) == 0) return false;
    DeleteAt(pos, old, false);
    InsertAt(pos, bytes, n, true);
    CVeskRD::Push(doc_, doc_.Undo(), CVeskRD::kOverwrittenNew, pos, n, false);
  } else {
    InsertAt(pos, bytes, n, true);
    CVeskRD::Push(doc_, doc_.Undo(), CVeskRD::kInserted, pos, n, true);
  }
  return true;
}

void CVeskBV::TypeBytes(const std::uint8_t* bytes, std::uint32_t n) {
  if (ReadOnlyBeep()) return;
  const bool overwrite = gProcess.overwrite;
  if (HasSelection()) {
    if (gSettings.DeleteSelectionAtInput) {
      // A refused deletion stops the input too.
      if (!DeleteSelectionOrByte(0)) return;
      gProcess.overwrite = false;
    } else {
      DropSelection();
    }
  }
  if (caretArea_ == BinaryArea::kText) {
    lowNibble_ = false;
    if (gProcess.overwrite)
      Overwrite(bytes, n);
    else
      Insert(bytes, n);
  } else {
    const std::uint8_t digit = bytes[0];
    const std::uint32_t pos = caretPos_;
    if (!lowNibble_ || pos >= doc_.TextLength()) {
      const bool written = gProcess.overwrite ? Overwrite(&digit, 1) : Insert(&digit, 1);
      // The caret stays on the byte until its second digit comes.
      if (written) PlaceCaret(pos, true, false, true);
    } else {
      const std::uint8_t value = std::uint8_t((doc_.ByteAt(pos) << 4) | digit);
      Overwrite(&value, 1);
    }
  }
  gProcess.overwrite = overwrite;
}

bool CVeskBV::DeleteSelectionOrByte(std::uint32_t count) {
  const std::uint32_t length = doc_.TextLength();
  if (length == 0 || ReadOnlyBeep()) return false;
  std::uint32_t first = caretPos_;
  std::uint32_t n = std::max<std::uint32_t>(count, 1);
  if (HasSelection()) {
    first = SelectionFirst();
    n = SelectionLast() - first + 1;
  }
  if (first >= length) return false;
  n = std::min(n, length - first);
  // Refused at the undo question: nothing changes, the selection stays.
  if (CVeskRD::Push(doc_, doc_.Undo(), CVeskRD::kDeleted, first, n, true) == 0) {
    host_.invalidate();
    return false;
  }
  SetSelection(first, first);
  DeleteAt(first, n, true);
  return true;
}

}  // namespace quarn
