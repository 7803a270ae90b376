#include "core/app/RunCommands.h"

#include "core/common/ProgressStop.h"

#include "core/app/CDataFile.h"
#include "core/app/DocTemplate.h"
#include "core/commands/CommandIds.h"
#include "core/common/AppMessage.h"
#include "core/common/ParameterBlock.h"
#include "core/common/ProcessValues.h"
#include "core/document/CVeskDoc.h"
#include "core/macro/COperationManeger.h"
#include "core/res/MessageIds.h"
#include "core/res/StringTable.h"
#include "core/res/Texts.h"
#include "core/tools/ProgramOutput.h"
#include "core/tools/ProgramStart.h"
#include "core/view/CVeskView.h"
#include "platform/DialogService.h"
#include "platform/FileSystem.h"
#include "platform/Platform.h"
#include "platform/ProcessService.h"
#include "platform/RunDialogs.h"

namespace quarn {
namespace {

constexpr std::size_t kMaxField = 260;

std::string ExpandForView(const std::string& parameters, CVeskView* view) {
  if (!view) return ExpandParameters(parameters, {}, 1, 1);
  const CVeskView::RulerMarks& caret = view->Rulers();
  const bool text = view->IsTextMode();
  return ExpandParameters(parameters, view->GetDocument().GetPathName(), text ? caret.caretRow + 1 : 1,
                          text ? std::uint32_t(caret.caretColumn) + 1 : 1);
}

// Appends the captured text to the result document while it stays open; a
// text that does not fit (59394 or 59395 shown) or a closed document stops
// the capture.
class ResultDocument {
 public:
  ResultDocument(DocTemplate& documents, CVeskDoc& doc) : documents_(documents), doc_(doc), serial_(doc.Serial()) {}
  bool Append(const std::string& text) {
    if (!Open()) return false;
    const std::uint32_t before = doc_.TextLength();
    if (!doc_.EnsureTextRoom(std::uint32_t(text.size()))) return false;
    doc_.AppendToViews(hint::kAppendBytes, reinterpret_cast<const std::uint8_t*>(text.data()), std::uint32_t(text.size()));
    return doc_.TextLength() == before + text.size();
  }
  bool Open() const { return documents_.IndexOf(doc_) >= 0 && doc_.Serial() == serial_; }

 private:
  DocTemplate& documents_;
  CVeskDoc& doc_;
  std::uint64_t serial_;
};

void Capture(DocTemplate& documents, ChildProcess& child, const std::string& command) {
  gProcess.nextDocKind = kTextDoc;
  CVeskDoc* doc = documents.OpenDocumentFile({});
  if (!doc) {
    child.stop();
    return WarningBeep();
  }
  doc->UpdateAllViews(hint::kRefresh);
  ResultDocument result(documents, *doc);
  // The progress-and-stop window: its stop ends the program, the text
  // captured so far stays. The other windows answer meanwhile; closing the
  // result document ends the capture.
  ProgressStop progress(command, texts::kCaptureRunning, texts::kCaptureCount, ProgressStop::OtherWindows::kAnswer);
  CaptureOutput(
      child, [&result](const std::string& text) { return result.Append(text); },
      [&progress](unsigned long count) { return progress.Continue(count); });
}

bool CheckRunFields(const RunDialogRequest& r) {
  if (r.command.empty() || r.command.size() > kMaxField) return WarningBeep(), false;
  if (!r.dosInternal) {
    FileSystem* files = Platform().files;
    if (!files || !files->exists(r.command) || files->isDirectory(r.command)) {
      WarningBeep();
      AppMessageBox(msg::kNoSuchProgram);
      return false;
    }
  }
  if (r.parameters.size() > kMaxField || r.directory.size() > kMaxField) return WarningBeep(), false;
  return true;
}

std::string BrowseProgram() {
  DialogService* dialogs = Platform().dialogs;
  if (!dialogs) return {};
  FileDialogRequest request;
  request.title = LoadString(msg::kBrowseTitle);
  request.filter = LoadString(msg::kProgramFilter);
  request.fileMustExist = true;
  request.hideReadOnly = true;
  return dialogs->fileDialog(request) ? request.fileName : std::string();
}

void RunDialogCommand(DocTemplate& documents, CVeskView* view) {
  RunEntry entry;
  if (const auto& block = ReplayedParameters()) {
    if (!ParseRunEntryRecord(*block, entry)) return;
  } else {
    RunDialogService* dialogs = RunDialogs();
    if (!dialogs) return;
    RunDialogRequest request;
    for (const RunEntry& e : gMenuTools.history) request.history.push_back(e.command);
    if (!gMenuTools.history.empty()) {
      const RunEntry& last = gMenuTools.history.front();
      request.command = last.command, request.parameters = last.parameters, request.directory = last.directory;
      request.dosInternal = last.dosInternal, request.redirect = last.redirect, request.iconic = last.iconic;
    }
    request.historyChosen = [](RunDialogRequest& r, int i) {
      if (i < 0 || std::size_t(i) >= gMenuTools.history.size()) return;
      const RunEntry& e = gMenuTools.history[std::size_t(i)];
      r.command = e.command, r.parameters = e.parameters, r.directory = e.directory;
      r.dosInternal = e.dosInternal, r.redirect = e.redirect, r.iconic = e.iconic;
    };
    request.browse = BrowseProgram;
    request.accept = CheckRunFields;
    if (!dialogs->runDialog(request)) return;
    entry = RunEntry{request.command, request.parameters, request.directory, request.dosInternal, request.redirect,
                     request.iconic};
  }
  gMenuTools.AddToHistory(entry);
  RunEntryProgram(documents, view, gMenuTools.history.front());
}

void RunUserTool(DocTemplate& documents, CVeskView* view, unsigned id) {
  UserTool* tool = gMenuTools.ToolOfCommand(id);
  if (!tool) return;
  if (tool->kind == ToolKind::kOperation) return Operations().Play(tool->run.command);
  RunEntry entry = tool->run;
  if (tool->askParameters && !ReplayedParameters()) {
    RunDialogService* dialogs = RunDialogs();
    std::string parameters = entry.parameters;
    if (!dialogs || !dialogs->promptDialog(parameters)) return;
    tool->run.parameters = entry.parameters = parameters;
  }
  RunEntryProgram(documents, view, entry);
}

}  // namespace

bool RunEntryProgram(DocTemplate& documents, CVeskView* view, const RunEntry& entry) {
  ProcessService* processes = Platform().processes;
  std::unique_ptr<ChildProcess> child;
  if (processes) child = processes->start(MakeProcessRequest(entry, ExpandForView(entry.parameters, view)));
  if (!child) {
    WarningBeep();
    return false;
  }
  if (entry.redirect) Capture(documents, *child, entry.command);
  return true;
}

bool RunProgramCommand(DocTemplate& documents, CVeskView* view, unsigned id) {
  if (id == cmd::kRunProgram) {
    RunDialogCommand(documents, view);
    return true;
  }
  if (id == cmd::kExplorer) {
    ProcessService* processes = Platform().processes;
    std::string folder = view ? view->GetDocument().GetPathName() : std::string();
    const std::size_t slash = folder.rfind('/');
    folder = slash == std::string::npos ? std::string(".") : folder.substr(0, slash + 1);
    if (!processes || !processes->openFolder(folder)) WarningBeep();
    return true;
  }
  if (id >= cmd::kFirstUserTool && id <= cmd::kLastUserTool) {
    RunUserTool(documents, view, id);
    return true;
  }
  return false;
}

menus::Popup UserToolMenu() {
  auto menuText = [](unsigned id) {
    const std::string& text = LoadString(id);
    return text.substr(0, text.find('\n'));
  };
  menus::Popup popup{texts::kUserToolMenu, {}};
  popup.items.push_back({menus::ItemKind::kCommand, cmd::kRunProgram, menuText(cmd::kRunProgram) + "(&R)..."});
  popup.items.push_back({menus::ItemKind::kCommand, cmd::kExplorer, menuText(cmd::kExplorer) + "(&E)"});
  if (!gMenuTools.tools.empty()) popup.items.push_back({menus::ItemKind::kSeparator, 0, {}});
  unsigned next = cmd::kFirstUserTool;
  for (const UserTool& tool : gMenuTools.tools) {
    if (tool.kind == ToolKind::kSeparator)
      popup.items.push_back({menus::ItemKind::kSeparator, 0, {}});
    else
      popup.items.push_back({menus::ItemKind::kCommand, next++, tool.title});
  }
  return popup;
}

bool UpdateProgramCommand(unsigned id, CommandState& state) {
  if (id == cmd::kRunProgram || id == cmd::kExplorer) {
    state.enabled = true;
    return true;
  }
  if (id >= cmd::kFirstUserTool && id <= cmd::kLastUserTool) {
    state.enabled = gMenuTools.HasTools();
    return true;
  }
  return false;
}

std::vector<std::uint8_t> RunEntryRecord(const RunEntry& e) {
  std::vector<std::uint8_t> out;
  for (const std::string* text : {&e.command, &e.parameters, &e.directory}) {
    out.insert(out.end(), text->begin(), text->end());
    out.push_back(0);
  }
  for (bool flag : {e.dosInternal, e.redirect, e.iconic})
    for (int i = 0; i < 4; ++i) out.push_back(i == 0 && flag ? 1 : 0);
  return out;
}

bool ParseRunEntryRecord(const std::vector<std::uint8_t>& data, RunEntry& entry) {
  std::size_t at = 0;
  RunEntry e;
  for (std::string* text : {&e.command, &e.parameters, &e.directory}) {
    std::size_t end = at;
    while (end < data.size() && data[end] != 0) ++end;
    if (end >= data.size()) return false;
    text->assign(data.begin() + std::ptrdiff_t(at), data.begin() + std::ptrdiff_t(end));
    at = end + 1;
  }
  if (data.size() - at < 12) return false;
  for (bool* flag : {&e.dosInternal, &e.redirect, &e.iconic}) {
    *flag = (data[at] | data[at + 1] | data[at + 2] | data[at + 3]) != 0;
    at += 4;
  }
  entry = std::move(e);
  return true;
}

}  // namespace quarn
