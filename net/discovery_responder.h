// The host's side of finding games: answers queries on the discovery port, never more than
// the budget below, whatever arrives.
#pragma once

#include <cstddef>
#include <cstdint>

#include "net/datagram_socket.h"
#include "net/discovery_protocol.h"
#include "world/tables.h"

constexpr int DISCOVERY_REPLIES_PER_SOURCE = 10;   // in one second, to one address
constexpr int DISCOVERY_REPLIES_PER_SECOND = 100;  // in one second, in all
constexpr uint32_t DISCOVERY_BUDGET_MS     = 1000; // the budgets' second
constexpr int DISCOVERY_READS_PER_SERVE    = 32;   // per call, so a flood cannot stall a step

// Replies given since the budget's second began; it begins at the first query after the
// last one ended. Every address answered has a place, so the table never runs out.
struct ReplyBudget {
    bool running;
    uint32_t startMs;
    int total;
    int sources;
    uint32_t source[DISCOVERY_REPLIES_PER_SECOND];
    int given[DISCOVERY_REPLIES_PER_SECOND];
};

// One hosting's answering: its socket, its id and what it answered in the current second.
struct DiscoveryResponder {
    DatagramSocket socket = NO_DATAGRAM;
    uint32_t hostingId    = 0;
    ReplyBudget budget    = {};
};

// Opens the UDP port (address reuse: other games on this machine may answer on it too) and
// draws this hosting's id. False with the reason written when the port cannot be had; the
// game can still be hosted and joined by address.
bool discoveryServeOpen(DiscoveryResponder& responder, int udpPort, char* reason,
                        std::size_t reasonSize);
// Answers the queries waiting now. nowMs comes from the caller's clock; call it every step.
// arena: the name of the arena played, "" for none told; capacity: the players the game
// holds, the host's own included (a dedicated server has none).
void discoveryServe(DiscoveryResponder& responder, uint32_t nowMs, const char* hostName,
                    const char* version, int playersInUse, int tcpPort, const char* arena = "",
                    int capacity = MAX_PLAYERS);
DatagramSocket discoveryServeSocket(
    const DiscoveryResponder& responder); // NO_DATAGRAM while closed; for datagramDescriptor()
void discoveryServeClose(DiscoveryResponder& responder); // harmless when nothing is open
