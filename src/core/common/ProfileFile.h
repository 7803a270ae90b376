// A private-profile (.ini) file: "[Section]" lines and "key=value" lines,
// with section and key names compared without regard to ASCII case. The
// whole file is held as its lines; a write changes or adds one line and
// every other line, comment and section stays byte for byte as it was.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quarn {

// Reads a decimal integer at the start of text (after blanks, with an
// optional sign), as the profile calls read one; digits past the 32-bit
// range wrap as 32-bit arithmetic does, so a value written as unsigned reads
// back. Returns false when there is no digit.
bool ParseProfileInt(std::string_view text, int& value);

class ProfileFile {
 public:
  ProfileFile() = default;

  // Reads the file through the platform's file system. A missing file is an
  // empty profile that Save() may create; a file that exists but cannot be
  // read is also empty but is never overwritten. False when nothing was read.
  bool Load(const std::string& path);
  // Writes the lines back to the path given to Load(). False when the file
  // could not be written or was not readable when loaded.
  bool Save();

  // Takes the contents from memory (the path stays as it is).
  void Parse(std::string_view text);
  std::string Text() const;
  const std::string& Path() const { return path_; }

  bool Has(std::string_view section, std::string_view key) const;
  // The value with its surrounding blanks removed and one pair of matching
  // quotes taken off; def when the key is missing.
  std::string GetString(std::string_view section, std::string_view key,
                        std::string_view def = {}) const;
  // The decimal value; def when the key is missing, empty or not a number.
  int GetInt(std::string_view section, std::string_view key, int def) const;

  // Replaces the key's first line, or adds it at the end of the section
  // (and the section at the end of the file when there is none).
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  // A value holding a line break or a NUL cannot be a line of the file: it
  // would be read back cut short.
  static bool CanHold(std::string_view value) {
    return value.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
  }
  void WriteInt(std::string_view section, std::string_view key, int value);

 private:
  enum class Kind : std::uint8_t { kOther, kSection, kKey };
  struct Line {
    std::string text;  // without its line end
    std::string end;   // "\r\n", "\n" or empty for a last line without one
    Kind kind = Kind::kOther;
    std::string name;  // section or key name, folded to lower case
    std::size_t valueStart = 0;
  };

  static void Classify(Line& line);
  // Index of the key's line in the first matching section, or npos.
  std::size_t FindKey(std::string_view section, std::string_view key) const;
  // Index after which a new key of the section goes, or npos without section.
  std::size_t SectionInsertPoint(std::string_view section) const;
  std::string NewLineEnd() const;
  // The value of key line index as GetString gives it.
  std::string ValueAt(std::size_t index) const;

  std::string path_;
  std::vector<Line> lines_;
  bool writable_ = true;
};

}  // namespace quarn
