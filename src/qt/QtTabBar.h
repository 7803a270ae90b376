// The document tab bar: a tab widget above or below the document windows
// showing the core's tab list; choosing a tab activates its document.
#pragma once

#include <QWidget>

#include "core/app/TabBar.h"

class QTabBar;

namespace quarn::qt {

class QtTabBar : public QWidget, public TabBarHost {
  Q_OBJECT

 public:
  QtTabBar(CTabBar& model, QWidget* parent);

  void setTabs(const std::vector<TabItem>& tabs) override;
  void setTabImage(int index, int image) override;
  void selectTab(int index) override;

  // "ButtonStyleTabBar", "TabBarPosition" and "TabBarHeightAdjust".
  void applySettings();
  QTabBar* tabs() const { return tabs_; }

 private:
  CTabBar& model_;
  QTabBar* tabs_;
  // Set while the tabs are changed from the model: no activation then.
  bool filling_ = false;
};

}  // namespace quarn::qt
