// The marks a text document carries through the tools' insertions: up to
// 100 line marks, up to 100 character marks and the tag line.
//
// A line mark (and the tag line) is kept as the position of the CR that
// ends the line before the marked one, or kFirstLine (-2) for the first
// line: the marked line starts at value + 2, which wraps -2 to 0. Seen as
// signed numbers the values keep their order under every edit, so -2 never
// moves with an insertion at the start of the text.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace quarn {

// A run of 1 to 80 bytes of one line, remembered with the bytes it covered
// when it was set: it is drawn marked only while the text still matches.
struct CharMark {
  static constexpr std::size_t kTextField = 84;
  std::uint32_t pos = 0;
  std::uint32_t length = 0;
  std::array<char, kTextField> text{};  // NUL-terminated

  std::string_view Text() const { return {text.data(), length}; }
  std::uint64_t End() const { return std::uint64_t(pos) + length; }
  friend bool operator==(const CharMark&, const CharMark&) = default;
};

// What a deletion looked like before the bytes went: the rows whose whole
// text it removes are those starting in [pos, keptRowStart), where
// keptRowStart is the start of the row that holds pos + n.
struct DeletedStretch {
  std::uint32_t pos = 0;
  std::uint32_t n = 0;
  std::uint32_t keptRowStart = 0;
  bool startsRow = false;   // pos is the start of a row
  bool crBefore = false;    // the byte at pos - 2 is a CR
  bool emptiesText = false;
};

class DocumentMarks {
 public:
  static constexpr std::size_t kMaxLineMarks = 100;
  static constexpr std::size_t kMaxCharMarks = 100;
  static constexpr std::uint32_t kMaxCharMarkBytes = 80;
  static constexpr std::uint32_t kFirstLine = 0xFFFFFFFEu;
  static constexpr std::uint32_t kNoTag = 0xFFFFFFFFu;

  static std::uint32_t LineStartOf(std::uint32_t value) { return value + 2; }
  static std::uint32_t ValueOfLineStart(std::uint32_t start) { return start - 2; }

  // Sorted by the line start they mark.
  const std::vector<std::uint32_t>& LineMarks() const { return lines_; }
  // Sorted by position.
  const std::vector<CharMark>& CharMarks() const { return chars_; }
  std::uint32_t TagLine() const { return tag_; }
  bool Empty() const { return lines_.empty() && chars_.empty(); }

  // The index of the line mark on the line that starts at start.
  std::optional<std::size_t> LineMarkAt(std::uint32_t start) const;
  bool IsTagLineStart(std::uint32_t start) const { return tag_ != kNoTag && LineStartOf(tag_) == start; }

  // False when 100 marks are set already.
  bool AddLineMark(std::uint32_t value);
  void RemoveLineMark(std::size_t index);
  void ClearLineMarks() { lines_.clear(); }
  // False when 100 marks are set already or the bytes are not 1 to 80 long.
  bool AddCharMark(std::uint32_t pos, std::string_view bytes);
  void RemoveCharMark(std::size_t index);
  void ClearCharMarks() { chars_.clear(); }
  void SetTagLine(std::uint32_t value) { tag_ = value; }
  // Takes marks read from a file: sorted, a repeated line mark kept once.
  void Assign(std::vector<std::uint32_t> lines, std::vector<CharMark> chars);
  void Clear();

  // n bytes were inserted at pos; crLfAtPos when they are exactly a CR LF.
  void OnInsert(std::uint32_t pos, std::uint32_t n, bool crLfAtPos);
  void OnDelete(const DeletedStretch& d);

 private:
  void SortLines();

  std::vector<std::uint32_t> lines_;
  std::vector<CharMark> chars_;
  std::uint32_t tag_ = kNoTag;
};

}  // namespace quarn
