#include "SystemTimer.h"

#include <gtest/gtest.h>

using platform::SystemTimer;

TEST(SystemTimer, IntervalsBelowTheTickRunAtTheTick) {
    SystemTimer timer;
    for (int interval : {1, 10, 15}) {
        timer.SetInterval(interval);
        EXPECT_DOUBLE_EQ(timer.PeriodMilliseconds(), 15.625) << interval;
    }
    timer.SetInterval(100);
    EXPECT_DOUBLE_EQ(timer.PeriodMilliseconds(), 100.0);
}

TEST(SystemTimer, ZeroIntervalNeverRuns) {
    SystemTimer timer;
    timer.SetInterval(0);
    timer.SetEnabled(true);
    EXPECT_FALSE(timer.Enabled());
}
