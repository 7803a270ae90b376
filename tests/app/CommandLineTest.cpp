#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/app/CommandLine.h"

namespace quarn {
namespace {

TEST(CommandLineTest, OptionsInEitherCaseWithOrWithoutEqualsAndOneFile) {
  CommandLineArguments a = ParseCommandLine("  /a=\"/tmp/my cab.cab\"  -l=10 /C5 \"/tmp/a b.txt\" /tmp/ignored");
  EXPECT_EQ(a.cabinet, "/tmp/my cab.cab");
  EXPECT_EQ(a.line, 10);
  EXPECT_EQ(a.column, 5);
  EXPECT_EQ(a.file, "/tmp/a b.txt");

  a = ParseCommandLine("data.bin /L=3");  // the scan ends at the file
  EXPECT_EQ(a.file, "data.bin");
  EXPECT_EQ(a.line, 0);

  a = ParseCommandLine("/X=whatever /Lx file");  // an unknown option is passed over; atoi("x") is 0
  EXPECT_EQ(a.line, 0);
  EXPECT_EQ(a.file, "file");
}

TEST(CommandLineTest, ValuesOf256CharactersAreIgnoredAndTheEndStopsTheScan) {
  const std::string longValue(256, 'c');
  CommandLineArguments a = ParseCommandLine("/A=" + longValue + " /L=2 " + std::string(256, 'f'));
  EXPECT_EQ(a.cabinet, "");
  EXPECT_EQ(a.line, 2);
  EXPECT_EQ(a.file, "");
  EXPECT_EQ(ParseCommandLine("/A=" + std::string(255, 'c')).cabinet.size(), 255u);
  EXPECT_EQ(ParseCommandLine("/").file, "");
  EXPECT_EQ(ParseCommandLine("/L=").line, 0);
  EXPECT_EQ(ParseCommandLine("/A").cabinet, "");
}

TEST(CommandLineTest, DoubleByteCharactersAreNotCutAtTheirTrailByte) {
  // 0x82 0x20 is no real character, but its second byte is not a space
  // separator; 0x95 0x5C ("表") holds a backslash byte.
  CommandLineArguments a = ParseCommandLine("\"/tmp/\x95\x5C\x82\x22.txt\" rest");
  EXPECT_EQ(a.file, "/tmp/\x95\x5C\x82\x22.txt");
  a = ParseCommandLine("dir/\x82\x20x y");
  EXPECT_EQ(a.file, "dir/\x82\x20x");
  // An unquoted absolute path starts like an option: "/t..." is passed over.
  EXPECT_EQ(ParseCommandLine("/tmp/a y").file, "y");
}

TEST(CommandLineTest, HandOverSplitsAbsolutePathsOnlyAndTheMessageRoundTrips) {
  EXPECT_EQ(SplitHandOverNames("/tmp/a /tmp/b"), (std::vector<std::string>{"/tmp/a", "/tmp/b"}));
  EXPECT_EQ(SplitHandOverNames("/tmp/a b"), (std::vector<std::string>{"/tmp/a b"}));
  EXPECT_EQ(SplitHandOverNames("one"), (std::vector<std::string>{"one"}));
  std::string many;
  for (int i = 0; i < 25; ++i) many += "/f" + std::to_string(i) + " ";
  EXPECT_EQ(SplitHandOverNames(many).size(), 20u);

  const std::string message = OpenCommandMessage("/tmp/x \"y\".bin");
  EXPECT_EQ(message, "[open(\"/tmp/x \"y\".bin\")]");
  EXPECT_EQ(PathOfOpenCommand(message), "/tmp/x \"y\".bin");
  EXPECT_EQ(PathOfOpenCommand("[close(\"/x\")]"), "");
  EXPECT_EQ(JoinArguments({"/A=x", "/tmp/a b"}), "/A=x \"/tmp/a b\"");
  // Absolute paths given as arguments stay file names; options stay options.
  const CommandLineArguments joined = ParseCommandLine(JoinArguments({"/l5", "/Afile.cab", "/tmp/c.bin"}));
  EXPECT_EQ(joined.line, 5);
  EXPECT_EQ(joined.cabinet, "file.cab");
  EXPECT_EQ(joined.file, "/tmp/c.bin");
  EXPECT_EQ(ParseCommandLine(JoinArguments({"/Library/x"})).file, "/Library/x");
  // A quoted argument holding two absolute paths reaches a running
  // instance as two files.
  EXPECT_EQ(SplitHandOverNames(ParseCommandLine(JoinArguments({"/tmp/a /tmp/b"})).file).size(), 2u);
}

}  // namespace
}  // namespace quarn
