// Commands with parameters replay without their dialogs; window records stop at a binary window.
#include <gtest/gtest.h>

#include "app/FrameFixture.h"
#include "core/app/FileCommands.h"
#include "core/commands/CommandIds.h"
#include "core/common/Settings.h"
#include "core/macro/COperationManeger.h"
#include "core/macro/OperationRecorder.h"
#include "core/options/CommonSettingsCommand.h"
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

// The main frame's operations over binary documents in frames of their own.
class BinaryPlaybackTest : public FrameFixture {
 protected:
  void SetUp() override {
    FrameFixture::SetUp();
    Platform().dialogs = &dialogs;
    frames.effects = &effects;
    platform.files.files["/x.bin"] = std::string(4096, 'x');
  }
  // A fresh document of 4096 bytes, alone and active.
  CVeskBV& OpenBinary() {
    documents.CloseAll();
    return *frames.binaries.at(OpenInMode(documents, "/x.bin", kOpenBinary, false));
  }
  JumpDialogs dialogs;
  RecordingEffects effects;
  COperationManeger& ops = Operations();
};

TEST_F(BinaryPlaybackTest, CommandsAndTheJumpReplayWithoutTheDialogAndAWindowRecordStopsThePlayback) {
  OpenBinary();
  ops.StartRecording();
  frames.ActiveView()->OnCommand(cmd::kWriteProtect);
  frames.ActiveView()->OnCommand(cmd::kJump);
  frames.ActiveView()->OnCommand(cmd::kFind);  // not recordable: not recorded
  ops.StopRecording();
  ASSERT_EQ(ops.Count(), 2u);
  CVeskBV* window = &OpenBinary();
  ops.Play();
  EXPECT_EQ(dialogs.shown, 1);
  EXPECT_EQ(window->CaretPos(), 0x100u);
  EXPECT_TRUE(documents.At(0).IsWriteProtected());
  OpenBinary();
  ops.StartRecording();
  RecordOperation(rec::kFrameCommand, cmd::kWriteProtect);
  RecordOperation(rec::kFirstKey + 4, 0);
  RecordOperation(rec::kFrameCommand, cmd::kWriteProtect);
  ops.StopRecording();
  ops.Play();
  EXPECT_TRUE(documents.At(0).IsWriteProtected());
}

// A frame command reaches the active binary view first, which leaves it to
// the frame: it is recorded once and replays once. File Open replays its path
// and mode, the common settings their edit page, without their dialogs.
TEST_F(BinaryPlaybackTest, FrameCommandsAreRecordedOnceAndReplayTheirParameters) {
  OpenBinary();
  ops.StartRecording();
  frame.OnCommand(cmd::kFileNew);
  frame.OnCommand(cmd::kWriteProtect);
  ops.StopRecording();
  EXPECT_EQ(ops.Count(), 2u);
  ops.Play();
  ASSERT_EQ(documents.Count(), 3u);
  EXPECT_TRUE(documents.At(2).IsWriteProtected());
  platform.files.files["/plain.txt"] = "text\r\n";
  dialogs.fileAnswers = {"/plain.txt"};
  dialogs.openModeChoices = {kOpenBinary};
  ops.StartRecording();
  frame.OnCommand(cmd::kFileOpen);
  ops.StopRecording();
  documents.CloseAll();
  ops.Play();
  ASSERT_EQ(documents.Count(), 1u);
  EXPECT_EQ(documents.At(0).DocKind(), kBinaryDoc);
  EXPECT_EQ(dialogs.requests.size(), 1u);
  dialogs.sheetScript.push_back([](CommonSettingsRequest& s) { return s.edit.tabPositions = "9,13,", true; });
  ops.StartRecording();
  RunCommonSettings(true, effects);
  ops.StopRecording();
  ASSERT_EQ(ops.Count(), 1u);
  gSettings.TabPosition = TabPositionList{};
  ops.Play();
  EXPECT_EQ(dialogs.sheetsShown, 1);
  EXPECT_EQ(FormatTabPositions(gSettings.TabPosition), "9,13");
}

}  // namespace
}  // namespace quarn
