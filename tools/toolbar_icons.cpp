// Build tool (run by hand): draws the toolbar's fallback pictures into
// src/qt/icons/, each at 20 and 40 pixels. The program uses the desktop
// theme's icon where the theme has one and these otherwise.
//   ninja -C build toolbar_icons && QT_QPA_PLATFORM=offscreen build/toolbar_icons src/qt/icons
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <functional>

namespace {

const QColor kInk(40, 40, 48);
const QColor kPaper(252, 252, 252);
const QColor kBlue(46, 110, 190);
const QColor kRed(200, 50, 40);
const QColor kGreen(40, 140, 70);

void Page(QPainter& p, QRectF r, bool fold = true) {
  QPainterPath path;
  const double f = fold ? 5 : 0;
  path.moveTo(r.left(), r.top());
  path.lineTo(r.right() - f, r.top());
  path.lineTo(r.right(), r.top() + f);
  path.lineTo(r.right(), r.bottom());
  path.lineTo(r.left(), r.bottom());
  path.closeSubpath();
  p.setPen(QPen(kInk, 1));
  p.setBrush(kPaper);
  p.drawPath(path);
  if (fold) p.drawPolyline(QPolygonF({QPointF(r.right() - f, r.top()), QPointF(r.right() - f, r.top() + f),
                                      QPointF(r.right(), r.top() + f)}));
}

void Lines(QPainter& p, double x0, double x1, double y, int n, QColor color = QColor(120, 120, 130)) {
  p.setPen(QPen(color, 1));
  for (int i = 0; i < n; ++i) p.drawLine(QPointF(x0, y + 2.5 * i), QPointF(x1, y + 2.5 * i));
}

void Arrow(QPainter& p, bool right) {
  QPainterPath path;
  const double s = right ? -1 : 1;
  path.moveTo(10 + s * 6, 14);
  path.cubicTo(10 + s * 6, 6, 10 - s * 6, 5, 10 - s * 6, 11);
  p.setPen(QPen(kBlue, 2.2, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  p.drawPath(path);
  p.setPen(Qt::NoPen);
  p.setBrush(kBlue);
  p.drawPolygon(QPolygonF({QPointF(10 - s * 9.5, 10), QPointF(10 - s * 2.5, 10), QPointF(10 - s * 6, 15)}));
}

void Ribbon(QPainter& p, double x, double y) {
  p.setPen(QPen(kRed.darker(130), 1));
  p.setBrush(kRed);
  p.drawPolygon(QPolygonF({QPointF(x, y), QPointF(x + 7, y), QPointF(x + 7, y + 12), QPointF(x + 3.5, y + 8.5),
                           QPointF(x, y + 12)}));
}

void Triangle(QPainter& p, bool down) {
  p.setPen(Qt::NoPen);
  p.setBrush(kGreen);
  if (down)
    p.drawPolygon(QPolygonF({QPointF(11, 11), QPointF(19, 11), QPointF(15, 17)}));
  else
    p.drawPolygon(QPolygonF({QPointF(11, 17), QPointF(19, 17), QPointF(15, 11)}));
}

void Lens(QPainter& p, double x, double y, double r) {
  p.setPen(QPen(kInk, 2.2, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(QColor(200, 225, 250));
  p.drawEllipse(QPointF(x, y), r, r);
  p.drawLine(QPointF(x + r * 0.7, y + r * 0.7), QPointF(x + r * 1.7, y + r * 1.7));
}

using Drawing = std::function<void(QPainter&)>;

const std::vector<std::pair<const char*, Drawing>>& Icons() {
  static const std::vector<std::pair<const char*, Drawing>> icons = {
      {"new", [](QPainter& p) {
         Page(p, QRectF(4.5, 2.5, 11, 15));
         p.setPen(QPen(QColor(230, 170, 0), 1.6));
         p.drawLine(QPointF(14, 12), QPointF(14, 18));
         p.drawLine(QPointF(11, 15), QPointF(17, 15));
       }},
      {"open", [](QPainter& p) {
         p.setPen(QPen(QColor(150, 110, 20), 1));
         p.setBrush(QColor(240, 200, 90));
         p.drawPolygon(QPolygonF({QPointF(2.5, 4.5), QPointF(8, 4.5), QPointF(9.5, 6.5), QPointF(16.5, 6.5),
                                  QPointF(16.5, 16.5), QPointF(2.5, 16.5)}));
         p.setBrush(QColor(250, 222, 130));
         p.drawPolygon(QPolygonF({QPointF(5, 9.5), QPointF(18.5, 9.5), QPointF(16.5, 16.5), QPointF(2.5, 16.5)}));
       }},
      {"save", [](QPainter& p) {
         p.setPen(QPen(kBlue.darker(150), 1));
         p.setBrush(kBlue);
         p.drawRect(QRectF(3.5, 3.5, 13, 13));
         p.setBrush(kPaper);
         p.drawRect(QRectF(6, 3.5, 8, 5));
         p.setBrush(QColor(220, 220, 225));
         p.drawRect(QRectF(5.5, 11, 9, 5.5));
       }},
      {"cut", [](QPainter& p) {
         p.setPen(QPen(kInk, 1.6, Qt::SolidLine, Qt::RoundCap));
         p.drawLine(QPointF(6, 2.5), QPointF(12.5, 13));
         p.drawLine(QPointF(14, 2.5), QPointF(7.5, 13));
         p.setPen(QPen(kRed, 1.6));
         p.setBrush(Qt::NoBrush);
         p.drawEllipse(QPointF(6, 15.5), 2.6, 2.6);
         p.drawEllipse(QPointF(14, 15.5), 2.6, 2.6);
       }},
      {"copy", [](QPainter& p) {
         Page(p, QRectF(2.5, 2.5, 10, 12), false);
         Lines(p, 4.5, 10.5, 5.5, 3);
         Page(p, QRectF(7.5, 6.5, 10, 12), false);
         Lines(p, 9.5, 15.5, 9.5, 4);
       }},
      {"screencopy", [](QPainter& p) {
         p.setPen(QPen(kInk, 1));
         p.setBrush(kPaper);
         p.drawRect(QRectF(1.5, 2.5, 17, 12));
         p.setBrush(kBlue);
         p.drawRect(QRectF(1.5, 2.5, 17, 2.5));
         Lines(p, 3.5, 9, 7.5, 3, kInk);
         Lines(p, 11, 16.5, 7.5, 3, QColor(120, 120, 130));
         p.setPen(QPen(kInk, 1.4));
         p.drawLine(QPointF(7, 17.5), QPointF(13, 17.5));
         p.drawLine(QPointF(10, 14.5), QPointF(10, 17.5));
       }},
      {"paste", [](QPainter& p) {
         p.setPen(QPen(QColor(110, 70, 30), 1));
         p.setBrush(QColor(190, 140, 80));
         p.drawRoundedRect(QRectF(3.5, 3.5, 13, 15), 1.5, 1.5);
         Page(p, QRectF(6, 6.5, 8, 10), false);
         Lines(p, 7.5, 12.5, 9, 3);
         p.setPen(QPen(kInk, 1));
         p.setBrush(QColor(170, 170, 175));
         p.drawRect(QRectF(7.5, 2, 5, 3));
       }},
      {"undo", [](QPainter& p) { Arrow(p, false); }},
      {"redo", [](QPainter& p) { Arrow(p, true); }},
      {"findnext", [](QPainter& p) {
         Lens(p, 7.5, 7.5, 4.5);
         p.setPen(Qt::NoPen);
         p.setBrush(kGreen);
         p.drawPolygon(QPolygonF({QPointF(13, 13), QPointF(19, 16), QPointF(13, 19)}));
       }},
      {"compare", [](QPainter& p) {
         Page(p, QRectF(1.5, 2.5, 7.5, 15), false);
         Page(p, QRectF(11, 2.5, 7.5, 15), false);
         Lines(p, 3, 7.5, 5.5, 5);
         Lines(p, 12.5, 17, 5.5, 5);
         p.setPen(QPen(kRed, 1.4));
         p.drawLine(QPointF(3, 10.5), QPointF(7.5, 10.5));
         p.drawLine(QPointF(12.5, 10.5), QPointF(17, 10.5));
       }},
      {"format", [](QPainter& p) {
         Page(p, QRectF(2.5, 2.5, 15, 15), false);
         p.setPen(QPen(kBlue, 1));
         for (double y : {6.5, 10.5, 14.5}) p.drawLine(QPointF(2.5, y), QPointF(17.5, y));
         for (double x : {7.5, 12.5}) p.drawLine(QPointF(x, 2.5), QPointF(x, 17.5));
         p.fillRect(QRectF(3, 3, 14.5, 3.5), QColor(46, 110, 190, 90));
       }},
      {"mark", [](QPainter& p) {
         Page(p, QRectF(3.5, 2.5, 12, 15), false);
         Lines(p, 5.5, 13.5, 9.5, 3);
         Ribbon(p, 6.5, 1);
       }},
      {"nextmark", [](QPainter& p) {
         Ribbon(p, 2.5, 2.5);
         Triangle(p, true);
       }},
      {"prevmark", [](QPainter& p) {
         Ribbon(p, 2.5, 2.5);
         Triangle(p, false);
       }},
      {"help", [](QPainter& p) {
         p.setPen(QPen(kBlue.darker(130), 1));
         p.setBrush(kBlue);
         p.drawEllipse(QPointF(10, 10), 8, 8);
         QFont font;
         font.setPixelSize(13);
         font.setBold(true);
         p.setFont(font);
         p.setPen(Qt::white);
         p.drawText(QRectF(2, 2, 16, 16), Qt::AlignCenter, QStringLiteral("?"));
       }},
  };
  return icons;
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
  for (const auto& [name, draw] : Icons()) {
    for (int size : {20, 40}) {
      QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
      image.fill(Qt::transparent);
      QPainter painter(&image);
      painter.setRenderHint(QPainter::Antialiasing);
      painter.scale(size / 20.0, size / 20.0);
      draw(painter);
      painter.end();
      const QString file = QStringLiteral("%1/%2%3.png").arg(out, QString::fromLatin1(name),
                                                            size == 20 ? QString() : QStringLiteral("@2x"));
      if (!image.save(file)) return 1;
    }
  }
  return 0;
}
