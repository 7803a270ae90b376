#include <gtest/gtest.h>

#include <deque>
#include <memory>

#include "FrameFixture.h"
#include "core/app/CDataFile.h"
#include "core/app/KeyCommands.h"
#include "core/app/RunCommands.h"
#include "core/commands/CommandIds.h"
#include "core/common/ParameterBlock.h"
#include "core/operations/CPopupManeger.h"
#include "core/operations/CustomisePages.h"
#include "core/res/MessageIds.h"
#include "fakes/FakeKeys.h"
#include "fakes/FakeProgress.h"
#include "platform/PosixProcessService.h"
#include "platform/RunDialogs.h"

namespace quarn {
namespace {

// Dialogs answered from scripts; an empty prompt or insert answer is Cancel.
struct ScriptedDialogs : RunDialogService {
  bool runDialog(RunDialogRequest& r) override {
    shownRuns.push_back(r);
    while (!runs.empty()) {
      RunDialogRequest answer = r;
      const RunEntry e = runs.front();
      runs.pop_front();
      answer.command = e.command, answer.parameters = e.parameters;
      answer.dosInternal = e.dosInternal, answer.redirect = e.redirect;
      if (r.accept(answer)) return r = answer, true;
    }
    return false;
  }
  bool promptDialog(std::string& parameters) override {
    prompted.push_back(parameters);
    if (prompt) parameters = *prompt;
    return prompt.has_value();
  }
  bool insertTextDialog(InsertTextRequest& r) override {
    shownInsert = r;
    if (insert) r.position = insert->first, r.text = insert->second;
    return insert.has_value();
  }
  std::deque<RunEntry> runs;  // the next answers: command, parameters, DOS and redirect
  std::vector<RunDialogRequest> shownRuns;
  std::optional<std::string> prompt;
  std::vector<std::string> prompted;
  std::optional<std::pair<int, std::string>> insert;
  InsertTextRequest shownInsert;
};

// Records what would be started; the real service starts it when real.
struct Processes : ProcessService {
  std::unique_ptr<ChildProcess> start(const ProcessRequest& request) override {
    started.push_back(request);
    return real ? posix.start(request) : nullptr;
  }
  bool openFolder(const std::string& folder) override {
    folders.push_back(folder);
    return true;
  }
  PosixProcessService posix;
  bool real = true;
  std::vector<ProcessRequest> started;
  std::vector<std::string> folders;
};

class RunCommandsTest : public FrameFixture {
 protected:
  RunCommandsTest() : savedPopup_(gPopup.List()) {}
  ~RunCommandsTest() override { gPopup.SetList(savedPopup_); }
  void Answer(std::string command, std::string parameters, bool dos, bool redirect) {
    dialogs.runs.push_back({command, parameters, "", dos, redirect});
  }
  ScriptedDialogs dialogs;
  Processes processes;
  Restore<CMenuToolManeger> tools{gMenuTools, {}};
  Restore<RunDialogService*> dialogService{RunDialogs(), &dialogs};
  Restore<ProcessService*> processService{Platform().processes, &processes};
  const std::vector<int> savedPopup_;
};

// A program that never ends: stopping keeps what came, closing the result
// document ends the capture too; neither waits for the program. A missing
// program is refused and the dialog stays; one that cannot start beeps and
// opens nothing.
TEST_F(RunCommandsTest, ARunningProgramFillsADocumentUntilStoppedAndAMissingOneOpensNothing) {
  const RunEntry forever{"yes", "", "", true, true, false};
  fakes::FakeProgress progress;
  progress.stopAfter = 2;
  RunEntryProgram(documents, nullptr, forever);
  ASSERT_EQ(std::tuple(progress.othersAnswer, documents.Count()), std::tuple(true, 1u));
  EXPECT_EQ(TextOf(documents.At(0)).substr(0, 6), "y\r\ny\r\n");
  documents.CloseAll();
  progress.stopAfter = -1;
  progress.onEvents = [this] { documents.CloseAll(); };
  RunEntryProgram(documents, nullptr, forever);
  EXPECT_EQ(documents.Count(), 0u);
  Answer("/no/such/program", "", false, true);
  Answer(std::string(261, 'x'), "", true, true);
  Answer("true", "", true, false);
  frame.OnCommand(cmd::kRunProgram);
  EXPECT_TRUE(platform.Shown(msg::kNoSuchProgram));
  EXPECT_EQ(std::tuple(platform.beep.beeps.size(), documents.Count()), std::tuple(2u, 0u));
  ASSERT_EQ(processes.started.size(), 3u);  // two runs of the endless program, then this one
  EXPECT_EQ(processes.started[2].arguments, (std::vector<std::string>{"/bin/sh", "-c", "true"}));
  processes.real = false;
  EXPECT_FALSE(RunEntryProgram(documents, nullptr, RunEntry{"x", "", "", true, true, false}));
  EXPECT_EQ(std::tuple(platform.beep.beeps.size(), documents.Count()), std::tuple(3u, 0u));
}

TEST_F(RunCommandsTest, TheHistoryKeepsTwentyCommandsNewestFirstAndReplaysWithoutTheDialog) {
  processes.real = false;
  for (int i = 1; i <= 21; ++i) Answer("c" + std::to_string(i), "", true, false), frame.OnCommand(cmd::kRunProgram);
  ASSERT_EQ(gMenuTools.history.size(), 20u);
  EXPECT_EQ(std::tuple(gMenuTools.history.front().command, gMenuTools.history.back().command), std::tuple("c21", "c2"));
  Answer("c5", "p", true, false);
  frame.OnCommand(cmd::kRunProgram);
  EXPECT_EQ(dialogs.shownRuns.back().command, "c21");  // the dialog opens on the newest
  EXPECT_EQ(std::tuple(gMenuTools.history.size(), gMenuTools.history.front(), gMenuTools.history[5].command),
            std::tuple(20u, RunEntry{"c5", "p", "", true, false, false}, "c17"));
  const RunEntry replayed{"c9", "q r", "/tmp", true, false, true};
  ScopedParameterBlock block(RunEntryRecord(replayed));
  frame.OnCommand(cmd::kRunProgram);
  EXPECT_EQ(std::tuple(dialogs.shownRuns.size(), gMenuTools.history.front()), std::tuple(22u, replayed));
  EXPECT_EQ(processes.started.back().arguments, (std::vector<std::string>{"/bin/sh", "-c", "c9 q r"}));
}

TEST_F(RunCommandsTest, ToolsAreNumberedWithoutSeparatorsAndAskForParametersAndTheFileManagerOpens) {
  processes.real = false;
  EXPECT_FALSE(Enabled(cmd::kFirstUserTool));
  UserTool a{ToolKind::kProgram, "A", {"a", "1", "", true, false, false}, false};
  UserTool b{ToolKind::kProgram, "B", {"b", "2", "", true, false, false}, true};
  gMenuTools.tools = {a, UserTool{ToolKind::kSeparator, {}, {}, false}, b};
  EXPECT_TRUE(Enabled(cmd::kFirstUserTool));
  EXPECT_EQ(std::tuple(gMenuTools.ToolTitle(cmd::kFirstUserTool + 1), gMenuTools.ToolTitle(cmd::kFirstUserTool + 2)),
            std::tuple("B", ""));
  frame.OnCommand(cmd::kFirstUserTool + 1);  // B asks; Cancel starts nothing
  EXPECT_EQ(std::tuple(dialogs.prompted, processes.started.size()), std::tuple(std::vector<std::string>{"2"}, 0u));
  dialogs.prompt = "3";
  frame.OnCommand(cmd::kFirstUserTool + 1);
  EXPECT_EQ(gMenuTools.tools[2].run.parameters, "3");
  frame.OnCommand(cmd::kFirstUserTool);
  frame.OnCommand(cmd::kFirstUserTool + 2);
  ASSERT_EQ(processes.started.size(), 2u);
  EXPECT_EQ(std::tuple(processes.started[0].arguments[2], processes.started[1].arguments[2]), std::tuple("b 3", "a 1"));
  EXPECT_TRUE(gMenuTools.history.empty());
  const menus::Popup menu = UserToolMenu();
  ASSERT_EQ(menu.items.size(), 6u);
  EXPECT_EQ(std::tuple(menu.items[5].id, menu.items[5].text), std::tuple(cmd::kFirstUserTool + 1, "B"));
  // The file manager opens the documents' folder.
  frame.OnCommand(cmd::kExplorer);
  EXPECT_EQ(processes.folders, (std::vector<std::string>{"."}));
  EXPECT_TRUE(gMenuTools.history.empty());
}

TEST_F(RunCommandsTest, InsertTextStoresAndRecordsItsChoiceButTheTextStaysAsItWas) {
  gProcess.nextDocKind = kTextDoc;
  CVeskDoc* doc = documents.OpenDocumentFile({});
  ASSERT_TRUE(doc);
  gSettings.InsertionString = "old";
  gSettings.InsertionPosition = 0;
  dialogs.insert = std::make_pair(2, std::string("$Y-$f"));
  frame.OnCommand(cmd::kInsertString);
  EXPECT_EQ(dialogs.shownInsert.text, "old");
  EXPECT_EQ(std::tuple(gSettings.InsertionString, gSettings.InsertionPosition), std::tuple(std::string("$Y-$f"), 2));
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(std::tuple(records[0].type, records[0].data),
            std::tuple(256u, std::vector<std::uint8_t>{2, 0, 0, 0, 5, 0, 0, 0, '$', 'Y', '-', '$', 'f', 0}));
  EXPECT_EQ(doc->TextLength(), 0u);
  dialogs.insert.reset();  // Cancel records nothing
  frame.OnCommand(cmd::kInsertString);
  EXPECT_EQ(records.size(), 1u);
}

TEST_F(RunCommandsTest, ThePagesEditTheirListsWithinTheirLimitsAndTheSheetKeepsThemOnOkOnly) {
  CustomisePages pages;
  ASSERT_TRUE(pages.AddProgramTool("/usr/bin/gcc"));
  EXPECT_EQ(pages.tools[0], (UserTool{ToolKind::kProgram, "Gcc", {"/usr/bin/gcc", "", "", false, false, false}, false}));
  pages.AddSeparator();
  pages.AddOperationTool("fmt");
  pages.tool = 0;
  pages.MoveTool(-1);  // the first cannot go up
  pages.MoveTool(1);
  EXPECT_EQ(std::tuple(pages.tool, pages.tools[1].title, pages.tools[2].title), std::tuple(1, "Gcc", "Fmt"));
  pages.tool = 2;
  pages.MoveTool(1);  // nor the last down
  EXPECT_EQ(pages.tools[2].title, "Fmt");
  while (pages.tools.size() < 20) pages.AddSeparator();
  EXPECT_EQ((std::tuple{pages.AddProgramTool("/bin/x"), pages.AddOperationTool("y"), pages.AddSeparator()}),
            std::tuple(false, false, false));
  EXPECT_EQ(std::tuple(platform.CountShown(msg::kTooManyTools), pages.tools.size()), std::tuple(3u, 20u));
  pages.buttons = {};
  pages.AddButton(194);
  pages.AddButton(194);  // one find box only
  EXPECT_EQ(pages.buttons.size(), 1u);
  while (pages.buttons.size() < 50) pages.AddButton(0);
  pages.AddButton(cmd::kCompare);
  EXPECT_EQ(pages.buttons.size(), 50u);
  pages.DefaultButtons();
  pages.popup = {};
  for (int i = 0; i < 31; ++i) pages.AddPopup(cmd::kCopy);
  EXPECT_EQ(std::tuple(pages.buttons.size(), pages.popup.size(), platform.beep.beeps.size()), std::tuple(24u, 30u, 3u));

  // The sheet keeps the pages on OK only.
  fakes::FakeKeyDialogs sheets;
  auto edit = [](CustomiseSheetRequest&) {
    CustomisePages& pages = *OpenCustomisePages();
    pages.AddSeparator();
    pages.AddButton(cmd::kFormat);
    pages.popupEntry = 5;
    pages.RemovePopup();  // 貼り付け goes
    return true;
  };
  sheets.script = {[&](CustomiseSheetRequest& r) { return !edit(r); }, edit};
  const std::vector<int> popup = gPopup.List();
  RunKeyCommand(cmd::kCustomise, documents);
  EXPECT_EQ(std::tuple(gMenuTools.tools.size(), gPopup.List()), std::tuple(0u, popup));
  RunKeyCommand(cmd::kCustomise, documents);
  EXPECT_EQ(std::tuple(gMenuTools.tools.size(), gMenuTools.toolbar.back()), std::tuple(1u, cmd::kFormat));
  EXPECT_EQ(gPopup.List(), (std::vector<int>{cmd::kUndo, cmd::kRedo, -1, cmd::kCut, cmd::kCopy}));
  EXPECT_EQ(OpenCustomisePages(), nullptr);
}

// The tools, the run history, the toolbar and the popup list survive the
// data file; a help button stored as 57668 comes back as 57669.
TEST_F(RunCommandsTest, ToolsToolbarAndPopupRoundTripThroughTheDataFile) {
  gMenuTools.history = {RunEntry{"gcc", "-c $f", "/src", false, true, false}};
  gMenuTools.tools = {UserTool{ToolKind::kOperation, "Op", {"op.mac", "", "", false, false, false}, false},
                      UserTool{ToolKind::kSeparator, {}, {}, false},
                      UserTool{ToolKind::kProgram, "T", {"t", "x", "/d", true, true, true}, true}};
  gMenuTools.toolbar = {cmd::kCompare, 0, 194, 57668};
  gPopup.SetList({cmd::kUndo, CPopupManeger::kSeparator, cmd::kCopy});
  const CMenuToolManeger expected = gMenuTools;
  const DataFileContents contents = gDataFile.Collect();
  gMenuTools = CMenuToolManeger{};
  gPopup.SetList({});
  gDataFile.Apply(contents);
  EXPECT_EQ(std::tuple(gMenuTools.history, gMenuTools.tools), std::tuple(expected.history, expected.tools));
  EXPECT_EQ(gMenuTools.toolbar, (std::vector<unsigned>{cmd::kCompare, 0, 194, 57669}));
  EXPECT_EQ(gPopup.List(), (std::vector<int>{cmd::kUndo, -1, cmd::kCopy}));
  // A block cut short anywhere is refused and changes nothing.
  const std::string block = gMenuTools.SaveBlock();
  for (std::size_t n = 0; n < block.size(); ++n) ASSERT_FALSE(gMenuTools.LoadBlock(block.substr(0, n))) << n;
  EXPECT_EQ(gMenuTools.tools, expected.tools);
}

}  // namespace
}  // namespace quarn
