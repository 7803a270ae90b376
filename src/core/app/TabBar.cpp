#include "core/app/TabBar.h"

#include <algorithm>

#include "core/app/DocTemplate.h"
#include "core/common/AppSettings.h"
#include "core/document/CVeskDoc.h"
#include "core/res/Texts.h"

namespace quarn {
namespace {

// The longest tab text the selection reads back.
constexpr std::size_t kLongestTabText = 100;

}  // namespace

void CTabBar::SetHost(TabBarHost* host) {
  host_ = host;
  Rebuild();
}

std::size_t CTabBar::TabCount() const { return std::min(documents_.Count(), kMaxTabs); }

std::string CTabBar::ShortTitle(const CVeskDoc& doc) {
  if (doc.IsComparisonResult()) return texts::kComparisonTitle;
  const std::string& title = doc.GetTitle();
  if (!gSettings.LongTitle) return title;
  const std::size_t slash = title.find_last_of('/');
  return slash == std::string::npos ? title : title.substr(slash + 1);
}

int CTabBar::ImageFor(bool modified) {
  if (!modified || !gSettings.EnableTabBarImage) return -1;
  const int image = gSettings.TabBarImageNo;
  return image >= 0 && image < kModifiedImages ? image : 0;
}

void CTabBar::Rebuild() {
  tabs_.clear();
  for (std::size_t i = 0; i < TabCount(); ++i) {
    const CVeskDoc& doc = documents_.At(i);
    std::string text = ShortTitle(doc);
    if (gSettings.AddDocNumber) text = std::to_string(i + 1) + ". " + text;
    tabs_.push_back({std::move(text), ImageFor(doc.IsModified())});
  }
  if (host_) host_->setTabs(tabs_);
}

void CTabBar::TabModified(CVeskDoc& doc) {
  const int index = documents_.IndexOf(doc);
  if (index < 0 || std::size_t(index) >= tabs_.size()) return;
  const int image = ImageFor(doc.IsModified());
  if (tabs_[std::size_t(index)].image == image) return;
  tabs_[std::size_t(index)].image = image;
  if (host_) host_->setTabImage(index, image);
}

void CTabBar::SelectDocument(const CVeskDoc& doc) {
  const int index = documents_.IndexOf(doc);
  if (index >= 0 && std::size_t(index) < tabs_.size() && host_) host_->selectTab(index);
}

bool CTabBar::OnSelectionChange(int index, const std::string& tabText) {
  if (index < 0 || std::size_t(index) >= TabCount()) return false;
  std::string text = tabText.substr(0, kLongestTabText);
  // The number the rebuild put in front, "1. " up to "100. ".
  const std::string number = std::to_string(index + 1) + ". ";
  if (gSettings.AddDocNumber && text.compare(0, number.size(), number) == 0) text.erase(0, number.size());
  CVeskDoc& doc = documents_.At(std::size_t(index));
  if (ShortTitle(doc) != text) return false;
  documents_.ActivateDocument(doc);
  return true;
}

}  // namespace quarn
