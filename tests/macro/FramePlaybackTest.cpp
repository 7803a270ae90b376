// Commands with parameters replay without their dialogs: the binary
// window's commands and its jump through the frame, File Open with its path
// and mode; window records stop at a binary window.
#include <gtest/gtest.h>

#include <cstdlib>

#include "binaryview/BinaryWindowFixture.h"
#include "core/app/CMainFrame.h"
#include "core/app/DocTemplate.h"
#include "core/app/FileCommands.h"
#include "core/commands/CommandCatalogue.h"
#include "core/commands/CommandIds.h"
#include "core/macro/COperationManeger.h"
#include "core/macro/OperationRecorder.h"
#include "core/common/Settings.h"
#include "core/options/CommonSettingsCommand.h"
#include "core/view/CVeskView.h"
#include "options/RecordingEffects.h"
#include "platform/DialogService.h"

namespace quarn {
namespace {

struct JumpDialogs : fakes::FakeDialogs {
  bool jumpDialog(JumpDialogRequest& request) override {
    ++shown;
    request.text = "0x100";
    return true;
  }
  int shown = 0;
};

struct Placer : ChildPlacer {
  void MoveChild(ViewChild, const Rect&) override {}
  void ShowChild(ViewChild, bool) override {}
  void FocusChild(ViewChild) override {}
};

class BinaryPlaybackTest : public testing::BinaryWindowFixture {
 protected:
  struct Target : ReplayTarget {
    void SendFrameCommand(unsigned id) override { view->OnCommand(id); }
    RecordReplayer* ReplayView() override { return view.get(); }
    std::unique_ptr<CVeskView> view;
  };
  void OpenWithView() {
    target.view.reset();
    Open(std::string(4096, 'x'));
    target.view = std::make_unique<CVeskView>(*doc, placer);
    target.view->AttachBinaryWindow(window.get());
    Platform().dialogs = &dialogs;
    ops.SetReplayTarget(&target);
  }
  void TearDown() override { target.view.reset(); }

  JumpDialogs dialogs;
  Placer placer;
  Target target;
  COperationManeger ops;
};

TEST_F(BinaryPlaybackTest, CommandsAndTheJumpReplayWithoutTheDialog) {
  OpenWithView();
  ops.StartRecording();
  target.view->OnCommand(cmd::kWriteProtect);
  target.view->OnCommand(cmd::kJump);
  target.view->OnCommand(cmd::kFind);  // not recordable: not recorded
  ops.StopRecording();
  ASSERT_EQ(ops.Count(), 2u);
  EXPECT_EQ(window->CaretPos(), 0x100u);
  OpenWithView();
  ops.Play();
  EXPECT_EQ(dialogs.shown, 1);
  EXPECT_EQ(window->CaretPos(), 0x100u);
  EXPECT_TRUE(doc->IsWriteProtected());
}

TEST_F(BinaryPlaybackTest, AWindowRecordStopsThePlayback) {
  OpenWithView();
  ops.StartRecording();
  RecordOperation(rec::kFrameCommand, cmd::kWriteProtect);
  RecordOperation(rec::kFirstKey + 4, 0);
  RecordOperation(rec::kFrameCommand, cmd::kWriteProtect);
  ops.StopRecording();
  ops.Play();
  EXPECT_TRUE(doc->IsWriteProtected());
}

struct NoFrames : FrameFactory {
  bool CreateFrame(CVeskDoc&) override { return true; }
  void ActivateFrame(CVeskDoc&) override {}
  void DestroyFrame(CVeskDoc&) override {}
};

struct FrameHost : MainFrameHost {
  CVeskView* ActiveView() override { return nullptr; }
  void CloseMainWindow() override {}
  void MenusChanged() override {}
  CommonSettingsEffects* SettingsEffects() override { return &effects; }
  RecordingEffects effects;
};

TEST(FilePlaybackTest, FileOpenReplaysItsPathAndMode) {
  fakes::FakePlatform platform;
  NoFrames frames;
  DocTemplate documents;
  documents.SetFrameFactory(&frames);
  FrameHost host;
  CMainFrame frame(documents, host);
  platform.files.files["/plain.txt"] = "text\r\n";
  platform.dialogs.fileAnswers = {"/plain.txt"};
  platform.dialogs.openModeChoices = {kOpenBinary};
  COperationManeger& ops = Operations();
  ops.StartRecording();
  frame.OnCommand(cmd::kFileOpen);
  ops.StopRecording();
  ASSERT_EQ(documents.Count(), 1u);
  documents.CloseAll();
  ops.Play();
  ASSERT_EQ(documents.Count(), 1u);
  EXPECT_EQ(documents.At(0).DocKind(), kBinaryDoc);
  EXPECT_EQ(platform.dialogs.requests.size(), 1u);
  documents.CloseAll();
}

TEST(FilePlaybackTest, CommonSettingsReplayTheirEditPage) {
  fakes::FakePlatform platform;
  const AppSettings saved = gSettings;
  DocTemplate documents;
  FrameHost host;
  CMainFrame frame(documents, host);
  platform.dialogs.sheetScript.push_back([](CommonSettingsRequest& s) {
    s.edit.tabPositions = "9,13,";
    return true;
  });
  COperationManeger& ops = Operations();
  ops.StartRecording();
  RunCommonSettings(true, host.effects);
  ops.StopRecording();
  ASSERT_EQ(ops.Count(), 1u);
  gSettings.TabPosition = TabPositionList{};
  ops.Play();
  EXPECT_EQ(platform.dialogs.sheetsShown, 1);
  EXPECT_EQ(gSettings.TabPosition.count, 2);
  EXPECT_EQ(gSettings.TabPosition.positions[1], 12);
  gSettings = saved;
}

}  // namespace
}  // namespace quarn
