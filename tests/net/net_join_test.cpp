// The joiner over real loopback sockets, with the test playing the host byte for byte.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>

#include "net/net.h"
#include "net/net_host.h"
#include "net/net_join.h"
#include "tests/net/peer_socket.h"
#include "world/frame_update.h"
#include "world/world_state.h"

namespace {
struct NetJoinTest : ::testing::Test {
    int listener = -1;

    void SetUp() override {
        netShutdown();
        resetConnSlots();
        resetWorld();
        resetPlayerTable();

        globalTimeout = 0;
    }
    void TearDown() override {
        netShutdown();
        if (listener >= 0) ::close(listener);
    }

    // A joiner connected to the test's host, which has sent the welcome for slot 3.
    PeerSocket joinAsSlot3() {
        listener = listenAsHost();
        netJoinStart("127.0.0.1", NET_PORT);
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
    netExchange(0, 0);
    EXPECT_EQ(localPlayer, 3);
    EXPECT_EQ(playerTable[3].slot, 3);
    EXPECT_GT(playerTable[3].health, 0);
    EXPECT_EQ(playerTable[0].slot, 0);
    EXPECT_EQ(playerTable[0].pos[0], 6.0f);
    EXPECT_EQ(playerTable[0].rocketLife[2], 300);
    EXPECT_EQ(globalTimeout, GLOBAL_TIMEOUT_REFILL);
}

TEST_F(NetJoinTest, SendWritesTheRecordBytesToTheHost) {
    PeerSocket host = joinAsSlot3();
    netExchange(0, 0);
    NetMessage s = makeStateMessage(3);
    netSend(s);
    const float zero[3] = {0.0f, 0.0f, 0.0f};
    netSend(makeRocketMessage(3, 0, ROCKET_LAUNCH_LIFE, zero, zero));
    std::vector<uint8_t> got = host.receiveAll(50);
    ASSERT_EQ(got.size(), static_cast<std::size_t>(2 * NET_RECORD_SIZE));
    EXPECT_TRUE(sameBytes(decodeNetMessage(got.data()), s));
    EXPECT_EQ(netMessageType(decodeNetMessage(got.data() + NET_RECORD_SIZE)), MSG_ROCKET);
}

TEST_F(NetJoinTest, PartOfARecordWaitsForTheRestAndTheStreamStaysAligned) {
    PeerSocket host = joinAsSlot3();
    netExchange(0, 0);
    uint8_t bytes[2 * NET_RECORD_SIZE];
    encodeNetMessage(stateMessage(5, -1, 11, 1.0f), bytes);
    encodeNetMessage(stateMessage(6, -1, 22, 2.0f), bytes + NET_RECORD_SIZE);
    host.sendBytes(bytes, 39);
    settle();
    netExchange(0, 0);
    EXPECT_LT(playerTable[5].slot, 0);
    EXPECT_EQ(globalTimeout, 0u);
    host.sendBytes(bytes + 39, sizeof bytes - 39);
    settle();
    netExchange(0, 0);
    EXPECT_EQ(playerTable[5].health, 11);
    EXPECT_EQ(playerTable[6].health, 22);
}

TEST_F(NetJoinTest, NothingAfterTheWelcomeNeverTimesOut) {
    PeerSocket host = joinAsSlot3();
    netExchange(0, 0);
    for (int frame = 0; frame < 2000; ++frame)
        ASSERT_EQ(checkGlobalTimeout().exitCode, 0);
}

// The host's three endings come back to the caller, which ends the game with them.
TEST_F(NetJoinTest, RefusalEndsWithServerBusyAndExitCode1) {
    listener = listenAsHost();
    netJoinStart("127.0.0.1", NET_PORT);
    PeerSocket host = acceptJoiner(listener);
    host.sendMessage(makeControlMessage(MSG_SERVER_FULL, 0));
    settle();
    NetEnding e = netExchange(0, 0);
    EXPECT_EQ(e.exitCode, EXIT_SERVER_BUSY);
    EXPECT_EQ(std::string(e.text).rfind("SERVER IS BUSSY !\n", 0), 0u) << e.text;
}

TEST_F(NetJoinTest, SilentHostEndsWithGlobalTimeoutAtThe491stCheckAfterARecord) {
    PeerSocket host = joinAsSlot3();
    host.sendMessage(stateMessage(0, -1, 100, 1.0f));
    settle();
    netExchange(0, 0);
    int check = 1;
    while (check <= 1000 && checkGlobalTimeout().exitCode == 0)
        ++check;
    EXPECT_EQ(check, 491);
    NetEnding e = checkGlobalTimeout();
    EXPECT_EQ(e.exitCode, EXIT_GLOBAL_TIMEOUT);
    EXPECT_EQ(std::string(e.text).rfind("GLOBAL TIMEOUT. CONNECTION WITH THE SERVER IS LOST.\n", 0), 0u);
}

// A host that takes the connection but never answers: the limit counts from the first
// exchange, and frames go on meanwhile.
TEST_F(NetJoinTest, ASilentHostEndsWithTimeoutErrorJustAfterTheWelcomeLimit) {
    listener = listenAsHost();
    netJoinStart("127.0.0.1", NET_PORT);
    const uint32_t start = 0xFFFFF000u; // the limit counts across the clock's wrap
    EXPECT_EQ(netExchange(0, start).exitCode, 0);
    EXPECT_EQ(netExchange(0, start + WELCOME_LIMIT_MS).exitCode, 0);
    NetEnding e = netExchange(0, start + WELCOME_LIMIT_MS + 1);
    EXPECT_EQ(e.exitCode, EXIT_WELCOME_TIMEOUT);
    EXPECT_EQ(std::string(e.text).rfind("TIMEOUT ERROR !\n", 0), 0u) << e.text;
}
