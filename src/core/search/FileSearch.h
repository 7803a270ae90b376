// The search of one file for the global find: the file is read in chunks of
// 30,720 bytes cut after their last CR LF, lines are counted as the search
// goes, and each match becomes a result line naming the file and the line.
// Lines are the text reader's: a CR LF ends a line only where the CR starts
// a character (after a lead byte the CR is its trail and reads as a blank),
// so a tag jump to the line lands on the line that holds the match.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace quarn {

struct FileSearchOptions {
  bool matchCase = false;
  bool regular = false;
  bool distinguishWidth = true;
  // The matcher is used for regular expressions and when width is not
  // distinguished; otherwise the plain search.
  bool UsesMatcher() const { return regular || !distinguishWidth; }
};

class FileSearch {
 public:
  static constexpr std::size_t kChunkBytes = 30720;
  static constexpr std::size_t kResultBytes = 512;
  static constexpr std::size_t kExcerptFromMatch = 239;  // match end past the line start that moves the excerpt

  FileSearch();

  // Opens path and finds the first match of text: its result line, or none
  // (an unreadable file gives none).
  std::optional<std::string> SearchFile(FileSystem& files, const std::string& path, const std::string& text,
                                        const FileSearchOptions& options);
  // The same for a file the caller opened (null: none).
  std::optional<std::string> SearchFile(std::unique_ptr<File> file, const std::string& path, const std::string& text,
                                        const FileSearchOptions& options);
  // The next match in the same file.
  std::optional<std::string> SearchNext();
  // Closes the file; the chunk buffer is kept for the next file.
  void CloseSearch();

 private:
  bool ReadChunk();
  // The result line of the match at pos of length n.
  std::string ResultLine(std::size_t pos, std::size_t n);
  std::size_t LineEnd(std::size_t from) const;
  void CountLines(std::size_t pos);
  std::uint32_t TrailPairs(std::size_t from, std::size_t n) const;
  std::size_t FindLiteral() const;
  // Whether x starts a character as the text reader walks the file.
  bool StartsCharacter(std::size_t x) const;
  bool StartsLine(std::size_t x) const;
  // The first line start at or after from in the chunk, else the chunk's end.
  std::size_t NextLineStart(std::size_t from) const;

  std::unique_ptr<File> file_;
  std::string path_;
  std::string text_;
  FileSearchOptions options_;
  std::vector<std::uint8_t> buffer_;  // the chunk, then the bytes read after it
  std::size_t held_ = 0;              // bytes in the buffer
  std::size_t chunk_ = 0;             // length of the chunk
  bool last_ = false;                 // the chunk is the file's last
  std::uint32_t linesBeforeChunk_ = 0;
  std::uint32_t lineBase_ = 0;   // line ends between the chunk start and countedTo_
  std::size_t countedTo_ = 0;    // position the line count has reached
  std::size_t lineStart_ = 0;    // start of the line holding countedTo_
  std::size_t position_ = 0;     // where the next search in the chunk starts
  std::size_t walkStart_ = 0;    // first character start of the chunk (1 after a split character)
  bool chunkStartsLine_ = true;  // the chunk's first byte starts a line
  bool splitLine_ = false;       // the chunk starts with the LF of a CR LF cut by the chunk before
  bool anchored_ = false;        // a regular expression held to line starts ("^...")
  std::string shownPath_;        // the path as the result line shows it
};

}  // namespace quarn
