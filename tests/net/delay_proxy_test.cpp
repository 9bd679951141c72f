// The tests' own delaying proxy between two loopback peers.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "tests/support/delay_proxy.h"
#include "tests/support/peer.h"

TEST(DelayProxy, RecordsGoWholeInOrderBothWaysNoSoonerThanTheDelayAndTheEndFollows) {
    using namespace std::chrono;
    constexpr int PROXY_PORT = GAME_PORT + 1, BASE_MS = 150, JITTER_MS = 50, RECORDS = 12;
    const int listener = listenAsHost(GAME_PORT); // closed as the test's process ends
    DelayProxy proxy(PROXY_PORT, GAME_PORT, BASE_MS, JITTER_MS);
    Peer joiner = connectPeer(PROXY_PORT), host = acceptPeer(listener);
    const auto sent = steady_clock::now();
    for (int n = 0; n < RECORDS; ++n, std::this_thread::sleep_for(milliseconds(5)))
        ASSERT_TRUE(joiner.sendRecord(stateRecord({n}))); // a chunk each, each its own delay
    Record r;
    for (int n = 0; n < RECORDS; ++n) {
        ASSERT_TRUE(host.receiveRecord(&r));
        EXPECT_EQ(r, stateRecord({n}));
        EXPECT_TRUE(n > 0 || steady_clock::now() - sent >= milliseconds(BASE_MS - JITTER_MS));
    }
    ASSERT_TRUE(host.sendRecord(welcomeRecord(3)) && joiner.receiveRecord(&r));
    EXPECT_EQ(r, welcomeRecord(3));
    joiner = Peer{};
    EXPECT_TRUE(host.closedByPeer());
}
