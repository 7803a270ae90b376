#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/tools/ProgramOutput.h"
#include "core/tools/ProgramStart.h"
#include "platform/PosixProcessService.h"

namespace quarn {
namespace {

std::string Decode(const std::string& bytes) {
  OutputDecoder d;
  std::string text = d.Take(bytes.data(), bytes.size());
  return text + d.Finish();
}

TEST(OutputDecoder, ConvertsUtf8KeepsOtherBytesAndEndsLinesWithCrLf) {
  const std::pair<std::string, std::string> cases[] = {
      {"a\nb\n", "a\r\nb\r\n"},
      {"a\r\nb", "a\r\nb"},                       // already CR LF
      {"a\rb", "a\rb"},                           // a lone CR stays
      {"\xE3\x81\x82\n", "\x82\xA0\r\n"},          // あ in UTF-8
      {"\x82\xA0", "\x82\xA0"},                    // あ in Shift_JIS stays
      {"\x95\\\n", "\x95\\\r\n"},                  // 表: its trail byte is no backslash
      {"\xF0\x9F\x98\x80", "?"},                   // an emoji CP932 lacks
      {"\xED\xA0\x80", "\xED\xA0\x80"},            // an encoded surrogate is not UTF-8
      {"\xFF\xFE", "\xFF\xFE"},                    // stray bytes stay
      {"\xE3\x81", "\xE3\x81"},                    // cut off at the end: kept as it was
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(Decode(in), out) << in;
}

// Pieces of any size give the text of the whole, and no piece ends inside
// a character or between CR and LF.
TEST(OutputDecoder, AnySplitGivesTheTextOfTheWhole) {
  const std::string alphabet[] = {"a", "\n", "\r", "\r\n", "\xE3\x81\x82", "\x82\xA0", "\x95\\", "\xC3\xA9", "\xFF",
                                  "\xF0\x9F\x98\x80"};
  std::mt19937 rng(21);
  for (int round = 0; round < 300; ++round) {
    std::string input;
    for (int n = int(rng() % 40); n > 0; --n) input += alphabet[rng() % std::size(alphabet)];
    const std::string whole = Decode(input);
    OutputDecoder d;
    std::string joined;
    std::vector<std::size_t> ends;
    for (std::size_t at = 0; at < input.size();) {
      const std::size_t n = std::min<std::size_t>(1 + rng() % 5, input.size() - at);
      joined += d.Take(input.data() + at, n);
      at += n;
      ends.push_back(joined.size());
    }
    joined += d.Finish();
    std::vector<bool> starts(joined.size() + 1, false);  // where whole characters start
    for (std::size_t i = 0; i < joined.size();
         i += std::uint8_t(joined[i]) >= 0x81 && std::uint8_t(joined[i]) <= 0x9F ? 2 : 1)
      starts[i] = true;
    starts[joined.size()] = true;
    for (std::size_t end : ends) {
      ASSERT_TRUE(starts[end]) << "round " << round << " piece end " << end;
      ASSERT_FALSE(end > 0 && end < joined.size() && joined[end - 1] == '\r' && joined[end] == '\n')
          << "round " << round;
    }
    ASSERT_EQ(joined, whole) << "round " << round;
  }
}

TEST(ProgramStart, SplitsParametersAsAShellWouldAndShellCommandsRunThroughTheShell) {
  const std::pair<std::string, std::vector<std::string>> cases[] = {
      {"  a  b\tc ", {"a", "b", "c"}},
      {"'a b' \"c d\"", {"a b", "c d"}},
      {"\"x\\\"y\\$z\\n\"", {"x\"y$z\\n"}},
      {"a\\ b 'it''s'", {"a b", "its"}},
      {"\x95\\ \"\x95\\\"", {"\x95\\", "\x95\\"}},  // 表 twice
      {"''", {""}},
      {"", {}},
  };
  for (const auto& [in, words] : cases) EXPECT_EQ(SplitCommandWords(in), words) << in;
  EXPECT_EQ(MakeProcessRequest(RunEntry{"echo", "", "", true, true, false}, "a  b").arguments,
            (std::vector<std::string>{"/bin/sh", "-c", "echo a  b"}));
  // A program runs in its own folder unless the entry names one.
  const ProcessRequest program = MakeProcessRequest(RunEntry{"/usr/bin/cc", "", "", false, true, false}, "-c 'x y'");
  EXPECT_EQ(std::tuple(program.arguments, program.directory, program.capture),
            std::tuple(std::vector<std::string>{"/usr/bin/cc", "-c", "x y"}, "/usr/bin", true));
  EXPECT_EQ(MakeProcessRequest(RunEntry{"/usr/bin/cc", "", "/tmp", false, true, false}, "").directory, "/tmp");
}

// Real programs through the platform's process service.
struct Capture : ::testing::Test {
  // The end of a shell script's run; its output is in `text`.
  CaptureEnd Run(const std::string& script, std::size_t limit = SIZE_MAX, int stopAfterPolls = -1) {
    auto child = service.start(ProcessRequest{{"/bin/sh", "-c", script}, {}, true, false});
    EXPECT_TRUE(child);
    text.clear();
    int polls = 0;
    if (!child) return CaptureEnd::kEnded;
    return CaptureOutput(
        *child, [&](const std::string& t) { return text.size() + t.size() <= limit && (text += t, true); },
        [&](unsigned long) { return stopAfterPolls < 0 || ++polls < stopAfterPolls; });
  }
  PosixProcessService service;
  std::string text;
};

TEST_F(Capture, ALimitEndsTheOutputAndStoppingKeepsIt) {
  // Standard error is captured too.
  EXPECT_EQ(Run("printf '\\343\\201\\202\\n'; printf 'end' >&2"), CaptureEnd::kEnded);
  EXPECT_EQ(text, "\x82\xA0\r\nend");
  EXPECT_EQ(Run("yes", 1000000), CaptureEnd::kRefused);
  EXPECT_LE(text.size(), 1000000u);
  // A program that never ends, stopped: its output is kept, the unfinished character too.
  EXPECT_EQ(Run("printf 'started\\n\\343\\201'; sleep 1000 & wait", SIZE_MAX, 5), CaptureEnd::kStopped);
  EXPECT_EQ(text, "started\r\n\xE3\x81");
  // A missing program or folder does not start.
  EXPECT_FALSE(service.start(ProcessRequest{{"/no/such/program"}, {}, true, false}));
  EXPECT_FALSE(service.start(ProcessRequest{{"/bin/sh", "-c", "true"}, "/no/such/folder", true, false}));
}

}  // namespace
}  // namespace quarn
