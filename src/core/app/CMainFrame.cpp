#include "core/app/CMainFrame.h"

#include <memory>

#include "core/app/AboutBox.h"
#include "core/common/ProgressStop.h"
#include "core/app/HelpCommands.h"
#include "core/app/DocTemplate.h"
#include "core/common/Settings.h"
#include "core/app/CabinetCommands.h"
#include "core/common/BinarySettings.h"
#include "core/commands/CommandIds.h"
#include "core/common/StatusPanes.h"
#include "core/app/FileCommands.h"
#include "core/app/GlobalFindCommand.h"
#include "core/app/FrequentDirectories.h"
#include "core/app/OperationCommands.h"
#include "core/print/PrintCommands.h"
#include "core/app/RunCommands.h"
#include "core/macro/COperationManeger.h"
#include "core/macro/OperationRecorder.h"
#include "core/common/ParameterBlock.h"
#include "core/app/KeyCommands.h"
#include "core/options/CommonSettingsCommand.h"
#include "core/document/CVeskDoc.h"
#include "core/commands/Menus.h"
#include "core/app/ToolCommands.h"
#include "platform/FindDialogService.h"
#include "platform/Platform.h"
#include "core/view/CVeskView.h"

namespace quarn {
namespace {


bool IsRecentFile(unsigned id) {
  return id >= menus::kFirstRecentFile && id < menus::kFirstRecentFile + menus::kRecentFileCount;
}

}  // namespace

CMainFrame::CMainFrame(DocTemplate& documents, MainFrameHost& host) : documents_(documents), host_(host) {
  Operations().SetReplayTarget(this);
  documents_.SetObserver(this);
  CVeskDoc::SetModifiedObserver([](CVeskDoc& doc, void* frame) { static_cast<CMainFrame*>(frame)->tabBar_.TabModified(doc); },
                                this);
}

CMainFrame::~CMainFrame() {
  Operations().SetReplayTarget(nullptr);
  if (documents_.Observer() == this) documents_.SetObserver(nullptr);
  CVeskDoc::SetModifiedObserver(nullptr, nullptr);
}

void CMainFrame::DocumentClosing(CVeskDoc& doc) {
  for (const DocumentView* view : doc.Views()) marks_.Forget(view);
}

void CMainFrame::DocumentsChanged() {
  tabBar_.Rebuild();
  if (CVeskView* view = host_.ActiveView()) tabBar_.SelectDocument(view->GetDocument());
}

void CMainFrame::ViewActivated(CVeskView& view) { tabBar_.SelectDocument(view.GetDocument()); }

bool CMainFrame::RunMarkCommand(unsigned id) {
  switch (id) {
    case cmd::kWindowMarkToggle: marks_.Toggle(host_.ActiveView()); break;
    case cmd::kWindowMarkNext: marks_.Step(true); return true;
    case cmd::kWindowMarkPrev: marks_.Step(false); return true;
    case cmd::kWindowMarkClearAll: marks_.UnmarkAll(); break;
    default: return false;
  }
  // The titles changed: the tabs show them.
  DocumentsChanged();
  return true;
}

bool CMainFrame::RunFileCommand(unsigned id) {
  if (id == cmd::kFileNew || id == cmd::kFileClose || id == cmd::kFileSave || id == cmd::kFileSaveAs)
    RecordOperation(rec::kFrameCommand, id);
  CVeskView* view = host_.ActiveView();
  CVeskDoc* doc = view ? &view->GetDocument() : nullptr;
  switch (id) {
    case cmd::kFileNew:
      FileNew(documents_);
      break;
    case cmd::kFileOpen:
      FileOpen(documents_);
      break;
    case cmd::kFileClose:
      if (doc) documents_.CloseDocument(*doc);
      break;
    case cmd::kFileSave:
      if (doc && doc->DoFileSave()) documents_.Recent().Add(doc->GetPathName());
      break;
    case cmd::kFileSaveAs:
      if (doc && doc->DoSave({}, true)) documents_.Recent().Add(doc->GetPathName());
      break;
    case cmd::kAppExit:
      host_.CloseMainWindow();
      return true;
    case cmd::kCodeSwitch:
      SwitchBinaryCode();
      return true;
    case cmd::kFindBoxFocus:
      if (FindBoxService* box = Platform().findBox) box->focusAndSelect();
      return true;
    case cmd::kAbout:
      ShowAboutBox();
      return true;
    case cmd::kHomePage:
      OpenHomePage();
      return true;
    case cmd::kHelp:
    case cmd::kContextHelp:
      OpenHelp(!view ? HelpSubject::kGeneral : view->IsTextMode() ? HelpSubject::kTextWindow : HelpSubject::kBinaryWindow);
      return true;
    case cmd::kGlobalFind:
      GlobalFind(documents_);
      return true;
    case cmd::kExtractLines:
      ExtractLinesCommand(documents_, view);
      return true;
    case cmd::kFreeConversion:
      FreeConversionCommand(documents_, view);
      return true;
    case cmd::kCommonSettings:
      if (CommonSettingsEffects* effects = host_.SettingsEffects()) RunCommonSettings(view && view->IsTextMode(), *effects);
      return true;
    case cmd::kSettingsCommand:
      if (CommonSettingsEffects* effects = host_.SettingsEffects(); effects && ReplayedParameters())
        PlayCommonSettings(*ReplayedParameters(), *effects);
      return true;
    default:
      if (RunKeyCommand(id, documents_)) break;
      if (RunProgramCommand(documents_, view, id)) break;
      if (IsCabinetCommand(id)) {
        RunCabinetCommand(id, ReplayedParameters() ? &*ReplayedParameters() : nullptr);
        break;
      }
      if (id >= kFirstDirectoryCommand && id < kFirstDirectoryCommand + kDirectoryCommands) {
        OpenFrequentDirectory(documents_, doc, int(id - kFirstDirectoryCommand) + 1, host_.ControlKeyDown());
        break;
      }
      if (!IsRecentFile(id)) return false;
      OpenRecentFile(documents_, id - menus::kFirstRecentFile);
      break;
  }
  // Save As and the cabinet commands may have given documents new titles.
  DocumentsChanged();
  host_.MenusChanged();
  return true;
}

RecordReplayer* CMainFrame::ReplayView() { return host_.ActiveView(); }

bool CMainFrame::OnCommand(unsigned id) {
  StatusBar().ClearNotice();
  if (RunOperationCommand(Operations(), id, [this](bool on) { host_.SetWaitCursor(on); })) return true;
  if (CVeskView* view = host_.ActiveView()) {
    // The binary window's tools open documents of their own.
    if (id == cmd::kCompare || id == cmd::kFormat) {
      if (view->IsTextMode()) return true;
      if (id == cmd::kCompare) CompareCommand(documents_, view);
      else FormatCommand(documents_, view);
      host_.MenusChanged();
      return true;
    }
    // A long text laid out for printing shows the progress window.
    std::unique_ptr<ProgressStop> printing;
    auto keepGoing = [&printing](unsigned long rows) {
      if (!printing) printing = std::make_unique<ProgressStop>(texts::kPrintCaption, texts::kPrintPreparing);
      return printing->Continue(rows);
    };
    if (RunPrintCommand(*view, id, keepGoing)) return true;
    if (view->OnCommand(id)) return true;
  }
  if (tags_.OnCommand(id)) return true;
  if (RunMarkCommand(id)) return true;
  return RunFileCommand(id);
}

void CMainFrame::OnUpdateCommand(unsigned id, CommandState& state) {
  if (UpdateOperationCommand(Operations(), id, state)) return;
  CVeskView* view = host_.ActiveView();
  if (view && UpdatePrintCommand(id, state)) return;
  if (view && view->OnUpdateCommand(id, state)) return;
  if (tags_.OnUpdateCommand(id, state)) return;
  CVeskDoc* doc = view ? &view->GetDocument() : nullptr;
  switch (id) {
    case cmd::kFileNew: case cmd::kFileOpen: case cmd::kAppExit: case cmd::kCodeSwitch: case cmd::kFindBoxFocus: case cmd::kCommonSettings:
    case cmd::kAbout: case cmd::kHomePage: case cmd::kGlobalFind: case cmd::kExtractLines: case cmd::kFreeConversion:
    case cmd::kHelp: case cmd::kContextHelp:
      state.enabled = true;
      return;
    // The caret, mode and decoding panes, while a document window is
    // active (the view's own rules come first for those it knows).
    case pane::kOffsetHex: case pane::kOffsetDec: case pane::kByteValue: case pane::kOverwrite:
    case pane::kReadOnly: case pane::kDecoding:
      state.enabled = view != nullptr;
      return;
    case cmd::kFileClose:
    case cmd::kWindowMarkToggle:
      state.enabled = doc != nullptr;
      return;
    case cmd::kWindowMarkNext: case cmd::kWindowMarkPrev: case cmd::kWindowMarkClearAll:
      state.enabled = !marks_.Empty();
      return;
    case cmd::kFileSave:
      state.enabled = doc && doc->DocKind() != kTextDoc && !doc->IsWriteProtected();
      return;
    case cmd::kFileSaveAs:
      state.enabled = doc && doc->DocKind() != kTextDoc;
      return;
    default:
      if (UpdateKeyCommand(id, state)) return;
      if (UpdateProgramCommand(id, state)) return;
      if (IsCabinetCommand(id)) {
        // The replays of recorded operations are not offered in the menus.
        state.enabled = id != cabinet_command::kPlayFormat && id != cabinet_command::kPlayColors;
        return;
      }
      if (id >= kFirstDirectoryCommand && id < kFirstDirectoryCommand + kDirectoryCommands) {
        state.enabled = FrequentDirectoryEnabled(int(id - kFirstDirectoryCommand) + 1);
        return;
      }
      state.enabled = IsRecentFile(id) && id - menus::kFirstRecentFile < documents_.Recent().Count();
      return;
  }
}

void CMainFrame::SwitchBinaryCode() {
  gSettings.StrCodeType = int(NextStrCode(StrCode(gSettings.StrCodeType)));
  gBinarySettings.StrCodeType = gSettings.StrCodeType;
  StatusBar().SetPaneTextFast(pane::kDecoding, StrCodeName(gBinarySettings.Normalized().Code()));
  for (std::size_t i = 0; i < documents_.Count(); ++i) documents_.At(i).UpdateAllViews(hint::kRepaint);
}

bool CMainFrame::OnClose() { return documents_.SaveAllModified(); }

}  // namespace quarn
