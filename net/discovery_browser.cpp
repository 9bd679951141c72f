// The browser: one socket, the nonces of the last few rounds of queries and a fixed table of
// games found, each hosting listed once however many addresses it answered from.
#include "net/discovery_browser.h"

#include <cstdio>
#include <cstring>
#include <random>

namespace {
// Rounds remembered: a reply to an older one could only list a game about to be forgotten.
constexpr int NONCE_ROUNDS          = 1 + DISCOVERY_FORGET_MS / DISCOVERY_QUERY_EVERY_MS;
constexpr int FIXED_TARGETS         = 3;   // limited broadcast, loopback broadcast, 127.0.0.1
constexpr int REPLIES_READ_PER_CALL = 128; // a few rounds' answers from a full list

struct QueryRound {
    bool sent;
    uint32_t nonce;
    uint32_t sentMs;
};

DatagramSocket browseSocket = NO_DATAGRAM;
int queryPort               = DISCOVERY_PORT;
QueryRound rounds[NONCE_ROUNDS];
int nextRound = 0;
FoundGame found[DISCOVERY_FOUND_MAX];
int foundCount = 0;

bool roundDue(uint32_t nowMs) {
    int last = (nextRound + NONCE_ROUNDS - 1) % NONCE_ROUNDS;
    return !rounds[last].sent || nowMs - rounds[last].sentMs >= DISCOVERY_QUERY_EVERY_MS;
}

// Every broadcast address this machine has, and its own loopback: the loopback broadcast
// reaches every game hosted here, 127.0.0.1 one of them where that broadcast is refused.
void sendRound(uint32_t nowMs) {
    QueryRound& round = rounds[nextRound];
    nextRound         = (nextRound + 1) % NONCE_ROUNDS;
    round             = {true, std::random_device{}(), nowMs};
    uint8_t query[DISCOVERY_QUERY_SIZE];
    encodeDiscoveryQuery(round.nonce, query);
    uint32_t targets[BROADCAST_ADDRESSES_MAX + FIXED_TARGETS];
    int count        = datagramBroadcastAddresses(targets);
    targets[count++] = LIMITED_BROADCAST;
    targets[count++] = LOOPBACK_BROADCAST;
    targets[count++] = LOOPBACK_ADDRESS;
    for (int i = 0; i < count; ++i)
        datagramSend(browseSocket, {targets[i], queryPort}, query, sizeof query);
}

const QueryRound* roundAnswered(uint32_t nonce) {
    for (const QueryRound& r : rounds) {
        if (r.sent && r.nonce == nonce) return &r;
    }
    return nullptr;
}

// A game is known to have been there when the query it answered was sent: a reply read
// late, after the list went unread a while, cannot keep a closed game listed.
void record(const DiscoveryReply& reply, DatagramAddress from, uint32_t seenMs) {
    int i = 0;
    while (i < foundCount && found[i].hostingId != reply.hostingId)
        ++i;
    if (i == DISCOVERY_FOUND_MAX) return; // the list is full: a newcomer waits for a place
    FoundGame& g = found[i];
    if (i < foundCount && static_cast<int32_t>(seenMs - g.lastSeenMs) < 0) return; // older news
    if (i == foundCount) {
        ++foundCount;
        g.hostingId = reply.hostingId;
        datagramAddressText({from.ip, reply.tcpPort}, g.address, sizeof g.address);
    }
    std::memcpy(g.name, reply.hostName, sizeof g.name);
    std::memcpy(g.version, reply.version, sizeof g.version);
    std::memcpy(g.arena, reply.arena, sizeof g.arena);
    std::snprintf(g.players, sizeof g.players, "%d/%d", reply.playersInUse, reply.playerCapacity);
    g.lastSeenMs = seenMs;
}

void readReplies() {
    uint8_t bytes[DISCOVERY_DATAGRAM_CAPACITY];
    for (int read = 0; read < REPLIES_READ_PER_CALL; ++read) {
        DatagramAddress from{};
        int length = datagramReceive(browseSocket, bytes, sizeof bytes, from);
        if (length < 0) break;
        DiscoveryReply reply{};
        if (!decodeDiscoveryReply(bytes, static_cast<std::size_t>(length), reply)) continue;
        const QueryRound* round = roundAnswered(reply.nonce);
        if (round) record(reply, from, round->sentMs);
    }
}

void forgetSilent(uint32_t nowMs) {
    int kept = 0;
    for (int i = 0; i < foundCount; ++i) {
        if (nowMs - found[i].lastSeenMs < DISCOVERY_FORGET_MS) found[kept++] = found[i];
    }
    foundCount = kept;
}
} // namespace

bool discoveryBrowseOpen(int udpPort, char* reason, std::size_t reasonSize) {
    discoveryBrowseClose();
    char why[REASON_SIZE];
    browseSocket = datagramOpen(0, why, sizeof why);
    queryPort    = udpPort;
    if (browseSocket == NO_DATAGRAM)
        std::snprintf(reason, reasonSize,
                      "%s, so games on the LAN cannot be listed: type the host's address instead",
                      why);
    return browseSocket != NO_DATAGRAM;
}

void discoveryBrowse(uint32_t nowMs) {
    if (browseSocket == NO_DATAGRAM) return;
    if (roundDue(nowMs)) sendRound(nowMs);
    readReplies();
    forgetSilent(nowMs);
}

int discoveryFoundGames(FoundGame games[DISCOVERY_FOUND_MAX]) {
    std::memcpy(games, found, sizeof(FoundGame) * foundCount);
    return foundCount;
}

DatagramSocket discoveryBrowseSocket() {
    return browseSocket;
}

void discoveryBrowseClose() {
    datagramClose(browseSocket);
    browseSocket = NO_DATAGRAM;
    for (QueryRound& r : rounds)
        r.sent = false;
    nextRound  = 0;
    foundCount = 0;
}
