// The joiner over real loopback sockets, with the test playing the host byte for byte. The
// fatal endings run in child processes.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <unistd.h>

#include "net/net.h"
#include "net/net_host.h"
#include "net/net_join.h"
#include "tests/fakes/fakes.h"
#include "tests/net/peer_socket.h"
#include "world/world_state.h"

namespace {
struct NetJoinTest : ::testing::Test {
    int listener = -1;

    void SetUp() override {
        netShutdown();
        resetConnSlots();
        resetWorld();
        resetPlayerTable();
        resetFakes();
        globalTimeout = 0;
    }
    void TearDown() override {
        netShutdown();
        if (listener >= 0) ::close(listener);
    }

    // A joiner connected to the test's host, which has sent the welcome for slot 3.
    PeerSocket joinAsSlot3() {
        listener = listenAsHost();
        netJoinStart("127.0.0.1:2345");
        PeerSocket host = acceptJoiner(listener);
        host.sendMessage(makeControlMessage(MSG_WELCOME, 3));
        return host;
    }
};
} // namespace

TEST_F(NetJoinTest, WelcomeGivesTheSlotAndRecordsQueuedBehindItAreApplied) {
    PeerSocket host = joinAsSlot3();
    host.sendMessage(stateMessage(0, -1, 100, 6.0f));
    host.sendMessage(rocketMessage(0, 2, 300, 7.0f));
    settle();
    netExchange(0);
    EXPECT_EQ(localPlayer, 3);
    EXPECT_EQ(playerTable[3].slot, 3);
    EXPECT_GT(playerTable[3].health, 0);
    EXPECT_EQ(playerTable[0].slot, 0);
    EXPECT_EQ(playerTable[0].pos[0], 6.0f);
    EXPECT_EQ(playerTable[0].rocketLife[2], 300);
    EXPECT_EQ(globalTimeout, GLOBAL_TIMEOUT_REFILL);
    EXPECT_TRUE(fakeRecord.errors.empty());
}

TEST_F(NetJoinTest, SendWritesTheRecordBytesToTheHost) {
    PeerSocket host = joinAsSlot3();
    netExchange(0);
    NetMessage s = makeStateMessage(3);
    netSend(s);
    netSend(makeRocketMessage(3, 0));
    std::vector<uint8_t> got = host.receiveAll(50);
    ASSERT_EQ(got.size(), static_cast<std::size_t>(2 * NET_RECORD_SIZE));
    EXPECT_TRUE(sameBytes(decodeNetMessage(got.data()), s));
    EXPECT_EQ(netMessageType(decodeNetMessage(got.data() + NET_RECORD_SIZE)), MSG_ROCKET);
}

TEST_F(NetJoinTest, PartOfARecordWaitsForTheRestAndTheStreamStaysAligned) {
    PeerSocket host = joinAsSlot3();
    netExchange(0);
    uint8_t bytes[2 * NET_RECORD_SIZE];
    encodeNetMessage(stateMessage(5, -1, 11, 1.0f), bytes);
    encodeNetMessage(stateMessage(6, -1, 22, 2.0f), bytes + NET_RECORD_SIZE);
    host.sendBytes(bytes, 39);
    settle();
    netExchange(0);
    EXPECT_LT(playerTable[5].slot, 0);
    EXPECT_EQ(globalTimeout, 0u);
    host.sendBytes(bytes + 39, sizeof bytes - 39);
    settle();
    netExchange(0);
    EXPECT_EQ(playerTable[5].health, 11);
    EXPECT_EQ(playerTable[6].health, 22);
}

TEST_F(NetJoinTest, NothingAfterTheWelcomeNeverTimesOut) {
    PeerSocket host = joinAsSlot3();
    netExchange(0);
    for (int frame = 0; frame < 2000; ++frame)
        checkGlobalTimeout();
    EXPECT_TRUE(fakeRecord.errors.empty());
}

using NetJoinDeathTest = NetJoinTest;

namespace {
// Shows in the child's last words that the game was shut down before it ended.
void reportShutdownsAtExit() {
    std::atexit([] { std::fprintf(stderr, "shutdowns=%d\n", fakeRecord.shutdowns); });
}
} // namespace

TEST_F(NetJoinDeathTest, RefusalEndsWithServerBusyAndExitCode1) {
    EXPECT_EXIT(
        {
            reportShutdownsAtExit();
            listener = listenAsHost();
            netJoinStart("127.0.0.1:2345");
            PeerSocket host = acceptJoiner(listener);
            host.sendMessage(makeControlMessage(MSG_SERVER_FULL, 0));
            netExchange(0);
        },
        ::testing::ExitedWithCode(EXIT_SERVER_BUSY),
        "NETWORK ERROR: SERVER IS BUSSY !\nshutdowns=1");
}

TEST_F(NetJoinDeathTest, SilentHostEndsWithGlobalTimeoutAtThe491stCheckAfterARecord) {
    EXPECT_EXIT(
        {
            reportShutdownsAtExit();
            PeerSocket host = joinAsSlot3();
            host.sendMessage(stateMessage(0, -1, 100, 1.0f));
            settle();
            netExchange(0);
            for (int check = 1; check <= 1000; ++check) {
                std::fprintf(stderr, "check %d\n", check);
                checkGlobalTimeout();
            }
        },
        ::testing::ExitedWithCode(EXIT_GLOBAL_TIMEOUT),
        "check 491\nNETWORK ERROR: GLOBAL TIMEOUT\\. CONNECTION WITH THE SERVER IS LOST\\.\n"
        "shutdowns=1");
}

// Slow: the whole welcome limit passes.
TEST_F(NetJoinDeathTest, NoHostEndsWithTimeoutErrorJustAfterTheWelcomeLimit) {
    auto start = std::chrono::steady_clock::now();
    EXPECT_EXIT(
        {
            reportShutdownsAtExit();
            netJoinStart("127.0.0.1:2345");
            netExchange(0);
        },
        ::testing::ExitedWithCode(EXIT_WELCOME_TIMEOUT),
        "NETWORK ERROR: TIMEOUT ERROR !\nshutdowns=1");
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                  std::chrono::steady_clock::now() - start)
                  .count();
    EXPECT_GE(ms, static_cast<long>(WELCOME_LIMIT_MS));
    EXPECT_LT(ms, static_cast<long>(WELCOME_LIMIT_MS) + 1500);
}
