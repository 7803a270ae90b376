// A main frame stand-in that lists the effects it was asked for.
#pragma once

#include <string>
#include <vector>

#include "core/options/CommonSettingsEffects.h"

namespace quarn {

class RecordingEffects : public CommonSettingsEffects {
 public:
  void RelayoutBinaryWindows(bool full) override { calls.push_back(full ? "binary full" : "binary"); }
  void RelayoutTextWindows() override { calls.push_back("text"); }
  void ResetTitles() override { calls.push_back("titles"); }
  void ShowTabBar(bool shown) override { calls.push_back(shown ? "tab bar on" : "tab bar off"); }
  void ShowToolBar(bool shown) override { calls.push_back(shown ? "toolbar on" : "toolbar off"); }
  void ShowStatusBar(bool shown) override { calls.push_back(shown ? "status bar on" : "status bar off"); }
  void ShowRulers() override { calls.push_back("rulers"); }
  void TakeInstanceLock() override { calls.push_back("lock"); }
  void SaveCabinetNow() override { calls.push_back("save cabinet"); }
  std::vector<std::string> calls;
};

}  // namespace quarn
