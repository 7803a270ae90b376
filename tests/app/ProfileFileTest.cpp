#include <gtest/gtest.h>

#include <random>

#include "core/app/RecentFileList.h"
#include "core/common/ProfileFile.h"
#include "fakes/FakePlatform.h"

namespace quarn {
namespace {

const char* const kSample =
    "; written by hand\r\n"
    "stray=outside any section\r\n"
    "[Settings]\r\n"
    "  UsedCount = 7  \r\n"
    "Name=\"  padded  \"\r\n"
    "Empty=\r\n"
    "usedcount=99\r\n"
    "\r\n"
    "[ Recent File List ]\r\n"
    "File1=/a/b.bin\r\n";

TEST(ProfileFileTest, NamesIgnoreCaseValuesLoseTheirBlanksAndQuotesAndWritesKeepEveryOtherLineAndItsLineEnds) {
  ProfileFile file;
  file.Parse(kSample);
  // The first of two keys wins; lines outside the section are not in it.
  EXPECT_EQ(std::tuple(file.GetInt("settings", "USEDCOUNT", 0), file.GetString("SETTINGS", "name"),
                       file.GetString("recent file list", "file1"), file.GetString("Settings", "Empty", "def")),
            std::tuple(7, "  padded  ", "/a/b.bin", ""));
  EXPECT_EQ(std::tuple(file.Has("Settings", "Empty"), file.Has("Settings", "stray"), file.Has("Settings", "File1"),
                       file.Has("Settings", "; written by hand")),
            std::tuple(true, false, false, false));
  // Writes change one line and keep every other.
  file.WriteInt("SETTINGS", "usedcount", 8);
  file.WriteString("Settings", "NewKey", "v");
  file.WriteString("Recent File List", "File2", "/c");
  file.WriteString("Other", "K", "1");
  EXPECT_EQ(file.Text(),
            "; written by hand\r\n"
            "stray=outside any section\r\n"
            "[Settings]\r\n"
            "  UsedCount =8\r\n"
            "Name=\"  padded  \"\r\n"
            "Empty=\r\n"
            "usedcount=99\r\n"
            "NewKey=v\r\n"
            "\r\n"
            "[ Recent File List ]\r\n"
            "File1=/a/b.bin\r\n"
            "File2=/c\r\n"
            "[Other]\r\n"
            "K=1\r\n");
  // Integers as the profile calls read them; the default is 42 and a colour
  // written as unsigned reads back.
  file.Parse("[S]\nneg=-5\nlead=12abc\nword=abc\nempty=\nblank= 8 \nplus=+3\nwrap=4294967295\n"
             "huge=99999999999999999999\nsign=-\n");
  const std::pair<const char*, int> cases[] = {{"missing", 42}, {"neg", -5},  {"lead", 12}, {"word", 42},
                                               {"empty", 42},   {"blank", 8}, {"plus", 3},  {"wrap", -1},
                                               {"sign", 42}};
  for (const auto& [key, expected] : cases) EXPECT_EQ(file.GetInt("S", key, 42), expected) << key;
  file.GetInt("S", "huge", 0);  // wraps, never overflows
  // New lines follow the file's own line ends.
  file.Parse("[S]\nA=1");
  file.WriteString("S", "B", "2");
  EXPECT_EQ(file.Text(), "[S]\nA=1\nB=2\n");
  ProfileFile fresh;
  fresh.WriteInt("Settings", "X", -3);
  EXPECT_EQ(fresh.Text(), "[Settings]\r\nX=-3\r\n");
  // Every written string reads back as far as one line can hold it.
  for (std::string value : {"  lead and trail ", "\"quoted\"", "'single'", "\"", "a=b;c", "[x]", ""}) {
    file.WriteString("S", "K", value);
    ProfileFile again;
    again.Parse(file.Text());
    EXPECT_EQ(again.GetString("S", "K", "def"), value);
  }
  // A line break cannot be stored: the value ends there and adds no line.
  file.WriteString("S", "K", "first\r\n[Injected]\r\nK=2");
  ProfileFile again;
  again.Parse(file.Text());
  EXPECT_EQ(std::tuple(again.GetString("S", "K"), again.Has("Injected", "K")), std::tuple("first", false));
}

// Files that cannot be read or written, or too large for settings, are left
// as they were; a missing file is made. Garbage and huge lines are carried
// through untouched.
TEST(ProfileFileTest, UnusableFilesAreLeftAloneAndGarbageIsCarriedThrough) {
  fakes::FakePlatform platform;
  const std::string old = "[S]\r\nK=1\r\n";
  platform.files.files = {{"/p/locked.ini", old}, {"/p/full.ini", old}, {"/p/big.ini", std::string(9 << 20, 'x')}};
  platform.files.unreadable.insert("/p/locked.ini");
  platform.files.failingWrites.insert("/p/full.ini");
  platform.files.directories.insert("/p/dir.ini");
  const struct {
    const char* path;
    bool loads, saves;
  } cases[] = {{"/p/quarn.ini", false, true}, {"/p/locked.ini", false, false}, {"/p/dir.ini", false, false},
               {"/p/full.ini", true, false},  {"/p/big.ini", false, false}};
  for (const auto& c : cases) {
    const auto it = platform.files.files.find(c.path);
    const std::string before = it == platform.files.files.end() ? "" : it->second;
    ProfileFile file;
    EXPECT_EQ(file.Load(c.path), c.loads) << c.path;
    EXPECT_EQ(file.GetInt("S", "K", 5), c.loads ? 1 : 5) << c.path;
    file.WriteInt("S", "K", 6);
    EXPECT_EQ(file.Save(), c.saves) << c.path;
    if (!before.empty() || c.saves) {
      EXPECT_EQ(platform.files.files[c.path], c.saves ? "[S]\r\nK=6\r\n" : before) << c.path;
    }
  }
  std::mt19937 random(7);
  std::string garbage;
  for (int i = 0; i < 20000; ++i) garbage += char(random() % 256);
  garbage += "\n[S]\nK=";
  garbage += '\0';  // a NUL ends a value as it ends a C string
  garbage += "x\x81\n";
  garbage += "Long=" + std::string(1 << 20, 'z') + "\r\r\n";
  platform.files.files["/p/g.ini"] = garbage;
  ProfileFile file;
  ASSERT_TRUE(file.Load("/p/g.ini"));
  EXPECT_EQ(std::tuple(file.GetString("S", "K"), file.GetString("S", "Long").size()),
            std::tuple("", std::size_t(1 << 20) + 1));  // the lone CR stays
  file.WriteInt("S", "New", 1);
  ASSERT_TRUE(file.Save());
  const std::string& written = platform.files.files["/p/g.ini"];
  EXPECT_EQ(written.substr(0, garbage.size()), garbage);
}

// Newest first, without duplicates, at most four; a name with a line break
// stays out of the file, where it would read back as another file's name.
TEST(RecentFileListTest, KeepsFourDistinctNamesAndStoresNoneWithALineBreak) {
  RecentFileList list;
  for (const char* path : {"/a", "/b", "/c", "/d", "/b", "/e"}) list.Add(path);
  EXPECT_EQ(list.Entries(), (std::vector<std::string>{"/e", "/b", "/d", "/c"}));
  list.Add("/cut\nhere");
  ProfileFile profile;
  list.Save(profile);
  RecentFileList again;
  again.Load(profile);
  EXPECT_EQ(again.Entries(), (std::vector<std::string>{"/e", "/b", "/d"}));
}

}  // namespace
}  // namespace quarn
