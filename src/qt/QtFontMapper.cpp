#include "qt/QtFontMapper.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QStringList>
#include <QPaintDevice>
#include <algorithm>

#include "qt/QtText.h"

namespace quarn::qt {

namespace {

constexpr std::uint8_t kVariablePitch = 2;
constexpr std::uint8_t kFamilyMask = 0xF0;
constexpr std::uint8_t kFamilyRoman = 0x10;

bool Installed(const QString& family) { return QFontDatabase::families().contains(family, Qt::CaseInsensitive); }

bool NamesMincho(const QString& face) {
  return face.contains(QStringLiteral("明朝")) || face.contains(QStringLiteral("Mincho"), Qt::CaseInsensitive);
}

// "ＭＳ Ｐゴシック", "MS PGothic", "MS UI Gothic" and the like.
bool NamesProportional(const QString& face) {
  return face.contains(QStringLiteral("Ｐ")) || face.contains(QStringLiteral("PGothic"), Qt::CaseInsensitive) ||
         face.contains(QStringLiteral("PMincho"), Qt::CaseInsensitive) ||
         face.contains(QStringLiteral("UI Gothic"), Qt::CaseInsensitive);
}

}  // namespace

QString FamilyForFace(const std::string& cp932Face, std::uint8_t pitchAndFamily) {
  const QString face = ToQString(cp932Face).trimmed();
  if (!face.isEmpty() && Installed(face)) return face;

  const bool named = NamesMincho(face) || NamesProportional(face);
  const bool mincho = named ? NamesMincho(face) : (pitchAndFamily & kFamilyMask) == kFamilyRoman;
  const bool proportional = named ? NamesProportional(face) : (pitchAndFamily & 3) == kVariablePitch;
  const QString candidates[] = {
      QStringLiteral("IPA") + (proportional ? QStringLiteral("P") : QString()) +
          (mincho ? QStringLiteral("Mincho") : QStringLiteral("Gothic")),
      QStringLiteral("IPAGothic"),
  };
  for (const QString& family : candidates) {
    if (Installed(family)) return family;
  }
  return QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
}

QFont FontForLogFont(const LogFont& lf, QPaintDevice* device) {
  QFont font(FamilyForFace(lf.face(), lf.pitchAndFamily));
  font.setStyleHint((lf.pitchAndFamily & 3) == kVariablePitch ? QFont::AnyStyle : QFont::Monospace);
  const int dpiY = device ? device->logicalDpiY() : 96;
  int pixels = 0;
  if (lf.height < 0) {
    pixels = lf.height == INT32_MIN ? 1 : -lf.height;
  } else if (lf.height > 0) {
    // A cell height: scale the character height so that ascent + descent fits.
    font.setPixelSize(100);
    const QFontMetrics probe(font, device);
    const int cell = std::max(1, probe.ascent() + probe.descent());
    pixels = int(std::int64_t(lf.height) * 100 / cell);
  } else {
    pixels = dpiY / 6;  // 12 points
  }
  font.setPixelSize(std::clamp(pixels, 1, 4096));
  if (lf.weight > 0) font.setWeight(QFont::Weight(std::clamp(int(lf.weight), 1, 1000)));
  font.setItalic(lf.italic != 0);
  font.setUnderline(lf.underline != 0);
  font.setStrikeOut(lf.strikeOut != 0);
  if (lf.width > 0) {
    const QFontMetrics natural(font, device);
    const int average = std::max(1, natural.horizontalAdvance(QLatin1Char('x')));
    font.setStretch(std::clamp(int(std::int64_t(lf.width) * 100 / average), 1, 4000));
  }
  return font;
}

}  // namespace quarn::qt
