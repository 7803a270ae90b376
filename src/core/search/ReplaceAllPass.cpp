#include "core/search/ReplaceAllPass.h"

#include <algorithm>
#include <cstring>

#include "core/common/AppMessage.h"
#include "core/common/ProcessValues.h"
#include "core/document/CVeskDoc.h"
#include "core/document/CVeskRD.h"
#include "core/encoding/Cp932.h"
#include "core/res/MessageIds.h"

namespace quarn {
namespace {

constexpr std::size_t kNone = std::size_t(-1);
constexpr std::uint8_t kCr = 0x0D;

// The records of the newest replacements, as many as the undo store can end
// up holding: an older replacement is forgotten once the newer ones alone
// hold more than 512 records' worth or more bytes than the store's area.
// Trimmed now and then, so the cost per replacement stays constant.
class UndoTail {
 public:
  explicit UndoTail(std::uint32_t capacity) : capacity_(capacity) {}

  // The undo store was emptied (a match too long for it, the user went on).
  void Clear() {
    entries_.clear();
    bytes_.clear();
    cleared_ = true;
  }

  void Add(std::uint32_t at, const std::uint8_t* deleted, std::uint32_t deletedLength, bool keepsDeleted,
           std::uint32_t inserted) {
    entries_.push_back({at, deletedLength, inserted, keepsDeleted, bytes_.size()});
    if (keepsDeleted) bytes_.insert(bytes_.end(), deleted, deleted + deletedLength);
    if (entries_.size() >= 4 * CVeskRD::kMaxRecords || bytes_.size() >= 4 * std::size_t(capacity_)) Trim();
  }

  void WriteTo(CVeskDoc& doc) {
    doc.Redo().Clear();
    CVeskRD& undo = doc.Undo();
    if (cleared_) undo.Clear();
    for (const Entry& e : entries_) {
      if (e.keepsDeleted) undo.Append(CVeskRD::kDeleted, e.at, e.deletedLength, bytes_.data() + e.offset);
      if (e.inserted > 0) undo.Append(CVeskRD::kInserted, e.at, e.inserted, nullptr);
    }
  }

 private:
  struct Entry {
    std::uint32_t at;
    std::uint32_t deletedLength;
    std::uint32_t inserted;
    bool keepsDeleted;
    std::size_t offset;
  };

  void Trim() {
    std::size_t keep = 0;
    std::size_t held = 0;
    for (std::size_t i = entries_.size(); i-- > 0; ++keep) {
      if (keep >= CVeskRD::kMaxRecords || held > capacity_) break;
      if (entries_[i].keepsDeleted) held += entries_[i].deletedLength;
    }
    const std::size_t first = entries_.size() - keep;
    if (first == 0) return;
    const std::size_t dropped = first < entries_.size() ? entries_[first].offset : bytes_.size();
    bytes_.erase(bytes_.begin(), bytes_.begin() + std::ptrdiff_t(dropped));
    entries_.erase(entries_.begin(), entries_.begin() + std::ptrdiff_t(first));
    for (Entry& e : entries_) e.offset -= dropped;
  }

  std::uint32_t capacity_;
  std::vector<Entry> entries_;
  std::vector<std::uint8_t> bytes_;
  bool cleared_ = false;
};

// One run of replace all. The old bytes lie at block + base; the new ones
// are written from block[0] on, never past the old bytes still to be read.
class Pass {
 public:
  Pass(CVeskDoc& doc, const ReplaceAllHooks& hooks)
      : hooks_(hooks), undoCapacity_(doc.Undo().Capacity()), tail_(undoCapacity_) {}

  // Finds the matches, asks the questions and sets the count; with write
  // the bytes are rewritten at the same time (possible when no replacement
  // grows), else only the longest intermediate length is noted.
  void Decide(std::uint8_t* block, std::size_t length, bool write) {
    deciding_ = true;
    longest_ = length;
    newLength_ = Scan(block, 0, length, write);
    deciding_ = false;
  }

  // Rewrites the count_ matches found by Decide, the old bytes at block + base.
  void Write(std::uint8_t* block, std::size_t base, std::size_t length) { newLength_ = Scan(block, base, length, true); }

  std::size_t count() const { return count_; }
  std::size_t longest() const { return longest_; }
  std::size_t newLength() const { return newLength_; }
  std::size_t lastEnd() const { return lastEnd_; }
  bool limitHit() const { return limitHit_; }
  UndoTail& tail() { return tail_; }

 private:
  // The bytes before each search are those a search after each single
  // replacement would see: the one byte a line-start check reads before the
  // start is set to the byte before it in the new text (-1: none) for the
  // time of the search.
  std::optional<PassMatch> Search(std::uint8_t* text, std::size_t length, std::size_t from, int before) {
    const std::uint8_t wanted = before < 0 ? std::uint8_t(0) : std::uint8_t(before);
    if (!hooks_.looksBack || from == 0 || text[from - 1] == wanted) return hooks_.find(text, length, from);
    const std::uint8_t saved = text[from - 1];
    text[from - 1] = wanted;
    std::optional<PassMatch> m = hooks_.find(text, length, from);
    text[from - 1] = saved;
    return m;
  }

  // Whether the replacement of a match of length bytes giving r bytes may go
  // on; asks or refuses as a single replacement would.
  bool Allowed(std::size_t& running, std::size_t length, std::size_t r, bool& clearsUndo) {
    const std::size_t next = running - length + r;
    if (next > running && next + 3 > gProcess.maxBytes) {
      limitHit_ = true;
      return false;
    }
    clearsUndo = length > undoCapacity_;
    if (clearsUndo && AppMessageBox(msg::kUndoOverflow, mb::kOkCancel | mb::kIconQuestion) != answer::kOk) return false;
    running = next;
    longest_ = std::max(longest_, running);
    return true;
  }

  std::size_t Scan(std::uint8_t* block, std::size_t base, std::size_t length, bool write) {
    std::uint8_t* text = block + base;
    std::size_t from = 0;      // where the next search starts
    std::size_t consumed = 0;  // the old bytes before it are written or replaced
    std::size_t to = 0;        // the new length so far
    std::size_t running = length;
    int lastNew = -1;
    for (std::size_t done = 0; deciding_ || done < count_;) {
      if (deciding_ && hooks_.stop && hooks_.stop(from)) break;
      const std::optional<PassMatch> m = Search(text, length, from, from == consumed ? lastNew : text[from - 1]);
      if (!m) break;
      if (m->length == 0) {  // passed over by one character
        if (m->pos >= length) break;
        from = cp932::NextChar(text, length, m->pos);
        continue;
      }
      hooks_.replacement(text + m->pos, m->length, bytes_);
      const std::size_t r = bytes_.size();
      bool clearsUndo = false;
      if (deciding_) {
        if (!Allowed(running, m->length, r, clearsUndo)) break;
        if (clearsUndo) lastClear_ = done;
      } else {
        clearsUndo = done == lastClear_;
      }
      const std::size_t gap = m->pos - consumed;
      if (gap > 0) lastNew = text[m->pos - 1];
      if (r > 0) lastNew = bytes_.back();
      if (write) {
        std::memmove(block + to, text + consumed, gap);
        to += gap;
        if (clearsUndo) tail_.Clear();
        tail_.Add(std::uint32_t(to), text + m->pos, std::uint32_t(m->length), !clearsUndo, std::uint32_t(r));
        if (r > 0) std::memcpy(block + to, bytes_.data(), r);  // the match itself may lie here
        to += r;
        lastEnd_ = to;
      }
      from = consumed = m->pos + m->length;
      ++done;
      if (deciding_) count_ = done;
    }
    if (!write) return 0;
    std::memmove(block + to, text + consumed, length - consumed);
    return to + length - consumed;
  }

  const ReplaceAllHooks& hooks_;
  std::uint32_t undoCapacity_;
  UndoTail tail_;
  std::vector<std::uint8_t> bytes_;
  bool deciding_ = false;
  bool limitHit_ = false;
  std::size_t count_ = 0;
  std::size_t lastClear_ = kNone;
  std::size_t longest_ = 0;
  std::size_t newLength_ = 0;
  std::size_t lastEnd_ = 0;
};

// The start of the last character unit (a lead byte or a CR and the byte
// after it), walked from the last row's start; kNone for an empty text.
std::uint32_t LastUnit(CVeskDoc& doc) {
  const std::uint32_t length = doc.TextLength();
  if (length == 0) return CVeskDoc::kNone;
  std::uint32_t p = doc.RowCount() > 0 ? doc.RowStartAt(doc.RowCount() - 1) : 0;
  const std::uint8_t* data = doc.Store().GetPointer(0);
  std::uint32_t last = p;
  while (p < length) {
    last = p;
    p += (cp932::IsLeadByte(data[p]) || data[p] == kCr) ? 2 : 1;
  }
  return last;
}

}  // namespace

ReplaceAllOutcome ReplaceAllInPlace(CVeskDoc& doc, const ReplaceAllHooks& hooks) {
  ReplaceAllOutcome outcome;
  CPsbManeger& store = doc.Store();
  const std::size_t length = doc.TextLength();
  Pass pass(doc, hooks);
  // Without growth the new bytes never overtake the old ones: one scan does
  // it all. Otherwise a first scan measures the growth, the old bytes move up
  // by the most the text is ever longer, and a second scan writes.
  const bool oneScan = hooks.maxGrowth <= 0;
  if (oneScan) store.BeginDirect();
  pass.Decide(store.GetPointer(0), length, oneScan);
  if (pass.limitHit()) AppMessageBox(msg::kTooManyChars);
  if (pass.count() == 0 || (pass.limitHit() && hooks.refuseOverLimit)) {
    if (oneScan) store.EndDirect();
    outcome.refused = pass.limitHit();
    return outcome;
  }
  if (!oneScan) {
    const std::size_t base = pass.longest() - length;
    if (!doc.EnsureTextRoom(std::uint32_t(base))) {
      outcome.refused = true;
      return outcome;
    }
    store.BeginDirect();
    std::uint8_t* block = store.Data();
    std::memmove(block + base, block, length);
    pass.Write(block, base, length);
  }
  const std::uint32_t newLength = std::uint32_t(pass.newLength());
  doc.SetTextLength(newLength, newLength - 1);
  store.EndDirect();
  if (doc.DocKind() == kTextDoc) {
    doc.RebuildRows();
    doc.SetTextLength(newLength, LastUnit(doc));
  }
  pass.tail().WriteTo(doc);
  doc.SetModifiedFlag(true);
  outcome.count = std::uint32_t(pass.count());
  outcome.lastEnd = std::uint32_t(pass.lastEnd());
  return outcome;
}

}  // namespace quarn
