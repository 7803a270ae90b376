// Keystrokes and commands recorded in a text window replay, through the
// view, to the same caret, selection and text in a fresh window.
#include <random>

#include "core/commands/CommandCatalogue.h"
#include "core/commands/CommandIds.h"
#include "core/macro/COperationManeger.h"
#include "core/view/CVeskView.h"
#include "fakes/FakeFind.h"
#include "textview/TextWindowFixture.h"
#include "fakes/FakeViewParts.h"

namespace quarn {
namespace {

struct State {
  TextCell caret;
  bool selected;
  std::uint32_t start, end;
  std::string text;
  bool operator==(const State&) const = default;
};

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
  void TearDown() override {
    view.reset();
    TextWindowFixture::TearDown();
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
  const int kKeys[] = {vk::kHome, vk::kEnd, vk::kPrior, vk::kNext, vk::kRight, vk::kLeft, vk::kDown, vk::kUp, vk::kEscape};
  const unsigned kCommands[] = {cmd::kSelectAll, cmd::kCopy, cmd::kUndo, cmd::kToggleCase, cmd::kPaste, cmd::kFindNext, cmd::kFindPrev};
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
    moved += recorded.caret.row != 0;
    OpenWithView(text, freeCursor);
    box.boxText.clear();  // the toolbar's find replays its recorded text
    ops.Play();
    const State played = Now();
    EXPECT_EQ(played, recorded) << round;
    EXPECT_EQ(played.text, text) << round;
  }
  EXPECT_GT(moved, 6);
  EXPECT_GT(finds, 3);
  // Key records of unknown types (26 to 255) replay as key code 0: nothing
  // moves and playback goes on; unknown types from 256 up are passed over.
  const State before = Now();
  for (std::uint32_t type : {26u, 100u, 255u, 257u, 400u}) {
    EXPECT_TRUE(ReplayRecord(target, type, 0, {})) << type;
    EXPECT_EQ(Now(), before) << type;
  }
}

}  // namespace
}  // namespace quarn
