// The Qt canvas painting into an image, and its fonts.
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
  // The pixels of area in another colour than ground.
  static int NonWhite(const QImage& image, QRect area, QRgb ground = kWhite) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
      for (int x = area.left(); x <= area.right(); ++x) count += image.pixel(x, y) != ground;
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

TEST_F(CanvasTest, FillsInversionsAndLinesCoverExactlyTheirPixels) {
  canvas_->fillRect(Rect{10, 50, 30, 70}, Rgb(0x12, 0x34, 0x56));
  canvas_->fillRect(Rect{150, 50, 140, 70}, Rgb(0, 0, 0));  // empty: nothing
  canvas_->invertRect(Rect{20, 55, 60, 65});
  canvas_->invertRect(Rect{70, 50, 80, 60});
  canvas_->invertRect(Rect{70, 50, 80, 60});  // inverting twice restores
  canvas_->drawLine(10, 5, 20, 5, Rgb(255, 0, 0), 1, PenStyle::kSolid);
  canvas_->drawLine(30, 10, 30, 4, Rgb(0, 0, 255), 1, PenStyle::kSolid);
  canvas_->setClip(Rect{100, 0, 110, 80});
  canvas_->drawLine(90, 30, 130, 30, Rgb(0, 0, 0), 1, PenStyle::kSolid);
  canvas_->clearClip();
  const QImage image = finish();
  // Lines end before their last point; filled and inverted rectangles
  // exclude their right and bottom edges.
  const struct {
    int x, y;
    QRgb colour;
  } pixels[] = {{10, 5, qRgb(255, 0, 0)}, {19, 5, qRgb(255, 0, 0)}, {20, 5, kWhite}, {30, 10, qRgb(0, 0, 255)},
                {30, 5, qRgb(0, 0, 255)}, {30, 4, kWhite}, {12, 68, qRgb(0x12, 0x34, 0x56)},
                {25, 60, qRgb(0xFF - 0x12, 0xFF - 0x34, 0xFF - 0x56)}, {35, 60, qRgb(0, 0, 0)}, {35, 65, kWhite},
                {30, 52, kWhite}};
  for (const auto& p : pixels) EXPECT_EQ(image.pixel(p.x, p.y), p.colour) << p.x << "," << p.y;
  EXPECT_EQ(NonWhite(image, QRect(0, 4, 200, 1)), 0);
  EXPECT_EQ(NonWhite(image, QRect(0, 30, 200, 1)), 10);  // only the clip's ten pixels
  EXPECT_EQ(NonWhite(image, QRect(60, 50, 140, 30)), 0);
}

// Japanese faces map to the installed fonts with sane metrics, and text runs
// are drawn with them.
TEST_F(CanvasTest, JapaneseFontsMapToTheInstalledOnesAndTextRunsKeepTheirAdvances) {
  EXPECT_EQ(FamilyForFace(codec::Utf8ToCp932("ＭＳ ゴシック"), 49), "IPAGothic");
  EXPECT_EQ(FamilyForFace("No Such Face", 0), "IPAGothic");
  EXPECT_EQ(FamilyForFace(codec::Utf8ToCp932("ＭＳ Ｐゴシック"), 50), "IPAPGothic");
  EXPECT_EQ(FamilyForFace(codec::Utf8ToCp932("ＭＳ 明朝"), 17), "IPAMincho");
  canvas_->selectFont(Gothic(16));
  EXPECT_EQ(canvas_->font().family(), "IPAGothic");
  const TextMetric tm = canvas_->textMetrics();
  const int height = tm.height;
  EXPECT_EQ(tm.height, tm.ascent + tm.descent);
  EXPECT_GE(tm.height, 16);
  EXPECT_LE(tm.height, 24);
  EXPECT_EQ(tm.aveCharWidth, 8);  // half of the 16-pixel em of a fixed-pitch font
  EXPECT_GE(tm.maxCharWidth, 16);
  // A run of "A", a kanji (two bytes) and "B" on an opaque band: each
  // character at the sum of its bytes' advances, glyphs clipped to the band;
  // broken bytes take their room but draw nothing.
  canvas_->setTextColor(Rgb(255, 255, 255));
  canvas_->setBkColor(Rgb(0, 0, 255));
  const Rect band{0, 0, 130, 20};
  const std::string text = "A" + codec::Utf8ToCp932("漢") + "BWWW";
  canvas_->extTextOut(0, 0, eto::kOpaque | eto::kClipped, &band, text, {10, 30, 70, 10, 8, 8, 8});
  canvas_->setBkOpaque(false);
  canvas_->setTextColor(Rgb(0, 0, 0));
  canvas_->extTextOut(0, 30, 0, nullptr, std::string("\x01\x02", 2), {8, 8});
  canvas_->extTextOut(0, 45, 0, nullptr, std::string("\x81", 1), {8});
  canvas_->extTextOut(0, 60, 0, nullptr, "AB", {});  // fewer advances than bytes
  const QImage image = finish();
  const auto notBand = [&](QRect area) { return NonWhite(image, area, qRgb(0, 0, 255)); };
  EXPECT_GT(notBand(QRect(0, 0, 10, height)), 0);
  EXPECT_GT(notBand(QRect(10, 0, 16, height)), 10);  // the kanji's strokes
  EXPECT_EQ(notBand(QRect(30, 0, 80, 20)), 0);       // the gap its advances leave
  EXPECT_GT(notBand(QRect(110, 0, 10, height)), 0);
  EXPECT_EQ(image.pixel(129, 19), qRgb(0, 0, 255));
  EXPECT_EQ(NonWhite(image, QRect(130, 0, 70, 20)), 0);  // glyphs beyond the band clipped, no fill
  EXPECT_EQ(NonWhite(image, QRect(0, 20, 200, 40)), 0);
  EXPECT_GT(NonWhite(image, QRect(0, 60, 40, 20)), 0);
}

}  // namespace
}  // namespace quarn::qt
