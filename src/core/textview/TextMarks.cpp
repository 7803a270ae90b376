// The marks of the text window: setting, clearing and stepping through line
// marks and character marks, the tag line, the jump to a line number, and
// bringing a stretch of text into view.
#include <algorithm>
#include <string>

#include "core/cabinet/CVeskCabinet.h"
#include "core/commands/CommandIds.h"
#include "core/common/AppMessage.h"
#include "core/document/CVeskDoc.h"
#include "core/document/RowLayout.h"
#include "core/macro/OperationRecorder.h"
#include "core/common/ParameterBlock.h"
#include "core/res/Texts.h"
#include "core/textview/CVeskEV.h"
#include "platform/DialogService.h"
#include "platform/Platform.h"

namespace quarn {
namespace {

constexpr std::uint8_t kCr = 0x0D;
constexpr std::uint8_t kTab = 0x09;
constexpr std::size_t kMaxLineNumberDigits = 10;

std::string gLastLineText;

// 1 to 10 decimal digits that fit 32 bits.
bool ParseLineNumber(const std::string& text, std::uint32_t& number) {
  if (text.empty() || text.size() > kMaxLineNumberDigits) return false;
  std::uint64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + std::uint64_t(c - '0');
  }
  if (value > 0xFFFFFFFFull) return false;
  number = std::uint32_t(value);
  return true;
}

std::vector<std::uint8_t> LittleEndian(std::uint32_t v) {
  return {std::uint8_t(v), std::uint8_t(v >> 8), std::uint8_t(v >> 16), std::uint8_t(v >> 24)};
}

}  // namespace

bool CVeskEV::OnMarkCommand(unsigned id) {
  switch (id) {
    case cmd::kLineMarkToggle: ToggleLineMark(); return true;
    case cmd::kLineMarkNext: StepLineMark(true); return true;
    case cmd::kLineMarkPrev: StepLineMark(false); return true;
    case cmd::kLineMarkClearAll: ClearLineMarks(); return true;
    case cmd::kMarkToggle: ToggleCharMark(); return true;
    case cmd::kMarkNext: StepCharMark(true); return true;
    case cmd::kMarkPrev: StepCharMark(false); return true;
    case cmd::kMarkClearAll: ClearCharMarks(); return true;
    case cmd::kJump: JumpToLine(); return true;
    default: return false;
  }
}

std::optional<std::size_t> CVeskEV::IsMarkedRow(std::uint32_t row) const {
  if (row > LastCaretRow(doc_) || doc_.TextLength() == 0) return std::nullopt;
  return doc_.Marks().LineMarkAt(doc_.RowStartAt(row));
}

void CVeskEV::MarksChanged(bool saved) {
  // A document whose marks go into the attribute file is saved for them.
  if (saved) doc_.SetModifiedFlag(true);
}

void CVeskEV::GoToRowStart(std::uint32_t row) {
  ScrollIntoView(doc_.RowStartAt(row), 0);
  caret_ = TextCell{0, row};
  goal_ = 0;
  PlaceCaret();
}

void CVeskEV::ToggleLineMark() {
  RecordOperation(textrec::kCommand, cmd::kLineMarkToggle);
  const std::uint32_t row = caret_.row;
  if (selActive_) return WarningBeep();
  DocumentMarks& marks = doc_.Marks();
  // A mark is removed on any row, also on the empty row after a final line
  // end, where only an attribute file can have put one.
  if (const auto index = IsMarkedRow(row)) {
    marks.RemoveLineMark(*index);
  } else {
    if (row >= doc_.RowCount()) return WarningBeep();
    std::uint32_t value = DocumentMarks::kFirstLine;
    if (row > 0) {
      // Only a row that begins a logical line can be marked.
      value = doc_.RowLastChar(row - 1);
      if (!doc_.IsLineEndAt(value)) return WarningBeep();
    }
    if (!marks.AddLineMark(value)) return WarningBeep();
  }
  MarksChanged(doc_.Format().saveLineMarks);
  InvalidateRows(row, row);
}

void CVeskEV::StepLineMark(bool forward) {
  RecordOperation(textrec::kCommand, forward ? cmd::kLineMarkNext : cmd::kLineMarkPrev);
  const std::vector<std::uint32_t>& marks = doc_.Marks().LineMarks();
  if (marks.empty()) return WarningBeep();
  CancelSelection();
  std::vector<std::uint32_t> rows;
  for (std::uint32_t value : marks) rows.push_back(doc_.RowOfPos(DocumentMarks::LineStartOf(value)));
  std::uint32_t row = 0;
  if (forward) {
    const auto next = std::upper_bound(rows.begin(), rows.end(), caret_.row);
    row = next == rows.end() ? rows.front() : *next;
  } else {
    const auto before = std::lower_bound(rows.begin(), rows.end(), caret_.row);
    row = before == rows.begin() ? rows.back() : *(before - 1);
  }
  GoToRowStart(row);
}

void CVeskEV::ClearLineMarks() {
  RecordOperation(textrec::kCommand, cmd::kLineMarkClearAll);
  DocumentMarks& marks = doc_.Marks();
  if (marks.LineMarks().empty()) return;
  for (std::uint32_t value : marks.LineMarks()) {
    const std::uint32_t row = doc_.RowOfPos(DocumentMarks::LineStartOf(value));
    InvalidateRows(row, row);
  }
  marks.ClearLineMarks();
  MarksChanged(doc_.Format().saveLineMarks);
}

void CVeskEV::InvalidateStretch(std::uint32_t from, std::uint32_t to) {
  InvalidateRows(doc_.RowOfPos(from), doc_.RowOfPos(std::max(from, to)));
}

void CVeskEV::ToggleCharMark() {
  RecordOperation(textrec::kCommand, cmd::kMarkToggle);
  if (selActive_ && box_) return WarningBeep();
  std::uint32_t from = selStart_;
  std::uint32_t to = selEnd_;
  if (!selActive_) {
    from = CaretOffset();
    if (from >= doc_.TextLength() || doc_.IsLineEndAt(from)) return WarningBeep();
    to = doc_.NextCharPos(from);
  }
  DocumentMarks& marks = doc_.Marks();
  bool removed = false;
  for (std::size_t i = marks.CharMarks().size(); i-- > 0;) {
    const CharMark& mark = marks.CharMarks()[i];
    if (mark.pos < to && mark.End() > from) {
      InvalidateStretch(mark.pos, std::uint32_t(std::min<std::uint64_t>(mark.End(), doc_.TextLength())));
      marks.RemoveCharMark(i);
      removed = true;
    }
  }
  if (!removed) {
    if (!selActive_ || marks.CharMarks().size() >= DocumentMarks::kMaxCharMarks ||
        to - from > DocumentMarks::kMaxCharMarkBytes)
      return WarningBeep();
    std::string bytes(to - from, '\0');
    doc_.Store().Read(reinterpret_cast<std::uint8_t*>(bytes.data()), from, to - from);
    // The attribute file ends each mark's text with a NUL: one inside it
    // would cut the text short there and spoil the file.
    if (bytes.find_first_of(std::string{char(kCr), char(kTab), '\0'}) != std::string::npos) return WarningBeep();
    marks.AddCharMark(from, bytes);
  }
  MarksChanged(doc_.Format().saveCharMarks);
  CancelSelection();
  InvalidateStretch(from, to);
  UpdateCaretShown();
}

void CVeskEV::StepCharMark(bool forward) {
  RecordOperation(textrec::kCommand, forward ? cmd::kMarkNext : cmd::kMarkPrev);
  const std::vector<CharMark>& marks = doc_.Marks().CharMarks();
  if (marks.empty()) return WarningBeep();
  CancelSelection();
  const std::uint32_t caret = CaretOffset();
  const CharMark* mark = nullptr;
  if (forward) {
    const auto next = std::find_if(marks.begin(), marks.end(), [caret](const CharMark& m) { return m.pos > caret; });
    mark = next == marks.end() ? &marks.front() : &*next;
  } else {
    const auto before = std::find_if(marks.rbegin(), marks.rend(), [caret](const CharMark& m) { return m.pos < caret; });
    mark = before == marks.rend() ? &marks.back() : &*before;
  }
  const std::uint32_t pos = std::min(mark->pos, doc_.TextLength());
  const std::uint32_t rowEnd = RowEnd(doc_, doc_.RowOfPos(pos));
  ScrollIntoView(pos, std::uint32_t(std::min<std::uint64_t>(mark->End(), std::max(rowEnd, pos)) - pos));
  caret_ = CellOfPos(pos);
  goal_ = caret_.column;
  PlaceCaret();
}

void CVeskEV::ClearCharMarks() {
  RecordOperation(textrec::kCommand, cmd::kMarkClearAll);
  DocumentMarks& marks = doc_.Marks();
  if (marks.CharMarks().empty()) return;
  for (const CharMark& mark : marks.CharMarks())
    InvalidateStretch(mark.pos, std::uint32_t(std::min<std::uint64_t>(mark.End(), doc_.TextLength())));
  marks.ClearCharMarks();
  MarksChanged(doc_.Format().saveCharMarks);
}

void CVeskEV::SetTagLine(std::uint32_t row) {
  DocumentMarks& marks = doc_.Marks();
  if (marks.TagLine() != DocumentMarks::kNoTag) {
    const std::uint32_t old = doc_.RowOfPos(DocumentMarks::LineStartOf(marks.TagLine()));
    marks.SetTagLine(DocumentMarks::kNoTag);
    InvalidateRows(old, old);
  }
  if (row > LastCaretRow(doc_)) return WarningBeep();
  std::uint32_t value = DocumentMarks::kFirstLine;
  if (row > 0) {
    const std::uint32_t start = doc_.RowStartAt(row);
    if (start < 2 || doc_.ByteAt(start - 2) != kCr || doc_.ByteAt(start - 1) != '\n') return WarningBeep();
    value = start - 2;
  }
  marks.SetTagLine(value);
  InvalidateRows(row, row);
}

void CVeskEV::JumpToLine() {
  std::uint32_t number = 0;
  if (const auto& block = ReplayedParameters()) {
    // Played back: the number recorded with the command.
    if (block->size() < 4) return WarningBeep();
    const auto& b = *block;
    number = std::uint32_t(b[0]) | std::uint32_t(b[1]) << 8 | std::uint32_t(b[2]) << 16 | std::uint32_t(b[3]) << 24;
  } else {
    JumpDialogRequest request;
    request.title = texts::kJumpTitle;
    request.label = texts::kJumpLineLabel;
    request.text = gLastLineText;
    request.accept = [&number](const std::string& text) {
      if (ParseLineNumber(text, number)) return true;
      WarningBeep(texts::kJumpRefusedNotice);
      return false;
    };
    if (!Platform().dialogs || !Platform().dialogs->jumpDialog(request)) return;
    if (!ParseLineNumber(request.text, number)) return;
    gLastLineText = request.text;
  }
  RecordOperation(textrec::kCommand, cmd::kJump, LittleEndian(number));
  if (doc_.TextLength() == 0) return WarningBeep();
  // The number counts from 1, as the status bar shows it.
  const std::uint32_t line = number > 0 ? number - 1 : 0;
  const std::uint32_t last = LastCaretRow(doc_);
  std::uint32_t row = line;
  if (gCabinet.Settings().LineNumberMode != 0) {
    if (line > doc_.RowToLineNumber(last)) return WarningBeep(texts::kJumpRefusedNotice);
    row = doc_.LineNumberToRow(line);
  } else if (line > last) {
    return WarningBeep(texts::kJumpRefusedNotice);
  }
  CancelSelection();
  GoToRowStart(row);
}

void CVeskEV::ScrollIntoView(std::uint32_t pos, std::uint32_t length) {
  pos = std::min(pos, doc_.TextLength());
  const std::uint32_t row = doc_.RowOfPos(pos);
  const std::uint32_t top = layout_.FirstRow();
  const std::uint32_t rows = std::uint32_t(std::max(1, layout_.VisibleRows()));
  // A row out of view comes to the middle of the window.
  if (row < top) {
    ScrollRowsTo(row > rows / 2 ? row - rows / 2 : 0);
  } else if (row >= std::uint64_t(top) + rows) {
    const std::uint32_t bottom = std::min<std::uint32_t>(row + rows / 2, LastCaretRow(doc_));
    ScrollRowsTo(std::int64_t(bottom) - rows + 1);
  }
  const std::uint32_t start = doc_.RowStartAt(row);
  const int first = ColumnInRow(doc_, start, pos);
  const int end = ColumnInRow(doc_, start, std::min(RowEnd(doc_, row), pos + std::min(length, doc_.TextLength() - pos)));
  const int left = layout_.FirstColumn();
  const int columns = std::max(1, layout_.VisibleColumns());
  if (first < left) {
    ScrollColumnsTo(std::max(0, first - columns / 2));
  } else if (end > left + columns) {
    ScrollColumnsTo(std::min(end + columns / 2, layout_.MaxRowWidth()) - columns);
  }
}

}  // namespace quarn
