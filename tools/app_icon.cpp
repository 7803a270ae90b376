// Build tool: draws the program's icon (the design of data/org.quarn.Quarn.svg:
// a blue tile with rows of hex cells and the caret's cell in red) as PNG
// files for the hicolor theme.
//   app_icon OUTDIR SIZE...   writes OUTDIR/SIZExSIZE/apps/org.quarn.Quarn.png
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>
#include <cstdlib>

namespace {

struct Cell {
  double x, y, w, h;
  QColor color;
};

QImage Draw(int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / 64.0, size / 64.0);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x1f, 0x4f, 0x8f));
  p.drawRoundedRect(QRectF(4, 4, 56, 56), 9, 9);
  const QColor light(0x9f, 0xc3, 0xef), white(Qt::white), red(0xe8, 0x46, 0x3a);
  const Cell cells[] = {{10, 12, 8, 6, light},  {21, 12, 8, 6, white}, {32, 12, 8, 6, light}, {43, 12, 11, 6, white},
                        {10, 24, 8, 6, white},  {21, 24, 8, 6, red},   {32, 24, 8, 6, white}, {43, 24, 11, 6, light},
                        {10, 36, 8, 6, light},  {21, 36, 8, 6, white}, {32, 36, 8, 6, light}, {43, 36, 11, 6, white},
                        {10, 48, 30, 4, light}};
  for (const Cell& c : cells) {
    p.setBrush(c.color);
    p.drawRoundedRect(QRectF(c.x, c.y, c.w, c.h), 1, 1);
  }
  return image;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc < 3) {
    std::fprintf(stderr, "usage: app_icon OUTDIR SIZE...\n");
    return 2;
  }
  for (int i = 2; i < argc; ++i) {
    const int size = std::atoi(argv[i]);
    const QString dir = QString("%1/%2x%2/apps").arg(QString::fromLocal8Bit(argv[1])).arg(size);
    if (size <= 0 || !QDir().mkpath(dir) || !Draw(size).save(dir + "/org.quarn.Quarn.png")) {
      std::fprintf(stderr, "app_icon: cannot write %s\n", argv[i]);
      return 1;
    }
  }
  return 0;
}
