#include "core/print/CPageLayout.h"

#include <algorithm>
#include <cstring>

#include "core/cabinet/DeviceUnits.h"

namespace quarn {
namespace {

constexpr std::size_t kFixedBytes = 52;

bool InRange(int v, int low, int high) { return v >= low && v <= high; }

void Put(std::vector<std::uint8_t>& out, std::int32_t v) {
  std::uint8_t b[4];
  PutLe32(b, std::uint32_t(v));
  out.insert(out.end(), b, b + 4);
}

}  // namespace

CPageLayout::CPageLayout(const PageLayoutFields& f)
    : firstPage(int(f.firstPage)),
      firstLine(int(f.firstLine)),
      printLineNumbers(f.printLineNumbers == 1),
      charSpacing(f.charSpacing / 5),
      lineSpacing(f.lineSpacing / 5),
      headerOn(f.headerOn == 1),
      headerAlign(int(f.headerAlign)),
      header(f.header),
      footerOn(f.footerOn == 1),
      footerAlign(int(f.footerAlign)),
      footer(f.footer),
      font(f.font) {
  for (int i = 0; i < 4; ++i) margins[i] = f.margins[i] / 10;
}

bool CPageLayout::Valid() const {
  for (int m : margins) {
    if (!InRange(m, 0, kMaxMillimetres)) return false;
  }
  return InRange(charSpacing, 0, kSpacingItems - 1) && InRange(lineSpacing, 0, kSpacingItems - 1) &&
         InRange(firstPage, 0, kMaxNumber) && InRange(firstLine, 0, kMaxNumber) && InRange(headerAlign, 0, 2) &&
         InRange(footerAlign, 0, 2);
}

void CPageLayout::Store(PageLayoutFields& f) const {
  for (int i = 0; i < 4; ++i) f.margins[i] = margins[i] * 10;
  f.firstPage = std::uint32_t(firstPage);
  f.firstLine = std::uint16_t(firstLine);
  f.printLineNumbers = printLineNumbers ? 1 : 0;
  f.charSpacing = charSpacing * 5;
  f.lineSpacing = lineSpacing * 5;
  f.headerOn = headerOn ? 1 : 0;
  f.headerAlign = std::uint32_t(headerAlign);
  f.header = header.substr(0, PageLayoutFields::kTextBytes);
  f.footerOn = footerOn ? 1 : 0;
  f.footerAlign = std::uint32_t(footerAlign);
  f.footer = footer.substr(0, PageLayoutFields::kTextBytes);
  f.font = font;
}

bool CPageLayout::ChooseFont(const LogFont& chosen, int pointTenths, int screenDpiY) {
  font = chosen;
  int points = std::max(1, pointTenths / 10);
  const bool fits = PointsToPixels(screenDpiY, points) <= kMaxFontPixels;
  if (!fits) points = std::max(1, kMaxFontPixels * 72 / std::max(1, screenDpiY));
  font.height = points;
  font.width = 0;
  return fits;
}

std::vector<std::uint8_t> CPageLayout::Block() const {
  std::vector<std::uint8_t> out;
  for (int m : margins) Put(out, m);
  for (int v : {firstPage, firstLine, int(printLineNumbers), charSpacing, lineSpacing, headerOn ? 0 : 1, headerAlign,
                footerOn ? 0 : 1, footerAlign}) {
    Put(out, v);
  }
  std::uint8_t lf[LogFont::kSize];
  font.serialize(lf);
  out.insert(out.end(), lf, lf + LogFont::kSize);
  out.insert(out.end(), header.begin(), header.end());
  out.push_back(0);
  out.insert(out.end(), footer.begin(), footer.end());
  out.push_back(0);
  return out;
}

std::optional<CPageLayout> CPageLayout::FromBlock(const std::vector<std::uint8_t>& block) {
  const std::size_t textStart = kFixedBytes + LogFont::kSize;
  if (block.size() < textStart + 2) return std::nullopt;
  auto value = [&](int i) { return std::int32_t(GetLe32(block.data() + 4 * i)); };
  CPageLayout d;
  for (int i = 0; i < 4; ++i) d.margins[i] = value(i);
  d.firstPage = value(4);
  d.firstLine = value(5);
  const int numbers = value(6), headerRadio = value(9), footerRadio = value(11);
  d.charSpacing = value(7);
  d.lineSpacing = value(8);
  d.headerAlign = value(10);
  d.footerAlign = value(12);
  if (!InRange(numbers, 0, 1) || !InRange(headerRadio, 0, 1) || !InRange(footerRadio, 0, 1)) return std::nullopt;
  d.printLineNumbers = numbers == 1;
  d.headerOn = headerRadio == 0;
  d.footerOn = footerRadio == 0;
  d.font = LogFont::deserialize(block.data() + kFixedBytes);

  const auto* text = reinterpret_cast<const char*>(block.data() + textStart);
  const std::size_t room = block.size() - textStart;
  const std::size_t n = strnlen(text, room);
  if (n >= room) return std::nullopt;
  const std::size_t m = strnlen(text + n + 1, room - n - 1);
  if (n + 1 + m >= room || n > PageLayoutFields::kTextBytes || m > PageLayoutFields::kTextBytes) return std::nullopt;
  d.header.assign(text, n);
  d.footer.assign(text + n + 1, m);
  if (!d.Valid()) return std::nullopt;
  return d;
}

}  // namespace quarn
