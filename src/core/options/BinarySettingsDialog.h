// Dialog 142 "共通設定", shown when no text document is active: the
// settings of the binary window and of the program, loaded from the
// settings, checked on OK and applied with their effects.
#pragma once

#include <string>

#include "core/common/AppSettings.h"
#include "core/options/CommonSettingsEffects.h"
#include "core/options/ControlIds.h"
#include "platform/SettingsDialogs.h"

namespace quarn {

struct BinarySettingsDialog : BinarySettingsFields {
  static BinarySettingsDialog FromSettings(const AppSettings& s);
  // 0 when OK may close the dialog, else the control that refuses its value.
  int Check() const;
  // What the dialog service shows: these fields with this dialog's check.
  BinarySettingsRequest Request() const;
  static BinarySettingsDialog FromRequest(const BinarySettingsRequest& request);
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
