#include <gtest/gtest.h>

#include "core/common/ProgressStop.h"
#include "fakes/FakeProgress.h"

namespace quarn {
namespace {

// Events are handled on the first call and then at most once per interval,
// however often the loop asks; a stop stays a stop; without a window the
// loop runs to its end.
TEST(ProgressStopTest, HandlesEventsAtAnIntervalAndKeepsTheStop) {
  {
    fakes::FakeProgress service;
    service.stopAfter = 20000;
    ProgressStop progress("caption", "text", "n: ");
    EXPECT_TRUE(service.isOpen);
    const auto start = std::chrono::steady_clock::now();
    for (unsigned long i = 0; i < 20000; ++i) ASSERT_TRUE(progress.Continue(i)) << i;
    const auto intervals = (std::chrono::steady_clock::now() - start) / ProgressStop::kInterval;
    EXPECT_GE(service.eventsHandled, 1);
    EXPECT_LE(service.eventsHandled, 1 + intervals);
    EXPECT_EQ(service.count, 19999u);
    EXPECT_FALSE(progress.Continue(20000));
    EXPECT_TRUE(progress.Stopped());
    service.stopAfter = -1;
    EXPECT_FALSE(progress.Continue(20001)) << "a stop is not taken back";
  }
  ProgressStop alone("caption", "text");
  EXPECT_TRUE(alone.Continue(1));
  EXPECT_FALSE(alone.Stopped());
}

}  // namespace
}  // namespace quarn
