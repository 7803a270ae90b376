#include "core/options/BinarySettingsDialog.h"

#include <cstdio>

#include "core/common/Settings.h"
#include "core/common/BinarySettings.h"
#include "core/encoding/HexDigits.h"

namespace quarn {
namespace {

bool BytesOk(int v) { return v >= BinarySettingsDialog::kMinBytes && v <= BinarySettingsDialog::kMaxBytes; }

}  // namespace

int ParseHexByte(const std::string& text) {
  if (text.empty()) return BinarySettingsDialog::kNoByte;
  if (text.size() > 2) return -1;
  int value = 0;
  for (char c : text) {
    const int d = HexDigitValue(c);
    if (d < 0) return -1;
    value = value * 16 + d;
  }
  return value;
}

std::string FormatHexByte(int value) {
  if (value < 0 || value > 255) return {};
  char text[4];
  std::snprintf(text, sizeof text, "%02X", unsigned(value));
  return text;
}

BinarySettingsDialog BinarySettingsDialog::FromSettings(const AppSettings& s) {
  BinarySettingsDialog d;
  d.initialCabinetMode = s.InitialCabinetMode != 0;
  d.invokeWithoutUntitled = s.InvokeWithoutUntitled != 0;
  d.drawUnderLine = s.DrawUnderLine != 0;
  d.drawUnderCaret = s.DrawUnderCaret != 0;
  d.longTitle = s.LongTitle != 0;
  d.displayTabBar = s.DisplayTabBar != 0;
  d.multiInstance = s.MultiInstance != 0;
  d.startWithOverWrite = s.StartWithOverWrite != 0;
  d.ignore8bitCode = s.Ignore8bitCode != 0;
  d.oneRasterLow = s.OneRasterLow != 0;
  d.hexAddress = s.HexAddress != 0;
  d.bytesPerLine = s.BytesPerLine;
  d.decimalBlockBytes = s.DecimalBlockBytes;
  d.hexBlockBytes = s.HexBlockBytes;
  d.binary1 = FormatHexByte(s.Binary1);
  d.binary2 = FormatHexByte(s.Binary2);
  d.binary1Color = s.Binary1Color;
  d.binary2Color = s.Binary2Color;
  d.markedPosColor = s.MarkedPosColor;
  d.addressLineBackColor = s.AddressLineBackColor;
  d.cursorUnderLineColor = s.CursorUnderLineColor;
  d.underCaretColor = s.UnderCaretColor;
  return d;
}

BinarySettingsRequest BinarySettingsDialog::Request() const {
  BinarySettingsRequest request;
  static_cast<BinarySettingsFields&>(request) = *this;
  request.check = [](const BinarySettingsFields& fields) {
    BinarySettingsDialog d;
    static_cast<BinarySettingsFields&>(d) = fields;
    return d.Check();
  };
  return request;
}

BinarySettingsDialog BinarySettingsDialog::FromRequest(const BinarySettingsRequest& request) {
  BinarySettingsDialog d;
  static_cast<BinarySettingsFields&>(d) = request;
  return d;
}

int BinarySettingsDialog::Check() const {
  if (!BytesOk(bytesPerLine)) return ctl::kBytesPerLine;
  if (!BytesOk(decimalBlockBytes)) return ctl::kDecimalBlockBytes;
  if (!BytesOk(hexBlockBytes)) return ctl::kHexBlockBytes;
  if (ParseHexByte(binary1) < 0) return ctl::kBinary1;
  if (ParseHexByte(binary2) < 0) return ctl::kBinary2;
  if (lineSpacing < 0 || lineSpacing > 100) return ctl::kLineSpacing;
  return 0;
}

void ApplyBinarySettingsDialog(const BinarySettingsDialog& d, CommonSettingsEffects& effects) {
  const AppSettings old = gSettings;
  AppSettings& s = gSettings;
  s.InitialCabinetMode = d.initialCabinetMode;
  s.InvokeWithoutUntitled = d.invokeWithoutUntitled;
  s.DrawUnderLine = d.drawUnderLine;
  s.DrawUnderCaret = d.drawUnderCaret;
  s.LongTitle = d.longTitle;
  s.DisplayTabBar = d.displayTabBar;
  s.MultiInstance = d.multiInstance;
  s.StartWithOverWrite = d.startWithOverWrite;
  s.Ignore8bitCode = d.ignore8bitCode;
  s.OneRasterLow = d.oneRasterLow;
  s.HexAddress = d.hexAddress;
  s.BytesPerLine = d.bytesPerLine;
  s.DecimalBlockBytes = d.decimalBlockBytes;
  s.HexBlockBytes = d.hexBlockBytes;
  s.Binary1 = ParseHexByte(d.binary1);
  s.Binary2 = ParseHexByte(d.binary2);
  s.Binary1Color = d.binary1Color;
  s.Binary2Color = d.binary2Color;
  s.MarkedPosColor = d.markedPosColor;
  s.AddressLineBackColor = d.addressLineBackColor;
  s.CursorUnderLineColor = d.cursorUnderLineColor;
  s.UnderCaretColor = d.underCaretColor;

  // The binary window reads its copy; its block size follows the address
  // mode (BlockBytes).
  BinaryViewSettings& b = gBinarySettings;
  b.DrawUnderLine = s.DrawUnderLine;
  b.DrawUnderCaret = s.DrawUnderCaret;
  b.Ignore8bitCode = s.Ignore8bitCode;
  b.OneRasterLow = s.OneRasterLow;
  b.HexAddress = s.HexAddress;
  b.BytesPerLine = s.BytesPerLine;
  b.DecimalBlockBytes = s.DecimalBlockBytes;
  b.HexBlockBytes = s.HexBlockBytes;
  b.Binary1 = s.Binary1;
  b.Binary2 = s.Binary2;
  b.Binary1Color = s.Binary1Color;
  b.Binary2Color = s.Binary2Color;
  b.MarkedPosColor = s.MarkedPosColor;
  b.AddressLineBackColor = s.AddressLineBackColor;
  b.CursorUnderLineColor = s.CursorUnderLineColor;
  b.UnderCaretColor = s.UnderCaretColor;

  effects.RelayoutBinaryWindows(old.BytesPerLine != s.BytesPerLine);
  if (old.LongTitle != s.LongTitle) effects.ResetTitles();
  if (old.DisplayTabBar != s.DisplayTabBar) effects.ShowTabBar(s.DisplayTabBar != 0);
  if (old.MultiInstance != s.MultiInstance) {
    WriteMultiInstance();
    if (s.MultiInstance == 0) effects.TakeInstanceLock();
  }
}

}  // namespace quarn
