#include "TerminationSignal.h"

#include "WaitLimit.h"

#include <QTest>
#include <csignal>
#include <cstdio>
#include <gtest/gtest.h>
#include <poll.h>
#include <thread>
#include <unistd.h>

namespace {

// With work to keep, the handler runs from the event loop, not inside the signal handler,
// for each signal that arrives; a second installation replaces the first handler.
TEST(TerminationSignal, ReachesTheHandlerFromTheEventLoop) {
    platform::SetWorkToKeep(true);
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

// Held up where no event loop runs: in a read that nothing answers, while another thread
// sends the signal. Ends 0 when the signal ended the program, 3 when the handler ran, 5
// when it was still running at the wait limit.
[[noreturn]] void HeldUpWhileSignalled(int signal) {
    platform::OnTerminationSignal([] {
        std::fputs("the handler ran\n", stderr);
        std::_Exit(3);
    });
    platform::SetWorkToKeep(false);
    int ends[2];
    if (::pipe(ends) != 0)
        std::_Exit(4);
    std::thread([signal] { ::kill(::getpid(), signal); }).detach();
    pollfd held{};
    held.fd = ends[0];
    held.events = POLLIN;
    ::poll(&held, 1, WaitLimitMs);
    std::fputs("still running\n", stderr);
    std::_Exit(5);
}

// With nothing to keep, each termination signal ends the program at once, also while the
// user-interface thread is held up; the handler is never called.
TEST(TerminationSignalDeathTest, WithNothingToKeepEndsTheProgramWhileItIsHeldUp) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    for (const int signal : {SIGTERM, SIGHUP}) {
        SCOPED_TRACE(signal);
        EXPECT_EXIT(HeldUpWhileSignalled(signal), testing::ExitedWithCode(0), "");
    }
}

} // namespace
