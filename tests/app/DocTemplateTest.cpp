#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "core/app/CMainFrame.h"
#include "core/app/DocTemplate.h"
#include "core/app/FileCommands.h"
#include "core/cabinet/CVeskCabinet.h"
#include "core/common/ProcessValues.h"
#include "core/document/CVeskDoc.h"
#include "core/res/MessageIds.h"
#include "core/res/Texts.h"
#include "core/view/CVeskView.h"
#include "core/common/StatusPanes.h"
#include "fakes/FakeDesktop.h"
#include "fakes/FakePlatform.h"

namespace quarn {
namespace {

struct Frames : FrameFactory {
  std::vector<CVeskDoc*> created, activated, destroyed;
  bool fail = false;
  bool CreateFrame(CVeskDoc& doc) override {
    if (fail) return false;
    created.push_back(&doc);
    return true;
  }
  void ActivateFrame(CVeskDoc& doc) override { activated.push_back(&doc); }
  void DestroyFrame(CVeskDoc& doc) override { destroyed.push_back(&doc); }
};

class DocTemplateTest : public ::testing::Test {
 protected:
  DocTemplateTest() { documents.SetFrameFactory(&frames); }
  fakes::FakePlatform platform;
  Frames frames;
  DocTemplate documents;
};

TEST_F(DocTemplateTest, FileNewMakesAnUntitledBinaryDocumentAndTheKindReturnsToRest) {
  CVeskDoc* doc = FileNew(documents);
  ASSERT_TRUE(doc);
  EXPECT_EQ(doc->DocKind(), kBinaryDoc);
  EXPECT_EQ(gProcess.nextDocKind, kTextDoc);
  EXPECT_EQ(doc->GetTitle(), "\x96\xb3\x91\xe8");  // 無題
  EXPECT_FALSE(doc->IsModified());
  EXPECT_EQ(frames.created.size(), 1u);
}

TEST_F(DocTemplateTest, AnOpenDocumentIsActivatedInsteadOfOpenedTwice) {
  platform.files.files["/w/a.bin"] = "abc";
  platform.files.currentDirectory = "/w";
  gProcess.nextDocKind = kBinaryDoc;
  CVeskDoc* first = documents.OpenDocumentFile("a.bin");
  ASSERT_TRUE(first);
  EXPECT_EQ(first->GetPathName(), "/w/a.bin");
  EXPECT_EQ(documents.Recent().Entries(), (std::vector<std::string>{"/w/a.bin"}));
  EXPECT_EQ(documents.OpenDocumentFile("/w/a.bin"), first);
  EXPECT_EQ(documents.Count(), 1u);
  EXPECT_EQ(frames.activated, (std::vector<CVeskDoc*>{first}));
}

TEST_F(DocTemplateTest, FailedOpensLeaveNoDocumentAndDropTheRecentEntry) {
  documents.Recent().Add("/gone.bin");
  EXPECT_FALSE(OpenRecentFile(documents, 0));
  EXPECT_TRUE(platform.Shown(msg::kOpenFailed));
  EXPECT_EQ(documents.Count(), 0u);
  EXPECT_EQ(documents.Recent().Count(), 0u);

  platform.files.files["/x.bin"] = "x";
  frames.fail = true;
  EXPECT_FALSE(OpenInMode(documents, "/x.bin", kOpenBinary, false));
  EXPECT_EQ(documents.Count(), 0u);
}

TEST_F(DocTemplateTest, FileOpenUsesTheChosenModeAndTheReadOnlyChoice) {
  platform.files.files["/esc.dat"] = "\x1b data";
  platform.files.files["/plain.txt"] = "text\r\n";
  platform.dialogs.fileAnswers = {"/esc.dat"};
  CVeskDoc* doc = FileOpen(documents);
  ASSERT_TRUE(doc);
  EXPECT_EQ(doc->DocKind(), kBinaryDoc);  // detected from the ESC byte
  const FileDialogRequest& request = platform.dialogs.requests.back();
  EXPECT_TRUE(request.showOpenMode);
  EXPECT_TRUE(request.fileMustExist);
  EXPECT_FALSE(request.filter.empty());

  CVeskDoc* text = OpenInMode(documents, "/plain.txt", kOpenAuto, true);
  ASSERT_TRUE(text);
  EXPECT_EQ(text->DocKind(), kTextDoc);
  EXPECT_TRUE(text->IsWriteProtected());
  EXPECT_EQ(gProcess.nextDocKind, kTextDoc);

  platform.dialogs.fileAnswers = {""};
  EXPECT_FALSE(FileOpen(documents));
  EXPECT_EQ(documents.Count(), 2u);
}

// The message pane as the status bar shows it.
struct MessagePane : StatusBarHost {
  std::vector<std::string> messages;
  void setPaneText(int index, const std::string& text) override {
    if (index == 0) messages.push_back(text);
  }
  void setPaneEnabled(int, bool) override {}
};

TEST_F(DocTemplateTest, OpenModeListChoosesTheKindAndNamesTheCabinetWhileThatIsChosen) {
  MessagePane pane;
  StatusBar().SetHost(&pane);
  const std::string savedCabinet = gCabinet.Path();
  gCabinet.SetPath("/c/quarn.cab");
  platform.files.files["/esc.dat"] = "\x1b data";
  struct Case {
    std::vector<int> choices;
    int kind;  // 0: nothing opened
    std::vector<std::string> messages;
  };
  const std::string cabinet = "\x8c\xbb\x8d\xdd\x82\xcc\x83\x4c\x83\x83\x83\x72\x83\x6c\x83\x62\x83\x67\x81\x46/c/quarn.cab";
  const Case cases[] = {
      {{}, kBinaryDoc, {}},                         // 自動: detected from the ESC byte
      {{1}, kTextDoc, {}},                          // テキストファイル
      {{3, 1}, kTextDoc, {cabinet, ""}},            // the cabinet text goes with another choice
      {{3}, 0, {cabinet, ""}},                      // and when the dialog closes
  };
  for (const Case& c : cases) {
    documents.CloseAll();
    pane.messages.clear();
    platform.dialogs.fileAnswers = {"/esc.dat"};
    platform.dialogs.openModeChoices = c.choices;
    CVeskDoc* doc = FileOpen(documents);
    EXPECT_EQ(doc ? doc->DocKind() : 0, c.kind);
    EXPECT_EQ(pane.messages, c.messages);
  }
  const FileDialogRequest& request = platform.dialogs.requests.back();
  EXPECT_EQ(request.openMode, kOpenAuto);  // the list opens on 自動
  ASSERT_EQ(request.openModes.size(), 4u);
  EXPECT_EQ(request.openModes[0], "\x8e\xa9\x93\xae");  // 自動
  StatusBar().SetHost(nullptr);
  gCabinet.SetPath(savedCabinet);
}

TEST_F(DocTemplateTest, DroppedFilesAllBecomeBinaryDocuments) {
  platform.files.files["/a.txt"] = "text";
  platform.files.files["/b.txt"] = "more text";
  OpenDroppedFiles(documents, {"/a.txt", "/missing", "/b.txt"});
  ASSERT_EQ(documents.Count(), 2u);
  EXPECT_EQ(documents.At(0).DocKind(), kBinaryDoc);
  EXPECT_EQ(documents.At(1).DocKind(), kBinaryDoc);
  EXPECT_EQ(gProcess.nextDocKind, kTextDoc);
  EXPECT_FALSE(gProcess.droppingFiles);
}

TEST_F(DocTemplateTest, ClosingAModifiedDocumentAsksAndCancelKeepsIt) {
  CVeskDoc* doc = FileNew(documents);
  doc->SetModifiedFlag(true);
  platform.messages.answers = {answer::kCancel};
  EXPECT_FALSE(documents.CloseDocument(*doc));
  EXPECT_EQ(documents.Count(), 1u);
  EXPECT_FALSE(documents.SaveAllModified());
  platform.messages.answers = {answer::kNo};
  EXPECT_TRUE(documents.CloseDocument(*doc));
  EXPECT_EQ(documents.Count(), 0u);
  EXPECT_EQ(frames.destroyed.size(), 1u);
}

struct FrameHost : MainFrameHost, ChildPlacer {
  CVeskView* view = nullptr;
  int closes = 0, menuChanges = 0;
  CVeskView* ActiveView() override { return view; }
  void CloseMainWindow() override { ++closes; }
  void MenusChanged() override { ++menuChanges; }
  void MoveChild(ViewChild, const Rect&) override {}
  void ShowChild(ViewChild, bool) override {}
  void FocusChild(ViewChild) override {}
};

bool Enabled(CMainFrame& frame, unsigned id) {
  CommandState state;
  frame.OnUpdateCommand(id, state);
  return state.enabled;
}

TEST_F(DocTemplateTest, MainFrameEnablesSaveByKindAndWriteProtection) {
  FrameHost host;
  CMainFrame frame(documents, host);
  auto enabled = [&](unsigned id) { return Enabled(frame, id); };
  EXPECT_TRUE(enabled(57600));
  EXPECT_FALSE(enabled(57603));
  EXPECT_FALSE(enabled(57616));

  CVeskDoc* doc = FileNew(documents);
  CVeskView view(*doc, host);
  host.view = &view;
  EXPECT_TRUE(enabled(57603));
  EXPECT_TRUE(enabled(57604));
  doc->SetWriteProtected(true);
  EXPECT_FALSE(enabled(57603));
  EXPECT_TRUE(enabled(57604));

  // Save As of the untitled document proposes its title and records the name.
  platform.dialogs.fileAnswers = {"/saved.bin"};
  EXPECT_TRUE(frame.OnCommand(57604));
  EXPECT_EQ(platform.dialogs.requests.back().fileName, "\x96\xb3\x91\xe8");
  EXPECT_TRUE(platform.files.exists("/saved.bin"));
  EXPECT_EQ(documents.Recent().At(0), "/saved.bin");
  EXPECT_TRUE(enabled(57616));

  EXPECT_TRUE(frame.OnCommand(57665));
  EXPECT_EQ(host.closes, 1);
  host.view = nullptr;
}

TEST_F(DocTemplateTest, MainFramePanesFollowTheActiveWindow) {
  FrameHost host;
  CMainFrame frame(documents, host);
  auto enabled = [&](unsigned id) { return Enabled(frame, id); };
  for (unsigned id : kStatusPaneIds) EXPECT_FALSE(enabled(id)) << id;
  CVeskDoc* doc = FileNew(documents);
  CVeskView view(*doc, host);
  host.view = &view;
  // The decoding pane has no rule of the view; the frame's holds.
  EXPECT_TRUE(enabled(pane::kDecoding));
  EXPECT_TRUE(enabled(pane::kOffsetHex));
  EXPECT_FALSE(enabled(pane::kReadOnly));
  doc->SetWriteProtected(true);
  EXPECT_TRUE(enabled(pane::kReadOnly));
  host.view = nullptr;
}

TEST_F(DocTemplateTest, HelpCommandsShowTheVersionAndOpenTheReadme) {
  FrameHost host;
  CMainFrame frame(documents, host);
  fakes::FakeDesktop desktop;
  const char* saved = std::getenv("QUARN_HOME");
  const std::string home = saved ? saved : "";
  setenv("QUARN_HOME", "/prog", 1);
  for (unsigned id : {57664u, 32916u}) EXPECT_TRUE(Enabled(frame, id)) << id;
  EXPECT_TRUE(frame.OnCommand(57664));
  ASSERT_EQ(desktop.abouts.size(), 1u);
  EXPECT_EQ(desktop.abouts[0].program, "Quarn");
  EXPECT_NE(desktop.abouts[0].version.find("0.1.0"), std::string::npos);
  EXPECT_FALSE(desktop.abouts[0].build.empty());

  // No page and no README anywhere: a message says so, nothing is opened.
  EXPECT_TRUE(frame.OnCommand(32916));
  EXPECT_TRUE(desktop.opened.empty());
  ASSERT_EQ(platform.messages.shown.size(), 1u);
  EXPECT_EQ(platform.messages.shown[0].text, texts::kHomePageMissing);
  platform.files.files["/prog/README.md"] = "# Quarn";
  EXPECT_TRUE(frame.OnCommand(32916));
  EXPECT_EQ(desktop.opened, std::vector<std::string>{"/prog/README.md"});
  EXPECT_EQ(platform.messages.shown.size(), 1u);
  // Without a handler for it, the message names where the page is.
  desktop.opens = false;
  EXPECT_TRUE(frame.OnCommand(32916));
  ASSERT_EQ(platform.messages.shown.size(), 2u);
  EXPECT_NE(platform.messages.shown[1].text.find("/prog/README.md"), std::string::npos);

  // A notice in the message pane stays until the next command.
  MessagePane pane;
  StatusBar().SetHost(&pane);
  StatusBar().ShowNotice("x");
  EXPECT_TRUE(frame.OnCommand(57664));
  EXPECT_TRUE(frame.OnCommand(57664));
  EXPECT_EQ(pane.messages, (std::vector<std::string>{"x", ""}));
  StatusBar().SetHost(nullptr);

  if (saved)
    setenv("QUARN_HOME", home.c_str(), 1);
  else
    unsetenv("QUARN_HOME");
}

}  // namespace
}  // namespace quarn
