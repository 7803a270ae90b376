// Dialog 142 "共通設定", shown when no text document is active: the
// settings of the binary window and of the program, loaded from the
// settings, checked on OK and applied with their effects.
#pragma once

#include <string>

#include "core/app/Settings.h"
#include "core/options/CommonSettingsEffects.h"
#include "core/options/ControlIds.h"
#include "platform/Types.h"

namespace quarn {

struct BinarySettingsDialog {
  static constexpr int kMinBytes = 5;
  static constexpr int kMaxBytes = 64;
  static constexpr int kNoByte = 256;

  bool initialCabinetMode = false;
  bool invokeWithoutUntitled = true;
  bool drawUnderLine = false;
  bool drawUnderCaret = false;
  bool longTitle = true;
  bool displayTabBar = true;
  bool multiInstance = true;
  bool startWithOverWrite = false;
  bool ignore8bitCode = false;
  bool oneRasterLow = false;
  bool hexAddress = true;
  int bytesPerLine = 16;
  int decimalBlockBytes = 5;
  int hexBlockBytes = 8;
  std::string binary1;  // hexadecimal, empty for none
  std::string binary2;
  ColorRef binary1Color = 0x0000FF;
  ColorRef binary2Color = 0xFF0000;
  ColorRef markedPosColor = 0xFF00FF;
  ColorRef addressLineBackColor = 0x40FF00;
  ColorRef cursorUnderLineColor = 0x400080;
  ColorRef underCaretColor = 0xFF0000;
  // "行間隔": shown, 0 to 100, never stored.
  int lineSpacing = 0;

  static BinarySettingsDialog FromSettings(const AppSettings& s);
  // 0 when OK may close the dialog, else the control that refuses its value.
  int Check() const;
};

// The byte value of a "Binary1"/"Binary2" edit: 256 for an empty text, the
// value of one or two hexadecimal digits, -1 for anything else.
int ParseHexByte(const std::string& text);
// The edit's text of a stored value: two hexadecimal digits, empty for none.
std::string FormatHexByte(int value);

// Everything OK does: stores the values (in the settings and in the binary
// window's copy) and lets the frame show what changed.
void ApplyBinarySettingsDialog(const BinarySettingsDialog& dialog, CommonSettingsEffects& effects);

}  // namespace quarn
