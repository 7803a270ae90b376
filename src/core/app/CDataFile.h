// The data file of the program: the page layout, the find histories and
// options, the colour chooser's custom colours and the blocks of the tools.
// Read once at start-up, written at exit and after the dialogs that change it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/app/DataFileFormat.h"

namespace quarn {

class CDataFile {
 public:
  // Reads path into the owners of its values. A missing file changes
  // nothing silently; an unreadable one shows 59419 and a malformed one
  // 59421, both leaving every value as it was.
  void Load(const std::string& path);
  // Writes the current values through the replacing write; 59420 and false
  // when that fails or the file would not fit the 30,720-byte buffer (the
  // old file then stays).
  bool Save(const std::string& path);

  // The values as Save writes them.
  DataFileContents Collect() const;
  // Hands the values read to their owners.
  void Apply(const DataFileContents& contents);

 private:
  std::array<std::uint8_t, 52> reserved_{};
  // The blocks of tools whose settings live elsewhere, kept as read so that
  // nothing is lost across runs.
  std::array<std::string, kDataBlockCount> blocks_;
  std::size_t blockCount_ = 0;
};

extern CDataFile gDataFile;

// The program path with its last three characters replaced by "DAT"; empty
// (no data file) when the program path is empty or 261 bytes or longer.
std::string DataFilePath();

}  // namespace quarn
