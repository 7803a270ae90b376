// The undo store and the redo store of a document: a table of 512 records
// and a 32768-byte area holding the bytes that deletions and overwrites took
// away. The oldest records are dropped when either is full.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace quarn {

class CVeskDoc;

class CVeskRD {
 public:
  static constexpr std::uint32_t kMaxRecords = 512;
  static constexpr std::uint32_t kNoData = 0xFFFFFFFFu;

  enum Type : std::uint32_t {
    kInserted = 1,
    kDeleted = 2,
    kReplacedOld = 3,
    kReplacedNew = 4,
    kOverwrittenOld = 5,
    kOverwrittenNew = 6,
  };

  struct Record {
    std::uint32_t type = 0;
    std::uint32_t position = 0;
    std::uint32_t length = 0;
    std::uint32_t dataOffset = kNoData;
  };

  // capacity: the process-wide undo buffer size. Throws std::bad_alloc when
  // the area cannot be had, so that the document is not created.
  explicit CVeskRD(std::uint32_t capacity);

  std::uint32_t Count() const { return count_; }
  const Record& At(std::uint32_t i) const { return records_[i]; }
  const Record& Last() const { return records_[count_ - 1]; }
  // The bytes a record holds; nullptr for a record without bytes.
  const std::uint8_t* DataOf(const Record& r) const {
    return r.dataOffset == kNoData ? nullptr : area_.data() + r.dataOffset;
  }
  std::uint32_t BytesUsed() const { return used_; }
  std::uint32_t Capacity() const { return std::uint32_t(area_.size()); }
  bool CanUse() const { return count_ > 0; }

  // Makes room for a record with n bytes, dropping the oldest records (and a
  // second half of a pair left at the front without its first half); false
  // when n exceeds the area.
  bool Reserve(std::uint32_t n);
  void Clear() { count_ = 0; used_ = 0; }
  // Drops the newest record (undo and redo take it out after carrying it out).
  void PopLast();

  // Appends a record; for types 2, 3 and 5 its bytes are copied from the
  // document at position. Answers 2 stored, 1 did not fit and the user chose
  // to go on without undo (the store is emptied), 0 the user cancelled (both
  // stores are left as they were).
  static int Push(CVeskDoc& doc, CVeskRD& store, std::uint32_t type, std::uint32_t position,
                  std::uint32_t length, bool clearRedo);
  // Appends a record whose bytes (for types 2, 3 and 5) are given rather
  // than read from the document, for edits whose records are written after
  // the bytes changed; false when they exceed the area.
  bool Append(std::uint32_t type, std::uint32_t position, std::uint32_t length, const std::uint8_t* bytes);

 private:
  void DropOldest(std::uint32_t records);

  std::array<Record, kMaxRecords> records_{};
  std::uint32_t count_ = 0;
  std::vector<std::uint8_t> area_;
  std::uint32_t used_ = 0;
};

}  // namespace quarn
