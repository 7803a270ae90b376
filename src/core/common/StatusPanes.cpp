#include "core/common/StatusPanes.h"

namespace quarn {

CVeskStatusBar& StatusBar() {
  static CVeskStatusBar bar;
  return bar;
}

int CVeskStatusBar::IndexOf(unsigned id) {
  for (std::size_t i = 0; i < kStatusPaneIds.size(); ++i)
    if (kStatusPaneIds[i] == id) return int(i) + 1;
  return -1;
}

void CVeskStatusBar::SetPaneTextFast(unsigned id, const std::string& text) {
  int index = IndexOf(id);
  if (index < 0) return;
  if (index <= 3) {
    if (last_[index - 1] == text) return;
    last_[index - 1] = text;
  }
  if (host_) host_->setPaneText(index, text);
}

void CVeskStatusBar::SetMessage(const std::string& text) {
  noticeShown_ = false;
  if (host_) host_->setPaneText(0, text);
}

void CVeskStatusBar::ShowNotice(const std::string& text) {
  SetMessage(text);
  noticeShown_ = true;
}

void CVeskStatusBar::ClearNotice() {
  if (!noticeShown_) return;
  noticeShown_ = false;
  SetMessage({});
}

void CVeskStatusBar::SetPaneEnabled(unsigned id, bool enabled) {
  int index = IndexOf(id);
  if (index < 0) return;
  int state = enabled ? 1 : 2;
  if (enabled_[index - 1] == state) return;
  enabled_[index - 1] = state;
  if (host_) host_->setPaneEnabled(index, enabled);
}

const std::string& CVeskStatusBar::RememberedText(unsigned id) const {
  static const std::string empty;
  int index = IndexOf(id);
  return index >= 1 && index <= 3 ? last_[index - 1] : empty;
}

}  // namespace quarn
