// The data file's bytes: one reader that checks the whole file (the current
// format with its six blocks, and the older 16-bit format) before taking
// anything, and one writer of the current format.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/print/PageLayoutFields.h"

namespace quarn {

// The file is read into and built in a buffer of this size; a file that
// fills it is malformed.
constexpr std::size_t kDataBufferSize = 30720;
constexpr std::size_t kDataHeaderSize = 360;
constexpr std::size_t kOlderDataHeaderSize = 306;
constexpr std::size_t kDataBlockCount = 6;
constexpr std::size_t kToolsBlock = 0;         // index of the user tools' block
constexpr std::size_t kCustomColorsBlock = 2;  // index of the colour chooser's block
constexpr std::size_t kPopupBlock = 4;         // index of the popup menu's block

// Bits of the stored find options.
constexpr std::uint32_t kOptionMatchCase = 1;
constexpr std::uint32_t kOptionWidthOff = 2;  // set when width is not distinguished
constexpr std::uint32_t kOptionRegular = 4;

enum class DataFileFormat { kMalformed, kCurrent, kOlder };

struct DataFileContents {
  PageLayoutFields page;
  std::vector<std::string> findHistory;
  std::vector<std::string> replaceHistory;
  std::vector<std::string> patternHistory;
  std::uint32_t options = 0;
  std::uint32_t subdirectories = 1;
  std::uint32_t directionDown = 1;
  std::array<std::uint8_t, 52> reserved{};
  // The blocks' bytes as stored; the file held the first blockCount.
  std::array<std::string, kDataBlockCount> blocks;
  std::size_t blockCount = 0;
  friend bool operator==(const DataFileContents&, const DataFileContents&) = default;
};

// Checks data against the current format, then the older one. Nothing in
// out changes unless the result is not kMalformed.
DataFileFormat ReadDataFile(const std::uint8_t* data, std::size_t size, DataFileContents& out);

// The file of the current format. Histories are written as given (the
// caller keeps them within their limits); the first blockCount blocks follow
// the header and the histories.
std::string WriteDataFile(const DataFileContents& contents);

// The length of the block of index (0 to 5) at the start of data, as its
// owner's check reads its form; 0 when it is malformed.
std::size_t CheckDataBlock(std::size_t index, const std::uint8_t* data, std::size_t size);

// The block of index as a program without stored settings writes it.
std::string DefaultDataBlock(std::size_t index);

}  // namespace quarn
