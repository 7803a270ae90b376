#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/common/StatusPanes.h"

namespace quarn {
namespace {

struct RecordingBar : StatusBarHost {
  std::vector<std::pair<int, std::string>> texts;
  std::vector<std::pair<int, bool>> states;
  void setPaneText(int index, const std::string& text) override { texts.emplace_back(index, text); }
  void setPaneEnabled(int index, bool enabled) override { states.emplace_back(index, enabled); }
};

TEST(StatusPanesTest, CaretPanesAreRedrawnOnlyWhenTheirTextChanges) {
  RecordingBar host;
  CVeskStatusBar bar;
  bar.SetHost(&host);
  bar.SetPaneTextFast(pane::kOffsetHex, "0x00000010");
  bar.SetPaneTextFast(pane::kOffsetHex, "0x00000010");
  bar.SetPaneTextFast(pane::kOffsetDec, "00000016");
  bar.SetPaneTextFast(pane::kOffsetHex, "0x00000011");
  ASSERT_EQ(host.texts.size(), 3u);
  EXPECT_EQ(host.texts[0], (std::pair<int, std::string>{1, "0x00000010"}));
  EXPECT_EQ(host.texts[1].first, 2);
  EXPECT_EQ(bar.RememberedText(pane::kOffsetHex), "0x00000011");
  // Other panes always pass through; unknown ids are ignored.
  bar.SetPaneTextFast(pane::kDecoding, "SJIS");
  bar.SetPaneTextFast(pane::kDecoding, "SJIS");
  bar.SetPaneTextFast(12345, "x");
  EXPECT_EQ(host.texts.size(), 5u);
  EXPECT_EQ(host.texts.back().first, 6);
}

TEST(StatusPanesTest, EnableStateIsSentOnChangeOnly) {
  RecordingBar host;
  CVeskStatusBar bar;
  bar.SetHost(&host);
  bar.SetPaneEnabled(pane::kOverwrite, false);
  bar.SetPaneEnabled(pane::kOverwrite, false);
  bar.SetPaneEnabled(pane::kOverwrite, true);
  bar.SetPaneEnabled(pane::kReadOnly, true);
  ASSERT_EQ(host.states.size(), 3u);
  EXPECT_EQ(host.states[1], (std::pair<int, bool>{4, true}));
  EXPECT_EQ(host.states[2], (std::pair<int, bool>{5, true}));
}

}  // namespace
}  // namespace quarn
