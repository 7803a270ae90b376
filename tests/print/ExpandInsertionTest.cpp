#include "core/print/ExpandInsertion.h"

#include <gtest/gtest.h>

namespace quarn {
namespace {

// Tuesday 2026-03-03 09:05:07, day 62 of the year.
std::tm FixedClock() {
  std::tm t{};
  t.tm_year = 126;
  t.tm_mon = 2;
  t.tm_mday = 3;
  t.tm_hour = 9;
  t.tm_min = 5;
  t.tm_sec = 7;
  t.tm_wday = 2;
  t.tm_yday = 61;
  return t;
}

TEST(ExpandInsertionTest, CodesExpandAgainstAFixedClock) {
  struct Case {
    const char* text;
    const char* expected;
  } cases[] = {
      {"$Y/$m/$d $H:$M:$S", "2026/03/03 09:05:07"},
      {"$y $j $w $I$p", "26 062 2 09AM"},
      {"$a $A $b $B", "Tue Tuesday Mar March"},
      {"$U $W", "09 09"},
      {"$e", "\x89\xce"},  // 火
      {"[$f] [$n]", "[/home/u/\x95\xb6\x8f\x91.txt] [\x95\xb6\x8f\x91.txt]"},
      {"L$l C$c", "L12 C34"},
      {"$$ $q $", "$ q "},   // "$$" is "$", an unknown code is itself, a final "$" is lost
      {"a\x82\xa0$", "a\x82\xa0"},
      {"ab\x82", "ab"},      // a lead byte that ends the text is dropped
      {"$\x82\xa0z", "\x82\xa0z"},  // a double-byte character after "$" stays whole
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ExpandInsertion(c.text, "/home/u/\x95\xb6\x8f\x91.txt", 12, 34, FixedClock()), c.expected)
        << c.text;
  }
  EXPECT_EQ(ExpandInsertion("[$f][$n]", "", 1, 1, FixedClock()), "[][]");
}

TEST(ExpandInsertionTest, ResultStopsBeforeReaching256Bytes) {
  std::string a254(254, 'a');
  EXPECT_EQ(ExpandInsertion(a254 + "b" + "c", "", 1, 1, FixedClock()), a254 + "b");
  // An expansion that would cross the limit is left out with everything after it.
  EXPECT_EQ(ExpandInsertion(a254 + "$Yxyz", "", 1, 1, FixedClock()), a254);
  // A double-byte character is never cut in half.
  EXPECT_EQ(ExpandInsertion(a254 + "\x82\xa0", "", 1, 1, FixedClock()), a254);
  EXPECT_EQ(ExpandInsertion(std::string(300, 'x'), "", 1, 1, FixedClock()).size(), 255u);
}

}  // namespace
}  // namespace quarn
