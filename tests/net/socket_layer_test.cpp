// The socket layer alone: the bounded write queue, addresses that go nowhere, gone peers.
#include <csignal>
#include <cstring>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "net/join_address.h"
#include "net/socket_layer.h"
#include "tests/net/peer_socket.h"

namespace {
struct SocketLayerTest : ::testing::Test {
    void TearDown() override { socketCloseAll(); }
};

void writeNumbered(NetSocket s, uint32_t n) {
    NetMessage m = makeControlMessage(MSG_STATE, 1);
    for (int w = 2; w < NET_RECORD_WORDS; ++w)
        m.word[w] = n;
    uint8_t bytes[NET_RECORD_SIZE];
    encodeNetMessage(m, bytes);
    socketWriteRecord(s, bytes);
}
bool endsWithRecord(const std::vector<uint8_t>& got, uint32_t n) {
    if (got.size() < NET_RECORD_SIZE || got.size() % NET_RECORD_SIZE != 0) return false;
    return decodeNetMessage(got.data() + got.size() - NET_RECORD_SIZE).word[2] == n;
}
} // namespace

// A peer that stops reading: the system's buffers fill, then the queue, then whole records
// are dropped. What finally arrives is whole records in order, never a torn one.
TEST_F(SocketLayerTest, SlowReaderGetsWholeRecordsInOrderAndTheQueueStaysBounded) {
    int error          = 0;
    NetSocket listener = socketListen(2345, &error);
    ASSERT_NE(listener, NO_SOCKET);
    PeerSocket peer = connectToHost(4096);
    NetSocket s     = socketAccept(listener);
    ASSERT_NE(s, NO_SOCKET);

    uint32_t n = 0;
    while (socketQueuedBytes(s) + NET_RECORD_SIZE <= SOCKET_QUEUE_BYTES && n < 2000000)
        writeNumbered(s, n++);
    ASSERT_LT(n, 2000000u) << "the queue never filled";
    for (int k = 0; k < 1000; ++k)
        writeNumbered(s, n++);
    EXPECT_LE(socketQueuedBytes(s), SOCKET_QUEUE_BYTES);

    std::vector<uint8_t> got;
    for (int round = 0; round < 10000 && socketQueuedBytes(s) > 0; ++round) {
        std::vector<uint8_t> part = peer.receiveAll(1);
        got.insert(got.end(), part.begin(), part.end());
        writeNumbered(s, n++);
    }
    ASSERT_EQ(socketQueuedBytes(s), 0u);
    // What the system still holds trickles through the small window.
    for (int round = 0; round < 50 && !endsWithRecord(got, n - 1); ++round) {
        std::vector<uint8_t> rest = peer.receiveAll(100);
        got.insert(got.end(), rest.begin(), rest.end());
    }
    ASSERT_EQ(got.size() % NET_RECORD_SIZE, 0u);
    ASSERT_GT(got.size(), 0u);
    int64_t last = -1;
    bool dropped = false;
    for (std::size_t at = 0; at < got.size(); at += NET_RECORD_SIZE) {
        NetMessage m = decodeNetMessage(got.data() + at);
        ASSERT_EQ(netMessageType(m), MSG_STATE) << "torn record at byte " << at;
        for (int w = 3; w < NET_RECORD_WORDS; ++w)
            ASSERT_EQ(m.word[w], m.word[2]);
        ASSERT_GT(static_cast<int64_t>(m.word[2]), last);
        if (static_cast<int64_t>(m.word[2]) != last + 1) dropped = true;
        last = m.word[2];
    }
    EXPECT_TRUE(dropped) << "records beyond the queue are dropped";
    EXPECT_EQ(last, static_cast<int64_t>(n) - 1) << "the newest record arrives";
}

TEST_F(SocketLayerTest, WritingToAGonePeerRaisesNoSignal) {
    std::signal(SIGPIPE, SIG_DFL);
    int error          = 0;
    NetSocket listener = socketListen(2345, &error);
    NetSocket s;
    {
        PeerSocket peer = connectToHost();
        s               = socketAccept(listener);
        ASSERT_NE(s, NO_SOCKET);
    }
    settle();
    for (uint32_t k = 0; k < 100; ++k)
        writeNumbered(s, k);
    uint8_t record[NET_RECORD_SIZE];
    EXPECT_FALSE(socketReadRecord(s, record));
}

// What a player types: blanks around, an optional port, nothing half done sent anywhere.
TEST(JoinAddressText, TypedAddressesAreTakenApartOrRefusedWithTheirReason) {
    struct Case {
        const char* typed;
        AddressProblem problem;
        const char* host;
        int port;
    };
    const Case cases[] = {
        {"127.0.0.1",           AddressProblem::NONE,       "127.0.0.1", 2345},
        {" 127.0.0.1 : 9999 ",  AddressProblem::NONE,       "127.0.0.1", 9999},
        {"\tgame-host",         AddressProblem::NONE,       "game-host", 2345},
        {nullptr,               AddressProblem::EMPTY,      "",          2345},
        {"  :2345",             AddressProblem::EMPTY,      "",          2345},
        {"192.168.0.",          AddressProblem::INCOMPLETE, "",          2345},
        {"10.1",                AddressProblem::INCOMPLETE, "",          2345},
        {"300.1.2.3",           AddressProblem::INCOMPLETE, "",          2345},
        {"127.0.0.1:",          AddressProblem::BAD_PORT,   "",          2345},
        {"127.0.0.1:70000",     AddressProblem::BAD_PORT,   "",          2345},
        {"127.0.0.1:23a5",      AddressProblem::BAD_PORT,   "",          2345},
        {"127.0.0.1:2345:2345", AddressProblem::BAD_PORT,   "",          2345},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed ? c.typed : "(null)");
        JoinAddress a;
        EXPECT_EQ(parseJoinAddress(c.typed, 2345, &a), c.problem);
        if (c.problem != AddressProblem::NONE) continue;
        EXPECT_STREQ(a.host, c.host);
        EXPECT_EQ(a.port, c.port);
    }
    JoinAddress a;
    EXPECT_EQ(parseJoinAddress(std::string(300, 'a').c_str(), 2345, &a), AddressProblem::TOO_LONG);
}

TEST_F(SocketLayerTest, NoSocketIsHarmlessAndARefusedConnectionSaysSo) {
    uint8_t record[NET_RECORD_SIZE] = {};
    socketWriteRecord(NO_SOCKET, record);
    EXPECT_FALSE(socketReadRecord(NO_SOCKET, record));
    socketClose(NO_SOCKET);
    NetSocket refused = socketConnectTo(0x7F000001u, 2346);
    settle();
    EXPECT_FALSE(socketReadRecord(refused, record));
    socketWriteRecord(refused, record);
    EXPECT_FALSE(socketReadRecord(refused, record));
    EXPECT_EQ(socketEndError(refused), ECONNREFUSED);
}
