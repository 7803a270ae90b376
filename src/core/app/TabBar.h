// The document tab bar: one tab per open document (at most 100), its text
// and its modified image, and the activation of a document by its tab.
// The platform's tab widget shows what the model lists.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace quarn {

class CVeskDoc;
class DocTemplate;

struct TabItem {
  std::string text;  // CP932
  int image = -1;    // -1: none
  bool operator==(const TabItem&) const = default;
};

// The platform's tab widget.
class TabBarHost {
 public:
  virtual ~TabBarHost() = default;
  virtual void setTabs(const std::vector<TabItem>& tabs) = 0;
  virtual void setTabImage(int index, int image) = 0;
  virtual void selectTab(int index) = 0;
};

class CTabBar {
 public:
  static constexpr std::size_t kMaxTabs = 100;
  // Images 0 to 2 mark a modified document.
  static constexpr int kModifiedImages = 3;

  explicit CTabBar(DocTemplate& documents) : documents_(documents) {}
  void SetHost(TabBarHost* host);

  // All tabs again from the open documents.
  void Rebuild();
  // Only the image of doc's tab, after its modified flag changed.
  void TabModified(CVeskDoc& doc);
  // The active view's document gets its tab selected.
  void SelectDocument(const CVeskDoc& doc);
  // The user chose tab index showing text: its document is activated when
  // the tab still names it. False when nothing was activated.
  bool OnSelectionChange(int index, const std::string& text);

  const std::vector<TabItem>& Tabs() const { return tabs_; }

  // The title a tab shows for doc: the file name of a full-path title,
  // "相違" for a comparison result.
  static std::string ShortTitle(const CVeskDoc& doc);
  // "TabBarImageNo" for a modified document while "EnableTabBarImage" is on.
  static int ImageFor(bool modified);

 private:
  std::size_t TabCount() const;

  DocTemplate& documents_;
  TabBarHost* host_ = nullptr;
  std::vector<TabItem> tabs_;
};

}  // namespace quarn
