// SIGTERM asks a program without a window to stop. (Under Wine a test has no console to send
// Ctrl+Break on: the Windows server's own test stops it with Ctrl+C.)
#include <gtest/gtest.h>

#include <signal.h>

#include "platform/platform.h"

TEST(Platform, SigtermIsSeenAsAStopRequestOnceCaught) {
    ASSERT_TRUE(platformCatchStopRequests());
    EXPECT_FALSE(platformStopRequested());
    ASSERT_EQ(raise(SIGTERM), 0);
    EXPECT_TRUE(platformStopRequested());
}
