#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "FrameFixture.h"
#include "core/app/FileCommands.h"
#include "core/commands/CommandIds.h"
#include "core/res/Texts.h"

namespace quarn {
namespace {

struct TabWidget : TabBarHost {
  void setTabs(const std::vector<TabItem>& t) override { tabs = t; }
  void setTabImage(int index, int image) override { images.emplace_back(index, image); }
  void selectTab(int index) override { selected = index; }
  std::vector<TabItem> tabs;
  std::vector<std::pair<int, int>> images;
  int selected = -1;
};

class FrameTest : public FrameFixture {
 protected:
  void SetUp() override {
    FrameFixture::SetUp();
    frame.Tabs().SetHost(&tabs);
  }
  // A new document titled as a file would title it.
  CVeskDoc& New(const std::string& title) {
    CVeskDoc* doc = FileNew(documents);
    doc->SetTitle(title);
    frame.DocumentsChanged();
    return *doc;
  }
  // The marked documents' indexes, in the order of the list.
  std::string MarkedIndexes() const {
    std::string out;
    for (const CVeskView* view : frame.Marks().Views()) out += char('0' + documents.IndexOf(view->GetDocument()));
    return out;
  }
  TabWidget tabs;
};

TEST_F(FrameTest, WindowMarksStepWithWrapAndFollowClosedWindows) {
  CVeskDoc* docs[] = {&New("a"), &New("b"), &New("c")};
  struct Step {
    int activate;  // -1: leave the active window
    unsigned command;
    int close;  // document to close first, -1 none
    const char* marked;
    int active;
    const char* titles;
    std::size_t beeps;
  };
  const Step steps[] = {
      {0, cmd::kWindowMarkToggle, -1, "0", 0, "* a|b|c", 0},
      {1, cmd::kWindowMarkToggle, -1, "01", 1, "* a|* b|c", 0},
      {2, cmd::kWindowMarkToggle, -1, "012", 2, "* a|* b|* c", 0},
      {-1, cmd::kWindowMarkNext, -1, "012", 0, "* a|* b|* c", 0},  // from the third to the first
      {-1, cmd::kWindowMarkPrev, -1, "012", 2, "* a|* b|* c", 0},
      {-1, cmd::kWindowMarkPrev, -1, "012", 1, "* a|* b|* c", 0},
      {1, cmd::kWindowMarkToggle, -1, "02", 1, "* a|b|* c", 0},
      {-1, cmd::kWindowMarkNext, -1, "02", 0, "* a|b|* c", 0},  // the index stayed on the third
      {0, cmd::kWindowMarkNext, 2, "0", 0, "* a|b", 0},  // the closed window left the list
      {-1, cmd::kWindowMarkClearAll, -1, "", 0, "a|b", 0},
      {-1, cmd::kWindowMarkNext, -1, "", 0, "a|b", 1},
      {-1, cmd::kWindowMarkPrev, -1, "", 0, "a|b", 2},
  };
  for (std::size_t i = 0; i < std::size(steps); ++i) {
    const Step& s = steps[i];
    SCOPED_TRACE(i);
    if (s.close >= 0) documents.CloseDocument(*docs[s.close], false);
    if (s.activate >= 0) documents.ActivateDocument(*docs[s.activate]);
    EXPECT_TRUE(frame.OnCommand(s.command));
    // The documents' titles, as the tabs show them.
    std::string titles;
    for (std::size_t d = 0; d < documents.Count(); ++d) titles += (d ? "|" : "") + documents.At(d).GetTitle();
    ASSERT_EQ(tabs.tabs.size(), documents.Count());
    EXPECT_EQ(tabs.tabs.back().text, documents.At(documents.Count() - 1).GetTitle());
    EXPECT_EQ(std::tuple(MarkedIndexes(), frames.active, titles, platform.beep.beeps.size()),
              std::tuple(s.marked, docs[s.active], s.titles, s.beeps));
  }
}

TEST_F(FrameTest, TheEleventhMarkBeepsAndLongOrMarkedTitlesKeepTheirText) {
  for (int i = 0; i < 11; ++i) {
    documents.ActivateDocument(New(i == 0 ? "* marked" : std::string(i == 1 ? 259 : 1, 'x')));
    frame.OnCommand(cmd::kWindowMarkToggle);
  }
  // No second prefix; a title too long for one beeps and is marked all the same.
  EXPECT_EQ(std::tuple(frame.Marks().Views().size(), platform.beep.beeps.size()), std::tuple(10u, 2u));
  EXPECT_EQ(std::tuple(documents.At(0).GetTitle(), documents.At(1).GetTitle(), documents.At(2).GetTitle(),
                       documents.At(10).GetTitle()),
            std::tuple("* marked", std::string(259, 'x'), "* x", "x"));
  // Unmarking the long title beeps: it has no prefix to lose.
  frame.OnCommand(cmd::kWindowMarkClearAll);
  EXPECT_EQ(std::tuple(documents.At(0).GetTitle(), documents.At(2).GetTitle(), platform.beep.beeps.size()),
            std::tuple("marked", "x", 3u));
  EXPECT_FALSE(Enabled(cmd::kWindowMarkNext));
}

TEST_F(FrameTest, AHundredTabsOfNumberedTitlesEachActivateTheirDocument) {
  gSettings.AddDocNumber = 1;
  for (int i = 0; i < 120; ++i) New("f" + std::to_string(i));
  ASSERT_EQ(tabs.tabs.size(), CTabBar::kMaxTabs);
  EXPECT_EQ(std::tuple(tabs.tabs[9].text, tabs.tabs[99].text), std::tuple("10. f9", "100. f99"));
  for (int i = 0; i < 100; ++i) {
    documents.ActivateDocument(documents.At(119));
    ASSERT_TRUE(frame.Tabs().OnSelectionChange(i, tabs.tabs[std::size_t(i)].text)) << i;
    EXPECT_EQ(frames.active, &documents.At(std::size_t(i))) << i;
  }
  // A tab that no longer names its document activates nothing.
  documents.ActivateDocument(documents.At(119));
  EXPECT_EQ((std::tuple{frame.Tabs().OnSelectionChange(3, "4. f5"), frame.Tabs().OnSelectionChange(100, "101. f100")}),
            std::tuple(false, false));
  EXPECT_EQ(frames.active, &documents.At(119));
  // The active view selects its tab; a document past the hundredth has none.
  tabs.selected = -1;
  frame.ViewActivated(*frames.ActiveView());
  EXPECT_EQ(tabs.selected, -1);
  documents.ActivateDocument(documents.At(42));
  frame.ViewActivated(*frames.ActiveView());
  EXPECT_EQ(tabs.selected, 42);
}

TEST_F(FrameTest, TabTitlesFollowTheLongTitleSettingAndAModifiedDocumentShowsItsImage) {
  gSettings.LongTitle = 1;
  CVeskDoc& path = New("/w/dir/file.bin");
  CVeskDoc& result = New("/w/x");
  result.SetComparisonResult(true);
  frame.DocumentsChanged();
  EXPECT_EQ(tabs.tabs, (std::vector<TabItem>{{"file.bin", -1}, {texts::kComparisonTitle, -1}}));
  // A modified document shows the chosen image, once however often it is set.
  gSettings.EnableTabBarImage = 1, gSettings.TabBarImageNo = 2;
  path.SetModifiedFlag(true);
  path.SetModifiedFlag(true);
  path.SetModifiedFlag(false);
  EXPECT_EQ(tabs.images, (std::vector<std::pair<int, int>>{{0, 2}, {0, -1}}));
}

}  // namespace
}  // namespace quarn
