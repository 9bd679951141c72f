// Finding games on the LAN: the datagrams, the host's answers and their budget over loopback,
// and a browser finding games hosted on another machine across a veth pair.
#include <algorithm>
#include <arpa/inet.h>
#include <cstring>
#include <gtest/gtest.h>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

#include "net/discovery_browser.h"
#include "net/discovery_responder.h"
#include "tests/net/other_machine.h"
#include "tests/net/peer_socket.h"

namespace {
constexpr uint32_t NONCE = 0xA1B2C3D4;
using Bytes              = std::vector<uint8_t>;

// The bytes given with one of them changed (at -1: none), cut or padded to a length.
Bytes patched(const uint8_t* bytes, std::size_t size, int at, uint8_t value, std::size_t length) {
    Bytes p(bytes, bytes + size);
    if (at >= 0) p[at] = value;
    p.resize(length);
    return p;
}

// A socket on its own loopback address, as one more machine would have.
int prober(const char* ip) {
    int fd        = ::socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in a = {AF_INET, 0, {inet_addr(ip)}, {}};
    EXPECT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
    return fd;
}

void sendToLoopback(int fd, const Bytes& bytes, uint16_t port = DISCOVERY_PORT) {
    sockaddr_in a = {AF_INET, htons(port), {htonl(INADDR_LOOPBACK)}, {}};
    ::sendto(fd, bytes.data(), bytes.size(), 0, reinterpret_cast<sockaddr*>(&a), sizeof a);
}

// Serves at one moment until `least` replies have come back to the probers, then until they
// stay quiet, so replies beyond the budget would show. Each must be a whole reply to NONCE
// no longer than its query.
int repliesServedAt(uint32_t nowMs, const std::vector<int>& probers, int least) {
    int got = 0;
    for (int quiet = 0, waited = 0; quiet < 20 && waited < TEST_WAIT_MS; ++waited) {
        discoveryServe(nowMs, "rigel", "1.0.0", 3, 2346);
        std::vector<pollfd> p;
        for (int fd : probers)
            p.push_back({fd, POLLIN, 0});
        quiet = ::poll(p.data(), p.size(), 1) == 0 && got >= least ? quiet + 1 : 0;
        uint8_t in[DISCOVERY_DATAGRAM_CAPACITY];
        DiscoveryReply r{};
        for (int fd : probers) {
            for (ssize_t n; (n = ::recv(fd, in, sizeof in, MSG_DONTWAIT)) >= 0; ++got) {
                EXPECT_LE(static_cast<std::size_t>(n), DISCOVERY_QUERY_SIZE);
                EXPECT_TRUE(decodeDiscoveryReply(in, n, r) && r.nonce == NONCE);
            }
        }
    }
    return got;
}
} // namespace

TEST(DiscoveryTest, ReplyRoundTripsAndForeignOrShortDatagramsAreRefused) {
    uint8_t reply[DISCOVERY_REPLY_SIZE], again[DISCOVERY_REPLY_SIZE];
    encodeDiscoveryReply({NONCE, 0x01020304, 0x0A00, 3, 8, "1.0.0", "rigel"}, reply);
    DiscoveryReply got{};
    ASSERT_TRUE(decodeDiscoveryReply(reply, sizeof reply, got));
    encodeDiscoveryReply(got, again);
    EXPECT_EQ(std::memcmp(reply, again, sizeof reply), 0);
    EXPECT_EQ(std::string(got.hostName) + got.version + std::to_string(got.tcpPort),
              "rigel1.0.02560");
    // A name with a bell in it and no end: printable, ended, cut to its field.
    Bytes odd = patched(reply, sizeof reply, 56, 7, sizeof reply);
    std::fill(odd.begin() + 57, odd.end(), 'x');
    ASSERT_TRUE(decodeDiscoveryReply(odd.data(), odd.size(), got));
    EXPECT_EQ(std::string(got.hostName), "?" + std::string(DISCOVERY_NAME_SIZE - 2, 'x'));

    const std::size_t R                                       = sizeof reply;
    const std::tuple<int, uint8_t, std::size_t, bool> cases[] = {
        {0,  'X', R,     false}, // magic
        {8,  2,   R,     false}, // protocol version
        {-1, 0,   R - 1, false},
        {21, 0,   R,     false}, // TCP port 0
        {22, 9,   R,     false}, // 9 players in room for 8
        {23, 0,   R,     false}, // no room
        {22, 8,   R,     true },
    };
    for (auto [at, value, length, accepted] : cases) {
        Bytes p = patched(reply, R, at, value, length);
        EXPECT_EQ(decodeDiscoveryReply(p.data(), p.size(), got), accepted) << "byte " << at;
    }
}

TEST(DiscoveryTest, HostAnswersWholeQueriesWithinTenASecondToEachAndAHundredInAll) {
    char reason[DISCOVERY_REASON_SIZE];
    ASSERT_TRUE(discoveryServeOpen(DISCOVERY_PORT, reason, sizeof reason)) << reason;
    uint8_t q[DISCOVERY_QUERY_SIZE];
    encodeDiscoveryQuery(NONCE, q);
    const std::size_t Q        = sizeof q;
    const Bytes good           = patched(q, Q, -1, 0, Q);
    const std::vector<int> one = {prober("127.0.0.2")};
    for (const Bytes& bad :
         {patched(q, Q, 0, 'X', Q), patched(q, Q, 8, 2, Q), patched(q, Q, -1, 0, Q - 1)})
        sendToLoopback(one[0], bad);
    EXPECT_EQ(repliesServedAt(1000, one, 0), 0) << "wrong magic, version or length";
    for (int i = 0; i < 100; ++i)
        sendToLoopback(one[0], good);
    EXPECT_EQ(repliesServedAt(1000, one, DISCOVERY_REPLIES_PER_SOURCE), 10) << "a flood";
    sendToLoopback(one[0], good);
    EXPECT_EQ(repliesServedAt(1999, one, 0), 0) << "still the same second";
    sendToLoopback(one[0], good);
    EXPECT_EQ(repliesServedAt(2000, one, 1), 1) << "the next second";

    std::vector<int> many;
    for (int i = 1; i <= 12; ++i) {
        many.push_back(prober(("127.0.1." + std::to_string(i)).c_str()));
        for (int k = 0; k < 10; ++k)
            sendToLoopback(many.back(), good);
        repliesServedAt(3000, {}, 0); // keeps the host's receive buffer from overflowing
    }
    EXPECT_EQ(repliesServedAt(3000, many, DISCOVERY_REPLIES_PER_SECOND), 100) << "12 sources";
    discoveryServeClose();
    for (int fd : many)
        ::close(fd);
    ::close(one[0]);
}

TEST(DiscoveryTest, BrowserListsEveryGameOnAnotherMachineOnceAndForgetsThemWhenClosed) {
    const HostedGame games[] = {
        {"rigel", 2345},
        {"vega",  2350}
    };
    OtherMachine other;
    ASSERT_TRUE(startOtherMachine(games, 2, other));
    char reason[DISCOVERY_REASON_SIZE];
    ASSERT_TRUE(discoveryBrowseOpen(DISCOVERY_PORT, reason, sizeof reason)) << reason;
    // A reply to no query of ours, waiting before the first round: never listed.
    uint8_t forged[DISCOVERY_REPLY_SIZE];
    encodeDiscoveryReply({NONCE, 1, 2345, 0, 8, "1.0.0", "forged"}, forged);
    sockaddr_in browser{};
    socklen_t size = sizeof browser;
    int fd         = datagramDescriptor(discoveryBrowseSocket());
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&browser), &size);
    int stranger = prober("127.0.0.2");
    sendToLoopback(stranger, Bytes(forged, forged + sizeof forged), ntohs(browser.sin_port));
    ::close(stranger);

    FoundGame found[DISCOVERY_FOUND_MAX];
    int count = 0;
    for (uint32_t start = steadyMs(); count < 2 && steadyMs() - start < 1500;) {
        pollfd p{fd, POLLIN, 0};
        ::poll(&p, 1, 10);
        discoveryBrowse(steadyMs());
        count = discoveryFoundGames(found);
    }
    ASSERT_EQ(count, 2) << "within 1.5 s, each once, though each answers from two addresses";
    std::sort(found, found + 2, [](auto& a, auto& b) { return std::strcmp(a.name, b.name) < 0; });
    for (int i = 0; i < 2; ++i) { // listed at whichever of its addresses answered first
        std::string port = ":" + std::to_string(games[i].tcpPort), at = found[i].address;
        EXPECT_EQ(std::string(found[i].name) + " " + found[i].players,
                  games[i].name + std::string(" 1/8"));
        EXPECT_TRUE(at == "198.18.0.2" + port || at == "198.18.1.2" + port) << at;
    }
    stopOtherMachine(other);
    discoveryBrowse(steadyMs() + DISCOVERY_FORGET_MS);
    EXPECT_EQ(discoveryFoundGames(found), 0);
    discoveryBrowseClose();
}
