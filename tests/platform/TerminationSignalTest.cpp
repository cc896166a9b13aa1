#include "TerminationSignal.h"

#include "WaitLimit.h"

#include <QTest>
#include <csignal>
#include <gtest/gtest.h>

namespace {

// The handler runs from the event loop, not inside the signal handler, for each signal
// that arrives; a second installation replaces the first handler.
TEST(TerminationSignal, ReachesTheHandlerFromTheEventLoop) {
    int first = 0;
    int second = 0;
    platform::OnTerminationSignal([&] { ++first; });
    ASSERT_EQ(std::raise(SIGTERM), 0);
    EXPECT_EQ(first, 0) << "not called inside the signal handler";
    EXPECT_TRUE(QTest::qWaitFor([&] { return first == 1; }, WaitLimitMs));

    platform::OnTerminationSignal([&] { ++second; });
    ASSERT_EQ(std::raise(SIGHUP), 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return second == 1; }, WaitLimitMs));
    EXPECT_EQ(first, 1);
    platform::OnTerminationSignal({});
}

} // namespace
