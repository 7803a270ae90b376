// The page layout dialog's model: the page layout in whole millimetres and
// drop-down indexes, what OK stores, the printer font button's size cap, and
// the parameter block the command records and replays.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/print/PageLayoutFields.h"

namespace quarn {

class CPageLayout {
 public:
  static constexpr int kMaxMillimetres = 1000;
  static constexpr int kMaxNumber = 32767;
  static constexpr int kSpacingItems = 8;  // "0", "+0.5 mm" .. "+3.5 mm"
  static constexpr int kMaxFontPixels = 100;

  CPageLayout() = default;
  explicit CPageLayout(const PageLayoutFields& fields);

  // Left, top, right, bottom in mm.
  int margins[4] = {5, 10, 5, 10};
  int firstPage = 1;
  int firstLine = 1;
  bool printLineNumbers = true;
  int charSpacing = 0;  // drop-down index, -1 when nothing is chosen
  int lineSpacing = 0;
  bool headerOn = true;
  int headerAlign = 0;
  std::string header;
  bool footerOn = true;
  int footerAlign = 1;
  std::string footer;
  LogFont font = PageLayoutFields::DefaultFont();  // height in points

  // OK is refused (with a beep) while a drop-down has no selection or a
  // value lies outside its range.
  bool Valid() const;
  // Stores the dialog's values; the texts are cut to 80 bytes.
  void Store(PageLayoutFields& fields) const;

  // The font dialog's answer: pointTenths is its size in tenths of a point.
  // Answers false (the dialog beeps) when the size was cut to the points
  // that make 100 pixels on the screen.
  bool ChooseFont(const LogFont& chosen, int pointTenths, int screenDpiY);

  // The recorded block: thirteen 32-bit values, the font, the two texts.
  std::vector<std::uint8_t> Block() const;
  // Reads a recorded block; nothing when it is short, lacks a zero or holds
  // a value the dialog could not have given.
  static std::optional<CPageLayout> FromBlock(const std::vector<std::uint8_t>& block);
};

}  // namespace quarn
