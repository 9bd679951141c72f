// The host over real loopback sockets, with the test playing every peer byte for byte.
#include <cstring>
#include <gtest/gtest.h>
#include <vector>

#include "net/net.h"
#include "net/net_host.h"
#include "tests/net/peer_socket.h"
#include "world/frame_update.h"
#include "world/world_state.h"

namespace {
struct NetHostTest : ::testing::Test {
    char address[NET_ADDRESS_TEXT_SIZE]    = {};
    char hostProblem[NET_ENDING_TEXT_SIZE] = {};

    void SetUp() override {
        netShutdown();
        resetConnSlots();
        resetWorld();
        resetPlayerTable();

        netHostStart(NET_PORT, "test", address, hostProblem);
        localPlayer         = 0;
        playerTable[0].slot = 0;
    }
    void TearDown() override {
        netShutdown();
        resetConnSlots();
    }

    // Connects a peer and lets the host accept it in one exchange; checks the welcome.
    PeerSocket join(int expectedSlot) {
        PeerSocket p = connectToHost();
        netExchange(1, 0);
        NetMessage welcome = p.receiveMessage();
        EXPECT_EQ(netMessageType(welcome), MSG_WELCOME);
        EXPECT_EQ(netMessageSlot(welcome), expectedSlot);
        return p;
    }

    std::vector<PeerSocket> joinAll(int count) {
        std::vector<PeerSocket> peers;
        for (int i = 1; i <= count; ++i)
            peers.push_back(join(i));
        return peers;
    }
};
} // namespace

TEST_F(NetHostTest, AddressTextIsFirstNonLoopbackAddressOrLoopbackWithThePort) {
    // The test's namespace holds only loopback.
    EXPECT_STREQ(address, "127.0.0.1:2345");
}

TEST_F(NetHostTest, WelcomeCarriesTheSlotInItsExactBytes) {
    PeerSocket p = connectToHost();
    netExchange(1, 0);
    uint8_t expected[8]      = {0xF2, 0x03, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00};
    std::vector<uint8_t> got = p.receiveAll(50);
    ASSERT_EQ(got.size(), static_cast<std::size_t>(NET_RECORD_SIZE));
    EXPECT_EQ(std::memcmp(got.data(), expected, sizeof expected), 0);
    EXPECT_EQ(connSlots[1].active, 1);
    EXPECT_EQ(connSlots[1].countdown, FIRST_COUNTDOWN);
    EXPECT_EQ(connSlots[2].active, 0);
}

TEST_F(NetHostTest, OneAcceptPerFrame) {
    PeerSocket a = connectToHost();
    PeerSocket b = connectToHost();
    netExchange(1, 0);
    EXPECT_EQ(connSlots[1].active, 1);
    EXPECT_EQ(connSlots[2].active, 0);
    EXPECT_TRUE(b.nothingWaiting());
    netExchange(1, 0);
    EXPECT_EQ(connSlots[2].active, 1);
    EXPECT_EQ(netMessageSlot(a.receiveMessage()), 1);
    EXPECT_EQ(netMessageSlot(b.receiveMessage()), 2);
}

TEST_F(NetHostTest, EighthConnectionIsRefusedOnceAndClosed) {
    std::vector<PeerSocket> peers = joinAll(7);
    ConnSlot before[MAX_PLAYERS];
    std::memcpy(before, connSlots, sizeof before);
    PlayerTable table = playerTable;

    PeerSocket extra = connectToHost();
    netExchange(1, 0);
    std::vector<uint8_t> got = extra.receiveAll(100);
    ASSERT_EQ(got.size(), static_cast<std::size_t>(NET_RECORD_SIZE)) << "exactly one record";
    NetMessage refusal = decodeNetMessage(got.data());
    EXPECT_EQ(netMessageType(refusal), MSG_SERVER_FULL);
    EXPECT_EQ(netMessageSlot(refusal), 0);
    EXPECT_TRUE(extra.closedByPeer());
    EXPECT_EQ(std::memcmp(before, connSlots, sizeof before), 0);
    EXPECT_EQ(std::memcmp(&table, &playerTable, sizeof table), 0);
    for (PeerSocket& p : peers)
        EXPECT_TRUE(p.nothingWaiting(0));
}

TEST_F(NetHostTest, RecordIsAppliedAndRelayedToEveryOtherPeerButNotBack) {
    std::vector<PeerSocket> peers = joinAll(3);
    NetMessage s                  = stateMessage(2, -1, 64, 9.5f);
    peers[1].sendMessage(s);
    settle();
    netExchange(1, 0);
    EXPECT_EQ(playerTable[2].slot, 2);
    EXPECT_EQ(playerTable[2].health, 64);
    EXPECT_EQ(playerTable[2].pos[0], 9.5f);
    EXPECT_TRUE(sameBytes(peers[0].receiveMessage(), s));
    EXPECT_TRUE(sameBytes(peers[2].receiveMessage(), s));
    EXPECT_TRUE(peers[1].nothingWaiting());
    EXPECT_EQ(connSlots[2].countdown, REFILL_COUNTDOWN);
    EXPECT_EQ(connSlots[1].countdown, FIRST_COUNTDOWN) << "relaying counts nothing down";
}

TEST_F(NetHostTest, UnknownTypeIsRelayedUnchangedButNotApplied) {
    std::vector<PeerSocket> peers = joinAll(2);
    NetMessage odd                = stateMessage(5, 1, 1, 1.0f);
    odd.word[0]                   = 4242;
    PlayerTable table             = playerTable;
    peers[0].sendMessage(odd);
    settle();
    netExchange(1, 0);
    EXPECT_TRUE(sameBytes(peers[1].receiveMessage(), odd));
    EXPECT_EQ(std::memcmp(&table, &playerTable, sizeof table), 0);
}

TEST_F(NetHostTest, RecordSplitIntoTwoWritesArrivesWhole) {
    std::vector<PeerSocket> peers = joinAll(2);
    NetMessage first              = rocketMessage(1, 7, 300, 3.0f);
    NetMessage second             = stateMessage(1, -1, 90, 4.0f);
    uint8_t bytes[2 * NET_RECORD_SIZE];
    encodeNetMessage(first, bytes);
    encodeNetMessage(second, bytes + NET_RECORD_SIZE);

    peers[0].sendBytes(bytes, 17);
    settle();
    netExchange(1, 0);
    EXPECT_EQ(playerTable[1].rocketLife[7], 0);
    EXPECT_TRUE(peers[1].nothingWaiting());

    peers[0].sendBytes(bytes + 17, sizeof bytes - 17);
    settle();
    netExchange(1, 0);
    EXPECT_EQ(playerTable[1].rocketLife[7], 300);
    EXPECT_EQ(playerTable[1].health, 90);
    EXPECT_TRUE(sameBytes(peers[1].receiveMessage(), first));
    EXPECT_TRUE(sameBytes(peers[1].receiveMessage(), second));
}

TEST_F(NetHostTest, RecordsOutsideTheTablesOrForAnotherSlotAreIgnored) {
    std::vector<PeerSocket> peers = joinAll(2);
    PlayerTable table             = playerTable;
    peers[0].sendMessage(stateMessage(9, -1, 1, 1.0f));
    peers[0].sendMessage(stateMessage(-1, -1, 1, 1.0f));
    peers[0].sendMessage(stateMessage(2, -1, 1, 1.0f));
    peers[0].sendMessage(stateMessage(0, -1, 1, 1.0f));
    peers[0].sendMessage(rocketMessage(1, 20, 300, 1.0f));
    peers[0].sendMessage(rocketMessage(1, -1, 300, 1.0f));
    peers[0].sendMessage(rocketMessage(2, 0, 300, 1.0f));
    settle();
    netExchange(1, 0);
    EXPECT_EQ(std::memcmp(&table, &playerTable, sizeof table), 0);
    EXPECT_TRUE(peers[1].nothingWaiting());
    EXPECT_EQ(connSlots[1].countdown, REFILL_COUNTDOWN) << "the peer is alive all the same";
}

TEST_F(NetHostTest, ReadsABoundedNumberOfRecordsFromOnePeerPerFrame) {
    std::vector<PeerSocket> peers = joinAll(2);
    const int sent                = MAX_READS_PER_PEER + 36;
    for (int k = 0; k < sent; ++k)
        peers[0].sendMessage(rocketMessage(1, k % 20, 300, float(k)));
    settle();
    netExchange(1, 0);
    EXPECT_EQ(peers[1].receiveAll(50).size(),
              static_cast<std::size_t>(MAX_READS_PER_PEER * NET_RECORD_SIZE));
    netExchange(1, 0);
    EXPECT_EQ(peers[1].receiveAll(50).size(), static_cast<std::size_t>(36 * NET_RECORD_SIZE));
}

TEST_F(NetHostTest, SendGoesToEveryActivePeerAndCountsDown) {
    std::vector<PeerSocket> peers = joinAll(2);
    NetMessage s                  = makeStateMessage(0);
    netSend(s);
    EXPECT_TRUE(sameBytes(peers[0].receiveMessage(), s));
    EXPECT_TRUE(sameBytes(peers[1].receiveMessage(), s));
    EXPECT_EQ(connSlots[1].countdown, FIRST_COUNTDOWN - 1);
    EXPECT_EQ(connSlots[2].countdown, FIRST_COUNTDOWN - 1);
}

TEST_F(NetHostTest, SilentPeerIsDroppedAtThe500thSendAfterItsLastRecordAndClosed) {
    std::vector<PeerSocket> peers = joinAll(1);
    peers[0].sendMessage(stateMessage(1, -1, 100, 1.0f));
    settle();
    netExchange(1, 0);
    ASSERT_EQ(playerTable[1].slot, 1);
    for (int k = 1; k < REFILL_COUNTDOWN; ++k)
        netSend(makeStateMessage(0));
    EXPECT_EQ(connSlots[1].active, 1);
    EXPECT_EQ(connSlots[1].countdown, 1);
    netSend(makeStateMessage(0));
    EXPECT_EQ(connSlots[1].active, 0);
    EXPECT_EQ(playerTable[1].slot, FREE_SLOT);
    std::vector<uint8_t> got = peers[0].receiveAll(50);
    EXPECT_EQ(got.size(), static_cast<std::size_t>(REFILL_COUNTDOWN * NET_RECORD_SIZE));
    EXPECT_TRUE(peers[0].closedByPeer());
    netSend(makeStateMessage(0));
    EXPECT_EQ(connSlots[1].countdown, 0) << "a free slot is not counted";
}

// Peers 1 and 3 keep talking, peer 2 never does: it goes at the 1000th send, and the next
// connection takes the hole it leaves.
TEST_F(NetHostTest, NewcomerThatNeverSendsIsDroppedAtThe1000thSendAndItsSlotReused) {
    std::vector<PeerSocket> peers = joinAll(3);
    for (int k = 1; k <= FIRST_COUNTDOWN; ++k) {
        if (k % 100 == 0) {
            peers[0].sendMessage(stateMessage(1, -1, 100, 1.0f));
            peers[2].sendMessage(stateMessage(3, -1, 100, 1.0f));
            settle();
            netExchange(1, 0);
        }
        EXPECT_EQ(connSlots[2].active, 1) << "before send " << k;
        netSend(makeStateMessage(0));
    }
    EXPECT_EQ(connSlots[2].active, 0);
    EXPECT_EQ(connSlots[1].active, 1);
    EXPECT_EQ(connSlots[3].active, 1);
    PeerSocket next = join(2);
    EXPECT_EQ(connSlots[2].countdown, FIRST_COUNTDOWN);
}

TEST_F(NetHostTest, KillIsCreditedOnceWhenTwoRecordsOfTheVictimArriveTogether) {
    std::vector<PeerSocket> peers = joinAll(1);
    peers[0].sendMessage(stateMessage(1, 0, 0, 1.0f));
    peers[0].sendMessage(stateMessage(1, -1, 0, 1.0f));
    settle();
    netExchange(1, 0);
    FrameReport report;
    simulateFrame(&report);
    EXPECT_EQ(localScore, 1);
    simulateFrame(&report);
    EXPECT_EQ(localScore, 1);
}

TEST_F(NetHostTest, ShutdownTwiceIsHarmlessAndARestartedHostListensAtOnce) {
    std::vector<PeerSocket> peers = joinAll(1);
    netShutdown();
    netShutdown();
    EXPECT_TRUE(peers[0].closedByPeer());
    resetConnSlots();
    netHostStart(NET_PORT, "test", address, hostProblem);
    PeerSocket again = join(1);
}

// While the frame waits, a peer's record goes on to the others at once; the host's own
// table takes it at the next exchange, as if it had been read there.
TEST_F(NetHostTest, RecordsArrivingDuringTheWaitAreRelayedAtOnceAndAppliedAtTheNextExchange) {
    std::vector<PeerSocket> peers = joinAll(2);
    peers[0].sendMessage(stateMessage(1, -1, 77, 3.0f));
    netWait(0, TEST_WAIT_MS);
    const NetMessage relayed = peers[1].receiveMessage();
    EXPECT_TRUE(sameBytes(relayed, stateMessage(1, -1, 77, 3.0f)));
    EXPECT_NE(playerTable[1].health, 77);
    EXPECT_EQ(connSlots[1].countdown, REFILL_COUNTDOWN);
    netExchange(1, 0);
    EXPECT_EQ(playerTable[1].health, 77);
    EXPECT_TRUE(peers[1].nothingWaiting()) << "relayed once, not again at the exchange";
}
