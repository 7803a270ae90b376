// The cabinet file: one reader that checks every byte it will take before
// taking anything (the current format, versions 0 and 1, and the older
// 16-bit format), and one writer of the current format.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/cabinet/CVeskCabinet.h"
#include "platform/Types.h"

namespace quarn {

// A cabinet file is built in and read into a buffer of this size; a file
// that fills it is malformed.
constexpr std::size_t kCabinetBufferSize = 30720;
constexpr std::size_t kMaxCabinetDocuments = 30;

// One document of the list: where its frame stood and where its window was.
struct CabinetEntry {
  std::string path;
  WindowPlacement placement;
  bool active = false;
  int docKind = 1;             // 1 text, 2 binary (as stored; other values read as 1)
  bool writeProtected = false;
  // Text window: top row, caret column and row. Binary window: top row,
  // caret position, 0.
  std::array<std::uint32_t, 3> position{};
  friend bool operator==(const CabinetEntry&, const CabinetEntry&) = default;
};

enum class CabinetFormat { kMalformed, kCurrent, kOlder };

struct CabinetContents {
  CabinetFormat format = CabinetFormat::kMalformed;
  std::vector<CabinetEntry> entries;
  // The stored settings; the trailing parts a file lacks keep the built-in
  // filter lists, kinsoku 0 and both keyword switches 1.
  CabinetSet set;
};

// Checks the bytes against the current format, then the older one, and
// converts what passes. format is kMalformed (and nothing else filled) when
// neither check passes.
CabinetContents ReadCabinet(const std::uint8_t* data, std::size_t size);
CabinetContents ReadCabinet(const std::string& bytes);

// The file of the current format (version 1) holding entries (at most 30
// are written) and set. withTail false ends the file after the filter
// lists, as a newly created cabinet is written.
std::string WriteCabinet(const std::vector<CabinetEntry>& entries, const CabinetSet& set, bool withTail = true);

}  // namespace quarn
