// The row table of a document: growing it, laying the text out into it,
// keeping it in step with insertions and deletions, and the lookups from
// positions to rows and from rows to line numbers.
#include <algorithm>
#include <cstring>
#include <new>

#include "core/common/AppMessage.h"
#include "core/common/ProcessValues.h"
#include "core/document/CVeskDoc.h"
#include "core/document/RowLayout.h"
#include "core/encoding/Cp932.h"
#include "core/res/MessageIds.h"

namespace quarn {

namespace {

constexpr std::uint8_t kCr = 0x0D;
constexpr std::uint32_t kScanChunk = 4096;
// How far ahead the layout of a whole text looks for the next CR or TAB.
constexpr std::uint32_t kLookAhead = 65536;

std::uint32_t UnitLength(std::uint8_t b) { return (cp932::IsLeadByte(b) || b == kCr) ? 2u : 1u; }

// Start of the last character unit of [from, to) that begins below to,
// walking the bytes of the text from the unit start from. A byte that is
// neither a lead byte nor a CR ends its unit (alone or as a trail byte), so
// the walk starts after the last such byte before to - 1: the cost is the
// run of lead bytes and CRs at the end, not the whole stretch.
std::uint32_t LastUnitBelow(const TextBytes& text, std::uint32_t from, std::uint32_t to) {
  std::uint32_t q = from;
  for (std::uint32_t i = to - 1; i > from; --i) {
    const std::uint8_t b = text.At(i - 1);
    if (!cp932::IsLeadByte(b) && b != kCr) {
      q = i;
      break;
    }
  }
  for (;;) {
    const std::uint32_t next = q + UnitLength(text.At(q));
    if (next >= to) return q;
    q = next;
  }
}

}  // namespace

// ---- growth and limits ----

int CVeskDoc::EnsureRowCapacity(std::uint32_t rows) {
  const std::uint64_t r = std::uint64_t(rows) + 2;
  if (rows > gProcess.maxRows) return 3;
  if (r < rowCapacity_) return 0;
  const std::uint64_t entries = (r / kRowGrowthStep + 1) * kRowGrowthStep;
  if (entries * sizeof(std::uint32_t) > SIZE_MAX) return 2;
  const std::size_t oldStarts = rowStartBlock_.Size();
  if (!rowStartBlock_.Resize(std::size_t(entries) * sizeof(std::uint32_t))) return 2;
  const bool flagsGrown = rowFlagBlock_.Resize(std::size_t(entries));
  // When the flags cannot grow the starts go back to their old size, so
  // the two arrays always have the same capacity.
  if (!flagsGrown) rowStartBlock_.Resize(oldStarts);
  rowStart_ = reinterpret_cast<std::uint32_t*>(rowStartBlock_.Data());
  rowFlag_ = rowFlagBlock_.Data();
  if (!flagsGrown) return 2;
  rowCapacity_ = std::uint32_t(entries);
  return 1;
}

bool CVeskDoc::EnsureTextRoom(std::uint32_t n) {
  const std::uint64_t required = std::uint64_t(textLength_) + n;
  // A request the 32-bit store cannot express is over every limit.
  const int result = required + 2 >= 0xFFFFFFFFull ? 3 : store_.Reserve(std::uint32_t(required));
  if (result == 1 || result == 2) UpdateAllViews(hint::kStoreMoved);
  if (result == 2) {
    AppMessageBox(msg::kOutOfMemory);
    return false;
  }
  if (result == 3) {
    AppMessageBox(msg::kTooManyChars);
    return false;
  }
  return true;
}

bool CVeskDoc::EnsureRowRoom(std::int64_t n) {
  if (n < 1) return true;
  const std::int64_t rows = std::int64_t(rowCount_) + n;
  const int result = rows > std::int64_t(gProcess.maxRows) ? 3 : EnsureRowCapacity(std::uint32_t(rows));
  if (result == 1 || result == 2) UpdateAllViews(hint::kStoreMoved);
  if (result == 3) {
    AppMessageBox(msg::kTooManyRows);
    return false;
  }
  if (result == 2) {
    AppMessageBox(msg::kOutOfMemory);
    return false;
  }
  return true;
}

// ---- laying out ----

void CVeskDoc::StoreRows(std::uint32_t from, const std::vector<std::uint32_t>& starts) {
  const std::uint32_t n = std::min<std::uint32_t>(std::uint32_t(starts.size()), rowCapacity_ - std::min(from, rowCapacity_));
  if (n == 0) return;
  std::memcpy(rowStart_ + from, starts.data(), n * sizeof(std::uint32_t));
  for (std::uint32_t i = 0; i < n; ++i) {
    const std::uint32_t s = starts[i];
    rowFlag_[from + i] = (s >= 2 && store_.GetAt(s - 2) == kCr) ? 1 : 0;
  }
}

void CVeskDoc::RebuildRows() {
  const std::uint32_t oldCount = rowCount_;
  lineMemo_ = LineMemo{};
  rowCount_ = 0;
  if (docKind_ != kTextDoc || textLength_ == 0) {
    rowCountChanged_ = oldCount != rowCount_;
    return;
  }
  const RowRules& rules = RowRules::Of(*this);
  const std::uint32_t maxRows = std::max<std::uint32_t>(1, gProcess.maxRows);
  std::vector<std::uint32_t> starts;
  bool cut = false;
  bool outOfMemory = false;
  {
    TextBytes text;
    text.data = store_.GetPointer(0);
    text.origin = 0;
    text.end = text.length = textLength_;
    std::uint32_t start = 0;
    // The next CR or TAB, looked for a stretch ahead at a time; before it
    // the rows need not walk their characters.
    std::uint32_t hit = 0;
    bool hitFound = false;
    try {
      starts.reserve(std::min<std::uint32_t>(maxRows, textLength_ / 32 + 16));
      for (;;) {
        if (starts.size() == maxRows) {
          cut = true;
          break;
        }
        starts.push_back(start);
        if (start > hit || (!hitFound && hit < textLength_ && hit - start < rules.MaxRowBytes() + 1)) {
          const std::uint32_t horizon = start + std::min(kLookAhead, textLength_ - start);
          hit = FindCrOrTab(text, start, horizon);
          hitFound = hit < horizon;
        }
        const std::uint32_t next = NextRowStart(text, start, rules, hit);
        if (next == kNoRow) break;
        start = next;
      }
    } catch (const std::bad_alloc&) {
      outOfMemory = true;
    }
  }
  const int grown = EnsureRowCapacity(std::uint32_t(starts.size()));
  if (grown == 1 || grown == 2) UpdateAllViews(hint::kStoreMoved);
  if (grown == 2) outOfMemory = true;
  if (outOfMemory) {
    AppMessageBox(msg::kOutOfMemory);
  } else if (cut) {
    AppMessageBox(msg::kTooManyRows);
  }
  const std::uint32_t count = std::min<std::uint32_t>(std::uint32_t(starts.size()), rowCapacity_);
  if (count > 0) {
    // The whole text is in the block: the flags are read from it directly.
    const std::uint8_t* data = store_.GetPointer(0);
    std::memcpy(rowStart_, starts.data(), count * sizeof(std::uint32_t));
    for (std::uint32_t i = 0; i < count; ++i) {
      const std::uint32_t s = starts[i];
      rowFlag_[i] = (s >= 2 && data[s - 2] == kCr) ? 1 : 0;
    }
  }
  rowCount_ = count;
  rowCountChanged_ = oldCount != rowCount_;
}

std::uint32_t CVeskDoc::FirstRowToRelay(std::uint32_t pos) {
  if (rowCount_ == 0) return 0;
  // Bytes appended after a whole final CR LF start a row of their own: the
  // rows before it are not laid out again.
  if (pos == textLength_ && rowCount_ < gProcess.maxRows && lastCharPos_ != kNone &&
      lastCharPos_ + 2 == textLength_ && ByteAt(lastCharPos_) == kCr)
    return rowCount_;
  std::uint32_t row = std::min(RowOfPos(pos), rowCount_ - 1);
  // A row that ends with a real CR LF reads nothing after it. Any other row
  // reads the first characters of the next one (a character that may hang,
  // a double-byte character at the edge), so it is laid out again; with
  // word wrap a word can move between any rows of the logical line, so the
  // layout starts at the line's first row.
  if (layout_.wordWrap) {
    while (row > 0 && !IsLineEndAt(RowLastChar(row - 1))) --row;
  } else if (row > 0 && !IsLineEndAt(RowLastChar(row - 1))) {
    --row;
  }
  return row;
}

std::uint32_t CVeskDoc::InsertText(std::uint32_t pos, const std::uint8_t* bytes, std::uint32_t n,
                                   StreamSelection* selection) {
  pos = std::min(pos, textLength_);
  if (n == 0) return pos;
  if (!EnsureTextRoom(n)) return kNone;
  const std::uint32_t row = FirstRowToRelay(pos);
  const std::uint32_t start = RowStartAt(row);
  InsertBytes(pos, bytes, n, selection);
  const std::uint32_t end = Relayout(pos, n, start, row);
  marks_.OnInsert(pos, n, n == 2 && bytes[0] == kCr);
  return end;
}

std::uint32_t CVeskDoc::DeleteText(std::uint32_t pos, std::uint32_t n, StreamSelection* selection) {
  if (pos >= textLength_ || n == 0) return std::min(pos, textLength_);
  n = std::min(n, textLength_ - pos);
  const std::uint32_t row = FirstRowToRelay(pos);
  const std::uint32_t start = RowStartAt(row);
  // The marks are moved by what the rows looked like before the deletion.
  DeletedStretch stretch{pos, n, RowStartOfPos(pos + n), RowStartOfPos(pos) == pos,
                         pos >= 2 && ByteAt(pos - 2) == kCr, n == textLength_};
  DeleteBytes(pos, n, selection);
  const std::uint32_t end = Relayout(pos, -std::int64_t(n), start, row);
  marks_.OnDelete(stretch);
  return end;
}

void CVeskDoc::SettleLastChar() {
  if (docKind_ != kTextDoc || rowCount_ == 0 || rowCount_ >= gProcess.maxRows) return;
  const std::uint32_t start = rowStart_[rowCount_ - 1];
  if (start >= textLength_) return;
  lastCharPos_ = LastUnitFrom(start);
}

std::uint32_t CVeskDoc::Relayout(std::uint32_t pos, std::int64_t delta, std::uint32_t startPos,
                                 std::uint32_t startRow) {
  SetModifiedFlag(true);
  const std::uint32_t oldCount = rowCount_;
  rowCountChanged_ = false;
  ForgetLinesFrom(std::min(startRow, oldCount));
  if (docKind_ != kTextDoc) return textLength_;
  if (textLength_ == 0) {
    rowCount_ = 0;
    lineMemo_ = LineMemo{};
    rowCountChanged_ = oldCount != 0;
    return 0;
  }
  startRow = std::min(startRow, oldCount);
  startPos = startRow == 0 ? 0 : std::min(startPos, textLength_);
  if (delta < 0 && pos == startPos && pos == textLength_) {
    rowCount_ = startRow;
    rowCountChanged_ = oldCount != rowCount_;
    return textLength_;
  }

  const RowRules& rules = RowRules::Of(*this);
  const std::uint32_t maxRows = std::max<std::uint32_t>(1, gProcess.maxRows);
  const bool reuse = oldCount < maxRows;
  // The old table from startRow on describes the old text; its rows after
  // the edited logical line are reused once the new rows meet one of them.
  auto oldRowAt = [&](std::uint32_t newStart) -> std::uint32_t {
    const std::int64_t old = std::int64_t(newStart) - delta;
    if (old < 0 || old > 0xFFFFFFFFll) return kNoRow;
    const std::uint32_t* first = rowStart_ + startRow;
    const std::uint32_t* last = rowStart_ + oldCount;
    const std::uint32_t* it = std::lower_bound(first, last, std::uint32_t(old));
    return (it != last && *it == std::uint32_t(old)) ? std::uint32_t(it - rowStart_) : kNoRow;
  };
  const std::uint32_t unchangedFrom = delta > 0 ? std::uint32_t(pos + delta) : pos;
  // The first line start after the edit from which the bytes are the old
  // ones shifted by delta.
  auto resumeAfter = [&](std::uint32_t from) -> std::uint32_t {
    if (!reuse) return textLength_;
    const std::uint32_t cr = LineEndPos(std::max(from, unchangedFrom));
    return cr >= textLength_ ? textLength_ : std::min(cr + 2, textLength_);
  };

  std::vector<std::uint32_t>& rows = relaidRows_;
  rows.clear();
  std::uint32_t resume = resumeAfter(unchangedFrom);
  std::uint32_t resumeRow = kNoRow;
  bool cut = false;
  std::uint32_t start = startPos;
  for (;;) {
    if (startRow + rows.size() == maxRows) {
      cut = true;
      break;
    }
    if (start == resume && resume < textLength_) {
      resumeRow = oldRowAt(resume);
      if (resumeRow != kNoRow) break;
      resume = resumeAfter(start + 1);
    } else if (start > resume) {
      resume = resumeAfter(start);
    }
    if (start >= textLength_) break;  // the empty row after a final CR LF is no table row
    rows.push_back(start);
    const TextBytes text = TextStretch(*this, start, start + rules.MaxRowBytes() + 1);
    const std::uint32_t next = NextRowStart(text, start, rules);
    if (next == kNoRow) break;
    start = next;
  }

  const std::uint32_t built = std::uint32_t(rows.size());
  const std::uint32_t tail = resumeRow == kNoRow ? 0 : oldCount - resumeRow;
  std::uint64_t wanted = std::uint64_t(startRow) + built + tail;
  if (wanted > maxRows) {
    wanted = maxRows;
    cut = true;
  }
  // The text goes on beyond the last row only when a row was cut off.
  if (cut) AppMessageBox(msg::kTooManyRows);
  std::uint32_t newCount = std::uint32_t(wanted);
  if (!EnsureRowRoom(std::int64_t(newCount) - std::int64_t(oldCount))) {
    // The rows that fit stay consistent with the text; the rest is not laid out.
    newCount = std::min(newCount, rowCapacity_);
  }
  const std::uint32_t tailTo = startRow + built;
  if (tail > 0 && tailTo < newCount) {
    const std::uint32_t moved = std::min(tail, newCount - tailTo);
    // One pass moves each start and shifts it by delta (modular arithmetic
    // adds or subtracts); the direction keeps overlapping rows intact.
    const std::uint32_t d = std::uint32_t(delta);
    std::uint32_t* to = rowStart_ + tailTo;
    const std::uint32_t* from = rowStart_ + resumeRow;
    if (tailTo <= resumeRow) {
      for (std::uint32_t i = 0; i < moved; ++i) to[i] = from[i] + d;
    } else {
      for (std::uint32_t i = moved; i-- > 0;) to[i] = from[i] + d;
    }
    if (tailTo != resumeRow) std::memmove(rowFlag_ + tailTo, rowFlag_ + resumeRow, moved);
  }
  if (rows.size() > newCount - std::min(startRow, newCount)) rows.resize(newCount - std::min(startRow, newCount));
  StoreRows(startRow, rows);
  rowCount_ = newCount;
  rowCountChanged_ = oldCount != rowCount_;
  // Bytes that split a double-byte character can change how the rest of the
  // text falls into characters. A reused tail falls as before; else the last
  // row, laid out from a character start, gives the last character. Bytes
  // appended at the end were walked from the old last character already.
  const bool appended = delta > 0 && std::uint64_t(pos) + std::uint64_t(delta) == textLength_;
  if (resumeRow == kNoRow && !appended) SettleLastChar();
  const bool tailChanged = resumeRow == kNoRow || tailTo != resumeRow;
  return tailChanged ? textLength_ : resume;
}

// ---- lookups ----

std::uint32_t CVeskDoc::LastUnitFrom(std::uint32_t from) {
  if (from >= textLength_) return textLength_ == 0 ? kNone : textLength_ - 1;
  return LastUnitBelow(TextStretch(*this, from, textLength_), from, textLength_);
}

bool CVeskDoc::EndsWithCr() { return lastCharPos_ != kNone && lastCharPos_ < textLength_ && ByteAt(lastCharPos_) == kCr; }

std::uint32_t CVeskDoc::RowOfPos(std::uint32_t pos) {
  if (rowCount_ == 0) return 0;
  pos = std::min(pos, textLength_);
  const std::uint32_t last = rowCount_ - 1;
  if (rowCount_ >= gProcess.maxRows && pos >= rowStart_[last]) return last;
  if (pos == textLength_ && EndsWithCr()) return rowCount_;
  if (pos == 0) return 0;
  // A row holds at most this many bytes, so a distance of d bytes spans at
  // least d / w rows: the jumps never pass the row sought.
  const std::uint32_t w = std::uint32_t(MaxRowWidth(*this)) + 2;
  std::uint32_t row = 0;
  if (textLength_ >= 4097 && pos >= textLength_ / 2) {
    row = last;
    while (rowStart_[row] > pos && rowStart_[row] - pos > w) row -= std::min(row, (rowStart_[row] - pos) / w);
    while (row > 0 && rowStart_[row] > pos) --row;
  } else {
    while (row < last && rowStart_[row] <= pos && pos - rowStart_[row] > w)
      row = std::min(last, row + (pos - rowStart_[row]) / w);
  }
  while (row > 0 && rowStart_[row] > pos) --row;
  while (row < last && rowStart_[row + 1] <= pos) ++row;
  return row;
}

std::uint32_t CVeskDoc::RowStartAt(std::uint32_t row) {
  if (rowCount_ == 0) return 0;
  const std::uint32_t last = rowCount_ - 1;
  if (row < last || (row == last && rowCount_ < gProcess.maxRows)) return rowStart_[row];
  if (row == last || rowCount_ >= gProcess.maxRows) return rowStart_[last];
  return EndsWithCr() ? textLength_ : rowStart_[last];
}

std::uint32_t CVeskDoc::RowLastChar(std::uint32_t row) {
  const std::uint32_t start = RowStartAt(row);
  if (rowCount_ == 0 || start >= textLength_) return start;
  row = std::min(row, rowCount_ - 1);
  const bool lastRow = row + 1 >= rowCount_ || rowStart_[row + 1] <= start;
  const std::uint32_t end = lastRow ? textLength_ : rowStart_[row + 1];
  if (end == textLength_ && lastCharPos_ != kNone && lastCharPos_ >= start) return lastCharPos_;
  return LastUnitBelow(TextStretch(*this, start, end), start, end);
}

std::uint32_t CVeskDoc::CharUnitLength(std::uint32_t pos) {
  if (pos >= textLength_) return 1;
  return UnitLength(ByteAt(pos));
}

std::uint32_t CVeskDoc::NextCharPos(std::uint32_t pos) {
  if (pos >= textLength_) return textLength_;
  return std::min(textLength_, pos + CharUnitLength(pos));
}

std::uint32_t CVeskDoc::PrevCharPos(std::uint32_t pos) {
  if (pos == 0 || textLength_ == 0) return 0;
  if (pos >= textLength_) return lastCharPos_ == kNone ? 0 : lastCharPos_;
  if (docKind_ != kTextDoc) return pos - 1;  // a binary document is walked byte by byte
  std::uint32_t from = 0;
  if (rowCount_ > 0) {
    std::uint32_t row = RowOfPos(pos);
    if (row > 0 && RowStartAt(row) >= pos) --row;
    from = std::min(RowStartAt(row), pos - 1);
  }
  return LastUnitBelow(TextStretch(*this, from, pos), from, pos);
}

bool CVeskDoc::IsLineEndAt(std::uint32_t pos) { return pos < textLength_ && ByteAt(pos) == kCr; }

std::uint32_t CVeskDoc::LineEndPos(std::uint32_t pos) {
  while (pos < textLength_) {
    const std::uint32_t n = std::min(kScanChunk, textLength_ - pos);
    const auto* span = store_.GetSpan(pos, n);
    const void* cr = std::memchr(span, kCr, n);
    if (cr) return pos + std::uint32_t(static_cast<const std::uint8_t*>(cr) - span);
    pos += n;
  }
  return textLength_;
}

std::uint32_t CVeskDoc::LineStartPos(std::uint32_t pos) {
  if (rowCount_ == 0) return 0;
  std::uint32_t row = RowOfPos(pos);
  if (row >= rowCount_) return RowStartAt(row);
  while (row > 0 && rowFlag_[row] == 0) --row;
  return rowStart_[row];
}

std::uint32_t CVeskDoc::RowToLineNumber(std::uint32_t row) const {
  if (row == 0 || rowCount_ == 0) return 0;
  const std::uint32_t last = std::min(row, rowCount_ - 1);
  // Walked from the row asked last time, so that a caret moving a few rows
  // costs a few rows, not the whole table.
  while (lineMemo_.row < last) lineMemo_.line += rowFlag_[++lineMemo_.row];
  while (lineMemo_.row > last) lineMemo_.line -= rowFlag_[lineMemo_.row--];
  return row >= rowCount_ ? lineMemo_.line + 1 : lineMemo_.line;
}

void CVeskDoc::ForgetLinesFrom(std::uint32_t row) {
  while (lineMemo_.row > 0 && lineMemo_.row >= row) lineMemo_.line -= rowFlag_[lineMemo_.row--];
}

std::uint32_t CVeskDoc::LineNumberToRow(std::uint32_t line) const {
  if (line == 0) return 0;
  std::uint32_t sum = 0;
  for (std::uint32_t i = 1; i < rowCount_; ++i) {
    sum += rowFlag_[i];
    if (sum >= line) return i;
  }
  return rowCount_;
}

// ---- bytes ----

void CVeskDoc::InsertBytes(std::uint32_t pos, const std::uint8_t* bytes, std::uint32_t n,
                           StreamSelection* selection) {
  if (n == 0) return;
  pos = std::min(pos, textLength_);
  const bool insideLastChar = lastCharPos_ != kNone && pos > lastCharPos_;
  if (pos < textLength_) store_.MoveRight(pos + n, pos, textLength_ - pos);
  store_.Write(pos, bytes, n);
  textLength_ += n;
  if (docKind_ != kTextDoc) {
    lastCharPos_ = textLength_ - 1;
  } else if (lastCharPos_ == kNone || insideLastChar) {
    // Appended (or put between the bytes of the last character): walk on
    // from the old last character, which a lone lead byte at the old end
    // now joins.
    lastCharPos_ = LastUnitFrom(lastCharPos_ == kNone ? 0 : lastCharPos_);
  } else {
    lastCharPos_ += n;  // the last character moved up
  }
  if (selection && selection->active && pos <= selection->start) {
    selection->start += n;
    selection->end += n;
  }
}

void CVeskDoc::DeleteBytes(std::uint32_t pos, std::uint32_t n, StreamSelection* selection) {
  if (pos >= textLength_ || n == 0) return;
  n = std::min(n, textLength_ - pos);
  const bool reachesLastChar = lastCharPos_ != kNone && pos + n > lastCharPos_;
  // A character start before the deletion, from which the new last
  // character is found also when the deletion cut a double-byte character.
  const std::uint32_t walkFrom = reachesLastChar && pos > 0 && docKind_ == kTextDoc ? PrevCharPos(pos) : 0;
  if (pos + n < textLength_) store_.MoveLeft(pos, pos + n, textLength_ - pos - n);
  textLength_ -= n;
  if (textLength_ == 0) {
    lastCharPos_ = kNone;
  } else if (docKind_ != kTextDoc) {
    lastCharPos_ = textLength_ - 1;
  } else if (reachesLastChar) {
    lastCharPos_ = LastUnitFrom(walkFrom);
  } else {
    lastCharPos_ -= n;
  }
  if (selection && selection->active && pos + n < selection->start) {
    selection->start -= n;
    selection->end -= n;
  }
}

}  // namespace quarn
