// The command identifiers. The numbers are fixed: key definition files,
// macro files and the toolbar settings store them.
#pragma once

namespace quarn::cmd {

// Line marks (text window) and marks of both windows.
constexpr unsigned kLineMarkToggle = 32768;
constexpr unsigned kLineMarkNext = 32769;
constexpr unsigned kLineMarkPrev = 32770;
constexpr unsigned kLineMarkClearAll = 32771;
constexpr unsigned kMarkToggle = 32772;
constexpr unsigned kMarkNext = 32773;
constexpr unsigned kMarkPrev = 32774;
constexpr unsigned kMarkClearAll = 32775;

// Cabinet.
constexpr unsigned kCabinetChange = 32776;
constexpr unsigned kCabinetNew = 32777;
constexpr unsigned kCabinetFormat = 32778;
constexpr unsigned kCabinetColors = 32779;
constexpr unsigned kFont = 32780;
constexpr unsigned kCabinetKeywords = 32783;
constexpr unsigned kCabinetSettings = 32814;

// Global find and tag jumps.
constexpr unsigned kGlobalFind = 32784;
constexpr unsigned kTagJump = 32785;
constexpr unsigned kTagNext = 32786;
constexpr unsigned kTagPrev = 32787;
constexpr unsigned kTagWindow = 32815;

// Edit and view.
constexpr unsigned kJump = 32788;
constexpr unsigned kWriteProtect = 32789;
constexpr unsigned kFindBoxFocus = 32790;
constexpr unsigned kPageLayout = 32791;
constexpr unsigned kFindPrev = 32792;
constexpr unsigned kFindNext = 32850;
constexpr unsigned kAlignRight = 32798;
constexpr unsigned kCentre = 32799;
constexpr unsigned kTabsToSpaces = 32801;
constexpr unsigned kSpacesToTabs = 32802;
constexpr unsigned kSelectAll = 32803;
constexpr unsigned kCutAppend = 32804;
constexpr unsigned kCopyAppend = 32805;
constexpr unsigned kRulerBar = 32806;
constexpr unsigned kLineBar = 32807;
constexpr unsigned kToggleCase = 32816;
constexpr unsigned kUpperCase = 32817;
constexpr unsigned kLowerCase = 32818;
constexpr unsigned kCapitalise = 32819;
constexpr unsigned kToFullWidth = 32820;
constexpr unsigned kToHalfWidth = 32821;
constexpr unsigned kToKatakana = 32822;
constexpr unsigned kSplitLines = 32823;
constexpr unsigned kJoinLines = 32824;
constexpr unsigned kToHiragana = 32825;
constexpr unsigned kInsertDate = 32826;
constexpr unsigned kInsertTime = 32827;
constexpr unsigned kInsertString = 32828;
constexpr unsigned kIndent = 32875;
constexpr unsigned kUnindent = 32876;
constexpr unsigned kScreenCopy = 32910;
constexpr unsigned kCompare = 32911;
constexpr unsigned kFormat = 32912;
constexpr unsigned kCodeSwitch = 32913;

// Window marks of the main frame.
constexpr unsigned kWindowMarkToggle = 32793;
constexpr unsigned kWindowMarkNext = 32794;
constexpr unsigned kWindowMarkPrev = 32795;
constexpr unsigned kWindowMarkClearAll = 32796;

// Recorded operations and keys.
constexpr unsigned kRecord = 32808;
constexpr unsigned kPlay = 32809;
constexpr unsigned kSaveOperation = 32810;
constexpr unsigned kLoadOperation = 32811;
constexpr unsigned kKeyAssignment = 32812;
constexpr unsigned kCustomise = 32873;

// Settings and tools.
constexpr unsigned kSettingsCommand = 32813;
constexpr unsigned kCommonSettings = 32881;
constexpr unsigned kToolCommand = 32830;
constexpr unsigned kToolOperation = 32831;
constexpr unsigned kToolSeparator = 32832;
constexpr unsigned kExplorer = 32833;
constexpr unsigned kRunProgram = 32834;
constexpr unsigned kFirstUserTool = 32851;
constexpr unsigned kLastUserTool = 32870;
constexpr unsigned kFirstFrequentDirectory = 32877;
constexpr unsigned kLastFrequentDirectory = 32880;
constexpr unsigned kExtractLines = 32883;
constexpr unsigned kFreeConversion = 32888;
constexpr unsigned kHomePage = 32916;

// File.
constexpr unsigned kFileNew = 57600;
constexpr unsigned kFileOpen = 57601;
constexpr unsigned kFileClose = 57602;
constexpr unsigned kFileSave = 57603;
constexpr unsigned kFileSaveAs = 57604;
constexpr unsigned kPrintSetup = 57606;
constexpr unsigned kPrint = 57607;
constexpr unsigned kPrintPreview = 57609;
constexpr unsigned kFirstRecentFile = 57616;
constexpr unsigned kLastRecentFile = 57619;

// Clipboard, find and undo.
constexpr unsigned kCopy = 57634;
constexpr unsigned kCut = 57635;
constexpr unsigned kFind = 57636;
constexpr unsigned kPaste = 57637;
constexpr unsigned kReplace = 57641;
constexpr unsigned kUndo = 57643;
constexpr unsigned kRedo = 57644;

// MDI windows, the application and help.
constexpr unsigned kWindowNew = 57648;
constexpr unsigned kWindowArrange = 57649;
constexpr unsigned kWindowCascade = 57650;
constexpr unsigned kWindowTile = 57651;
constexpr unsigned kWindowTileVertical = 57652;
constexpr unsigned kWindowSplit = 57653;
constexpr unsigned kWindowNext = 57680;
constexpr unsigned kWindowPrev = 57681;
constexpr unsigned kAbout = 57664;
constexpr unsigned kAppExit = 57665;
constexpr unsigned kFirstHelpCommand = 57666;
constexpr unsigned kContextHelp = 57669;
constexpr unsigned kHelp = 57670;
constexpr unsigned kLastHelpCommand = 57671;

}  // namespace quarn::cmd
