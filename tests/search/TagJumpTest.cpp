#include <gtest/gtest.h>

#include "core/search/TagJump.h"
#include "fakes/FakePlatform.h"

namespace quarn {
namespace {

TEST(TagLineTest, TheRuleOnItsEdges) {
  const std::string path260 = "/" + std::string(259, 'p');
  const struct {
    std::string line;
    std::optional<TagLine> tag;
  } cases[] = {
      {"/a/b.c(12): text", TagLine{"/a/b.c", 12}},
      {"/a(1)", std::nullopt},                        // 5 bytes: too short
      {"/ab.c(1)", TagLine{"/ab.c", 1}},
      {"/a/b(c).c(3): x", std::nullopt},              // the first "(" ends the path
      {"/a/b.c(0): x", std::nullopt},
      {"/a/b.c(123456): x", std::nullopt},
      {"/a/b.c(99999): x", TagLine{"/a/b.c", 99999}},
      {"/a/b.c(): x", std::nullopt},
      {"/a/b.c(1x): x", std::nullopt},
      {"a/b.c(12): x", std::nullopt},                 // not absolute
      {"/a/b.c(12: x", std::nullopt},
      {path260 + "(7)", TagLine{path260, 7}},
      {path260 + "p(7)", std::nullopt},                // path of 261 bytes
      {std::string(300, '/') , std::nullopt},
      {"/" + std::string(266, 'p') + "(12)", std::nullopt},  // ")" beyond 270 bytes
  };
  for (const auto& c : cases) EXPECT_EQ(ParseTagLine(c.line), c.tag) << c.line;
}

struct FakeList : TagListWindow {
  std::vector<std::string> lines;
  std::uint32_t caret = 0;
  std::uint32_t LineCount() override { return std::uint32_t(lines.size()); }
  std::uint32_t CaretLine() override { return caret; }
  std::string LineText(std::uint32_t l) override { return lines.at(l); }
  void MoveCaretToLine(std::uint32_t l) override { caret = l; }
};

TEST(TagStepperTest, NextAtTheLastLineBeepsOnceThenWraps) {
  fakes::FakePlatform platform;
  FakeList list;
  list.lines = {"/a.c(1): x", "/b.c(2): y", "/c.c(3): z", ""};
  TagStepper stepper;
  list.caret = 1;
  EXPECT_EQ(stepper.Step(list, TagMode::kNext), (TagLine{"/c.c", 3}));
  EXPECT_EQ(stepper.Step(list, TagMode::kNext), std::nullopt);
  EXPECT_EQ(platform.beep.beeps.size(), 1u);
  EXPECT_EQ(list.caret, 2u);
  EXPECT_EQ(stepper.Step(list, TagMode::kNext), (TagLine{"/a.c", 1}));
  // Previous from the first line: a beep, then the last line.
  EXPECT_EQ(stepper.Step(list, TagMode::kPrevious), std::nullopt);
  EXPECT_EQ(stepper.Step(list, TagMode::kPrevious), (TagLine{"/c.c", 3}));
  EXPECT_EQ(stepper.Step(list, TagMode::kCurrent), (TagLine{"/c.c", 3}));
  // A line that is no tag: the simple beep and no step.
  list.lines[2] = "plain";
  const std::size_t beeps = platform.beep.beeps.size();
  EXPECT_EQ(stepper.Step(list, TagMode::kNext), std::nullopt);
  EXPECT_EQ(platform.beep.beeps.size(), beeps + 1);
  EXPECT_EQ(list.caret, 2u);
}

}  // namespace
}  // namespace quarn
