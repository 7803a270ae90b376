// The positions of every "/*" and every "*/" of a C or C++ text, each list
// sorted and kept in step with insertions and deletions, so that painting a
// row knows whether it starts inside a block comment without a rescan.
#pragma once

#include <cstdint>
#include <vector>

namespace quarn {

class CommentTables {
 public:
  static constexpr std::size_t kMaxEntries = 700;

  // The current text, or the stretch of it from origin on: data holds the
  // bytes [origin, length). Appending reads only a stretch at the end.
  struct Text {
    const std::uint8_t* data = nullptr;
    std::uint32_t length = 0;
    std::uint32_t origin = 0;
    std::uint8_t At(std::uint32_t pos) const { return data[pos - origin]; }
    const std::uint8_t* Ptr(std::uint32_t pos) const { return data + (pos - origin); }
  };

  void Clear();
  // Empties both tables and scans the whole text. False when a table
  // reached its limit (the delimiters beyond are not recorded).
  bool Rebuild(const Text& text);
  // After n bytes were inserted at pos (text is the new text); false when
  // a table reached its limit while scanning.
  bool OnInsert(const Text& text, std::uint32_t pos, std::uint32_t n);
  // After n bytes were deleted at pos (text is the new text).
  bool OnDelete(const Text& text, std::uint32_t pos, std::uint32_t n);

  const std::vector<std::uint32_t>& Opens() const { return opens_; }
  const std::vector<std::uint32_t>& Closes() const { return closes_; }

 private:
  // Scans [from, to) of the text for delimiters not yet recorded.
  bool Scan(const Text& text, std::uint32_t from, std::uint32_t to);

  std::vector<std::uint32_t> opens_;
  std::vector<std::uint32_t> closes_;
};

}  // namespace quarn
