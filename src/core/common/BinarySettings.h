// The application-wide settings of the binary window, as read from the
// section "Settings"; Normalized() applies the ranges and defaults that
// every reader of the settings file applies.
#pragma once

#include <string>

#include "platform/Types.h"

namespace quarn {

// Decoding of the text area.
enum class StrCode : int { kSjis = 1, kJis = 2, kEuc = 3, kUni = 4 };

struct BinaryViewSettings {
  int BytesPerLine = 16;
  int HexAddress = 1;
  int HexBlockBytes = 8;
  int DecimalBlockBytes = 5;
  int Binary1 = 256;  // 256: a value no byte has
  int Binary2 = 256;
  ColorRef Binary1Color = 0x0000FF;
  ColorRef Binary2Color = 0xFF0000;
  ColorRef MarkedPosColor = 0xFF00FF;
  ColorRef AddressLineTextColor = 0x000000;
  ColorRef AddressLineBackColor = 0x40FF00;
  int StrCodeType = 1;
  int Ignore8bitCode = 0;
  std::string DummyCharFor8bit = ".";
  int DrawUnderLine = 0;
  ColorRef CursorUnderLineColor = 0x400080;
  int DrawUnderCaret = 0;
  ColorRef UnderCaretColor = 0xFF0000;
  int OnlyOppositePart = 0;
  int OneRasterLow = 0;
  int ParallelView = 0;
  int LeftMarginLM = 15;
  int TopMarginLM = 15;

  // The block size K: fixed by the address mode.
  int BlockBytes() const { return HexAddress ? HexBlockBytes : DecimalBlockBytes; }
  StrCode Code() const { return StrCode(StrCodeType); }
  bool AnyUnderline() const { return DrawUnderLine || DrawUnderCaret; }
  // The cell glyph of a byte of 0x80 or more with "Ignore8bitCode": the
  // first character of "DummyCharFor8bit" when it is a one-cell character.
  char DummyChar() const;

  // Out-of-range values replaced by their defaults.
  BinaryViewSettings Normalized() const;
};

// The values start-up reads and the common settings dialog edits.
inline BinaryViewSettings gBinarySettings;

// Names of the text-area decodings as the status bar shows them.
const char* StrCodeName(StrCode code);
// The next decoding of the code switch command: 1, 2, 3, 4, 1, ...
StrCode NextStrCode(StrCode code);

}  // namespace quarn
