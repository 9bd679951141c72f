// Finding games on the LAN: the host's answers and their budget over loopback, and a browser
// finding the games hosted on another machine across a veth pair.
#include <gtest/gtest.h>

#include <algorithm>
#include <arpa/inet.h>
#include <cstring>
#include <poll.h>
#include <string>
#include <unistd.h>
#include <vector>

#include "net/discovery_browser.h"
#include "net/discovery_responder.h"
#include "tests/support/other_machine.h"

namespace {
constexpr uint32_t NONCE = 0xA1B2C3D4;
using Bytes              = std::vector<uint8_t>;

// A socket on its own loopback address, as one more machine would have.
int prober(const std::string& ip) {
    int fd        = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    sockaddr_in a = {AF_INET, 0, {inet_addr(ip.c_str())}, {}};
    EXPECT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
    return fd;
}

void sendTo(int fd, const Bytes& bytes, uint16_t port = DISCOVERY_PORT) {
    sockaddr_in a = {AF_INET, htons(port), {htonl(INADDR_LOOPBACK)}, {}};
    ::sendto(fd, bytes.data(), bytes.size(), 0, reinterpret_cast<sockaddr*>(&a), sizeof a);
}

// Serves at one moment until `least` replies have come back to the probers, then until they
// stay quiet, so replies beyond the budget would show. Each must answer NONCE.
int repliesServedAt(uint32_t nowMs, const std::vector<int>& probers, int least) {
    int got = 0;
    for (int quiet = 0, waited = 0; quiet < 20 && waited < 2000; ++waited) {
        discoveryServe(nowMs, "rigel", "1.0.0", 3, 2346);
        std::vector<pollfd> p;
        for (int fd : probers)
            p.push_back({fd, POLLIN, 0});
        quiet = ::poll(p.data(), p.size(), 1) == 0 && got >= least ? quiet + 1 : 0;
        uint8_t in[DISCOVERY_DATAGRAM_CAPACITY];
        DiscoveryReply r{};
        for (int fd : probers) {
            for (ssize_t n; (n = ::recv(fd, in, sizeof in, MSG_DONTWAIT)) >= 0; ++got)
                EXPECT_TRUE(decodeDiscoveryReply(in, n, r) && r.nonce == NONCE);
        }
    }
    return got;
}
} // namespace

TEST(Discovery, TheHostAnswersWholeQueriesAtMostTenASecondToEachAndAHundredInAll) {
    char reason[DISCOVERY_REASON_SIZE];
    ASSERT_TRUE(discoveryServeOpen(DISCOVERY_PORT, reason, sizeof reason)) << reason;
    uint8_t q[DISCOVERY_QUERY_SIZE];
    encodeDiscoveryQuery(NONCE, q);
    const Bytes good(q, q + sizeof q);
    Bytes magic = good, version = good, shorter(good.begin(), good.end() - 1);
    magic[0]                   = 'X';
    version[8]                 = 2;
    const std::vector<int> one = {prober("127.0.0.2")};
    for (const Bytes& bad : {magic, version, shorter})
        sendTo(one[0], bad);
    EXPECT_EQ(repliesServedAt(1000, one, 0), 0) << "wrong magic, version or length";
    for (int i = 0; i < 100; ++i)
        sendTo(one[0], good);
    EXPECT_EQ(repliesServedAt(1000, one, DISCOVERY_REPLIES_PER_SOURCE), 10) << "a flood";
    sendTo(one[0], good);
    EXPECT_EQ(repliesServedAt(1999, one, 0), 0) << "still the same second";
    sendTo(one[0], good);
    EXPECT_EQ(repliesServedAt(2000, one, 1), 1) << "the next second";
    std::vector<int> many;
    for (int i = 1; i <= 12; ++i) {
        many.push_back(prober("127.0.1." + std::to_string(i)));
        for (int k = 0; k < 10; ++k)
            sendTo(many.back(), good);
        repliesServedAt(3000, {}, 0); // keeps the host's receive buffer from overflowing
    }
    EXPECT_EQ(repliesServedAt(3000, many, DISCOVERY_REPLIES_PER_SECOND), 100) << "12 sources";
    discoveryServeClose();
}

TEST(Discovery, TheBrowserListsEachGameOfAnotherMachineOnceAndForgetsItsSilence) {
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
    const int fd   = datagramDescriptor(discoveryBrowseSocket());
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&browser), &size);
    sendTo(prober("127.0.0.2"), Bytes(forged, forged + sizeof forged), ntohs(browser.sin_port));
    FoundGame found[DISCOVERY_FOUND_MAX];
    int count = 0;
    for (uint32_t start = steadyMs(); count < 2 && steadyMs() - start < 3000;) {
        pollfd p{fd, POLLIN, 0};
        ::poll(&p, 1, 10);
        discoveryBrowse(steadyMs());
        count = discoveryFoundGames(found);
    }
    ASSERT_EQ(count, 2) << "each once, though each answers from two addresses";
    std::sort(found, found + 2, [](auto& a, auto& b) { return std::strcmp(a.name, b.name) < 0; });
    for (int i = 0; i < 2; ++i) { // listed at whichever of its addresses answered first
        const std::string port = ":" + std::to_string(games[i].tcpPort), at = found[i].address;
        EXPECT_EQ(found[i].name + std::string(" ") + found[i].players,
                  games[i].name + std::string(" 1/8"));
        EXPECT_TRUE(at == "198.18.0.2" + port || at == "198.18.1.2" + port) << at;
    }
    stopOtherMachine(other);
    discoveryBrowse(steadyMs() + DISCOVERY_FORGET_MS);
    EXPECT_EQ(discoveryFoundGames(found), 0);
    discoveryBrowseClose();
}
