#include "core/document/CPsbManeger.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "core/common/ProcessValues.h"

namespace quarn {

// The window stands for the block bytes [windowStart_, windowStart_ +
// windowLoadedLength_); while it is dirty its windowLength_ bytes replace
// them. Positions at or beyond the capacity lie outside the block: reads
// there give 0 and writes there are dropped, so no access runs past it.

CPsbManeger::~CPsbManeger() { delete[] window_; }

bool CPsbManeger::Open() {
  std::uint8_t* window = new (std::nothrow) std::uint8_t[windowCapacity_ + 1]();
  if (!window) return false;
  block_.Release();
  if (!block_.Resize(growthStep_)) {
    delete[] window;
    data_ = nullptr;
    capacity_ = 0;
    return false;
  }
  delete[] window_;
  data_ = block_.Data();
  window_ = window;
  capacity_ = growthStep_;
  direct_ = 0;
  windowStart_ = 0;
  windowLength_ = windowLoadedLength_ = windowLoadLength_;
  dirty_ = 1;
  return true;
}

bool CPsbManeger::InWindow(std::uint32_t pos) const {
  return pos >= windowStart_ && pos - windowStart_ < windowLength_;
}

void CPsbManeger::WriteBack() {
  if (!dirty_) return;
  const std::uint32_t start = windowStart_;
  if (start < capacity_) {
    // The tail after the loaded stretch follows the window's change of length;
    // only what still fits below the capacity is moved.
    const std::uint64_t tailFrom = std::uint64_t(start) + windowLoadedLength_;
    const std::uint64_t tailTo = std::uint64_t(start) + windowLength_;
    if (tailFrom != tailTo && tailFrom < capacity_ && tailTo < capacity_) {
      const std::uint64_t count = capacity_ - std::max(tailFrom, tailTo);
      std::memmove(data_ + tailTo, data_ + tailFrom, std::size_t(count));
    }
    const std::uint32_t copy = std::min(windowLength_, capacity_ - start);
    std::memcpy(data_ + start, window_, copy);
  }
  windowLength_ = windowLoadedLength_ = std::min(windowLength_, capacity_ > start ? capacity_ - start : 0);
  dirty_ = 0;
}

void CPsbManeger::Reload(std::uint32_t pos) {
  const std::uint32_t half = windowLoadLength_ / 2;
  std::uint32_t start = pos > half ? pos - half : 0;
  if (start >= capacity_) start = capacity_ > half ? capacity_ - half : 0;
  const std::uint32_t count = std::min(capacity_ - start, windowLoadLength_);
  if (!data_) return;
  std::memcpy(window_, data_ + start, count);
  windowStart_ = start;
  windowLength_ = windowLoadedLength_ = count;
  dirty_ = 0;
}

bool CPsbManeger::Reach(std::uint32_t pos) {
  if (pos >= capacity_) return false;
  if (!InWindow(pos)) {
    WriteBack();
    Reload(pos);
  }
  return true;
}

std::uint8_t CPsbManeger::GetAt(std::uint32_t pos) {
  // A clean window holds what the block holds: a byte outside it is read
  // from the block without loading the window around it.
  if (direct_ || (!dirty_ && !InWindow(pos))) return pos < capacity_ ? data_[pos] : 0;
  if (!Reach(pos)) return 0;
  return window_[pos - windowStart_];
}

void CPsbManeger::SetAt(std::uint32_t pos, std::uint8_t b) {
  if (direct_) {
    if (pos < capacity_) data_[pos] = b;
    return;
  }
  if (!Reach(pos)) return;
  window_[pos - windowStart_] = b;
  dirty_ = 1;
}

void CPsbManeger::Write(std::uint32_t pos, const std::uint8_t* source, std::uint32_t n) {
  if (direct_) {
    if (pos < capacity_) std::memcpy(data_ + pos, source, std::min(n, capacity_ - pos));
    return;
  }
  if ((n >= windowLoadLength_ || !InWindow(pos)) && pos < capacity_) {
    // Bytes outside the window (appended output) or more than it loads go
    // to the block at once rather than a window load at a time; the window
    // holds nothing until the next access loads it.
    WriteBack();
    std::memcpy(data_ + pos, source, std::min(n, capacity_ - pos));
    windowLength_ = windowLoadedLength_ = 0;
    return;
  }
  while (n > 0 && Reach(pos)) {
    const std::uint32_t k = std::min(n, windowStart_ + windowLength_ - pos);
    std::memcpy(window_ + (pos - windowStart_), source, k);
    dirty_ = 1;
    pos += k;
    source += k;
    n -= k;
  }
}

void CPsbManeger::Read(std::uint8_t* destination, std::uint32_t pos, std::uint32_t n) {
  if (direct_ || !dirty_) {
    const std::uint32_t k = pos < capacity_ ? std::min(n, capacity_ - pos) : 0;
    std::memcpy(destination, data_ + pos, k);
    std::memset(destination + k, 0, n - k);
    return;
  }
  while (n > 0 && Reach(pos)) {
    const std::uint32_t k = std::min(n, windowStart_ + windowLength_ - pos);
    std::memcpy(destination, window_ + (pos - windowStart_), k);
    pos += k;
    destination += k;
    n -= k;
  }
  std::memset(destination, 0, n);
}

void CPsbManeger::MoveLeft(std::uint32_t destination, std::uint32_t source, std::uint32_t n) {
  if (destination >= source) return;
  if (!direct_ && InWindow(destination) && InWindow(source)) {
    const std::uint32_t from = source - windowStart_;
    std::memmove(window_ + (destination - windowStart_), window_ + from, windowLength_ - from);
    windowLength_ -= source - destination;
    dirty_ = 1;
    return;
  }
  MoveInBlock(destination, source, n);
}

void CPsbManeger::MoveRight(std::uint32_t destination, std::uint32_t source, std::uint32_t n) {
  if (destination <= source) return;
  const std::uint32_t distance = destination - source;
  if (!direct_ && InWindow(destination) && InWindow(source) &&
      windowLength_ + distance <= windowCapacity_) {
    const std::uint32_t from = source - windowStart_;
    std::memmove(window_ + from + distance, window_ + from, windowLength_ - from);
    windowLength_ += distance;
    dirty_ = 1;
    return;
  }
  MoveInBlock(destination, source, n);
}

void CPsbManeger::MoveInBlock(std::uint32_t destination, std::uint32_t source, std::uint32_t n) {
  if (!direct_) WriteBack();
  const std::uint32_t highest = std::max(destination, source);
  if (highest < capacity_) {
    std::memmove(data_ + destination, data_ + source, std::min(n, capacity_ - highest));
  }
  if (!direct_) Reload(source);
}

std::uint8_t* CPsbManeger::GetPointer(std::uint32_t pos) {
  if (!direct_) {
    WriteBack();
    Reload(pos);
  }
  return data_ + std::min(pos, capacity_);
}

const std::uint8_t* CPsbManeger::GetSpan(std::uint32_t pos, std::uint32_t n) {
  if (std::uint64_t(pos) + n > capacity_) return nullptr;
  if (!direct_ && dirty_) {
    if (pos >= windowStart_ && std::uint64_t(pos) + n <= std::uint64_t(windowStart_) + windowLength_) {
      return window_ + (pos - windowStart_);
    }
    WriteBack();
  }
  return data_ + pos;
}

int CPsbManeger::Reserve(std::uint32_t required) {
  const std::uint64_t r = std::uint64_t(required) + 2;
  if (r < capacity_ && r < gProcess.maxBytes) return 0;
  if (r >= gProcess.maxBytes) return 3;
  const std::uint64_t size = (r / growthStep_ + 1) * growthStep_;
  if (!block_.Resize(std::size_t(size))) return 2;
  data_ = block_.Data();
  capacity_ = std::uint32_t(size);
  return 1;
}

void CPsbManeger::BeginDirect() {
  WriteBack();
  Reload(0);
  direct_ = 1;
}

void CPsbManeger::EndDirect() {
  Reload(0);
  direct_ = 0;
}

}  // namespace quarn
