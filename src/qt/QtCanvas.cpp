#include "qt/QtCanvas.h"

#include <QFontMetrics>
#include <QGlyphRun>
#include <QPaintDevice>
#include <QPaintEngine>
#include <algorithm>
#include <cstdlib>

#include "core/encoding/Cp932.h"
#include "qt/QtFontMapper.h"
#include "qt/QtText.h"

namespace quarn::qt {

QColor ToQColor(ColorRef color) { return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF); }

QRect ToQRect(const Rect& rect) { return QRect(rect.left, rect.top, rect.width(), rect.height()); }

namespace {

// One character of a run: its Unicode text (empty for a control character
// or a byte that is no character, which takes its room but draws nothing),
// its left edge from the run's origin and its advance.
struct PlacedChar {
  QString text;
  int x = 0;
  int advance = 0;
};

QString DecodeChar(const std::string& text, std::size_t at, std::size_t length) {
  const auto b = std::uint8_t(text[at]);
  if (length == 1) {
    if (b < 0x20 || b == 0x7F) return {};
    if (b < 0x80) return QString(QChar(b));
    if (cp932::IsHalfWidthKana(b)) return QString(QChar(0xFF61 + (b - 0xA1)));
    if (cp932::IsLeadByte(b)) return {};  // a lead byte without its trail byte
  }
  QString decoded = ToQString(text.substr(at, length));
  if (decoded == QString(QChar(QChar::ReplacementCharacter))) return {};
  return decoded;
}

std::vector<PlacedChar> PlaceChars(const std::string& text, const std::vector<int>& advances,
                                   const QFontMetrics& metrics) {
  std::vector<PlacedChar> chars;
  chars.reserve(text.size());
  int x = 0;
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = (cp932::IsLeadByte(std::uint8_t(text[i])) && i + 1 < text.size()) ? 2 : 1;
    PlacedChar placed{DecodeChar(text, i, length), x, 0};
    if (i + length <= advances.size()) {
      for (std::size_t k = i; k < i + length; ++k) placed.advance += advances[k];
    } else {
      placed.advance = placed.text.isEmpty() ? 0 : metrics.horizontalAdvance(placed.text);
    }
    x += placed.advance;
    chars.push_back(std::move(placed));
    i += length;
  }
  return chars;
}

}  // namespace

QtCanvas::QtCanvas(QPainter& painter) : painter_(painter) { selectFont(LogFont{}); }

void QtCanvas::applyFont(const QFont& font) {
  font_ = font;
  painter_.setFont(font_);
  rawFont_ = QRawFont::fromFont(font_);
}

void QtCanvas::selectFont(const LogFont& lf) { applyFont(FontForLogFont(lf, painter_.device())); }

TextMetric QtCanvas::textMetrics() {
  const QFontMetrics fm(font_, painter_.device());
  TextMetric tm;
  tm.ascent = fm.ascent();
  tm.descent = fm.descent();
  tm.height = tm.ascent + tm.descent;
  tm.internalLeading = std::max(0, tm.height - font_.pixelSize());
  tm.externalLeading = std::max(0, fm.leading());
  // The width of a half-width character: the cell of the fixed-pitch fonts.
  tm.aveCharWidth = fm.horizontalAdvance(QLatin1Char('x'));
  tm.maxCharWidth = std::max(fm.maxWidth(), tm.aveCharWidth);
  return tm;
}

int QtCanvas::textExtent(const std::string& text) {
  return QFontMetrics(font_, painter_.device()).horizontalAdvance(ToQString(text));
}

int QtCanvas::dpiX() const { return painter_.device() ? painter_.device()->logicalDpiX() : 96; }
int QtCanvas::dpiY() const { return painter_.device() ? painter_.device()->logicalDpiY() : 96; }

void QtCanvas::extTextOut(int x, int y, unsigned options, const Rect* rect, const std::string& text,
                          const std::vector<int>& advances) {
  const QFontMetrics fm(font_, painter_.device());
  const std::vector<PlacedChar> chars = PlaceChars(text, advances, fm);
  const int width = chars.empty() ? 0 : chars.back().x + chars.back().advance;

  painter_.save();
  if (rect && (options & eto::kOpaque)) {
    painter_.fillRect(ToQRect(*rect), ToQColor(bkColor_));
  } else if (bkOpaque_ && width > 0) {
    painter_.fillRect(QRect(x, y, width, fm.ascent() + fm.descent()), ToQColor(bkColor_));
  }
  if (rect && (options & eto::kClipped)) painter_.setClipRect(ToQRect(*rect), Qt::IntersectClip);
  painter_.setPen(ToQColor(textColor_));

  // One glyph run for everything the selected font can show; characters it
  // has no glyph for go through Qt's font fallback one by one.
  QString joined;
  std::vector<const PlacedChar*> drawn;
  for (const PlacedChar& c : chars) {
    if (c.text.size() == 1) {
      joined += c.text;
      drawn.push_back(&c);
    }
  }
  const QList<quint32> glyphs = rawFont_.isValid() ? rawFont_.glyphIndexesForString(joined) : QList<quint32>();
  const int baseline = y + fm.ascent();
  QList<quint32> runGlyphs;
  QList<QPointF> runPositions;
  std::vector<const PlacedChar*> fallback;
  for (std::size_t k = 0; k < drawn.size(); ++k) {
    if (glyphs.size() == qsizetype(drawn.size()) && glyphs[qsizetype(k)] != 0) {
      runGlyphs.push_back(glyphs[qsizetype(k)]);
      runPositions.push_back(QPointF(drawn[k]->x, 0));
    } else {
      fallback.push_back(drawn[k]);
    }
  }
  for (const PlacedChar& c : chars) {
    if (c.text.size() > 1) fallback.push_back(&c);
  }
  if (!runGlyphs.isEmpty()) {
    QGlyphRun run;
    run.setRawFont(rawFont_);
    run.setGlyphIndexes(runGlyphs);
    run.setPositions(runPositions);
    run.setUnderline(font_.underline());
    run.setStrikeOut(font_.strikeOut());
    painter_.drawGlyphRun(QPointF(x, baseline), run);
  }
  for (const PlacedChar* c : fallback) painter_.drawText(QPoint(x + c->x, baseline), c->text);
  painter_.restore();
}

void QtCanvas::fillRect(const Rect& rect, ColorRef color) {
  if (rect.width() > 0 && rect.height() > 0) painter_.fillRect(ToQRect(rect), ToQColor(color));
}

void QtCanvas::invertRect(const Rect& rect) {
  if (rect.width() <= 0 || rect.height() <= 0) return;
  QPaintEngine* engine = painter_.paintEngine();
  QPainter::CompositionMode mode;
  if (engine && engine->hasFeature(QPaintEngine::RasterOpModes)) {
    mode = QPainter::RasterOp_SourceXorDestination;
  } else if (engine && engine->hasFeature(QPaintEngine::BlendModes)) {
    mode = QPainter::CompositionMode_Difference;
  } else {
    return;  // a device that cannot invert (a printer) shows no inversion
  }
  painter_.save();
  painter_.setCompositionMode(mode);
  painter_.fillRect(ToQRect(rect), Qt::white);
  painter_.restore();
}

void QtCanvas::drawLine(int x1, int y1, int x2, int y2, ColorRef color, int width, PenStyle style) {
  // Like a device context, the line stops one pixel before its end point.
  const int dx = x2 - x1;
  const int dy = y2 - y1;
  const int steps = std::max(std::abs(dx), std::abs(dy));
  if (steps == 0) return;
  const int pen = std::max(1, width);
  const QColor qcolor = ToQColor(color);
  if (style == PenStyle::kSolid && (dx == 0 || dy == 0)) {
    // Axis-aligned solid lines as exact rectangles, centred on the line.
    const int across = y1 - pen / 2;
    if (dy == 0) {
      painter_.fillRect(QRect(std::min(x1, x2 + 1), across, steps, pen), qcolor);
    } else {
      painter_.fillRect(QRect(x1 - pen / 2, std::min(y1, y2 + 1), pen, steps), qcolor);
    }
    return;
  }
  painter_.save();
  painter_.setRenderHint(QPainter::Antialiasing, false);
  QPen qpen(qcolor, pen == 1 ? 0 : pen);
  qpen.setStyle(style == PenStyle::kDot ? Qt::DotLine : style == PenStyle::kDash ? Qt::DashLine : Qt::SolidLine);
  qpen.setCapStyle(Qt::FlatCap);
  painter_.setPen(qpen);
  const double shorten = double(steps - 1) / steps;
  painter_.drawLine(QPointF(x1, y1), QPointF(x1 + dx * shorten, y1 + dy * shorten));
  painter_.restore();
}

void QtCanvas::drawText(const std::string& text, const Rect& rect, unsigned format) {
  int flags = 0;
  flags |= (format & dt::kRight) ? Qt::AlignRight : (format & dt::kCenter) ? Qt::AlignHCenter : Qt::AlignLeft;
  const bool single = format & dt::kSingleLine;
  flags |= (single && (format & dt::kVCenter)) ? Qt::AlignVCenter : Qt::AlignTop;
  if (single) flags |= Qt::TextSingleLine;
  if (!(format & dt::kNoPrefix)) flags |= Qt::TextShowMnemonic;
  QString qtext = ToQString(text);
  if (single) qtext.replace(QLatin1Char('\n'), QLatin1Char(' ')).remove(QLatin1Char('\r'));

  const QRect box = ToQRect(rect);
  painter_.save();
  painter_.setClipRect(box, Qt::IntersectClip);
  if (bkOpaque_) painter_.fillRect(painter_.boundingRect(box, flags, qtext), ToQColor(bkColor_));
  painter_.setPen(ToQColor(textColor_));
  painter_.drawText(box, flags, qtext);
  painter_.restore();
}

void QtCanvas::setClip(const Rect& rect) { painter_.setClipRect(ToQRect(rect)); }

void QtCanvas::clearClip() { painter_.setClipping(false); }

}  // namespace quarn::qt
