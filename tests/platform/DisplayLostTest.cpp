#include "DisplayLost.h"

#include <QtGlobal>
#include <gtest/gtest.h>

namespace {

// The report of the broken X connection, and only that, reaches the handler, once.
TEST(DisplayLost, TheBrokenConnectionsReportCallsTheHandlerOnce) {
    int calls = 0;
    platform::OnDisplayLost([&] { ++calls; });
    qWarning("QXcbConnection: some other trouble");
    qInfo("The X11 connection broke (error 1). Did the X11 server die?");
    EXPECT_EQ(calls, 0);
    qWarning("The X11 connection broke (error %d). Did the X11 server die?", 1);
    EXPECT_EQ(calls, 1);
    qWarning("The X11 connection broke (error %d). Did the X11 server die?", 1);
    EXPECT_EQ(calls, 1);
    platform::OnDisplayLost({});
}

} // namespace
