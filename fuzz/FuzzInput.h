// Helpers shared by the fuzz targets: taking typed values off the front of
// the input, and the target's own checks, which end the run the way a
// sanitizer finding does.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace quarn::fuzz {

class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  std::uint8_t Byte() { return size_ ? (--size_, *data_++) : 0; }
  bool Bit() { return Byte() & 1; }
  // Up to n bytes as a string (fewer at the end of the input).
  std::string Take(std::size_t n) {
    n = n < size_ ? n : size_;
    std::string s(reinterpret_cast<const char*>(data_), n);
    data_ += n;
    size_ -= n;
    return s;
  }
  // A piece whose length is the next byte.
  std::string Piece() { return Take(Byte()); }
  std::string Rest() { return Take(size_); }
  bool Empty() const { return size_ == 0; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
};

inline void Check(bool ok, const char* rule) {
  if (ok) return;
  std::fprintf(stderr, "broken rule: %s\n", rule);
  std::abort();
}

}  // namespace quarn::fuzz
