// Recorded keystrokes and commands replay, through a text window's view or the
// main frame, to the same state, without the dialogs they showed.
#include <gtest/gtest.h>

#include <random>

#include "app/FrameFixture.h"
#include "core/app/FileCommands.h"
#include "core/commands/CommandCatalogue.h"
#include "core/commands/CommandIds.h"
#include "core/common/Settings.h"
#include "core/macro/COperationManeger.h"
#include "core/macro/OperationRecorder.h"
#include "core/options/CommonSettingsCommand.h"
#include "core/view/CVeskView.h"
#include "fakes/FakeFind.h"
#include "fakes/FakeViewParts.h"
#include "options/RecordingEffects.h"
#include "platform/DialogService.h"
#include "textview/TextWindowFixture.h"

namespace quarn {
namespace {

// The caret, whether there is a selection, its ends, and the text.
using State = std::tuple<TextCell, bool, std::uint32_t, std::uint32_t, std::string>;

class TextReplayTest : public testing::TextWindowFixture {
 protected:
  void OpenWithView(const std::string& text, bool freeCursor) {
    view.reset();
    Open(text, 20, 4, freeCursor);
    view = std::make_unique<CVeskView>(*doc, placer);
    view->AttachTextWindow(window.get());
    target.view = view.get();
  }
  State Now() {
    return {window->Caret(), window->HasSelection(), window->SelectionStart(), window->SelectionEnd(), Text()};
  }
  fakes::NoPlacer placer;
  std::unique_ptr<CVeskView> view;
  fakes::ViewTarget target;
};

TEST_F(TextReplayTest, RandomKeystrokesReplayToTheSameState) {
  std::mt19937 rng(21);
  const char* pieces[] = {"word ", "\t", "\r\n", "\x82\xa0\x82\xa2", "x", "long long long long line "};
  std::string text;
  for (int i = 0; i < 300; ++i) text += pieces[rng() % std::size(pieces)];
  const int kKeys[] = {vk::kHome,  vk::kEnd,  vk::kPrior, vk::kNext,  vk::kRight,
                       vk::kLeft, vk::kDown, vk::kUp,    vk::kEscape};
  const unsigned kCommands[] = {cmd::kSelectAll, cmd::kCopy,     cmd::kUndo,   cmd::kToggleCase,
                                cmd::kPaste,     cmd::kFindNext, cmd::kFindPrev};
  const char* kSearches[] = {"word", "long", "\x82\xa2", "zz"};
  fakes::FakeFindBox box;
  int moved = 0, finds = 0;
  for (int round = 0; round < 12; ++round) {
    const bool freeCursor = round % 2;
    OpenWithView(text, freeCursor);
    COperationManeger ops;
    ops.SetReplayTarget(&target);
    ops.StartRecording();
    for (int step = 0; step < 60; ++step) {
      const unsigned pick = rng() % 10;
      if (pick < 8) {
        const int key = kKeys[rng() % std::size(kKeys)];
        const bool shift = rng() % 2, control = rng() % 3 == 0;
        // Shift+Ctrl+Up and Down start the automatic scroll, a timer.
        if (!(shift && control && (key == vk::kUp || key == vk::kDown))) Key(key, shift, control);
      } else if (pick == 8) {
        box.boxText = kSearches[rng() % std::size(kSearches)];
        view->OnCommand(kCommands[rng() % std::size(kCommands)]);
      } else {
        window->OnChar('a', KeyState{});
      }
    }
    ops.StopRecording();
    for (std::size_t at = 0; at < ops.Used(); at += kRecordHead + GetLe32(ops.Buffer().data() + at + 8))
      finds += GetLe32(ops.Buffer().data() + at) == rec::kToolbarFind;
    const State recorded = Now();
    moved += std::get<0>(recorded).row != 0;
    OpenWithView(text, freeCursor);
    box.boxText.clear();  // the toolbar's find replays its recorded text
    ops.Play();
    const State played = Now();
    EXPECT_EQ(played, recorded) << round;
    EXPECT_EQ(std::get<4>(played), text) << round;
  }
  EXPECT_GT(moved, 6);
  EXPECT_GT(finds, 3);
}

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
