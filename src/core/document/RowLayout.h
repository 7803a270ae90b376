// The rule that cuts a logical line into display rows: width, tab stops,
// double-byte characters that never split, hanging punctuation (kinsoku) and
// English word wrap. It works over a plain stretch of the document's bytes
// so that laying out a long text runs at memory speed.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quarn {

class CVeskDoc;

// The switches of one layout pass, taken from the document's format and its
// layout options.
struct RowRules {
  int width = 80;  // characters per line, at least 1
  int tab = 4;     // tab columns, at least 1
  bool wordWrap = false;
  bool kinsoku = false;
  bool hangingSingle[256] = {};               // single-byte hanging characters
  std::vector<std::uint16_t> hangingDouble;  // lead << 8 | trail

  std::string hangingText;                   // what the two lists were read from

  RowRules() = default;
  RowRules(int width, int tab, bool wordWrap, bool kinsoku, const std::string& hanging);
  // The document's rules, kept by the document and read again only when its
  // format or layout options changed; valid until the next call.
  static const RowRules& Of(CVeskDoc& doc);

  // Columns a row may take: width plus the two hanging columns when kinsoku
  // or word wrap is on.
  int MaxRowWidth() const { return (wordWrap || kinsoku) ? width + 2 : width; }
  // The most bytes one row can hold (its columns and a CR LF).
  std::uint32_t MaxRowBytes() const { return std::uint32_t(MaxRowWidth()) + 2; }
};

// A stretch of the text: bytes [origin, end) are at data[0 .. end - origin);
// length is the text length.
struct TextBytes {
  const std::uint8_t* data = nullptr;
  std::uint32_t origin = 0;
  std::uint32_t end = 0;
  std::uint32_t length = 0;
  std::uint8_t At(std::uint32_t pos) const { return data[pos - origin]; }
};

constexpr std::uint32_t kNoRow = 0xFFFFFFFFu;

// Where the row that starts at start ends and the next begins, or kNoRow
// when the rest of the text fits in this row. The stretch must hold the
// bytes from start to min(length, start + MaxRowBytes() + 1). A row always
// takes at least one character, so a layout loop always moves on.
std::uint32_t NextRowStart(const TextBytes& text, std::uint32_t start, const RowRules& rules);
// The same when the caller knows that [start, clearUntil) holds no CR and no
// TAB: the row's characters before its last columns are then not walked.
std::uint32_t NextRowStart(const TextBytes& text, std::uint32_t start, const RowRules& rules,
                           std::uint32_t clearUntil);
// The rule walked character by character from the row start; the fast
// forms above give the same rows.
std::uint32_t NextRowStartPlain(const TextBytes& text, std::uint32_t start, const RowRules& rules);
// The first CR or TAB in [from, min(to, text.end)), or that end.
std::uint32_t FindCrOrTab(const TextBytes& text, std::uint32_t from, std::uint32_t to);

// May the character at pos stand in the hanging columns beyond the width?
bool MayHang(const TextBytes& text, std::uint32_t pos, const RowRules& rules);

// The document's bytes [from, min(TextLength, to)), read through the store
// (from its window when the window holds them). Valid until the next store
// operation.
TextBytes TextStretch(CVeskDoc& doc, std::uint32_t from, std::uint32_t to);

// Columns of the characters in [from, min(to, text.end)), walked from the
// character start from: a TAB runs to the next tab stop, a double-byte
// character takes two columns (also when its trail byte is 0x09), any other
// byte one. The row breaking, the caret and the painter count alike.
int ColumnsOfStretch(const TextBytes& text, std::uint32_t from, std::uint32_t to, int tab);

// The same over a document, reading its bytes through the store.
std::uint32_t NextRowStart(CVeskDoc& doc, std::uint32_t start);
int MaxRowWidth(CVeskDoc& doc);
// Display column of pos in its row (TABs run to the next tab stop).
int ColumnOfPos(CVeskDoc& doc, std::uint32_t pos);
// Columns taken by the character at pos: a TAB to the next stop, a lead byte
// or CR 2, any other byte 1.
int CharColumns(CVeskDoc& doc, std::uint32_t pos);

}  // namespace quarn
