// What the common settings change outside the settings themselves, carried
// out by the main frame after OK.
#pragma once

namespace quarn {

class CommonSettingsEffects {
 public:
  virtual ~CommonSettingsEffects() = default;
  // The binary windows lay out again (fully when the bytes per line
  // changed) and show their carets again.
  virtual void RelayoutBinaryWindows(bool full) = 0;
  // The text windows lay out again (margins, kinsoku, comment colouring).
  virtual void RelayoutTextWindows() = 0;
  // Every document's title again (full path or file name, "LongTitle").
  virtual void ResetTitles() = 0;
  virtual void ShowTabBar(bool shown) = 0;
  virtual void ShowToolBar(bool shown) = 0;
  virtual void ShowStatusBar(bool shown) = 0;
  // The column ruler and the line bar follow "DisplayRulerBar" and
  // "DisplayLineBar".
  virtual void ShowRulers() = 0;
  // "MultiInstance" was written as 0: this process takes the single-instance
  // lock now.
  virtual void TakeInstanceLock() = 0;
  // "CabinetSave" was turned on: the cabinet's settings are saved at once.
  virtual void SaveCabinetNow() = 0;
};

}  // namespace quarn
