// The host's answers and their budget over loopback; a browser across a veth pair.
#include <gtest/gtest.h>

#include <algorithm>
#include <arpa/inet.h>
#include <cstring>
#include <poll.h>
#include <string>

#include "net/discovery_browser.h"
#include "net/discovery_responder.h"
#include "tests/support/other_machine.h"

namespace {
// Each query from each of sources loopback addresses, served at nowMs: the replies, each whole.
int repliesTo(DiscoveryResponder& responder, const std::vector<std::vector<uint8_t>>& queries,
              int sources, uint32_t nowMs) {
    std::vector<pollfd> probers;
    for (int i = 0; i < sources; ++i) {
        const int fd  = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
        sockaddr_in a = {AF_INET, 0, {htonl(0x7F000100u + i + 1)}, {}}, host = a;
        host.sin_port = htons(DISCOVERY_PORT), host.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
        for (const auto& q : queries)
            ::sendto(fd, q.data(), q.size(), 0, reinterpret_cast<sockaddr*>(&host), sizeof host);
        probers.push_back({fd, POLLIN, 0});
        discoveryServe(responder, nowMs, "rigel", "1.0.0", 3, 2346,
                       "halo"); // keeps its receive buffer from filling
    }
    int got = 0;
    uint8_t in[DISCOVERY_DATAGRAM_CAPACITY];
    DiscoveryReply r{};
    for (int quiet = 0; quiet < 20;
         quiet     = ::poll(probers.data(), sources, 1) == 0 ? quiet + 1 : 0) {
        discoveryServe(responder, nowMs, "rigel", "1.0.0", 3, 2346, "halo");
        for (const pollfd& p : probers)
            for (ssize_t n; (n = ::recv(p.fd, in, sizeof in, 0)) >= 0; ++got)
                EXPECT_TRUE(decodeDiscoveryReply(in, n, r) && r.nonce == 7 && r.tcpPort == 2346 &&
                            std::string(r.arena) == "halo");
    }
    for (const pollfd& p : probers)
        ::close(p.fd);
    return got;
}
} // namespace

TEST(Discovery, TheHostAnswersWholeQueriesAtMostTenASecondToEachAndAHundredInAll) {
    DiscoveryResponder responder;
    char reason[DISCOVERY_REASON_SIZE];
    ASSERT_TRUE(discoveryServeOpen(responder, DISCOVERY_PORT, reason, sizeof reason)) << reason;
    std::vector<uint8_t> q(DISCOVERY_QUERY_SIZE);
    encodeDiscoveryQuery(7, q.data());
    auto magic = q, version = q, shorter = q;
    magic[0]   = 'X';
    version[8] = 2;
    shorter.pop_back();
    EXPECT_EQ(repliesTo(responder, {magic, version, shorter}, 1, 1000), 0)
        << "wrong magic, version or length";
    EXPECT_EQ(repliesTo(responder, std::vector<std::vector<uint8_t>>(100, q), 1, 1000), 10)
        << "a flood";
    EXPECT_EQ(repliesTo(responder, {q}, 1, 1999), 0) << "still the same second";
    EXPECT_EQ(repliesTo(responder, {q}, 1, 2000), 1) << "the next second";
    EXPECT_EQ(repliesTo(responder, std::vector<std::vector<uint8_t>>(10, q), 12, 3000), 100)
        << "12 sources";
    discoveryServeClose(responder);
}

TEST(Discovery, TheBrowserListsEachGameOfAnotherMachineOnceAndForgetsItsSilence) {
    const HostedGame games[] = {
        {"rigel", 2345},
        {"vega",  2350}
    };
    OtherMachine other;
    ASSERT_TRUE(startOtherMachine(games, 2, other));
    DiscoveryBrowser browser;
    char reason[DISCOVERY_REASON_SIZE];
    ASSERT_TRUE(discoveryBrowseOpen(browser, DISCOVERY_PORT, reason, sizeof reason)) << reason;
    FoundGame found[DISCOVERY_FOUND_MAX];
    int count = 0;
    for (uint32_t start = steadyMs(); count < 2 && steadyMs() - start < 3000;) {
        pollfd p{datagramDescriptor(discoveryBrowseSocket(browser)), POLLIN, 0};
        ::poll(&p, 1, 10);
        discoveryBrowse(browser, steadyMs());
        count = discoveryFoundGames(browser, found);
    }
    ASSERT_EQ(count, 2) << "each once, though each answers from two addresses";
    std::sort(found, found + 2, [](auto& a, auto& b) { return std::strcmp(a.name, b.name) < 0; });
    for (int i = 0; i < 2; ++i) { // at whichever of its addresses answered first
        const std::string at = found[i].address, port = ":" + std::to_string(games[i].tcpPort);
        EXPECT_EQ(std::string(found[i].name), games[i].name);
        EXPECT_STREQ(found[i].players, "1/8");
        EXPECT_TRUE(at == "198.18.0.2" + port || at == "198.18.1.2" + port) << at;
    }
    stopOtherMachine(other);
    discoveryBrowse(browser, steadyMs() + DISCOVERY_FORGET_MS);
    EXPECT_EQ(discoveryFoundGames(browser, found), 0);
    discoveryBrowseClose(browser);
}
