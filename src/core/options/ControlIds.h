// Control ids of the common-settings dialogs. Page 117 and dialog 142
// share 166 and 168; the Qt dialogs name their widgets after the ids.
#pragma once

namespace quarn::ctl {

// The sheet's pages.
constexpr int kCabinetSave = 161;
constexpr int kTabPositions = 163;
constexpr int kColorAreaComment = 164;
constexpr int kInitialCabinet = 165;
constexpr int kInitialCabinetMode = 166;
constexpr int kEnableTabPosition = 167;
constexpr int kInvokeWithoutUntitled = 168;
constexpr int kColumnOut = 169;
constexpr int kDirectory1 = 197;  // to 200
constexpr int kBrowse1 = 201;     // to 204
constexpr int kAutoScrollInt = 202;
constexpr int kAutoScrollCount = 204;
constexpr int kScrollLineCount = 206;
constexpr int kAutoScrollBreak = 261;
constexpr int kLeftMargin = 280;
constexpr int kTopMargin = 282;
constexpr int kLineBar = 284;
constexpr int kRulerBar = 285;
constexpr int kToolBar = 286;
constexpr int kStatusBar = 287;

// Dialog 142 (169 is a check box there, not the kinsoku edit).
constexpr int kDrawUnderLine = 169;
constexpr int kDrawUnderCaret = 170;
constexpr int kBinary1 = 337;
constexpr int kBinary2 = 338;
constexpr int kBinary1Color = 339;
constexpr int kBinary2Color = 340;
constexpr int kMarkedPosColor = 341;
constexpr int kBytesPerLine = 342;
constexpr int kAddressLineBackColor = 343;
constexpr int kDecimalAddress = 344;
constexpr int kHexAddress = 345;
constexpr int kDecimalBlockBytes = 346;
constexpr int kCursorUnderLineColor = 347;
constexpr int kHexBlockBytes = 348;
constexpr int kUnderCaretColor = 349;
constexpr int kLongTitle = 353;
constexpr int kDisplayTabBar = 354;
constexpr int kMultiInstance = 355;
constexpr int kStartWithOverWrite = 356;
constexpr int kIgnore8bitCode = 357;
constexpr int kLineSpacing = 358;
constexpr int kOneRasterLow = 360;

}  // namespace quarn::ctl
