// Little-endian 32-bit values and zero-terminated strings, as the tools'
// parameter blocks and data-file blocks hold them. The reader checks every
// value and string against the end of the block before taking it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace quarn {

class BlockWriter {
 public:
  void U32(std::uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes_.push_back(std::uint8_t(v >> (8 * i)));
  }
  void I32(std::int32_t v) { U32(std::uint32_t(v)); }
  void Text(const std::string& s) {
    bytes_.insert(bytes_.end(), s.begin(), s.end());
    bytes_.push_back(0);
  }
  const std::vector<std::uint8_t>& Bytes() const { return bytes_; }
  std::vector<std::uint8_t> Take() { return std::move(bytes_); }

 private:
  std::vector<std::uint8_t> bytes_;
};

class BlockReader {
 public:
  BlockReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  std::uint32_t U32() {
    if (!ok_ || size_ - at_ < 4) return Fail();
    const std::uint8_t* p = data_ + at_;
    at_ += 4;
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
  }
  std::int32_t I32() { return std::int32_t(U32()); }
  // A string of at most maxBytes before its zero, which must lie inside.
  std::string Text(std::size_t maxBytes) {
    if (!ok_) return {};
    const void* zero = std::memchr(data_ + at_, 0, size_ - at_);
    const std::size_t n = zero ? std::size_t(static_cast<const std::uint8_t*>(zero) - (data_ + at_)) : size_;
    if (!zero || n > maxBytes) return Fail(), std::string();
    std::string s(reinterpret_cast<const char*>(data_ + at_), n);
    at_ += n + 1;
    return s;
  }
  // A count of at most limit.
  std::uint32_t Count(std::uint32_t limit) {
    const std::uint32_t n = U32();
    return n > limit ? Fail() : n;
  }
  bool ok() const { return ok_; }
  std::size_t at() const { return at_; }

 private:
  std::uint32_t Fail() {
    ok_ = false;
    return 0;
  }
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
  bool ok_ = true;
};

}  // namespace quarn
