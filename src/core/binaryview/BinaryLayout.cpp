#include "core/binaryview/BinaryLayout.h"

#include <algorithm>

#include "core/cabinet/DeviceUnits.h"

namespace quarn {

void BinaryLayout::SetShape(int bytesPerLine, int blockBytes) {
  bytes_ = std::max(1, bytesPerLine);
  block_ = std::max(1, blockBytes);
}

void BinaryLayout::SetMetrics(const TextMetric& font, int dpiX, int dpiY, int charSpacing, int lineSpacing,
                              int leftMarginLM, int topMarginLM) {
  if (lineSpacing < 0 || lineSpacing > 100) lineSpacing = 0;
  // A window without a screen font still needs cells of some size: every
  // hit test and visible extent divides by them.
  charWidth_ = std::max(1, TenthMmToPixels(dpiX, charSpacing) + font.aveCharWidth);
  lineHeight_ = std::max(1, TenthMmToPixels(dpiY, lineSpacing) + font.height);
  fontHeight_ = font.height;
  leftMargin_ = TenthMmToPixels(dpiX, leftMarginLM);
  topMargin_ = TenthMmToPixels(dpiY, topMarginLM);
}

void BinaryLayout::SetClientSize(int width, int height) {
  clientWidth_ = std::max(0, width);
  clientHeight_ = std::max(0, height);
}

BinaryHit BinaryLayout::HitTestColumn(int column) const {
  BinaryHit hit;
  const int textStart = TextStart();
  if (column >= textStart - 1) {
    hit.area = BinaryArea::kText;
    hit.index = column == textStart - 1 ? 0 : column - textStart;
  } else {
    hit.area = BinaryArea::kHex;
    if (column >= kHexStart) {
      const int blockCells = 3 * block_ + 1;
      const int block = (column + 1 - kHexStart) / blockCells;
      hit.index = (column + 1 - blockCells * block - kHexStart) / 3 + block_ * block;
    }
  }
  if (hit.index >= bytes_) {
    hit.pastEnd = true;
    hit.index = bytes_ - 1;
  }
  return hit;
}

std::uint32_t BinaryLayout::Rows(std::uint32_t textLength) const {
  const auto b = std::uint32_t(bytes_);
  return textLength / b + (textLength % b ? 1 : 0);
}

int BinaryLayout::VisibleRows() const {
  const int room = clientHeight_ - DataTop();
  return room > 0 ? room / lineHeight_ : 0;
}

int BinaryLayout::VisibleRowsPartial() const {
  const int room = clientHeight_ - DataTop();
  return room > 0 ? (room + lineHeight_ - 1) / lineHeight_ : 0;
}

int BinaryLayout::VisibleColumns() const {
  const int room = clientWidth_ - leftMargin_;
  return room > 0 ? room / charWidth_ : 0;
}

std::int64_t BinaryLayout::RowTop(std::uint32_t row) const {
  return (std::int64_t(row) - std::int64_t(firstRow_)) * lineHeight_ + DataTop();
}

BinaryPointHit BinaryLayout::HitTestPoint(int x, int y) const {
  BinaryPointHit result;
  const std::int64_t row = std::int64_t((y - DataTop()) / lineHeight_) + firstRow_;
  result.row = row < 0 ? 0 : std::uint32_t(std::min<std::int64_t>(row, 0xFFFFFFFF));
  const int column = (x - leftMargin_) / charWidth_ + firstColumn_;
  result.hit = HitTestColumn(column);
  const std::uint64_t pos = std::uint64_t(bytes_) * result.row + std::uint64_t(result.hit.index);
  result.position = std::uint32_t(std::min<std::uint64_t>(pos, 0xFFFFFFFF));
  return result;
}

std::uint32_t BinaryLayout::LastVisiblePos(std::uint32_t textLength) const {
  const std::uint32_t rows = Rows(textLength);
  if (rows == 0) return 0;
  const auto shown = std::uint32_t(std::max(1, VisibleRowsPartial()));
  const std::uint64_t lastRow = std::min<std::uint64_t>(rows - 1, std::uint64_t(firstRow_) + shown - 1);
  const std::uint64_t rowEnd = (lastRow + 1) * std::uint64_t(bytes_) - 1;
  return std::uint32_t(std::min<std::uint64_t>(rowEnd, textLength - 1));
}

ScrollRange BinaryLayout::VerticalRange(std::uint32_t textLength) const {
  const std::int64_t rows = Rows(textLength);
  const int visible = VisibleRows();
  if (rows + 1 > visible) return ScrollRange{true, int(std::min<std::int64_t>(rows - visible + 1, 0x7FFFFFFF))};
  return ScrollRange{false, 1};
}

ScrollRange BinaryLayout::HorizontalRange() const {
  const int excess = RowColumns() - VisibleColumns();
  if (excess > 0) return ScrollRange{true, excess};
  return ScrollRange{false, 0};
}

std::int64_t BinaryLayout::UnderlineY(std::uint32_t row, bool oneRasterLow) const {
  std::int64_t y = RowTop(row) + fontHeight_ - 1;
  if (lineHeight_ - fontHeight_ > 1) y += 2;
  if (oneRasterLow) y += 1;
  return y;
}

}  // namespace quarn
