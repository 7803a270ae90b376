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
  // a table reached its limit while scanning, the first time since the
  // last Rebuild or Clear only: appended output is told once, not per line.
  bool OnInsert(const Text& text, std::uint32_t pos, std::uint32_t n);
  // After n bytes were deleted at pos (text is the new text); likewise.
  bool OnDelete(const Text& text, std::uint32_t pos, std::uint32_t n);

  const std::vector<std::uint32_t>& Opens() const { return opens_; }
  const std::vector<std::uint32_t>& Closes() const { return closes_; }

  // Whether pos (a line start) lies inside a block comment, as a scan of
  // the whole text from its start finds: the "/*" before pos are judged in
  // order, each once until an edit before it, so the answer costs the
  // delimiters passed, the same from wherever painting starts.
  bool InsideBlock(const Text& text, std::uint32_t pos) const;
  // Delimiters judged or looked up by InsideBlock so far (its work).
  std::uint64_t Visits() const { return visits_; }

 private:
  // Scans [from, to) of the text for delimiters not yet recorded; false
  // when a table reached its limit.
  bool Scan(const Text& text, std::uint32_t from, std::uint32_t to);
  // Scan, false only when the limit was not reached before.
  bool ScanOnce(const Text& text, std::uint32_t from, std::uint32_t to);
  // Forgets the judgements that an edit at pos may change.
  void ForgetFrom(std::uint32_t pos);
  // Whether the "/*" at open stands inside a line comment: a "//" before it
  // on its line, outside comments (scanned from from, where lineOpen tells
  // whether a line comment runs).
  bool InLineComment(const Text& text, std::uint32_t from, bool lineOpen, std::uint32_t open) const;

  static constexpr std::uint32_t kNoEnd = 0xFFFFFFFFu;
  // A "/*" judged: it opens a comment that ends at end (after its "*/", or
  // kNoEnd), or it is text of a line comment (end is the byte after it).
  struct Judged {
    std::uint32_t open;
    std::uint32_t end;
    bool opens;
  };

  std::vector<std::uint32_t> opens_;
  std::vector<std::uint32_t> closes_;
  bool overflowed_ = false;
  mutable std::vector<Judged> judged_;
  mutable std::uint64_t visits_ = 0;
};

}  // namespace quarn
