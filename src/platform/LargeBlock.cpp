#include "platform/LargeBlock.h"

#include <sys/mman.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>

namespace quarn {
namespace {

constexpr std::size_t kHugePage = std::size_t(2) << 20;
std::atomic<bool> gUseMappings{true};

std::size_t RoundUp(std::size_t n) { return (n + kHugePage - 1) / kHugePage * kHugePage; }

// An anonymous mapping of length bytes starting on a 2 MB boundary, or null.
void* MapAligned(std::size_t length) {
  void* raw = mmap(nullptr, length + kHugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (raw == MAP_FAILED) return nullptr;
  const auto start = reinterpret_cast<std::uintptr_t>(raw);
  const std::uintptr_t aligned = (start + kHugePage - 1) / kHugePage * kHugePage;
  if (aligned > start) munmap(raw, aligned - start);
  const std::uintptr_t end = start + length + kHugePage;
  if (end > aligned + length) munmap(reinterpret_cast<void*>(aligned + length), end - aligned - length);
  return reinterpret_cast<void*>(aligned);
}

void AskForHugePages(void* at, std::size_t length) {
#ifdef MADV_HUGEPAGE
  madvise(at, length, MADV_HUGEPAGE);  // a kernel without them still maps 4 KB pages
#else
  (void)at;
  (void)length;
#endif
}

}  // namespace

void LargeBlock::UseMappings(bool on) { gUseMappings = on; }

void LargeBlock::Release() {
  if (mappedLength_) munmap(data_, mappedLength_);
  else std::free(data_);
  data_ = nullptr;
  size_ = mappedLength_ = 0;
}

bool LargeBlock::Resize(std::size_t bytes) {
  if (bytes == 0) {
    Release();
    return true;
  }
  if (mappedLength_ || (bytes >= kMapFrom && gUseMappings)) {
    if (ResizeMapped(bytes)) return true;
    if (mappedLength_) return false;
  }
  return ResizeHeap(bytes);
}

bool LargeBlock::ResizeHeap(std::size_t bytes) {
  void* grown = std::realloc(data_, bytes);
  if (!grown) return false;
  data_ = static_cast<std::uint8_t*>(grown);
  size_ = bytes;
  return true;
}

bool LargeBlock::ResizeMapped(std::size_t bytes) {
  const std::size_t length = RoundUp(bytes);
  if (mappedLength_ && length <= mappedLength_) {
    // Shrinking gives the pages beyond back; growing within the mapping
    // costs nothing.
    if (length < mappedLength_ && mremap(data_, mappedLength_, length, 0) != MAP_FAILED) mappedLength_ = length;
    size_ = bytes;
    return true;
  }
  if (mappedLength_ && mremap(data_, mappedLength_, length, 0) != MAP_FAILED) {
    AskForHugePages(data_ + mappedLength_, length - mappedLength_);  // grown in place
    mappedLength_ = length;
    size_ = bytes;
    return true;
  }
  void* fresh = MapAligned(length);
  if (!fresh) return false;
  AskForHugePages(fresh, length);
  if (mappedLength_) {
    // The pages move to the new place without being copied.
    if (mremap(data_, mappedLength_, mappedLength_, MREMAP_MAYMOVE | MREMAP_FIXED, fresh) == MAP_FAILED) {
      munmap(fresh, length);
      return false;
    }
  } else {
    if (size_) std::memcpy(fresh, data_, std::min(size_, bytes));
    std::free(data_);
  }
  data_ = static_cast<std::uint8_t*>(fresh);
  mappedLength_ = length;
  size_ = bytes;
  return true;
}

}  // namespace quarn
