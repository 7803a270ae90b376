// The main frame's command handling: the application's file commands, the
// active document's Close, Save and Save As, and everything else offered
// first to the active view. The platform's frame window forwards its menu
// commands and idle updates here.
#pragma once

#include "core/commands/CommandCatalogue.h"
#include "core/app/DocTemplate.h"
#include "core/app/TabBar.h"
#include "core/app/TagCommands.h"
#include "core/app/WindowMarks.h"
#include "platform/CommandState.h"

namespace quarn {

class CVeskView;
class CommonSettingsEffects;
class DocTemplate;

// What the frame needs of its window.
class MainFrameHost {
 public:
  virtual ~MainFrameHost() = default;
  // The view of the active MDI child, or null.
  virtual CVeskView* ActiveView() = 0;
  // Closes the main window (the close asks about modified documents).
  virtual void CloseMainWindow() = 0;
  // The recent-file list or the set of documents changed.
  virtual void MenusChanged() = 0;
  // The Ctrl key is held down now.
  virtual bool ControlKeyDown() { return false; }
  // The wait cursor over the whole window, or the normal cursors again.
  virtual void SetWaitCursor(bool /*on*/) {}
  // What the common settings change around the settings; null: nothing.
  virtual CommonSettingsEffects* SettingsEffects() { return nullptr; }
};

class CMainFrame : public ReplayTarget, public DocumentSetObserver {
 public:
  // The frame is where the recorded operations are played.
  CMainFrame(DocTemplate& documents, MainFrameHost& host);
  ~CMainFrame() override;
  CMainFrame(const CMainFrame&) = delete;
  CMainFrame& operator=(const CMainFrame&) = delete;

  void SendFrameCommand(unsigned id) override { OnCommand(id); }
  RecordReplayer* ReplayView() override;

  // False when no one handles the command.
  bool OnCommand(unsigned id);
  void OnUpdateCommand(unsigned id, CommandState& state);

  // Asked when the main window is to close: true when every modified
  // document was saved or given up.
  bool OnClose();

  // The set of documents changed: the window marks and the tabs follow.
  void DocumentClosing(CVeskDoc& doc) override;
  void DocumentsChanged() override;
  // A view became active: its tab is selected.
  void ViewActivated(CVeskView& view);
  CTabBar& Tabs() { return tabBar_; }
  const WindowMarks& Marks() const { return marks_; }

 private:
  bool RunFileCommand(unsigned id);
  // The window marks' commands; false for any other.
  bool RunMarkCommand(unsigned id);
  // Steps the binary windows' character code SJIS, JIS, EUC, UNI, SJIS ...
  void SwitchBinaryCode();

  DocTemplate& documents_;
  MainFrameHost& host_;
  TagJumps tags_{documents_, host_};
  WindowMarks marks_{documents_};
  CTabBar tabBar_{documents_};
};

}  // namespace quarn
