#include <gtest/gtest.h>

#include <random>

#include "FrameFixture.h"
#include "core/app/GlobalFindCommand.h"
#include "core/commands/CommandIds.h"
#include "core/common/ParameterBlock.h"
#include "core/res/MessageIds.h"
#include "core/search/CFindReplaceManeger.h"
#include "fakes/FakeGlobalFind.h"
#include "fakes/FakeProgress.h"

namespace quarn {
namespace {

class GlobalFindCommandTest : public FrameFixture {
 protected:
  void SetUp() override {
    FrameFixture::SetUp();
    platform.files.directories = {"/src", "/src/sub", "/other"};
    platform.files.files = {{"/src/a.c", "int foo;\r\nfoo(foo);\r\n"},
                            {"/src/b.h", "foo\r\n"},
                            {"/src/sub/c.c", "x\r\ny\r\nz foo\r\n"},
                            {"/other/d.c", "nothing\r\n"}};
  }
  // The dialog answers OK with these values.
  void Answer(const std::string& text, const std::string& pattern) {
    dialogs.script.push_back([=](GlobalFindDialogRequest& r) {
      r = {text, {}, pattern, {}, "/src/", true, true, true, false, r.accept};
      return true;
    });
  }
  CVeskEV& WindowOf(CVeskDoc* doc) { return *frames.texts.at(doc); }
  fakes::FakeGlobalFindDialogs dialogs;
  fakes::FakeProgress progress;
  fakes::FakeLister lister{platform.files};
  Restore<CFindReplaceManeger> find{gFindReplace, {}};
  Restore<GlobalFindDialogService*> dialogService{GlobalFindDialogs(), &dialogs};
  Restore<DirectoryLister*> listerService{Directories(), &lister};
};

const char kResult[] = "/src/a.c(1): int foo;\r\n/src/a.c(2): foo(foo);\r\n/src/a.c(2): foo(foo);\r\n/src/sub/c.c(3): z foo\r\n";

TEST_F(GlobalFindCommandTest, TheDialogsChoiceIsSearchedListedRememberedAndRecordedAndReplayed) {
  gFindReplace.findHistory.Add("old");
  Answer("foo", "*.c");
  EXPECT_TRUE(Enabled(cmd::kGlobalFind));
  ASSERT_TRUE(frame.OnCommand(cmd::kGlobalFind));
  EXPECT_EQ(dialogs.shownRequest.text, "old");  // the newest of the find history
  ASSERT_EQ(documents.Count(), 1u);
  EXPECT_EQ(TextOf(documents.At(0)), kResult);
  EXPECT_EQ(std::tuple(progress.count, progress.isOpen), std::tuple(4u, false));
  // The counts shown: two files, four lines.
  ASSERT_EQ(platform.messages.shown.size(), 1u);
  EXPECT_NE(platform.messages.shown[0].text.find("2\n\n"), std::string::npos);
  EXPECT_EQ(platform.messages.shown[0].text.back(), '4');
  const CFindReplaceManeger& find = gFindReplace;
  EXPECT_EQ(std::tuple(find.filePatternHistory.Newest(), find.findHistory.Entries(), find.matchCase),
            std::tuple("/src/*.c", std::vector<std::string>{"foo", "old"}, true));
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(std::tie(records[0].type, records[0].id, records[0].data),
            std::make_tuple(512u, cmd::kGlobalFind, GlobalFindRecord({true, true, "foo", "/src/*.c", true, false})));
  // The block replays without the dialog.
  documents.CloseAll();
  gFindReplace.matchCase = false;
  {
    ScopedParameterBlock block(records[0].data);
    frame.OnCommand(cmd::kGlobalFind);
  }
  EXPECT_EQ(dialogs.shown, 1);
  EXPECT_EQ(TextOf(documents.At(0)), kResult);
  EXPECT_TRUE(gFindReplace.matchCase);
  // The dialog offers the last pattern's folder and name; a new folder alone is searched.
  dialogs.script.push_back([](GlobalFindDialogRequest& r) { return r.directory = "/other/", true; });
  frame.OnCommand(cmd::kGlobalFind);
  EXPECT_EQ(std::tie(dialogs.shownRequest.pattern, dialogs.shownRequest.directory), std::tie("*.c", "/src/"));
  EXPECT_EQ(gFindReplace.filePatternHistory.Newest(), "/other/*.c");
}

TEST_F(GlobalFindCommandTest, RefusedEntriesKeepTheDialogOpenAndSearchesEndEarlyOrEmpty) {
  const struct {
    std::string text, pattern;
    unsigned message;  // 0: a beep
  } cases[] = {
      {"", "*.c", 0},
      {std::string(81, 'x'), "*.c", msg::kStringTooLong},
      {"foo", "", 0},
      {"foo", "/" + std::string(260, 'p'), msg::kCabinetBadPath},
  };
  for (const auto& c : cases) {
    platform.messages.shown.clear();
    platform.beep.beeps.clear();
    Answer(c.text, c.pattern);
    dialogs.script.push_back([](GlobalFindDialogRequest&) { return false; });
    frame.OnCommand(cmd::kGlobalFind);
    EXPECT_EQ(c.message ? platform.Shown(c.message) : platform.beep.beeps.size() == 1, true) << c.text.size();
    EXPECT_EQ(std::tuple(dialogs.script.size(), documents.Count(), records.size()), std::tuple(0u, 0u, 0u));
  }
  // A relative pattern that makes the full pattern too long only beeps.
  Answer("foo", std::string(256, 'p'));
  frame.OnCommand(cmd::kGlobalFind);
  EXPECT_EQ(std::tuple(documents.Count(), records.size()), std::tuple(0u, 0u));
  // Nothing found: the list is closed, the counts shown; a folder that
  // cannot be listed: closed silently. "中断", or the list closed while
  // events are handled, ends the search.
  platform.messages.shown.clear();
  Answer("absent", "*.c");
  Answer("foo", "/nowhere/*.c");
  frame.OnCommand(cmd::kGlobalFind);
  frame.OnCommand(cmd::kGlobalFind);
  EXPECT_EQ(std::tuple(documents.Count(), platform.messages.shown.size()), std::tuple(0u, 1u));
  progress.stopAfter = 1;  // asked after each match
  Answer("foo", "*.c");
  frame.OnCommand(cmd::kGlobalFind);
  ASSERT_EQ(documents.Count(), 1u);
  EXPECT_EQ(TextOf(documents.At(0)), "/src/a.c(1): int foo;\r\n/src/a.c(2): foo(foo);\r\n");
  progress.stopAfter = -1;
  progress.onEvents = [this] { documents.CloseAll(); };
  Answer("foo", "*.c");
  frame.OnCommand(cmd::kGlobalFind);
  EXPECT_EQ(documents.Count(), 0u);
}

TEST_F(GlobalFindCommandTest, TagCommandsStepThroughTheListAndOpenTheFilesAtTheirLines) {
  for (unsigned id : {cmd::kTagJump, cmd::kTagNext, cmd::kTagPrev, cmd::kTagWindow}) EXPECT_FALSE(Enabled(id));
  Answer("foo", "*.c");
  frame.OnCommand(cmd::kGlobalFind);
  CVeskDoc* list = &documents.At(0);
  WindowOf(list).GoToCell(0, 0);
  records.clear();
  frame.OnCommand(cmd::kTagJump);
  ASSERT_EQ(documents.Count(), 2u);
  CVeskDoc* a = &documents.At(1);
  EXPECT_EQ(std::tuple(a->GetPathName(), WindowOf(a).Caret().row), std::tuple("/src/a.c", 0u));
  for (unsigned id : {cmd::kTagJump, cmd::kTagNext, cmd::kTagPrev, cmd::kTagWindow}) EXPECT_TRUE(Enabled(id));
  // From the other file's window the list still steps; a.c is activated, not opened twice.
  const struct {
    const char* path;
    std::uint32_t row;
  } steps[] = {{"/src/a.c", 1}, {"/src/a.c", 1}, {"/src/sub/c.c", 2}};
  for (const auto& step : steps) {
    frame.OnCommand(cmd::kTagNext);
    ASSERT_TRUE(frames.active);
    const std::uint32_t tagRow = frames.active->RowOfPos(DocumentMarks::LineStartOf(frames.active->Marks().TagLine()));
    EXPECT_EQ(std::tuple(frames.active->GetPathName(), WindowOf(frames.active).Caret().row, tagRow),
              std::tuple(step.path, step.row, step.row));
  }
  EXPECT_EQ(documents.Count(), 3u);
  CVeskDoc* c = frames.active;
  // At the last line: one beep, then the first line again.
  platform.beep.beeps.clear();
  frame.OnCommand(cmd::kTagNext);
  EXPECT_EQ(std::tuple(platform.beep.beeps.size(), frames.active), std::tuple(1u, c));
  frame.OnCommand(cmd::kTagNext);
  EXPECT_EQ(std::tuple(platform.beep.beeps.size(), frames.active, WindowOf(list).Caret().row), std::tuple(1u, a, 0u));
  frame.OnCommand(cmd::kTagWindow);
  EXPECT_EQ(frames.active, list);
  // Each step is recorded as a frame command without parameters.
  std::vector<std::uint32_t> ids;
  for (const auto& r : records) ids.push_back(r.type == 512u && r.data.empty() ? r.id : 0);
  EXPECT_EQ(ids, (std::vector<std::uint32_t>{cmd::kTagJump, cmd::kTagNext, cmd::kTagNext, cmd::kTagNext,
                                             cmd::kTagNext, cmd::kTagNext, cmd::kTagWindow}));
  // Closing the list forgets it.
  documents.CloseDocument(*list, false);
  EXPECT_FALSE(Enabled(cmd::kTagNext));
}

TEST_F(GlobalFindCommandTest, ADoubleClickOnATagLineJumpsAndElsewhereSelectsAWord) {
  gProcess.nextDocKind = kTextDoc;
  CVeskDoc* list = documents.OpenDocumentFile({});
  const std::string text = "note here\r\n/src/sub/c.c(3): z foo\r\n";
  list->AppendStringToViews(text.c_str());
  CVeskEV& window = WindowOf(list);
  auto doubleClick = [&](int row, KeyState keys) {
    window.OnMouse(MouseKind::kLeftDown, 4, row * 16 + 4, keys);
    window.OnMouse(MouseKind::kLeftUp, 4, row * 16 + 4, keys);
    window.OnMouse(MouseKind::kLeftDoubleClick, 4, row * 16 + 4, keys);
  };
  doubleClick(0, {});
  EXPECT_EQ(std::tuple(documents.Count(), window.SelectedText()), std::tuple(1u, "note"));
  doubleClick(1, KeyState{false, true});  // with Ctrl: a word
  EXPECT_EQ(documents.Count(), 1u);
  doubleClick(1, {});
  ASSERT_EQ(documents.Count(), 2u);
  CVeskDoc* c = documents.FindByPath("/src/sub/c.c");
  ASSERT_TRUE(c);
  EXPECT_EQ(std::tuple(frames.active, WindowOf(c).Caret().row, Enabled(cmd::kTagWindow)), std::tuple(c, 2u, true));
}

// Random blocks: a block read back is the block written, and a block cut
// short is refused unless the cut falls just after the pattern (an older
// block, whose options then stay).
TEST(GlobalFindRecordTest, RoundTripsAndCutBlocks) {
  std::mt19937 rng(7);
  for (int round = 0; round < 200; ++round) {
    auto text = [&] {
      std::string s(rng() % 12, ' ');
      for (char& ch : s) ch = char(1 + rng() % 255);
      return s;
    };
    const GlobalFindParameters p{rng() % 2 == 0, rng() % 2 == 0, text(), "/" + text(), rng() % 2 == 0, rng() % 2 == 0};
    const std::vector<std::uint8_t> block = GlobalFindRecord(p);
    ASSERT_EQ(ParseGlobalFindRecord(block), p);
    const std::size_t older = 8 + p.text.size() + 1 + p.pattern.size() + 1;
    for (std::size_t n = 0; n < block.size(); ++n) {
      const auto cut = ParseGlobalFindRecord({block.begin(), block.begin() + std::ptrdiff_t(n)});
      if (n < older) {
        EXPECT_FALSE(cut) << n;
      } else {
        ASSERT_TRUE(cut) << n;
        EXPECT_EQ(cut->pattern, p.pattern);
        EXPECT_FALSE(cut->regular);
      }
    }
  }
  // A relative pattern of 256 is refused by the command; 255 still fits.
  EXPECT_EQ(FullPathPattern("/abs/*.h", "/src/"), "/abs/*.h");
  EXPECT_EQ(FullPathPattern(std::string(255, 'p'), "/src/")->size(), 260u);
}

}  // namespace
}  // namespace quarn
