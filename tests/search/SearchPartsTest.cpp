#include <gtest/gtest.h>

#include <random>
#include <string>

#include "core/search/BytePattern.h"
#include "core/search/CFindReplaceManeger.h"
#include "core/search/TagJump.h"
#include "fakes/FakePlatform.h"

namespace quarn {
namespace {

std::string BytesOf(const BytePattern& p) { return std::string(p.bytes.begin(), p.bytes.end()); }

TEST(BytePatternTest, HexNeedsPairsOfDigitsEscapesTranslateAndOthersStay) {
  EXPECT_EQ(BytesOf(*ParseHexPattern("01000d0A")), std::string("\x01\x00\x0D\x0A", 4));
  for (const char* bad : {"", "123", "12 34", "0x12"}) EXPECT_FALSE(ParseHexPattern(bad)) << bad;
  const BytePattern p = TranslateEscapes("\\a\\B\\f\\N\\t\\v\\\\\\x4a\\X4B\\q\\x4\\");
  EXPECT_EQ(BytesOf(p), std::string("\x07\x08\x0C\r\n\x09\x0B\\JK\\q\\x4\\"));
  // A wildcard; a double-byte character whose trail byte is a backslash is
  // copied whole and does not start a sequence.
  const BytePattern w = TranslateEscapes("\x95\\n\\.");
  EXPECT_EQ(std::tuple(BytesOf(w).substr(0, 3), w.wildcard),
            std::tuple("\x95\\n", std::vector{false, false, false, true}));
  EXPECT_EQ(TranslateEscapes(std::string(300, 'a')).Size(), 256u);
}

// The memchr scan against trying every position, with near-misses, wildcards and case folding.
TEST(BytePatternTest, FirstAndLastMatchAgreeWithTryingEveryPosition) {
  std::mt19937 random(3);
  const std::string alphabet("aAbB\x00\xFF ", 7);
  for (int round = 0; round < 3000; ++round) {
    std::string data(random() % 64, 'a');
    for (char& c : data) c = alphabet[random() % alphabet.size()];
    BytePattern p;
    for (std::size_t n = 1 + random() % 4; n > 0; --n) {
      p.bytes.push_back(std::uint8_t(alphabet[random() % alphabet.size()]));
      p.wildcard.push_back(random() % 5 == 0);
    }
    p.foldCase = random() % 2;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(data.data());
    const std::size_t from = data.empty() ? 0 : random() % data.size();
    std::optional<std::size_t> first, last;
    for (std::size_t s = 0; s + p.Size() <= data.size(); ++s) {
      if (!p.MatchesAt(bytes + s)) continue;
      if (s >= from && !first) first = s;
      if (s < from) last = s;
    }
    ASSERT_EQ(FindFirst(bytes, from, data.size(), p), first) << "round " << round;
    ASSERT_EQ(FindLast(bytes, from, data.size(), p), last) << "round " << round;
  }
}

TEST(TagLineTest, TheRuleOnItsEdgesAndTheSearchHistory) {
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
      {"/a/b.c(1x): x", std::nullopt},
      {"a/b.c(12): x", std::nullopt},                 // not absolute
      {"/a/b.c(12: x", std::nullopt},
      {path260 + "(7)", TagLine{path260, 7}},
      {path260 + "p(7)", std::nullopt},                // path of 261 bytes
      {"/" + std::string(266, 'p') + "(12)", std::nullopt},  // ")" beyond 270 bytes
  };
  for (const auto& c : cases) EXPECT_EQ(ParseTagLine(c.line), c.tag) << c.line;
  // The search history: newest first, without duplicates, cut to its limit.
  SearchHistory history(80);
  for (int i = 0; i < 25; ++i) history.Add("t" + std::to_string(i));
  EXPECT_EQ(std::tuple(history.Entries().size(), history.Newest(), history.Entries().back()),
            std::tuple(20u, "t24", "t5"));
  history.Add("t10");
  EXPECT_EQ(std::tuple(history.Entries().size(), history.Entries()[0], history.Entries()[1]),
            std::tuple(20u, "t10", "t24"));
  history.Add("");
  EXPECT_EQ(history.Newest(), "t10");
  // 79 single bytes and a double-byte character: the character is not split.
  history.Add(std::string(79, 'x') + "\x82\xA0");
  EXPECT_EQ(history.Newest(), std::string(79, 'x'));
}

struct FakeList : TagListWindow {
  std::vector<std::string> lines;
  std::uint32_t caret = 0;
  std::uint32_t LineCount() override { return std::uint32_t(lines.size()); }
  std::uint32_t CaretLine() override { return caret; }
  std::string LineText(std::uint32_t l) override { return lines.at(l); }
  void MoveCaretToLine(std::uint32_t l) override { caret = l; }
};

// Next at the last line beeps once and then wraps (the frame's tag commands show it); so does previous.
TEST(TagStepperTest, PreviousAtTheFirstLineBeepsOnceThenWraps) {
  fakes::FakePlatform platform;
  FakeList list;
  list.lines = {"/a.c(1): x", "/b.c(2): y", "/c.c(3): z", ""};
  TagStepper stepper;
  EXPECT_EQ(stepper.Step(list, TagMode::kPrevious), std::nullopt);
  EXPECT_EQ(stepper.Step(list, TagMode::kPrevious), (TagLine{"/c.c", 3}));
  EXPECT_EQ(stepper.Step(list, TagMode::kCurrent), (TagLine{"/c.c", 3}));
  // A line that is no tag: the simple beep and no step.
  list.lines[2] = "plain";
  const std::size_t beeps = platform.beep.beeps.size();
  EXPECT_EQ(stepper.Step(list, TagMode::kNext), std::nullopt);
  EXPECT_EQ(std::pair(platform.beep.beeps.size(), list.caret), std::pair(beeps + 1, 2u));
}

}  // namespace
}  // namespace quarn
