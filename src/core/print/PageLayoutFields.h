// The page layout as the data file keeps it: the printer font, the margins,
// the numbering, the header and footer lines and the print spacings. The
// page layout dialog and printing take their values from here.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "platform/Types.h"

namespace quarn {

struct PageLayoutFields {
  static constexpr std::size_t kTextBytes = 80;  // header and footer texts

  LogFont font = DefaultFont();  // height in points
  std::array<std::int32_t, 4> margins{50, 100, 50, 100};  // left, top, right, bottom, 0.1 mm
  std::uint32_t printLineNumbers = 1;
  std::uint16_t firstLine = 1;
  std::uint32_t firstPage = 1;
  std::uint32_t headerOn = 1;
  std::uint32_t headerAlign = 0;  // 0 left, 1 centre, 2 right
  std::string header = "FileName = &f  &d &t";
  std::uint32_t footerOn = 1;
  std::uint32_t footerAlign = 1;
  std::string footer = "- &p -";
  std::int32_t lineSpacing = 0;  // 0.1 mm
  std::int32_t charSpacing = 0;

  static LogFont DefaultFont();
  friend bool operator==(const PageLayoutFields&, const PageLayoutFields&) = default;
};

// The application's one page layout.
extern PageLayoutFields gPageLayout;

}  // namespace quarn
