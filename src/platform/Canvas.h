// The drawing surface the program's windows paint on: a device context
// stand-in. The screen, the printer and a test recorder implement it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Types.h"

namespace quarn {

// Measurements of the selected font, in device pixels.
struct TextMetric {
  int height = 0;
  int ascent = 0;
  int descent = 0;
  int internalLeading = 0;
  int externalLeading = 0;
  int aveCharWidth = 0;
  int maxCharWidth = 0;
};

namespace eto {
constexpr unsigned kOpaque = 0x2;   // fill the rectangle with the background first
constexpr unsigned kClipped = 0x4;  // clip the glyphs to the rectangle
}  // namespace eto

namespace dt {
constexpr unsigned kLeft = 0x0;
constexpr unsigned kCenter = 0x1;
constexpr unsigned kRight = 0x2;
constexpr unsigned kVCenter = 0x4;
constexpr unsigned kSingleLine = 0x20;
constexpr unsigned kNoPrefix = 0x800;
}  // namespace dt

enum class PenStyle { kSolid, kDot, kDash };

class Canvas {
 public:
  virtual ~Canvas() = default;

  // Selects a font made from lf; a negative height is a pixel size.
  virtual void selectFont(const LogFont& lf) = 0;
  virtual TextMetric textMetrics() = 0;
  // The width of text in the selected font. The default counts average
  // characters; a device that can measure glyphs says what they take.
  virtual int textExtent(const std::string& text) { return int(text.size()) * textMetrics().aveCharWidth; }
  virtual int dpiX() const = 0;
  virtual int dpiY() const = 0;

  virtual void setTextColor(ColorRef color) = 0;
  virtual void setBkColor(ColorRef color) = 0;
  virtual void setBkOpaque(bool opaque) = 0;

  // One run of CP932 text at (x, y) (the top of the cell) with one advance
  // per byte (the second byte of a double-byte character has advance 0 or
  // carries the second cell; the sum for the character is what counts).
  virtual void extTextOut(int x, int y, unsigned options, const Rect* rect, const std::string& text,
                          const std::vector<int>& advances) = 0;
  virtual void fillRect(const Rect& rect, ColorRef color) = 0;
  virtual void invertRect(const Rect& rect) = 0;
  virtual void drawLine(int x1, int y1, int x2, int y2, ColorRef color, int width, PenStyle style) = 0;
  virtual void drawText(const std::string& text, const Rect& rect, unsigned format) = 0;

  // Clipping to one rectangle; clearClip removes it.
  virtual void setClip(const Rect& rect) = 0;
  virtual void clearClip() = 0;
};

}  // namespace quarn
