// The browser: one socket, the nonces of the last few rounds of queries and a fixed table of
// games found, each hosting listed once however many addresses it answered from.
#include "net/discovery_browser.h"

#include <cstdio>
#include <cstring>
#include <random>

namespace {
constexpr int FIXED_TARGETS         = 3;   // limited broadcast, loopback broadcast, 127.0.0.1
constexpr int REPLIES_READ_PER_CALL = 128; // a few rounds' answers from a full list

bool roundDue(const DiscoveryBrowser& b, uint32_t nowMs) {
    const QueryRound& last =
        b.rounds[(b.nextRound + DISCOVERY_NONCE_ROUNDS - 1) % DISCOVERY_NONCE_ROUNDS];
    return !last.sent || nowMs - last.sentMs >= DISCOVERY_QUERY_EVERY_MS;
}

// Every broadcast address this machine has, and its own loopback: the loopback broadcast
// reaches every game hosted here, 127.0.0.1 one of them where that broadcast is refused.
void sendRound(DiscoveryBrowser& b, uint32_t nowMs) {
    QueryRound& round = b.rounds[b.nextRound];
    b.nextRound       = (b.nextRound + 1) % DISCOVERY_NONCE_ROUNDS;
    round             = {true, std::random_device{}(), nowMs};
    uint8_t query[DISCOVERY_QUERY_SIZE];
    encodeDiscoveryQuery(round.nonce, query);
    uint32_t targets[BROADCAST_ADDRESSES_MAX + FIXED_TARGETS];
    int count        = datagramBroadcastAddresses(targets);
    targets[count++] = LIMITED_BROADCAST;
    targets[count++] = LOOPBACK_BROADCAST;
    targets[count++] = LOOPBACK_ADDRESS;
    for (int i = 0; i < count; ++i)
        datagramSend(b.socket, {targets[i], b.queryPort}, query, sizeof query);
}

const QueryRound* roundAnswered(const DiscoveryBrowser& b, uint32_t nonce) {
    for (const QueryRound& r : b.rounds) {
        if (r.sent && r.nonce == nonce) return &r;
    }
    return nullptr;
}

// A game is known to have been there when the query it answered was sent: a reply read
// late, after the list went unread a while, cannot keep a closed game listed.
void record(DiscoveryBrowser& b, const DiscoveryReply& reply, DatagramAddress from,
            uint32_t seenMs) {
    int i = 0;
    while (i < b.foundCount && b.found[i].hostingId != reply.hostingId)
        ++i;
    if (i == DISCOVERY_FOUND_MAX) return; // the list is full: a newcomer waits for a place
    FoundGame& g = b.found[i];
    if (i < b.foundCount && static_cast<int32_t>(seenMs - g.lastSeenMs) < 0) return; // older news
    if (i == b.foundCount) {
        ++b.foundCount;
        g.hostingId = reply.hostingId;
        datagramAddressText({from.ip, reply.tcpPort}, g.address, sizeof g.address);
    }
    std::memcpy(g.name, reply.hostName, sizeof g.name);
    std::memcpy(g.version, reply.version, sizeof g.version);
    std::memcpy(g.arena, reply.arena, sizeof g.arena);
    std::snprintf(g.players, sizeof g.players, "%d/%d", reply.playersInUse, reply.playerCapacity);
    g.lastSeenMs = seenMs;
}

void readReplies(DiscoveryBrowser& b) {
    uint8_t bytes[DISCOVERY_DATAGRAM_CAPACITY];
    for (int read = 0; read < REPLIES_READ_PER_CALL; ++read) {
        DatagramAddress from{};
        int length = datagramReceive(b.socket, bytes, sizeof bytes, from);
        if (length < 0) break;
        DiscoveryReply reply{};
        if (!decodeDiscoveryReply(bytes, static_cast<std::size_t>(length), reply)) continue;
        const QueryRound* round = roundAnswered(b, reply.nonce);
        if (round) record(b, reply, from, round->sentMs);
    }
}

void forgetSilent(DiscoveryBrowser& b, uint32_t nowMs) {
    int kept = 0;
    for (int i = 0; i < b.foundCount; ++i) {
        if (nowMs - b.found[i].lastSeenMs < DISCOVERY_FORGET_MS) b.found[kept++] = b.found[i];
    }
    b.foundCount = kept;
}
} // namespace

bool discoveryBrowseOpen(DiscoveryBrowser& browser, int udpPort, char* reason,
                         std::size_t reasonSize) {
    discoveryBrowseClose(browser);
    char why[REASON_SIZE];
    browser.socket    = datagramOpen(0, why, sizeof why);
    browser.queryPort = udpPort;
    if (browser.socket == NO_DATAGRAM)
        std::snprintf(reason, reasonSize,
                      "%s, so games on the LAN cannot be listed: type the host's address instead",
                      why);
    return browser.socket != NO_DATAGRAM;
}

void discoveryBrowse(DiscoveryBrowser& browser, uint32_t nowMs) {
    if (browser.socket == NO_DATAGRAM) return;
    if (roundDue(browser, nowMs)) sendRound(browser, nowMs);
    readReplies(browser);
    forgetSilent(browser, nowMs);
}

int discoveryFoundGames(const DiscoveryBrowser& browser, FoundGame games[DISCOVERY_FOUND_MAX]) {
    std::memcpy(games, browser.found, sizeof(FoundGame) * browser.foundCount);
    return browser.foundCount;
}

DatagramSocket discoveryBrowseSocket(const DiscoveryBrowser& browser) {
    return browser.socket;
}

void discoveryBrowseClose(DiscoveryBrowser& browser) {
    datagramClose(browser.socket);
    const int queryPort = browser.queryPort;
    browser             = DiscoveryBrowser{};
    browser.queryPort   = queryPort;
}
