// The byte store of a document: the whole file in one growable block,
// fronted by a 32 KB write-back window so that typing and small edits move
// only a few kilobytes instead of the whole tail of a large file.
#pragma once

#include <cstdint>

#include "platform/LargeBlock.h"

namespace quarn {

class CPsbManeger {
 public:
  static constexpr std::uint32_t kGrowthStep = 32768;
  static constexpr std::uint32_t kWindowCapacity = 32768;
  static constexpr std::uint32_t kWindowLoadLength = 21845;  // two thirds of the capacity

  CPsbManeger() = default;
  ~CPsbManeger();
  CPsbManeger(const CPsbManeger&) = delete;
  CPsbManeger& operator=(const CPsbManeger&) = delete;

  // Allocates the block (one growth step) and the window; false when memory
  // cannot be had.
  bool Open();

  std::uint8_t GetAt(std::uint32_t pos);
  void SetAt(std::uint32_t pos, std::uint8_t b);
  void Write(std::uint32_t pos, const std::uint8_t* source, std::uint32_t n);
  void Read(std::uint8_t* destination, std::uint32_t pos, std::uint32_t n);
  // destination <= source: the bytes from source onward move down (deletion).
  void MoveLeft(std::uint32_t destination, std::uint32_t source, std::uint32_t n);
  // destination >= source: the bytes from source onward move up (insertion).
  void MoveRight(std::uint32_t destination, std::uint32_t source, std::uint32_t n);

  // A pointer into the complete block (the window is written back first);
  // valid until the next store operation.
  std::uint8_t* GetPointer(std::uint32_t pos);
  // A pointer valid for n bytes: into the window when it holds them, else
  // into the block after a write-back.
  const std::uint8_t* GetSpan(std::uint32_t pos, std::uint32_t n);

  // Makes room for required bytes: 0 nothing needed, 1 grown, 2 out of
  // memory (the block is unchanged), 3 over the document limit.
  int Reserve(std::uint32_t required);

  // Direct mode, for loading and saving through Data().
  void BeginDirect();
  void EndDirect();
  bool IsDirect() const { return direct_ != 0; }

  std::uint8_t* Data() { return data_; }
  std::uint32_t Capacity() const { return capacity_; }

 private:
  bool InWindow(std::uint32_t pos) const;
  // Copies a dirty window into the block, moving the block's tail by the
  // window's change of length.
  void WriteBack();
  // Loads the window around pos from the block (no write-back).
  void Reload(std::uint32_t pos);
  // Makes pos reachable through the window; false when pos is outside the block.
  bool Reach(std::uint32_t pos);
  void MoveInBlock(std::uint32_t destination, std::uint32_t source, std::uint32_t n);

  LargeBlock block_;
  std::uint8_t* data_ = nullptr;  // block_'s bytes
  int direct_ = 0;
  std::uint32_t capacity_ = 0;
  std::uint32_t growthStep_ = kGrowthStep;
  std::uint8_t* window_ = nullptr;
  std::uint32_t windowCapacity_ = kWindowCapacity;
  std::uint32_t windowLoadLength_ = kWindowLoadLength;
  std::uint32_t windowStart_ = 0;
  std::uint32_t windowLength_ = 0;
  std::uint32_t windowLoadedLength_ = 0;
  int dirty_ = 0;
};

}  // namespace quarn
