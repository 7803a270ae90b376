// The binary window's commands that the view routes to it: the clipboard,
// character marks, the jump, select all and the screen copy.
#include <algorithm>
#include <vector>

#include "core/binaryview/BinaryCharColumn.h"
#include "core/binaryview/BinaryJump.h"
#include "core/commands/CommandCatalogue.h"
#include "core/commands/CommandIds.h"
#include "core/macro/OperationRecorder.h"
#include "core/common/ParameterBlock.h"
#include "core/binaryview/BinaryRowText.h"
#include "core/binaryview/CVeskBV.h"
#include "core/common/AppMessage.h"
#include "core/common/AppSettings.h"
#include "core/common/ProcessValues.h"
#include "core/document/CVeskDoc.h"
#include "core/document/CVeskRD.h"
#include "core/res/Texts.h"
#include "platform/Clipboard.h"
#include "platform/DialogService.h"
#include "platform/FindDialogService.h"
#include "platform/Platform.h"

namespace quarn {
namespace {

// The raw bytes of the last copy, so that zero bytes survive a copy and
// paste inside the program while other programs get the text.
std::vector<std::uint8_t> gBinaryCopy;
bool gHasBinaryCopy = false;

std::string gLastJumpText;

// The text form of bytes: every zero byte left out.
std::string TextOf(const std::vector<std::uint8_t>& bytes) {
  std::string text;
  text.reserve(bytes.size());
  for (std::uint8_t b : bytes)
    if (b != 0) text += char(b);
  return text;
}

}  // namespace

void CVeskBV::Copy() {
  if (!HasSelection() || !Platform().clipboard) return;
  const std::uint32_t first = SelectionFirst();
  const std::uint32_t n = SelectionLast() - first + 1;
  std::vector<std::uint8_t> bytes(n);
  doc_.Store().Read(bytes.data(), first, n);
  Platform().clipboard->setText(TextOf(bytes));
  gBinaryCopy = std::move(bytes);
  gHasBinaryCopy = true;
}

void CVeskBV::Cut() {
  if (!HasSelection() || ReadOnlyBeep()) return;
  Copy();
  DeleteSelectionOrByte(0);
}

bool CVeskBV::CanPaste() const { return Platform().clipboard && Platform().clipboard->hasText(); }

void CVeskBV::Paste() {
  Clipboard* clipboard = Platform().clipboard;
  if (!clipboard || doc_.IsWriteProtected()) return;
  if (Platform().findBox && Platform().findBox->hasFocus()) return;
  std::string text;
  if (!clipboard->getText(text)) return;
  text = text.substr(0, text.find('\0'));
  // The program's own copy when the clipboard still holds its text.
  const std::uint8_t* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
  std::uint32_t n = std::uint32_t(text.size());
  if (gHasBinaryCopy && gBinaryCopy.size() >= text.size() && TextOf(gBinaryCopy) == text) {
    bytes = gBinaryCopy.data();
    n = std::uint32_t(gBinaryCopy.size());
  } else {
    gBinaryCopy.clear();
    gHasBinaryCopy = false;
  }
  const std::vector<std::uint8_t> pasted(bytes, bytes + n);
  // Too large stops the paste before the selection goes.
  if (n > 0 && !EnsureRoom(n)) return;
  if (HasSelection()) {
    if (gSettings.DeleteSelectionAtInput) {
      if (!DeleteSelectionOrByte(0)) return;
    } else {
      DropSelection();
    }
  }
  if (n > 0) Insert(pasted.data(), n);
}

void CVeskBV::ToggleMark() {
  DropSelection();
  std::vector<std::uint32_t>& marks = doc_.CharMarks();
  auto at = std::lower_bound(marks.begin(), marks.end(), caretPos_);
  if (at != marks.end() && *at == caretPos_) {
    marks.erase(at);
  } else if (marks.size() >= CVeskDoc::kMaxCharMarks) {
    WarningBeep();
    return;
  } else {
    marks.insert(at, caretPos_);
  }
  InvalidatePositions(caretPos_, caretPos_);
}

void CVeskBV::GoToMark(std::uint32_t pos) {
  DropSelection();
  BringRowIntoView(layout_.RowOf(pos), pos);
  UpdateCaretShown();
}

void CVeskBV::NextMark() {
  const std::vector<std::uint32_t>& marks = doc_.CharMarks();
  if (marks.empty()) {
    WarningBeep();
    return;
  }
  auto next = std::upper_bound(marks.begin(), marks.end(), caretPos_);
  GoToMark(next == marks.end() || *next > doc_.TextLength() ? marks.front() : *next);
}

void CVeskBV::PrevMark() {
  const std::vector<std::uint32_t>& marks = doc_.CharMarks();
  if (marks.empty()) {
    WarningBeep();
    return;
  }
  auto before = std::lower_bound(marks.begin(), marks.end(), caretPos_);
  GoToMark(before == marks.begin() ? marks.back() : *(before - 1));
}

void CVeskBV::ClearMarks() {
  if (doc_.CharMarks().empty()) return;
  doc_.CharMarks().clear();
  host_.invalidate();
}

void CVeskBV::Jump() {
  JumpDialogRequest request;
  request.title = texts::kJumpTitle;
  request.label = texts::kJumpOffsetLabel;
  request.hint = texts::kJumpOffsetHint;
  request.text = gLastJumpText;
  std::uint32_t offset = 0;
  request.accept = [&offset](const std::string& text) {
    if (ParseJumpOffset(text, offset)) return true;
    WarningBeep(texts::kJumpRefusedNotice);
    return false;
  };
  // Played back: the recorded offset text, without the dialog.
  std::vector<std::int32_t> none;
  if (const auto& replayed = ReplayedParameters()) {
    if (!ReadTextParameters(*replayed, request.text, none)) return;
  } else if (!Platform().dialogs || !Platform().dialogs->jumpDialog(request)) {
    return;
  }
  if (!ParseJumpOffset(request.text, offset)) return;
  RecordOperation(rec::kFrameCommand, cmd::kJump, TextParameters(request.text));
  gLastJumpText = request.text;
  offset = std::min(offset, doc_.TextLength());
  DropSelection();
  BringRowIntoView(layout_.RowOf(offset), offset);
}

void CVeskBV::SelectAll() {
  const std::uint32_t length = doc_.TextLength();
  if (length == 0) return;
  SetSelection(0, length);
  UpdateCaretShown();
  host_.invalidate();
}

void CVeskBV::RecomputeLayout() {
  Relayout();
  PlaceCaret(caretPos_, false, caretCreated_, true);
}

std::string CVeskBV::ScreenText() const {
  if (!HasSelection()) return {};
  constexpr std::size_t kLineBytes = 512;
  const std::uint32_t length = doc_.TextLength();
  const int b = layout_.BytesPerLine();
  const bool hex = settings_.HexAddress != 0;
  const int textStart = layout_.TextStart();
  auto put = [](std::string& line, int column, const std::string& text) {
    for (std::size_t i = 0; i < text.size() && std::size_t(column) + i < line.size(); ++i)
      line[std::size_t(column) + i] = text[i];
  };
  auto finish = [](std::string& out, std::string line, std::size_t end) {
    line.resize(std::min(end, line.size()));
    out += line;
    out += "\r\n";
  };

  std::string out;
  std::string header(kLineBytes, ' ');
  put(header, 0, HeaderAddressText());
  put(header, BinaryLayout::kHexStart, HeaderHexText(layout_, hex));
  put(header, textStart, HeaderCharText(layout_, hex));
  finish(out, header, std::size_t(textStart + b));
  out += std::string(std::min(std::size_t(textStart + b), std::size_t(510)), '-');
  out += "\r\n";

  CharColumnOptions options;
  options.code = settings_.Code();
  options.ignore8bit = settings_.Ignore8bitCode != 0;
  options.dummy = settings_.DummyChar();
  const std::uint32_t firstRow = layout_.RowOf(SelectionFirst());
  const std::uint32_t lastRow = layout_.RowOf(SelectionLast());
  for (std::uint32_t row = firstRow; row <= lastRow; ++row) {
    const std::uint32_t start = layout_.RowStart(row);
    const int n = int(std::min<std::uint32_t>(std::uint32_t(b), length - start));
    const std::uint32_t begin = start > kCharColumnLookBack ? start - std::uint32_t(kCharColumnLookBack) : 0;
    const std::uint32_t end = std::min<std::uint64_t>(length, std::uint64_t(start) + std::uint32_t(n) + kCharColumnLookAhead);
    std::vector<std::uint8_t> bytes(end - begin);
    doc_.Store().Read(bytes.data(), begin, end - begin);
    const std::string cells = DecodeCharColumn(bytes.data(), bytes.size(), start - begin, std::size_t(n), options);
    std::string line(kLineBytes, ' ');
    put(line, 0, AddressText(start, hex));
    put(line, BinaryLayout::kHexStart, HexAreaText(layout_, bytes.data() + (start - begin), n));
    put(line, textStart, cells);
    const bool spare = cells.size() > std::size_t(n) && cells[std::size_t(n)] != ' ';
    finish(out, line, std::size_t(textStart + n + (spare ? 1 : 0)));
  }
  return out;
}

void CVeskBV::ScreenCopy() {
  if (!HasSelection() || !Platform().clipboard) return;
  Platform().clipboard->setText(ScreenText());
}

}  // namespace quarn
