#include "qt/QtMainFrame.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QVBoxLayout>

#include "core/app/DocTemplate.h"
#include "core/app/FileCommands.h"
#include "core/app/RunCommands.h"
#include "core/common/Settings.h"
#include "core/common/WindowPos.h"
#include "core/commands/CommandIds.h"
#include "core/operations/CMenuToolManeger.h"
#include "core/cabinet/CVeskCabinet.h"
#include "core/res/StringTable.h"
#include "core/commands/Menus.h"
#include "core/commands/Toolbar.h"
#include "core/search/CFindReplaceManeger.h"
#include "platform/Platform.h"
#include "core/common/StatusPanes.h"
#include "qt/QtDesktopService.h"
#include "qt/QtProgressWindow.h"
#include "qt/QtPageLayoutDialog.h"
#include "qt/QtPrintService.h"
#include "core/print/PrintCommands.h"
#include "qt/QtDocumentFrames.h"
#include "qt/QtDocumentView.h"
#include "qt/QtFindDialog.h"
#include "qt/QtKeyTranslator.h"
#include "qt/QtMainToolbar.h"
#include "qt/QtSettingsEffects.h"
#include "qt/QtMenuBuilder.h"
#include "qt/QtStatusBar.h"
#include "qt/QtTabBar.h"
#include "qt/QtText.h"

namespace quarn::qt {
namespace {

QAction* FindCommandIn(const QMenu& menu, unsigned id) {
  for (QAction* action : menu.actions())
    if (!action->isSeparator() && action->data().isValid() && action->data().toUInt() == id) return action;
  return nullptr;
}

// The idle update of the status panes and the frame titles.
constexpr int kIdleUpdateMs = 200;

// The ids of the window list at the end of the window menu.
constexpr unsigned kFirstMdiChild = 65280;
constexpr unsigned kMdiChildCount = 9;

}  // namespace

QtMainFrame::QtMainFrame(QWidget* parent)
    : QMainWindow(parent),
      mdi_(new QMdiArea(this)),
      status_(new QtStatusBar(this)),
      frames_(std::make_unique<QtDocumentFrames>(*mdi_)),
      findDialog_(std::make_unique<QtFindDialogService>(this)),
      effects_(std::make_unique<QtSettingsEffects>(*this)),
      desktop_(std::make_unique<QtDesktopService>(this)),
      progress_(std::make_unique<QtProgressService>(this)),
      printing_(std::make_unique<QtPrintService>(this)),
      core_(Documents(), *this) {
  toolbar_ = new QtMainToolbar(
      this, [this](unsigned id) { runCommand(id); },
      [this](unsigned id, CommandState& state) { core_.OnUpdateCommand(id, state); });
  tabBar_ = new QtTabBar(core_.Tabs(), this);
  core_.Tabs().SetHost(tabBar_);
  toolbar_->build(gMenuTools.toolbar);
  toolbar_->findBox()->setHistory(gFindReplace.findHistory.Entries());
  addToolBar(toolbar_);
  ApplyBarVisibility();
  Platform().findBox = toolbar_->findBox();
  Platform().findDialog = findDialog_.get();
  Platform().desktop = desktop_.get();
  Platform().progress = progress_.get();
  Platform().printing = printing_.get();
  PageLayoutDialogHook() = [this](CPageLayout& model) { return QtPageLayoutDialog::Run(model, this); };
  setWindowTitle(QStringLiteral("Quarn"));
  // The tab bar above or below the document windows.
  auto* centre = new QWidget(this);
  auto* column = new QVBoxLayout(centre);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  column->addWidget(mdi_, 1);
  setCentralWidget(centre);
  PlaceTabBar();
  setStatusBar(status_);
  setAcceptDrops(true);
  StatusBar().SetHost(status_);
  Documents().SetFrameFactory(frames_.get());
  gCabinet.SetFrames(this);
  rebuildMenus();
  new QtKeyTranslator(*this, [this](unsigned id) { runCommand(id); });
  connect(menuBar(), &QMenuBar::triggered, this, [this](QAction* action) {
    if (action->data().isValid()) runCommand(action->data().toUInt());
  });
  connect(mdi_, &QMdiArea::subWindowActivated, this, [this] {
    if (CVeskView* view = ActiveView()) core_.ViewActivated(*view);
    MenusChanged();
    updateStatusPanes();
  });
  auto* idle = new QTimer(this);
  connect(idle, &QTimer::timeout, this, [this] { updateStatusPanes(); });
  idle->start(kIdleUpdateMs);
}

QtMainFrame::~QtMainFrame() {
  findDialog_->close();
  Documents().CloseAll();
  if (Platform().findBox == toolbar_->findBox()) Platform().findBox = nullptr;
  if (Platform().findDialog == findDialog_.get()) Platform().findDialog = nullptr;
  if (Platform().desktop == desktop_.get()) Platform().desktop = nullptr;
  if (Platform().progress == progress_.get()) Platform().progress = nullptr;
  if (Platform().printing == printing_.get()) Platform().printing = nullptr;
  PageLayoutDialogHook() = nullptr;
  Documents().SetFrameFactory(nullptr);
  if (gCabinet.Frames() == this) gCabinet.SetFrames(nullptr);
  StatusBar().SetHost(nullptr);
  core_.Tabs().SetHost(nullptr);
}

CVeskView* QtMainFrame::ActiveView() {
  QtDocumentFrame* frame = frames_->ActiveFrame();
  QtDocumentView* view = frame ? frame->DocumentView() : nullptr;
  return view ? &view->View() : nullptr;
}

void QtMainFrame::rebuildMenus() {
  documentMenu_ = Documents().Count() > 0;
  menus::MenuBar bar = documentMenu_ ? menus::DocumentMenu() : menus::NoDocumentMenu();
  // With a document open the user tools' menu stands before the help menu.
  if (documentMenu_ && !bar.empty()) bar.insert(bar.end() - 1, UserToolMenu());
  BuildMenuBar(*menuBar(), bar, Documents().Recent().Entries());
  for (unsigned id = CMenuToolManeger::kFirstToolCommand; id <= CMenuToolManeger::kLastToolCommand; ++id)
    if (QAction* tool = FindCommand(*menuBar(), id)) {
      tool->setStatusTip(ToQString(gMenuTools.ToolTitle(id)));
      tool->setToolTip(tool->statusTip());
    }
  for (QAction* top : menuBar()->actions())
    if (QMenu* menu = top->menu()) {
      connect(menu, &QMenu::aboutToShow, this, [this, menu] { updateMenu(*menu); });
      updateMenu(*menu);
    }
}

void QtMainFrame::MenusChanged() {
  // Deferred: the change may come from inside a menu action, which the
  // rebuild would delete.
  if (menusPending_) return;
  menusPending_ = true;
  QTimer::singleShot(0, this, [this] {
    menusPending_ = false;
    rebuildMenus();
  });
}

void QtMainFrame::updateWindowList(QMenu& menu) {
  for (QAction* action : menu.actions())
    if (action->data().toUInt() >= kFirstMdiChild || action->objectName() == QLatin1String("windowListSeparator"))
      menu.removeAction(action);
  const QList<QMdiSubWindow*> windows = mdi_->subWindowList();
  if (windows.isEmpty()) return;
  menu.addSeparator()->setObjectName(QStringLiteral("windowListSeparator"));
  for (qsizetype i = 0; i < windows.size() && unsigned(i) < kMdiChildCount; ++i) {
    QAction* action = menu.addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(windows[i]->windowTitle()));
    action->setData(kFirstMdiChild + unsigned(i));
    action->setCheckable(true);
    action->setChecked(windows[i] == mdi_->activeSubWindow());
  }
}

bool QtMainFrame::runWindowCommand(unsigned id) {
  switch (id) {
    case cmd::kWindowCascade:
      // Cascading gives each window its preferred size; a maximised one
      // becomes a normal window first (minimised ones stay icons).
      for (QMdiSubWindow* window : mdi_->subWindowList())
        if (window->isMaximized()) window->showNormal();
      mdi_->cascadeSubWindows();
      return true;
    case cmd::kWindowTile:
      mdi_->tileSubWindows();
      return true;
    case cmd::kWindowArrange:
      // Minimised windows line up along the bottom of the MDI area by themselves.
      return true;
    default:
      if (id >= kFirstMdiChild && id < kFirstMdiChild + kMdiChildCount) {
        const QList<QMdiSubWindow*> windows = mdi_->subWindowList();
        const qsizetype index = qsizetype(id - kFirstMdiChild);
        if (index < windows.size()) mdi_->setActiveSubWindow(windows[index]);
        return true;
      }
      return false;
  }
}

void QtMainFrame::updateMenu(QMenu& menu) {
  if (FindCommandIn(menu, cmd::kWindowCascade)) updateWindowList(menu);
  for (QAction* action : menu.actions()) {
    if (action->isSeparator() || !action->data().isValid()) continue;
    const unsigned id = action->data().toUInt();
    if (id >= kFirstMdiChild) continue;
    CommandState state;
    state.enabled = false;
    if (id == cmd::kWindowCascade || id == cmd::kWindowTile || id == cmd::kWindowArrange)
      state.enabled = !mdi_->subWindowList().isEmpty();
    else if (id != cmd::kWindowNew)
      core_.OnUpdateCommand(id, state);
    action->setEnabled(state.enabled);
    if (!state.text.empty()) action->setText(ToQString(state.text));
    action->setCheckable(state.checked);
    action->setChecked(state.checked);
  }
}

void QtMainFrame::updateCommandStates() {
  for (QAction* top : menuBar()->actions())
    if (QMenu* menu = top->menu()) updateMenu(*menu);
  updateStatusPanes();
}

void QtMainFrame::updateStatusPanes() {
  const bool child = frames_->ActiveFrame() != nullptr;
  for (unsigned id : kStatusPaneIds) {
    if (id == pane::kRecording) continue;
    CommandState state;
    state.enabled = child;
    if (child) core_.OnUpdateCommand(id, state);
    StatusBar().SetPaneEnabled(id, state.enabled);
  }
  for (QMdiSubWindow* window : mdi_->subWindowList())
    if (auto* frame = qobject_cast<QtDocumentFrame*>(window)) frame->UpdateTitle();
  toolbar_->updateStates();
}

bool QtMainFrame::runCommand(unsigned id) {
  if (runWindowCommand(id)) return true;
  CommandState state;
  state.enabled = false;
  core_.OnUpdateCommand(id, state);
  if (!state.enabled) return false;
  const bool done = core_.OnCommand(id);
  // The customisation sheet may have changed the buttons.
  if (id == cmd::kCustomise) toolbar_->build(gMenuTools.toolbar);
  return done;
}

void QtMainFrame::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void QtMainFrame::dropEvent(QDropEvent* event) {
  std::vector<std::string> paths;
  for (const QUrl& url : event->mimeData()->urls())
    if (url.isLocalFile()) paths.push_back(DroppedPath(url));
  event->acceptProposedAction();
  OpenDroppedFiles(Documents(), paths);
  MenusChanged();
}

CommonSettingsEffects* QtMainFrame::SettingsEffects() { return effects_.get(); }
void QtMainFrame::SetInstanceChannel(InstanceChannel* channel) { effects_->SetInstanceChannel(channel); }

void QtMainFrame::SetWaitCursor(bool on) {
  if (on) QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  else QGuiApplication::restoreOverrideCursor();
}

bool QtMainFrame::ControlKeyDown() { return QGuiApplication::queryKeyboardModifiers() & Qt::ControlModifier; }

void QtMainFrame::ApplyBarVisibility() {
  toolbar_->setVisible(gSettings.DisplayToolBar != 0);
  status_->setVisible(gSettings.DisplayStatusBar != 0);
  tabBar_->setVisible(gSettings.DisplayTabBar != 0);
}

void QtMainFrame::PlaceTabBar() {
  tabBar_->applySettings();
  auto* column = static_cast<QVBoxLayout*>(centralWidget()->layout());
  column->removeWidget(tabBar_);
  column->insertWidget(gSettings.TabBarPosition > 0 ? 0 : 1, tabBar_);
}

void QtMainFrame::ShowWithStoredPlacement() {
  if (!gSettings.HasWindowPos) {
    showMaximized();
    return;
  }
  const Rect& r = gSettings.WindowPos.normalPosition;
  if (r.right > r.left && r.bottom > r.top) setGeometry(r.left, r.top, r.right - r.left, r.bottom - r.top);
  switch (gSettings.WindowPos.showCmd) {
    case 3: showMaximized(); break;                   // SW_SHOWMAXIMIZED
    case 2: case 6: case 7: showMinimized(); break;  // the minimised forms
    default: show(); break;
  }
}

void QtMainFrame::storePlacement() {
  WindowPlacement placement;
  const QRect normal = isMaximized() || isMinimized() ? normalGeometry() : geometry();
  placement.showCmd = isMaximized() ? 3 : isMinimized() ? 2 : 1;
  placement.minPosition = Point{-1, -1};
  placement.maxPosition = Point{-1, -1};
  placement.normalPosition = Rect{normal.left(), normal.top(), normal.right() + 1, normal.bottom() + 1};
  WriteWindowPos(placement, isMaximized());
}

WindowPlacement QtMainFrame::Placement(CVeskDoc& doc) {
  WindowPlacement placement;
  QtDocumentFrame* frame = frames_->FrameOf(doc);
  if (!frame) return placement;
  const QRect r = frame->NormalGeometry().isValid() ? frame->NormalGeometry() : frame->geometry();
  placement.showCmd = frame->isMaximized() ? 3 : frame->isMinimized() ? 2 : 1;
  placement.minPosition = Point{-1, -1};
  placement.maxPosition = Point{-1, -1};
  placement.normalPosition = Rect{r.left(), r.top(), r.right() + 1, r.bottom() + 1};
  return placement;
}

void QtMainFrame::SetPlacement(CVeskDoc& doc, const WindowPlacement& placement) {
  QtDocumentFrame* frame = frames_->FrameOf(doc);
  const Rect& r = placement.normalPosition;
  if (frame && r.right > r.left && r.bottom > r.top) frame->setGeometry(r.left, r.top, r.width(), r.height());
}

void QtMainFrame::Show(CVeskDoc& doc, std::uint32_t showCmd) {
  QtDocumentFrame* frame = frames_->FrameOf(doc);
  if (!frame) return;
  switch (showCmd) {
    case 3: frame->showMaximized(); break;                   // SW_SHOWMAXIMIZED
    case 2: case 6: case 7: frame->showMinimized(); break;  // the minimised forms
    default: frame->showNormal(); break;
  }
}

bool QtMainFrame::IsActive(CVeskDoc& doc) {
  QtDocumentFrame* frame = frames_->FrameOf(doc);
  return frame && frame == mdi_->activeSubWindow();
}

void QtMainFrame::Activate(CVeskDoc& doc) { frames_->ActivateFrame(doc); }

void QtMainFrame::Maximize(CVeskDoc& doc) {
  if (QtDocumentFrame* frame = frames_->FrameOf(doc)) frame->showMaximized();
}

void QtMainFrame::SetCaption() {
  setWindowTitle(ToQString(LoadString(57347)));
  MenusChanged();
}

void QtMainFrame::RelayoutAll() {
  for (QMdiSubWindow* window : mdi_->subWindowList())
    if (QWidget* view = window->widget()) view->update();
  mdi_->viewport()->update();
}

void QtMainFrame::MaximizeActiveChild() {
  if (QMdiSubWindow* child = mdi_->activeSubWindow()) child->showMaximized();
}

bool QtMainFrame::HasActiveChild() { return mdi_->activeSubWindow() != nullptr; }

void QtMainFrame::closeEvent(QCloseEvent* event) {
  if (!core_.OnClose()) {
    event->ignore();
    return;
  }
  storePlacement();
  gCabinet.Save(false);
  Documents().CloseAll();
  QMainWindow::closeEvent(event);
}

}  // namespace quarn::qt
