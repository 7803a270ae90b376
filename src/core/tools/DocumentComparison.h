// Comparison of two binary documents row by row as the binary window lays
// them out: each differing row is listed as the two rows' texts, with every
// hexadecimal pair that is equal in both overwritten so that only the
// differing bytes stay readable.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "core/binaryview/BinaryCharColumn.h"
#include "core/binaryview/BinaryLayout.h"

namespace quarn {

// How the binary window writes a row as text.
struct BinaryRowFormat {
  BinaryLayout layout;  // its shape: bytes per row and block
  bool hexAddress = true;
  CharColumnOptions chars;
};

// The heading and the rule under it, each with its CR LF.
std::string BinaryHeadingLines(const BinaryRowFormat& format);
// The row of n bytes at rowStart of doc[0, size), without a line end.
std::string BinaryRowLine(const BinaryRowFormat& format, const std::uint8_t* doc, std::size_t size,
                          std::uint32_t rowStart, int n);

struct CompareOutcome {
  std::uint64_t differingRows = 0;
  bool complete = true;  // false: the sink or keepGoing stopped it
};

// Compares the first min(aSize, bSize) bytes. sink takes the text of each
// differing row (the heading before the first); false from it, or from
// keepGoing (asked every few thousand rows with the rows done), stops.
// replacing: its first character (one or two bytes) fills equal pairs.
CompareOutcome CompareDocuments(const std::uint8_t* a, std::size_t aSize, const std::uint8_t* b, std::size_t bSize,
                                const BinaryRowFormat& format, const std::string& replacing,
                                const std::function<bool(const std::string&)>& sink,
                                const std::function<bool(unsigned long)>& keepGoing);

}  // namespace quarn
