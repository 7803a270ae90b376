#include <gtest/gtest.h>

#include "core/common/ProfileFile.h"
#include "core/app/RecentFileList.h"

namespace quarn {
namespace {

TEST(RecentFileListTest, NewestFirstWithoutDuplicatesAndAtMostFour) {
  RecentFileList list;
  for (const char* path : {"/a", "/b", "/c", "/d", "/b", "/e"}) list.Add(path);
  EXPECT_EQ(list.Entries(), (std::vector<std::string>{"/e", "/b", "/d", "/c"}));
  list.Remove(1);
  list.Remove(9);
  EXPECT_EQ(list.Entries(), (std::vector<std::string>{"/e", "/d", "/c"}));
  EXPECT_EQ(RecentFileList::KeyOf(0), "File1");
}

TEST(RecentFileListTest, EntriesFromTheSettingsDropEmptyAndRepeatedOnes) {
  RecentFileList list;
  list.Assign({"", "/x", "/x", "/y", "", "/z", "/w", "/v"});
  EXPECT_EQ(list.Entries(), (std::vector<std::string>{"/x", "/y", "/z", "/w"}));
}

}  // namespace
}  // namespace quarn

namespace quarn {
namespace {

TEST(RecentFileListTest, RoundTripThroughTheSettingsSection) {
  ProfileFile profile;
  profile.Parse("[Settings]\r\nLongTitle=1\r\n[recent file list]\r\nfile1=/old/a\r\nFile2=/old/b\r\n");
  RecentFileList list;
  list.Load(profile);
  EXPECT_EQ(list.Entries(), (std::vector<std::string>{"/old/a", "/old/b"}));
  list.Remove(0);
  list.Remove(0);
  // Names with a line break are not stored: read back cut, they would name
  // another file.
  for (const char* path : {"/new", "/cut\nhere", "/cut\rhere"}) list.Add(path);
  list.Save(profile);
  RecentFileList again;
  again.Load(profile);
  EXPECT_EQ(again.Entries(), (std::vector<std::string>{"/new"}));
  EXPECT_EQ(profile.GetInt("Settings", "LongTitle", 0), 1);
}

}  // namespace
}  // namespace quarn
