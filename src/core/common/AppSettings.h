// The application-wide settings of the section "Settings", held in
// process-wide values that every part of the program reads directly. The
// in-class values are the defaults a missing or unreadable key gives.
#pragma once

#include <array>
#include <string>

#include "core/common/TabPositionList.h"
#include "core/res/Texts.h"
#include "platform/Types.h"

namespace quarn {

struct AppSettings {
  int InitialCabinet = 0;
  int InitialCabinetMode = 0;
  // The current cabinet path once the settings are read.
  std::string CabinetName;
  int CabinetSave = 1;
  int ColorAreaComment = 0;
  int DisplayRulerBar = 0;
  int DisplayLineBar = 0;
  // Palette indexes 1 to 16 (PaletteColor).
  int RulerCursorColor = 4;
  int RulerBackColor = 16;
  int LineCursorColor = 4;
  int LineBackColor = 16;
  int UsedCount = 0;
  // Kept packed: the non-empty entries first.
  std::array<std::string, 4> FrequentlyUsedDirectory;
  int AutoScrollInt = 30;
  int AutoScrollCount = 5;
  int AutoScrollBreak = 0;
  int BeepSoundType = 48;
  int RulerFontFlag = 0;
  int SpotConversionIME = 1;
  int EnableRedirectForWin4 = 0;
  int EnableTabPosition = 0;
  TabPositionList TabPosition = DefaultTabPositions();
  std::string ColumnOutString = texts::kColumnOutStringDefault;
  std::string InsertionString;
  int InsertionPosition = 0;
  int ValiableInsertion = 1;
  int DeleteSelectionAtInput = 1;
  int InvokeWithoutUntitled = 1;
  int ScrollLineCount = 1;
  int RecordExtractOperation = 0;
  int LeftMarginLM = 15;
  int TopMarginLM = 15;
  int DisplayToolBar = 1;
  int DisplayStatusBar = 1;
  int Binary1 = 256;
  int Binary2 = 256;
  ColorRef Binary1Color = 0x0000FF;
  ColorRef Binary2Color = 0xFF0000;
  ColorRef MarkedPosColor = 0xFF00FF;
  ColorRef AddressLineTextColor = 0x000000;
  ColorRef AddressLineBackColor = 0x40FF00;
  int BytesPerLine = 16;
  int HexAddress = 1;
  int DecimalBlockBytes = 5;
  int HexBlockBytes = 8;
  std::string ReplacingChar = "-";
  int DrawUnderLine = 0;
  ColorRef CursorUnderLineColor = 0x400080;
  int LineSpacesLM = 0;
  int LongTitle = 1;
  int StrCodeType = 1;
  int DisplayTabBar = 1;
  int ButtonStyleTabBar = 0;
  int TabBarPosition = 1;
  int TabBarHeightAdjust = 2;
  int EnableTabBarImage = 1;
  int TabBarImageNo = 0;
  int AddDocNumber = 0;
  int MultiInstance = 1;
  int MaxEditRange = 0;
  int StartWithOverWrite = 0;
  int Ignore8bitCode = 0;
  std::string DummyCharFor8bit = ".";
  int DrawUnderCaret = 0;
  ColorRef UnderCaretColor = 0xFF0000;
  int OneRasterLow = 0;
  int OnlyOppositePart = 0;
  int EnRexp = 0;
  int FlatToolbar = 1;
  int ParallelView = 0;

  // "WindowPos": the main window placement, when a usable one was stored.
  bool HasWindowPos = false;
  WindowPlacement WindowPos;
};

inline AppSettings gSettings;

// The section all these keys live in.
inline constexpr const char* kSettingsSection = "Settings";

}  // namespace quarn
