// Which CP932 characters the screen can draw as a glyph. Bytes that form no
// character (0x80, 0xA0, 0xFD-0xFF, unassigned pairs), DEL and the
// user-defined area (no font has glyphs there) would otherwise paint as
// blank cells that look like spaces.
#pragma once

#include <cstdint>
#include <string>

namespace quarn {

// The single byte b (not a lead byte) has a glyph.
bool Cp932ByteHasGlyph(std::uint8_t b);
// The pair lead, trail has a glyph.
bool Cp932PairHasGlyph(std::uint8_t lead, std::uint8_t trail);

// The text area's cells (one CP932 byte per cell, a double-byte character
// as a lead byte followed by its trail) with every byte of a character
// that has no glyph replaced by ".". The screen copy keeps the cells as
// they are.
std::string VisibleCells(std::string cells);

}  // namespace quarn
