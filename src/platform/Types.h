// Plain value types shared by the core and the platform layer. Their byte
// layouts are the ones stored in the program's files, so they are
// (de)serialised explicitly in little-endian order.
#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <string>

namespace quarn {

// 0x00BBGGRR
using ColorRef = std::uint32_t;

constexpr ColorRef Rgb(unsigned r, unsigned g, unsigned b) {
  return (r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16);
}

struct Point {
  std::int32_t x = 0;
  std::int32_t y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

struct Rect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;
  std::int32_t width() const { return right - left; }
  std::int32_t height() const { return bottom - top; }
  friend bool operator==(const Rect&, const Rect&) = default;
};

// Little-endian helpers for the program's binary file formats.
inline void PutLe32(std::uint8_t* p, std::uint32_t v) {
  p[0] = std::uint8_t(v);
  p[1] = std::uint8_t(v >> 8);
  p[2] = std::uint8_t(v >> 16);
  p[3] = std::uint8_t(v >> 24);
}
inline std::uint32_t GetLe32(const std::uint8_t* p) {
  return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
         std::uint32_t(p[3]) << 24;
}
inline void PutLe16(std::uint8_t* p, std::uint16_t v) {
  p[0] = std::uint8_t(v);
  p[1] = std::uint8_t(v >> 8);
}
inline std::uint16_t GetLe16(const std::uint8_t* p) {
  return std::uint16_t(p[0] | p[1] << 8);
}

// A font description of 60 bytes: five 32-bit fields, eight bytes and a
// 32-byte face name (CP932, NUL-terminated).
struct LogFont {
  static constexpr std::size_t kSize = 60;
  static constexpr std::size_t kFaceSize = 32;

  std::int32_t height = 0;  // points in stored formats, negative pixels when made for a device
  std::int32_t width = 0;
  std::int32_t escapement = 0;
  std::int32_t orientation = 0;
  std::int32_t weight = 0;
  std::uint8_t italic = 0;
  std::uint8_t underline = 0;
  std::uint8_t strikeOut = 0;
  std::uint8_t charSet = 0;
  std::uint8_t outPrecision = 0;
  std::uint8_t clipPrecision = 0;
  std::uint8_t quality = 0;
  std::uint8_t pitchAndFamily = 0;
  std::array<char, kFaceSize> faceName{};

  std::string face() const { return std::string(faceName.data(), strnlen(faceName.data(), kFaceSize)); }
  void setFace(const std::string& face) {
    faceName.fill(0);
    std::memcpy(faceName.data(), face.data(), face.size() < kFaceSize ? face.size() : kFaceSize - 1);
  }

  void serialize(std::uint8_t* out) const {
    PutLe32(out + 0, std::uint32_t(height));
    PutLe32(out + 4, std::uint32_t(width));
    PutLe32(out + 8, std::uint32_t(escapement));
    PutLe32(out + 12, std::uint32_t(orientation));
    PutLe32(out + 16, std::uint32_t(weight));
    out[20] = italic;
    out[21] = underline;
    out[22] = strikeOut;
    out[23] = charSet;
    out[24] = outPrecision;
    out[25] = clipPrecision;
    out[26] = quality;
    out[27] = pitchAndFamily;
    std::memcpy(out + 28, faceName.data(), kFaceSize);
  }
  static LogFont deserialize(const std::uint8_t* in) {
    LogFont f;
    f.height = std::int32_t(GetLe32(in + 0));
    f.width = std::int32_t(GetLe32(in + 4));
    f.escapement = std::int32_t(GetLe32(in + 8));
    f.orientation = std::int32_t(GetLe32(in + 12));
    f.weight = std::int32_t(GetLe32(in + 16));
    f.italic = in[20];
    f.underline = in[21];
    f.strikeOut = in[22];
    f.charSet = in[23];
    f.outPrecision = in[24];
    f.clipPrecision = in[25];
    f.quality = in[26];
    f.pitchAndFamily = in[27];
    std::memcpy(f.faceName.data(), in + 28, kFaceSize);
    return f;
  }
  friend bool operator==(const LogFont&, const LogFont&) = default;
};

// Placement of the main window: eleven 32-bit fields, 44 bytes.
struct WindowPlacement {
  std::uint32_t length = 44;
  std::uint32_t flags = 0;
  std::uint32_t showCmd = 0;
  Point minPosition;
  Point maxPosition;
  Rect normalPosition;
  friend bool operator==(const WindowPlacement&, const WindowPlacement&) = default;
};

}  // namespace quarn
