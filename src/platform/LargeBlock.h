// Memory for the large growable blocks of a document (the byte store, the
// row table). Past 2 MB a block is an anonymous mapping aligned to 2 MB
// that asks the kernel for huge pages and grows with mremap, so a freshly
// loaded file is faulted in 2 MB at a time instead of 4 KB; below that, or
// where the kernel offers no such mapping, it is ordinary heap memory.
// Never a mapping of a file: the block's bytes change only when written.
#pragma once

#include <cstddef>
#include <cstdint>

namespace quarn {

class LargeBlock {
 public:
  // The size from which a block is mapped.
  static constexpr std::size_t kMapFrom = std::size_t(2) << 20;

  LargeBlock() = default;
  ~LargeBlock() { Release(); }
  LargeBlock(const LargeBlock&) = delete;
  LargeBlock& operator=(const LargeBlock&) = delete;

  // Makes the block `bytes` long, keeping its first bytes (as many as both
  // sizes hold); the bytes beyond the old size are undefined. False when
  // memory cannot be had: the block is then unchanged.
  bool Resize(std::size_t bytes);
  void Release();

  std::uint8_t* Data() const { return data_; }
  std::size_t Size() const { return size_; }
  bool IsMapped() const { return mappedLength_ != 0; }

  // Off: every block is heap memory, as before mappings were used (kept
  // for comparing the two). Process-wide; blocks made earlier keep theirs.
  static void UseMappings(bool on);

 private:
  bool ResizeHeap(std::size_t bytes);
  bool ResizeMapped(std::size_t bytes);

  std::uint8_t* data_ = nullptr;
  std::size_t size_ = 0;
  std::size_t mappedLength_ = 0;  // 0 while the block is heap memory
};

}  // namespace quarn
