#include <gtest/gtest.h>

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
