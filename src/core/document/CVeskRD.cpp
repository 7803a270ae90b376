#include "core/document/CVeskRD.h"

#include <algorithm>
#include <cstring>

#include "core/common/AppMessage.h"
#include "core/document/CVeskDoc.h"
#include "core/res/MessageIds.h"

namespace quarn {

namespace {

bool HoldsBytes(std::uint32_t type) {
  return type == CVeskRD::kDeleted || type == CVeskRD::kReplacedOld || type == CVeskRD::kOverwrittenOld;
}

bool IsSecondHalf(std::uint32_t type) {
  return type == CVeskRD::kReplacedNew || type == CVeskRD::kOverwrittenNew;
}

}  // namespace

CVeskRD::CVeskRD(std::uint32_t capacity) : area_(capacity) {}

void CVeskRD::DropOldest(std::uint32_t records) {
  records = std::min(records, count_);
  // A pair is undone as one step: a second half whose first half went is of
  // no use on its own and would undo only half a replacement.
  while (records < count_ && IsSecondHalf(records_[records].type)) ++records;
  if (records == 0) return;

  std::uint32_t dropped = 0;
  for (std::uint32_t i = 0; i < records; ++i)
    if (records_[i].dataOffset != kNoData) dropped += records_[i].length;

  if (dropped > 0) {
    std::memmove(area_.data(), area_.data() + dropped, used_ - dropped);
    used_ -= dropped;
  }
  std::copy(records_.begin() + records, records_.begin() + count_, records_.begin());
  count_ -= records;
  for (std::uint32_t i = 0; i < count_; ++i)
    if (records_[i].dataOffset != kNoData) records_[i].dataOffset -= dropped;
}

bool CVeskRD::Reserve(std::uint32_t n) {
  if (n > Capacity()) return false;
  if (count_ >= kMaxRecords) DropOldest(1);

  std::uint32_t freeBytes = Capacity() - used_;
  if (freeBytes < n) {
    std::uint32_t records = 0;
    while (records < count_ && freeBytes < n) {
      if (records_[records].dataOffset != kNoData) freeBytes += records_[records].length;
      ++records;
    }
    DropOldest(records);
  }
  return true;
}

void CVeskRD::PopLast() {
  if (count_ == 0) return;
  const Record& r = records_[--count_];
  if (r.dataOffset != kNoData) used_ = r.dataOffset;
}

int CVeskRD::Push(CVeskDoc& doc, CVeskRD& store, std::uint32_t type, std::uint32_t position,
                  std::uint32_t length, bool clearRedo) {
  if (type < kInserted || type > kOverwrittenNew) return 2;

  if (HoldsBytes(type) && length > store.Capacity()) {
    // Asked before anything changes, so that a cancelled edit keeps its
    // undo and redo history.
    const int choice = AppMessageBox(msg::kUndoOverflow, mb::kOkCancel | mb::kIconQuestion);
    if (choice != answer::kOk) return 0;
    if (clearRedo) doc.Redo().Clear();
    store.Clear();
    return 1;
  }

  if (clearRedo) doc.Redo().Clear();
  if (!HoldsBytes(type)) {
    store.Reserve(0);
    store.records_[store.count_++] = Record{type, position, length, kNoData};
    return 2;
  }

  store.Reserve(length);
  store.records_[store.count_++] = Record{type, position, length, store.used_};
  doc.Store().Read(store.area_.data() + store.used_, position, length);
  store.used_ += length;
  return 2;
}

bool CVeskRD::Append(std::uint32_t type, std::uint32_t position, std::uint32_t length, const std::uint8_t* bytes) {
  const bool holds = HoldsBytes(type);
  if (holds && length > Capacity()) return false;
  Reserve(holds ? length : 0);
  records_[count_++] = Record{type, position, length, holds ? used_ : kNoData};
  if (holds) {
    std::copy(bytes, bytes + length, area_.begin() + used_);
    used_ += length;
  }
  return true;
}

}  // namespace quarn
