// The main frame's side of the common settings: relayouts, titles, bars
// and the instance lock after OK.
#pragma once

#include "core/options/CommonSettingsEffects.h"

namespace quarn {
class InstanceChannel;
}

namespace quarn::qt {

class QtMainFrame;

class QtSettingsEffects : public CommonSettingsEffects {
 public:
  explicit QtSettingsEffects(QtMainFrame& frame) : frame_(frame) {}
  void SetInstanceChannel(InstanceChannel* channel) { channel_ = channel; }

  void RelayoutBinaryWindows(bool full) override;
  void RelayoutTextWindows() override;
  void ResetTitles() override;
  void ShowTabBar(bool shown) override;
  void ShowToolBar(bool shown) override;
  void ShowStatusBar(bool shown) override;
  void ShowRulers() override;
  void TakeInstanceLock() override;
  // Cabinet files are not written yet.
  void SaveCabinetNow() override;

 private:
  QtMainFrame& frame_;
  InstanceChannel* channel_ = nullptr;
};

}  // namespace quarn::qt
