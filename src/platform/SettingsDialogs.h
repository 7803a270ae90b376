// What the common-settings dialogs show and hand back: plain fields, and
// the checks OK runs, supplied by the program.
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <string>

#include "platform/Types.h"

namespace quarn {

// Page "編集" of the sheet.
struct EditPageFields {
  static constexpr std::size_t kMaxTabText = 90;   // what the edit takes
  static constexpr std::size_t kMaxColumnOut = 40;  // bytes
  bool cabinetSave = false;
  bool colorAreaComment = false;
  bool initialCabinet = false;
  bool initialCabinetMode = false;
  bool enableTabPosition = false;
  bool invokeWithoutUntitled = false;
  std::string tabPositions;  // the list as text, CP932
  std::string columnOut;     // the kinsoku characters, CP932
};

// Page "ディレクトリ".
struct DirectoryPageFields {
  std::array<std::string, 4> directories;
};

// Page "表示": margins in millimetres with one decimal.
struct ViewPageFields {
  static constexpr double kMaxMargin = 50.0;
  double leftMargin = 1.5;
  double topMargin = 1.5;
  bool lineBar = false;
  bool rulerBar = false;
  bool toolBar = true;
  bool statusBar = true;
};

// Page "スクロール".
struct ScrollPageFields {
  int scrollLineCount = 1;  // 1 to 10
  int autoScrollInt = 30;   // 1 to 600, tenths of a second
  int autoScrollCount = 5;  // 1 to 60
  bool autoScrollBreak = false;
};

// The first refused field: page index 0 to 3 and control id; control 0
// when everything is accepted.
struct SettingsRefusal {
  int page = -1;
  int control = 0;
};

// The sheet of the four pages for text documents.
struct CommonSettingsRequest {
  EditPageFields edit;
  DirectoryPageFields directories;
  ViewPageFields view;
  ScrollPageFields scroll;
  // Run on OK and when the first page is left: while it refuses a field
  // the dialog beeps, shows that field selected and stays open.
  std::function<SettingsRefusal(const CommonSettingsRequest&)> check;
  // The browse button of a directory edit: the edit's text in, the chosen
  // directory out; false on cancel.
  std::function<bool(std::string&)> browse;
};

// The dialog used when no text document is active.
struct BinarySettingsFields {
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
};

struct BinarySettingsRequest : BinarySettingsFields {
  // Run on OK: 0 accepts, else the control whose value is refused.
  std::function<int(const BinarySettingsFields&)> check;
};

}  // namespace quarn
