// Commands with parameters replay without their dialogs; window records stop at a binary window.
#include <gtest/gtest.h>

#include "binaryview/BinaryWindowFixture.h"
#include "core/app/CMainFrame.h"
#include "core/app/DocTemplate.h"
#include "core/app/FileCommands.h"
#include "core/commands/CommandIds.h"
#include "core/common/Settings.h"
#include "core/macro/COperationManeger.h"
#include "core/macro/OperationRecorder.h"
#include "core/options/CommonSettingsCommand.h"
#include "fakes/FakeViewParts.h"
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

// A main frame over documents without windows.
struct FrameParts : FrameFactory, MainFrameHost {
  FrameParts() { documents.SetFrameFactory(this); }
  ~FrameParts() { documents.CloseAll(); }
  bool CreateFrame(CVeskDoc&) override { return true; }
  void ActivateFrame(CVeskDoc&) override {}
  void DestroyFrame(CVeskDoc&) override {}
  CVeskView* ActiveView() override { return view; }
  void CloseMainWindow() override {}
  void MenusChanged() override {}
  CommonSettingsEffects* SettingsEffects() override { return &effects; }
  RecordingEffects effects;
  CVeskView* view = nullptr;
  DocTemplate documents;
  CMainFrame frame{documents, *this};
};

class BinaryPlaybackTest : public testing::BinaryWindowFixture {
 protected:
  void OpenWithView() {
    view.reset();
    Open(std::string(4096, 'x'));
    view = std::make_unique<CVeskView>(*doc, placer);
    view->AttachBinaryWindow(window.get());
    target.view = view.get();
    Platform().dialogs = &dialogs;
    ops.SetReplayTarget(&target);
  }
  void TearDown() override { view.reset(); }
  JumpDialogs dialogs;
  fakes::NoPlacer placer;
  std::unique_ptr<CVeskView> view;
  fakes::ViewTarget target;
  COperationManeger ops;
};

TEST_F(BinaryPlaybackTest, CommandsAndTheJumpReplayWithoutTheDialogAndAWindowRecordStopsThePlayback) {
  OpenWithView();
  ops.StartRecording();
  view->OnCommand(cmd::kWriteProtect);
  view->OnCommand(cmd::kJump);
  view->OnCommand(cmd::kFind);  // not recordable: not recorded
  ops.StopRecording();
  ASSERT_EQ(ops.Count(), 2u);
  EXPECT_EQ(window->CaretPos(), 0x100u);
  OpenWithView();
  ops.Play();
  EXPECT_EQ(dialogs.shown, 1);
  EXPECT_EQ(window->CaretPos(), 0x100u);
  EXPECT_TRUE(doc->IsWriteProtected());
  OpenWithView();
  ops.StartRecording();
  RecordOperation(rec::kFrameCommand, cmd::kWriteProtect);
  RecordOperation(rec::kFirstKey + 4, 0);
  RecordOperation(rec::kFrameCommand, cmd::kWriteProtect);
  ops.StopRecording();
  ops.Play();
  EXPECT_TRUE(doc->IsWriteProtected());
}

// A frame command reaches the active binary view first, which leaves it to
// the frame: it is recorded once and replays once. File Open replays its path
// and mode, the common settings their edit page, without their dialogs.
TEST_F(BinaryPlaybackTest, FrameCommandsAreRecordedOnceAndReplayTheirParameters) {
  struct FrameTarget : ReplayTarget {
    void SendFrameCommand(unsigned id) override { frame->OnCommand(id); }
    CVeskView* ReplayView() override { return nullptr; }
    CMainFrame* frame = nullptr;
  } frameTarget;
  FrameParts parts;
  OpenWithView();
  parts.view = view.get();
  frameTarget.frame = &parts.frame;
  ops.SetReplayTarget(&frameTarget);
  ops.StartRecording();
  parts.frame.OnCommand(cmd::kFileNew);
  parts.frame.OnCommand(cmd::kWriteProtect);
  ops.StopRecording();
  EXPECT_EQ(ops.Count(), 2u);
  ops.Play();
  EXPECT_EQ(parts.documents.Count(), 2u);
  EXPECT_FALSE(doc->IsWriteProtected());
  platform.files.files["/plain.txt"] = "text\r\n";
  dialogs.fileAnswers = {"/plain.txt"};
  dialogs.openModeChoices = {kOpenBinary};
  ops.StartRecording();
  parts.frame.OnCommand(cmd::kFileOpen);
  ops.StopRecording();
  parts.documents.CloseAll();
  ops.Play();
  ASSERT_EQ(parts.documents.Count(), 1u);
  EXPECT_EQ(parts.documents.At(0).DocKind(), kBinaryDoc);
  EXPECT_EQ(dialogs.requests.size(), 1u);
  const AppSettings saved = gSettings;
  dialogs.sheetScript.push_back([](CommonSettingsRequest& s) { return s.edit.tabPositions = "9,13,", true; });
  ops.StartRecording();
  RunCommonSettings(true, parts.effects);
  ops.StopRecording();
  ASSERT_EQ(ops.Count(), 1u);
  gSettings.TabPosition = TabPositionList{};
  ops.Play();
  EXPECT_EQ(dialogs.sheetsShown, 1);
  EXPECT_EQ(FormatTabPositions(gSettings.TabPosition), "9,13");
  gSettings = saved;
}

}  // namespace
}  // namespace quarn
