// The main frame: the MDI area of the document windows under the menu bar,
// with the status bar. Commands and idle updates go to the core's CMainFrame.
#pragma once

#include <QMainWindow>
#include <memory>

#include "core/app/CMainFrame.h"
#include "core/app/CVeskApp.h"
#include "core/app/CabinetFrames.h"

class QMdiArea;
class QMenu;

namespace quarn::qt {

class QtDocumentFrames;
class QtStatusBar;
class QtMainToolbar;
class QtFindDialogService;
class QtSettingsEffects;
class QtDesktopService;
class QtProgressService;
class QtTabBar;
class QtPrintService;

class QtMainFrame : public QMainWindow, public MainFrameHost, public StartupFrame, public CabinetFrames {
  Q_OBJECT

 public:
  explicit QtMainFrame(QWidget* parent = nullptr);
  ~QtMainFrame() override;

  QMdiArea* mdiArea() const { return mdi_; }
  QtStatusBar* statusPanes() const { return status_; }
  QtMainToolbar* toolbar() const { return toolbar_; }
  QtTabBar* tabBar() const { return tabBar_; }
  CMainFrame& core() { return core_; }
  QtFindDialogService& findDialog() { return *findDialog_; }
  QtDocumentFrames& frames() { return *frames_; }

  // Runs command id as the menus send it; false when no one handles it.
  bool runCommand(unsigned id);
  // The idle update: menu states and the status panes.
  void updateCommandStates();

  CVeskView* ActiveView() override;
  void CloseMainWindow() override { close(); }
  void MenusChanged() override;
  bool ControlKeyDown() override;
  void SetWaitCursor(bool on) override;
  CommonSettingsEffects* SettingsEffects() override;
  // The channel whose lock the common settings take when "MultiInstance"
  // is switched to 0.
  void SetInstanceChannel(InstanceChannel* channel);

  // Start-up: shown with the placement stored in "WindowPos" when there is
  // one, else maximised.
  void ShowWithStoredPlacement();
  void MaximizeActiveChild() override;
  bool HasActiveChild() override;
  // The cabinet's side of the child frames.
  WindowPlacement Placement(CVeskDoc& doc) override;
  void SetPlacement(CVeskDoc& doc, const WindowPlacement& placement) override;
  void Show(CVeskDoc& doc, std::uint32_t showCmd) override;
  bool IsActive(CVeskDoc& doc) override;
  void Activate(CVeskDoc& doc) override;
  void Maximize(CVeskDoc& doc) override;
  void SetCaption() override;
  void RelayoutAll() override;

  // "DisplayToolBar", "DisplayStatusBar" and "DisplayTabBar".
  void ApplyBarVisibility();
  // "TabBarPosition", "ButtonStyleTabBar" and "TabBarHeightAdjust".
  void PlaceTabBar();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void rebuildMenus();
  void updateMenu(QMenu& menu);
  void updateWindowList(QMenu& menu);
  bool runWindowCommand(unsigned id);
  void updateStatusPanes();
  void storePlacement();

  QMdiArea* mdi_;
  QtStatusBar* status_;
  std::unique_ptr<QtDocumentFrames> frames_;
  std::unique_ptr<QtFindDialogService> findDialog_;
  std::unique_ptr<QtSettingsEffects> effects_;
  std::unique_ptr<QtDesktopService> desktop_;
  std::unique_ptr<QtProgressService> progress_;
  std::unique_ptr<QtPrintService> printing_;
  QtMainToolbar* toolbar_ = nullptr;
  CMainFrame core_;
  QtTabBar* tabBar_ = nullptr;
  bool documentMenu_ = false;
  bool menusPending_ = false;
};

}  // namespace quarn::qt
