// The Qt canvas painting into an image: what a user would see of fills,
// inversions, lines, text runs with their advances, and the font metrics.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "platform/Cp932Codec.h"
#include "qt/QtCanvas.h"
#include "qt/QtFontMapper.h"

namespace quarn::qt {
namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;

class CanvasTest : public ::testing::Test {
 protected:
  CanvasTest() : image_(200, 80, QImage::Format_RGB32) {
    image_.fill(Qt::white);
    painter_.begin(&image_);
    canvas_ = std::make_unique<QtCanvas>(painter_);
  }
  ~CanvasTest() override {
    canvas_.reset();
    if (painter_.isActive()) painter_.end();
  }
  QImage finish() {
    canvas_.reset();
    painter_.end();
    return image_;
  }
  static int NonWhite(const QImage& image, QRect area) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
      for (int x = area.left(); x <= area.right(); ++x) count += image.pixel(x, y) != kWhite;
    return count;
  }
  static LogFont Gothic(int pixels) {
    LogFont lf;
    lf.height = -pixels;
    lf.setFace(codec::Utf8ToCp932("ＭＳ ゴシック"));
    return lf;
  }
  QImage image_;
  QPainter painter_;
  std::unique_ptr<QtCanvas> canvas_;
};

TEST_F(CanvasTest, FillsAndInversionsCoverExactlyTheirRectangles) {
  canvas_->fillRect(Rect{10, 10, 30, 20}, Rgb(0x12, 0x34, 0x56));
  canvas_->fillRect(Rect{50, 10, 40, 20}, Rgb(0, 0, 0));  // empty: nothing
  canvas_->invertRect(Rect{20, 15, 60, 25});
  canvas_->invertRect(Rect{70, 40, 80, 50});
  canvas_->invertRect(Rect{70, 40, 80, 50});  // inverting twice restores
  const QImage image = finish();
  EXPECT_EQ(image.pixel(10, 10), qRgb(0x12, 0x34, 0x56));
  EXPECT_EQ(image.pixel(19, 19), qRgb(0x12, 0x34, 0x56));
  EXPECT_EQ(image.pixel(25, 17), qRgb(0xFF - 0x12, 0xFF - 0x34, 0xFF - 0x56));
  EXPECT_EQ(image.pixel(35, 17), qRgb(0, 0, 0));  // inverted white
  EXPECT_EQ(image.pixel(35, 25), kWhite);          // bottom edge excluded
  EXPECT_EQ(image.pixel(30, 12), kWhite);          // right edge of the fill excluded
  EXPECT_EQ(NonWhite(image, QRect(40, 0, 160, 15)), 0);
  EXPECT_EQ(NonWhite(image, QRect(60, 30, 140, 50)), 0);
}

TEST_F(CanvasTest, LinesStopBeforeTheirEndPointAndHonourWidthAndClip) {
  canvas_->drawLine(10, 5, 20, 5, Rgb(255, 0, 0), 1, PenStyle::kSolid);
  canvas_->drawLine(30, 10, 30, 4, Rgb(0, 0, 255), 1, PenStyle::kSolid);
  canvas_->drawLine(40, 20, 50, 20, Rgb(0, 128, 0), 2, PenStyle::kSolid);
  canvas_->setClip(Rect{100, 0, 110, 80});
  canvas_->drawLine(90, 30, 130, 30, Rgb(0, 0, 0), 1, PenStyle::kSolid);
  canvas_->clearClip();
  canvas_->drawLine(90, 40, 130, 40, Rgb(0, 0, 0), 1, PenStyle::kDot);
  const QImage image = finish();
  EXPECT_EQ(image.pixel(10, 5), qRgb(255, 0, 0));
  EXPECT_EQ(image.pixel(19, 5), qRgb(255, 0, 0));
  EXPECT_EQ(image.pixel(20, 5), kWhite);
  EXPECT_EQ(NonWhite(image, QRect(0, 4, 200, 1)), 0);
  EXPECT_EQ(image.pixel(30, 10), qRgb(0, 0, 255));
  EXPECT_EQ(image.pixel(30, 5), qRgb(0, 0, 255));
  EXPECT_EQ(image.pixel(30, 4), kWhite);
  EXPECT_EQ(NonWhite(image, QRect(40, 18, 10, 4)), 20);  // two rows of ten
  EXPECT_EQ(NonWhite(image, QRect(0, 30, 200, 1)), 10);  // only the clip's ten pixels
  const int dots = NonWhite(image, QRect(90, 40, 40, 1));
  EXPECT_GT(dots, 5);
  EXPECT_LT(dots, 39);  // dotted, not solid
}

TEST_F(CanvasTest, JapaneseFontsMapToTheInstalledGothicWithSaneMetrics) {
  EXPECT_EQ(FamilyForFace(codec::Utf8ToCp932("ＭＳ ゴシック"), 49), "IPAGothic");
  EXPECT_EQ(FamilyForFace("Fixedsys", 49), "IPAGothic");
  EXPECT_EQ(FamilyForFace("No Such Face", 0), "IPAGothic");
  EXPECT_EQ(FamilyForFace(codec::Utf8ToCp932("ＭＳ Ｐゴシック"), 50), "IPAPGothic");
  EXPECT_EQ(FamilyForFace(codec::Utf8ToCp932("ＭＳ 明朝"), 17), "IPAMincho");
  canvas_->selectFont(Gothic(16));
  EXPECT_EQ(canvas_->font().family(), "IPAGothic");
  const TextMetric tm = canvas_->textMetrics();
  EXPECT_EQ(tm.height, tm.ascent + tm.descent);
  EXPECT_GE(tm.height, 16);
  EXPECT_LE(tm.height, 24);
  EXPECT_EQ(tm.aveCharWidth, 8);  // half of the 16-pixel em of a fixed-pitch font
  EXPECT_GE(tm.maxCharWidth, 16);
  LogFont cell = Gothic(0);
  cell.height = 20;  // a cell height, not a character height
  canvas_->selectFont(cell);
  const TextMetric byCell = canvas_->textMetrics();
  EXPECT_GE(byCell.height, 18);
  EXPECT_LE(byCell.height, 21);
}

TEST_F(CanvasTest, TextRunPlacesEachCharacterAtItsAdvance) {
  canvas_->selectFont(Gothic(16));
  const int height = canvas_->textMetrics().height;
  canvas_->setBkOpaque(false);
  // "A", a kanji (two bytes), "B": the kanji's advance is the sum of its two
  // byte advances; B lands 100 pixels to the right.
  const std::string text = "A" + codec::Utf8ToCp932("漢") + "B";
  canvas_->extTextOut(0, 0, 0, nullptr, text, {10, 30, 70, 10});
  const QImage image = finish();
  EXPECT_GT(NonWhite(image, QRect(0, 0, 10, height)), 0);
  EXPECT_GT(NonWhite(image, QRect(10, 0, 16, height)), 10);  // the kanji's strokes
  EXPECT_EQ(NonWhite(image, QRect(30, 0, 80, height)), 0);  // the gap its advances leave
  EXPECT_GT(NonWhite(image, QRect(110, 0, 10, height)), 0);
  EXPECT_EQ(NonWhite(image, QRect(0, height, 200, 80 - height)), 0);
}

TEST_F(CanvasTest, OpaqueBandsAndClippingOfTextRuns) {
  canvas_->selectFont(Gothic(16));
  canvas_->setTextColor(Rgb(255, 255, 255));
  canvas_->setBkColor(Rgb(0, 0, 255));
  const Rect band{0, 0, 60, 20};
  canvas_->extTextOut(0, 0, eto::kOpaque | eto::kClipped, &band, "ABCDEFGHIJ", std::vector<int>(10, 8));
  // Transparent background outside a band; clipped glyphs stop at the rect.
  canvas_->setBkOpaque(false);
  canvas_->setTextColor(Rgb(0, 0, 0));
  const Rect clip{0, 40, 20, 60};
  canvas_->extTextOut(0, 40, eto::kClipped, &clip, "WWWWW", std::vector<int>(5, 8));
  const QImage image = finish();
  EXPECT_EQ(image.pixel(59, 19), qRgb(0, 0, 255));
  EXPECT_EQ(image.pixel(60, 5), kWhite);  // glyphs beyond the band clipped, no fill
  EXPECT_EQ(NonWhite(image, QRect(60, 0, 140, 20)), 0);
  int whiteInBand = 0;
  for (int x = 0; x < 60; ++x) whiteInBand += image.pixel(x, 10) != qRgb(0, 0, 255);
  EXPECT_GT(whiteInBand, 0);  // the glyphs show on the band
  EXPECT_GT(NonWhite(image, QRect(0, 40, 20, 20)), 0);
  EXPECT_EQ(NonWhite(image, QRect(20, 40, 180, 20)), 0);
}

TEST_F(CanvasTest, BrokenBytesTakeTheirRoomButDrawNothing) {
  canvas_->selectFont(Gothic(16));
  canvas_->setBkOpaque(false);
  // A control byte, a lone lead byte at the end and fewer advances than
  // bytes must neither crash nor draw garbage.
  canvas_->extTextOut(0, 0, 0, nullptr, std::string("\x01\x02", 2), {8, 8});
  canvas_->extTextOut(0, 30, 0, nullptr, std::string("\x81", 1), {8});
  canvas_->extTextOut(0, 60, 0, nullptr, "AB", {});
  const QImage image = finish();
  EXPECT_EQ(NonWhite(image, QRect(0, 0, 200, 50)), 0);
  EXPECT_GT(NonWhite(image, QRect(0, 60, 40, 20)), 0);
}

TEST_F(CanvasTest, DrawTextAlignsInItsRectangle) {
  canvas_->selectFont(Gothic(12));
  canvas_->setBkOpaque(false);
  canvas_->drawText(codec::Utf8ToCp932("右"), Rect{0, 0, 200, 30}, dt::kRight | dt::kSingleLine | dt::kVCenter);
  canvas_->drawText("&File", Rect{0, 40, 200, 80}, dt::kCenter);
  const QImage image = finish();
  EXPECT_EQ(NonWhite(image, QRect(0, 0, 180, 30)), 0);
  EXPECT_GT(NonWhite(image, QRect(180, 5, 20, 20)), 0);
  EXPECT_EQ(NonWhite(image, QRect(0, 40, 70, 40)), 0);
  EXPECT_GT(NonWhite(image, QRect(80, 40, 40, 20)), 0);
}

}  // namespace
}  // namespace quarn::qt
