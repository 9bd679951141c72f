// The joiner's side of finding games: queries the LAN about once a second and keeps the
// games that answered lately. Nothing here waits.
#pragma once

#include <cstddef>
#include <cstdint>

#include "net/datagram_socket.h"
#include "net/discovery_protocol.h"

constexpr int DISCOVERY_FOUND_MAX           = 16;
constexpr uint32_t DISCOVERY_QUERY_EVERY_MS = 1000;
constexpr uint32_t DISCOVERY_FORGET_MS      = 3000; // silent this long: the game leaves the list
constexpr std::size_t PLAYERS_TEXT_SIZE     = 8;    // "255/255"

struct FoundGame {
    uint32_t hostingId;
    char name[DISCOVERY_NAME_SIZE]; // the host machine's
    char version[DISCOVERY_VERSION_SIZE];
    char arena[DISCOVERY_ARENA_SIZE]; // "" when the host told none
    char players[PLAYERS_TEXT_SIZE];  // "3/8"
    char address[ADDRESS_TEXT_SIZE];  // "a.b.c.d:port", ready to join
    uint32_t lastSeenMs;              // when the latest query it answered was sent
};

// Rounds remembered: a reply to an older one could only list a game about to be forgotten.
constexpr int DISCOVERY_NONCE_ROUNDS = 1 + DISCOVERY_FORGET_MS / DISCOVERY_QUERY_EVERY_MS;

struct QueryRound {
    bool sent;
    uint32_t nonce;
    uint32_t sentMs;
};

// One search for games: its socket, the nonces of the last few rounds of queries and a fixed
// table of games found.
struct DiscoveryBrowser {
    DatagramSocket socket                     = NO_DATAGRAM;
    int queryPort                             = DISCOVERY_PORT;
    QueryRound rounds[DISCOVERY_NONCE_ROUNDS] = {};
    int nextRound                             = 0;
    FoundGame found[DISCOVERY_FOUND_MAX]      = {};
    int foundCount                            = 0;
};

// Opens a socket on any free port; queries will go to udpPort. False with the reason
// written when no socket can be had.
bool discoveryBrowseOpen(DiscoveryBrowser& browser, int udpPort, char* reason,
                         std::size_t reasonSize);
// Sends a round of queries when one is due (the first call sends at once), reads the
// replies waiting and drops games silent too long. nowMs comes from the caller's clock.
void discoveryBrowse(DiscoveryBrowser& browser, uint32_t nowMs);
// Copies the games found, in the order they were first seen; returns how many.
int discoveryFoundGames(const DiscoveryBrowser& browser, FoundGame games[DISCOVERY_FOUND_MAX]);
// NO_DATAGRAM while closed; for datagramDescriptor()
DatagramSocket discoveryBrowseSocket(const DiscoveryBrowser& browser);
// Forgets the list too; harmless when nothing is open.
void discoveryBrowseClose(DiscoveryBrowser& browser);
