#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FrameFixture.h"
#include "core/app/FileCommands.h"
#include "core/app/FrequentDirectories.h"
#include "core/common/StatusPanes.h"
#include "core/res/MessageIds.h"
#include "core/res/Texts.h"
#include "fakes/FakeDesktop.h"

namespace quarn {
namespace {

using DocTemplateTest = FrameFixture;

// The status bar's message pane, as the frame's host would show it.
struct MessagePane : StatusBarHost {
  MessagePane() { StatusBar().SetHost(this); }
  ~MessagePane() override { StatusBar().SetHost(nullptr); }
  void setPaneText(int index, const std::string& text) override {
    if (index == 0) messages.push_back(text);
  }
  void setPaneEnabled(int, bool) override {}
  std::vector<std::string> messages;
};

TEST_F(DocTemplateTest, FailedOpensLeaveNoDocumentDroppedFilesAreBinaryAndTheReadOnlyChoiceIsTaken) {
  EXPECT_EQ(FileNew(documents)->DocKind(), kBinaryDoc);
  EXPECT_EQ(gProcess.nextDocKind, kTextDoc);
  platform.files.files["/w/a.bin"] = "abc";
  platform.files.currentDirectory = "/w";
  gProcess.nextDocKind = kBinaryDoc;
  EXPECT_EQ(documents.OpenDocumentFile("a.bin")->GetPathName(), "/w/a.bin");
  documents.CloseAll();
  documents.Recent().Add("/gone.bin");
  EXPECT_FALSE(OpenRecentFile(documents, 0));
  EXPECT_EQ(std::tuple(platform.Shown(msg::kOpenFailed), documents.Count()), std::tuple(true, 0u));
  EXPECT_EQ(documents.Recent().Entries(), (std::vector<std::string>{"/w/a.bin"}));
  frames.fail = true;
  EXPECT_FALSE(OpenInMode(documents, "/w/a.bin", kOpenBinary, false));
  EXPECT_EQ(documents.Count(), 0u);
  frames.fail = false;
  // Dropped files open as binary; the read-only choice is taken.
  platform.files.files["/esc.dat"] = "\x1b data";
  platform.files.files["/plain.txt"] = "text\r\n";
  OpenDroppedFiles(documents, {"/plain.txt", "/missing", "/esc.dat"});
  ASSERT_EQ(documents.Count(), 2u);
  EXPECT_EQ(std::vector({documents.At(0).DocKind(), documents.At(1).DocKind()}), std::vector<int>(2, kBinaryDoc));
  EXPECT_EQ(std::tuple(gProcess.nextDocKind, gProcess.droppingFiles), std::tuple(int(kTextDoc), false));
  documents.CloseAll();
  CVeskDoc* text = OpenInMode(documents, "/plain.txt", kOpenAuto, true);
  ASSERT_TRUE(text);
  EXPECT_EQ(std::tuple(text->DocKind(), text->IsWriteProtected(), gProcess.nextDocKind),
            std::tuple(kTextDoc, true, kTextDoc));
}

TEST_F(DocTemplateTest, OpenModeListChoosesTheKind) {
  platform.files.files["/esc.dat"] = "\x1b data";
  // The choices made in the list, then the kind opened (0: nothing).
  const std::pair<std::vector<int>, int> cases[] = {
      {{}, kBinaryDoc},      // 自動: detected from the ESC byte
      {{1}, kTextDoc},       // テキストファイル
      {{3, 1}, kTextDoc},    // the cabinet chosen, then another
      {{3}, 0},              // the cabinet alone opens nothing
  };
  for (const auto& [choices, kind] : cases) {
    documents.CloseAll();
    platform.dialogs.fileAnswers = {"/esc.dat"};
    platform.dialogs.openModeChoices = choices;
    CVeskDoc* doc = FileOpen(documents);
    EXPECT_EQ(doc ? doc->DocKind() : 0, kind);
  }
  platform.dialogs.fileAnswers = {""};
  EXPECT_FALSE(FileOpen(documents));
  const FileDialogRequest& request = platform.dialogs.requests.back();
  EXPECT_EQ(std::tie(request.showOpenMode, request.fileMustExist, request.openMode), std::tuple(true, true, kOpenAuto));
}

TEST_F(DocTemplateTest, MainFrameEnablesSaveAndPanesByTheActiveWindowAndCancelKeepsAModifiedDocument) {
  EXPECT_TRUE(Enabled(57600));
  for (unsigned id : {57603u, 57616u}) EXPECT_FALSE(Enabled(id)) << id;
  for (unsigned id : kStatusPaneIds) EXPECT_FALSE(Enabled(id)) << id;
  CVeskDoc* doc = FileNew(documents);
  for (unsigned id : {57603u, 57604u, pane::kDecoding, pane::kOffsetHex}) EXPECT_TRUE(Enabled(id)) << id;
  EXPECT_FALSE(Enabled(pane::kReadOnly));
  // Closing a modified document asks; Cancel keeps it, and so does Yes when
  // the Save As dialog is cancelled.
  doc->SetModifiedFlag(true);
  platform.messages.answers = {answer::kCancel};
  EXPECT_EQ((std::tuple{documents.CloseDocument(*doc), documents.Count(), documents.SaveAllModified()}),
            std::tuple(false, 1u, false));
  doc->SetWriteProtected(true);
  EXPECT_EQ(std::tuple(Enabled(57603), Enabled(57604), Enabled(pane::kReadOnly)), std::tuple(false, true, true));
  // Save As of the untitled document proposes its title and records the name.
  platform.dialogs.fileAnswers = {"/saved.bin"};
  EXPECT_TRUE(frame.OnCommand(57604));
  EXPECT_EQ(platform.dialogs.requests.back().fileName, "\x96\xb3\x91\xe8");
  EXPECT_EQ(std::tuple(platform.files.exists("/saved.bin"), documents.Recent().At(0), Enabled(57616)),
            std::tuple(true, "/saved.bin", true));
  doc->SetModifiedFlag(true);
  platform.messages.answers = {answer::kNo};
  EXPECT_TRUE(documents.CloseDocument(*doc));
  EXPECT_EQ(std::tuple(documents.Count(), frames.frames.size()), std::tuple(0u, 0u));
  EXPECT_EQ((std::tuple{frame.OnCommand(57665), frames.closes}), std::tuple(true, 1));
}

TEST_F(DocTemplateTest, HelpCommandsShowTheVersionAndOpenTheReadme) {
  fakes::FakeDesktop desktop;
  ScopedEnv home("QUARN_HOME", "/prog");
  for (unsigned id : {57664u, 32916u}) EXPECT_TRUE(Enabled(id)) << id;
  EXPECT_TRUE(frame.OnCommand(57664));
  EXPECT_EQ(desktop.abouts.size(), 1u);
  // No page and no README anywhere: a message says so, nothing is opened.
  EXPECT_TRUE(frame.OnCommand(32916));
  EXPECT_TRUE(desktop.opened.empty());
  ASSERT_EQ(platform.messages.shown.size(), 1u);
  EXPECT_EQ(platform.messages.shown[0].text, texts::kHomePageMissing);
  platform.files.files["/prog/README.md"] = "# Quarn";
  EXPECT_TRUE(frame.OnCommand(32916));
  EXPECT_EQ(std::tuple(desktop.opened, platform.messages.shown.size()),
            std::tuple(std::vector<std::string>{"/prog/README.md"}, 1u));
  // Without a handler for it, the message names where the page is.
  desktop.opens = false;
  EXPECT_TRUE(frame.OnCommand(32916));
  EXPECT_NE(platform.messages.shown.back().text.find("/prog/README.md"), std::string::npos);
  // A notice in the message pane stays until the next command.
  MessagePane pane;
  StatusBar().ShowNotice("x");
  EXPECT_TRUE(frame.OnCommand(57664));
  EXPECT_TRUE(frame.OnCommand(57664));
  EXPECT_EQ(pane.messages, (std::vector<std::string>{"x", ""}));
}

// The fake file system with a working current directory.
struct Directories : fakes::FakeFileSystem {
  bool setCurrentDirectory(const std::string& path) override {
    if (!directories.count(path)) return false;
    currentDirectory = path;
    return true;
  }
};

TEST_F(DocTemplateTest, AFrequentDirectoryBecomesCurrentThenFileOpenOrWithCtrlSaveAs) {
  Directories files;
  const Restore<FileSystem*> fileService(Platform().files, &files);
  files.directories = {"/data"};
  gSettings.FrequentlyUsedDirectory = {"/data", "/missing", "", ""};
  EXPECT_EQ(std::tuple(FrequentDirectoryEnabled(2), FrequentDirectoryEnabled(3)), std::tuple(true, false));
  OpenFrequentDirectory(documents, nullptr, 1, false);
  EXPECT_EQ(files.currentDirectory, "/data");
  ASSERT_EQ(platform.dialogs.requests.size(), 1u);  // File Open, cancelled
  EXPECT_EQ(std::tuple(platform.dialogs.requests[0].open, platform.beep.beeps.size()), std::tuple(true, 0u));
  // A directory that cannot be made current beeps; the dialog comes anyway.
  OpenFrequentDirectory(documents, nullptr, 2, false);
  EXPECT_EQ(platform.beep.beeps, (std::vector<unsigned>{0xFFFFFFFFu}));
  EXPECT_EQ(platform.dialogs.requests.size(), 2u);
  // With Ctrl the active document is saved under a new name there.
  CVeskDoc* doc = FileNew(documents);
  platform.dialogs.fileAnswers.push_back("/data/new.bin");
  OpenFrequentDirectory(documents, doc, 1, true);
  ASSERT_EQ(platform.dialogs.requests.size(), 3u);
  EXPECT_EQ(std::tuple(platform.dialogs.requests[2].open, doc->GetPathName()),
            std::tuple(false, std::string("/data/new.bin")));
  EXPECT_EQ(documents.Recent().Entries(), (std::vector<std::string>{"/data/new.bin"}));
}

}  // namespace
}  // namespace quarn
