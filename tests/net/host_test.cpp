// The host over real loopback sockets, the test playing every peer byte for byte.
#include <gtest/gtest.h>

#include "net/net_host.h"
#include "tests/net/exchange.h"
#include "tests/support/world_setup.h"

namespace {
struct Host : ::testing::Test {
    void SetUp() override {
        freshWorld();
        resetConnSlots();
        char address[NET_ADDRESS_TEXT_SIZE], problem[NET_ENDING_TEXT_SIZE];
        ASSERT_TRUE(netHostStart(GAME_PORT, "test", address, problem)) << problem;
        placeLocal(0, {0, 0, 0});
    }
    void TearDown() override { netShutdown(); }
};

Record firstRecord(Peer& p) {
    Record r{};
    EXPECT_TRUE(exchangeUntil(1, [&] { return p.receiveRecord(&r, 20); }));
    return r;
}

Peer join(int slot) {
    Peer p = connectPeer();
    EXPECT_EQ(firstRecord(p), welcomeRecord(slot));
    return p;
}

// The host's own next record: what a peer reads next when nothing else was sent to it.
Record hostMark() {
    netSend(makeStateMessage(0));
    return stateRecord({0});
}
} // namespace

TEST_F(Host, AcceptsOnePerFrameIntoTheLowestFreeSlotAndRefusesTheEighthWithOneRecord) {
    Peer a = connectPeer(), b = connectPeer();
    EXPECT_EQ(firstRecord(a), welcomeRecord(1));
    EXPECT_TRUE(b.nothingWaiting()) << "two accepts in one frame";
    EXPECT_EQ(firstRecord(b), welcomeRecord(2));
    std::vector<Peer> more;
    for (int slot = 3; slot < MAX_PLAYERS; ++slot)
        more.push_back(join(slot));
    Peer eighth = connectPeer();
    EXPECT_EQ(firstRecord(eighth), serverFullRecord());
    EXPECT_TRUE(eighth.receiveBytes().empty()) << "more than the one refusal";
    EXPECT_TRUE(eighth.closedByPeer());
    netShutdown(); // twice is harmless, and a restarted host listens at once
    netShutdown();
    SetUp();
    Peer again = join(1);
}

TEST_F(Host, RelaysWholeRecordsOfAPeersOwnSlotToTheOthersAndAppliesThem) {
    Peer p1 = join(1), p2 = join(2), p3 = join(3);
    const Record forged[] = {stateRecord({3, 1, 5}), stateRecord({0, 1, 5}), stateRecord({9}),
                             rocketRecord({2, ROCKETS_PER_PLAYER}), rocketRecord({1, 0})};
    for (const Record& r : forged)
        p2.sendRecord(r);
    const Record own = stateRecord({
        2, WIRE_NO_KILLER, 64, {9.5f, 0, 0}
    });
    const Record odd = wordsRecord({4242, 5, 1, 1}); // another type: passed on untouched
    p2.sendBytes(own.data(), 17);                    // torn: the rest comes later
    netExchange(1, 0);
    netExchange(1, 0);
    p2.sendBytes(own.data() + 17, WIRE_BYTES - 17);
    p2.sendRecord(odd);
    for (Peer* p : {&p1, &p3}) {
        EXPECT_EQ(firstRecord(*p), own);
        EXPECT_EQ(firstRecord(*p), odd);
    }
    EXPECT_EQ(playerTable[2].health, 64);
    EXPECT_EQ(playerTable[2].pos[0], 9.5f);
    EXPECT_LT(playerTable[3].slot, 0) << "a forged record was applied";
    EXPECT_EQ(playerTable[0].health + playerTable[1].rocketLife[0], FULL_HEALTH);
    const Record mark = hostMark();
    for (Peer* p : {&p1, &p2, &p3})
        EXPECT_EQ(firstRecord(*p), mark) << "echoed, forged or relayed twice";
}

TEST_F(Host, ReadsAtMost64RecordsOfAPeerInOneFrame) {
    Peer p1 = join(1), p2 = join(2);
    for (int k = 0; k < 100; ++k)
        p1.sendRecord(stateRecord({1, WIRE_NO_KILLER, k}));
    size_t relayed = 0;
    EXPECT_TRUE(exchangeUntil(1, [&] {
        const size_t now = p2.receiveBytes(20).size() / WIRE_BYTES;
        EXPECT_LE(now, static_cast<size_t>(MAX_READS_PER_PEER));
        return (relayed += now) == 100;
    }));
}

TEST_F(Host, DropsAPeer500SendsAfterItsLastRecordANewcomerAfter1000AndReusesTheSlot) {
    Peer p1 = join(1), p2 = join(2), p3 = join(3);
    p2.sendRecord(stateRecord({2}));
    ASSERT_TRUE(exchangeUntil(1, [] { return playerTable[2].slot == 2; }));
    int droppedAt[MAX_PLAYERS] = {};
    for (int k = 1; k <= FIRST_COUNTDOWN; ++k) {
        if (k % 100 == 0) { // only peer 1 keeps talking
            p1.sendRecord(stateRecord({1, WIRE_NO_KILLER, k}));
            ASSERT_TRUE(exchangeUntil(1, [k] { return playerTable[1].health == k; }));
        }
        netSend(makeStateMessage(0));
        for (int j = 1; j <= 3; ++j)
            if (!connSlots[j].active && !droppedAt[j]) droppedAt[j] = k;
    }
    EXPECT_EQ(droppedAt[1], 0);
    EXPECT_EQ(droppedAt[2], REFILL_COUNTDOWN);
    EXPECT_EQ(droppedAt[3], FIRST_COUNTDOWN);
    EXPECT_EQ(playerTable[2].slot, FREE_SLOT) << "a dropped peer's ship stays";
    EXPECT_TRUE(p2.closedByPeer());
    Peer next = join(2);
}

// While the frame waits, a record goes on to the others at once; the host's own table
// takes it at the next exchange, as if it had been read there.
TEST_F(Host, RelaysDuringTheFramesWaitAndAppliesAtTheNextExchange) {
    Peer p1 = join(1), p2 = join(2);
    const Record r = stateRecord({1, WIRE_NO_KILLER, 77});
    p1.sendRecord(r);
    netWait(0, PEER_WAIT_MS);
    Record got;
    ASSERT_TRUE(p2.receiveRecord(&got));
    EXPECT_EQ(got, r);
    EXPECT_NE(playerTable[1].health, 77);
    netExchange(1, 0);
    EXPECT_EQ(playerTable[1].health, 77);
    const Record mark = hostMark();
    EXPECT_EQ(firstRecord(p2), mark) << "relayed again at the exchange";
}

// A peer that stops reading: the system's buffers fill, then the bounded queue, then whole
// records are dropped. What finally arrives is whole records in order, the newest last.
TEST(SocketLayer, ASlowReaderGetsWholeRecordsInOrderAndTheQueueStaysBounded) {
    int error          = 0;
    NetSocket listener = socketListen(GAME_PORT, &error);
    Peer peer          = connectPeer(GAME_PORT, 4096);
    NetSocket s        = socketAccept(listener);
    ASSERT_NE(s, NO_SOCKET);
    uint32_t n = 0;
    auto write = [&] {
        const Record r = wordsRecord({WIRE_STATE, 1, n, n, n, n, n, n, n, ++n});
        socketWriteRecord(s, r.data());
        ASSERT_LE(socketQueuedBytes(s), SOCKET_QUEUE_BYTES);
    };
    while (socketQueuedBytes(s) + WIRE_BYTES <= SOCKET_QUEUE_BYTES && n < 2000000)
        write();
    for (int k = 0; k < 1000; ++k)
        write();
    std::vector<uint8_t> got;
    for (int round = 0; round < 10000 && socketQueuedBytes(s) > 0; ++round) {
        const std::vector<uint8_t> part = peer.receiveBytes(1);
        got.insert(got.end(), part.begin(), part.end());
        write();
    }
    const std::vector<uint8_t> rest = peer.receiveBytes(200);
    got.insert(got.end(), rest.begin(), rest.end());
    ASSERT_EQ(got.size() % WIRE_BYTES, 0u);
    uint32_t last = 0;
    for (size_t at = 0; at < got.size(); at += WIRE_BYTES) {
        Record r;
        std::copy(got.begin() + at, got.begin() + at + WIRE_BYTES, r.begin());
        ASSERT_EQ(r, wordsRecord({WIRE_STATE, 1, recordWord(r, 2), recordWord(r, 2),
                                  recordWord(r, 2), recordWord(r, 2), recordWord(r, 2),
                                  recordWord(r, 2), recordWord(r, 2), recordWord(r, 2) + 1}))
            << "torn at byte " << at;
        ASSERT_GT(recordWord(r, 9), last);
        last = recordWord(r, 9);
    }
    EXPECT_LT(got.size() / WIRE_BYTES, n) << "nothing was dropped";
    EXPECT_EQ(last, n) << "the newest record did not arrive";
    socketCloseAll();
}
