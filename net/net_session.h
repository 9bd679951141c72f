// Everything the network keeps between calls, as one value: each program owns one beside its
// world and hands it to every network call. Closing what is open and assigning a fresh
// NetSession{} starts over (netShutdown does both).
#pragma once

#include <cstdint>

#include "net/discovery_browser.h"
#include "net/discovery_responder.h"
#include "net/join_address.h"
#include "net/name_lookup.h"
#include "net/net.h"
#include "net/record_rules.h"
#include "net/socket_layer.h"
#include "world/tables.h"

enum class NetRole { NONE, HOST, JOINER };

constexpr int32_t RESET_COUNTDOWN = 500;

struct ConnSlot {
    int32_t active    = 0;               // 1 while a peer holds the slot
    int32_t countdown = RESET_COUNTDOWN; // records the host may still send before it gives up
};

constexpr int MAX_READS_PER_PEER = 64; // per step, so one peer cannot stall the host

// Records a peer sent while the host waited out its step: relayed at once, applied at the
// next exchange, so the host's own world sees them exactly when it would have read them.
struct HeldRecords {
    int reads; // records read from the peer since the last exchange, the held ones included
    int count;
    uint8_t record[MAX_READS_PER_PEER][NET_RECORD_SIZE];
};

// How many records of each rate-limited type one peer has had passed on this second.
struct RecordBudget {
    bool running;
    uint32_t startMs;
    int given[RECORD_RULES_MAX];
};

enum class JoinStage { NONE, BAD_ADDRESS, LOOKING_UP, CONNECTING, PLAYING };

// The joiner's side: the game being joined and the waits for it.
struct JoinState {
    JoinStage stage                       = JoinStage::NONE;
    AddressProblem badAddress             = AddressProblem::NONE;
    JoinAddress target                    = {};
    char typedText[NET_ADDRESS_TEXT_SIZE] = {};
    bool waiting                          = false; // an exchange has begun the wait for the welcome
    uint32_t waitStart                    = 0;
    uint32_t welcomedAt                   = 0;
    // Steps left before the host counts as silent; 0 at start-up, wraps below 0 on purpose.
    uint32_t globalTimeout = 0;
    NameLookup lookup      = {};
};

static_assert(MAX_PLAYERS == 8, "peerSockets below starts with one NO_SOCKET a slot");

// The host's side: its peers, what it holds and counts for each, and what discovery tells.
struct HostState {
    ConnSlot connSlots[MAX_PLAYERS]      = {};
    NetSocket peerSockets[MAX_PLAYERS]   = {NO_SOCKET, NO_SOCKET, NO_SOCKET, NO_SOCKET,
                                            NO_SOCKET, NO_SOCKET, NO_SOCKET, NO_SOCKET};
    HeldRecords held[MAX_PLAYERS]        = {};
    RecordBudget budget[MAX_PLAYERS]     = {};
    uint32_t droppedSlots                = 0;    // one bit a slot, until the world hears of it
    uint32_t leftSlots                   = 0;    // of those, the peers that closed their connection
    uint32_t welcomedSlots               = 0;    // one bit a slot, until the step sends the arena
    bool hasShip                         = true; // false on a dedicated server
    int port                             = NET_PORT;
    char name[DISCOVERY_NAME_SIZE]       = {};
    char version[DISCOVERY_VERSION_SIZE] = {};
    char arena[DISCOVERY_ARENA_SIZE]     = {}; // what the games list shows of this hosting
};

// What an exchange does to the world, told as it happens (to a recording).
enum class ExchangeEvent : uint8_t {
    FREED,    // the host freed the slots in mask
    WELCOMED, // the host gave slot to a new peer
    RECEIVED, // a record applied: from the peer in slot (host), or from the host (joiner)
    JOINED,   // the host's welcome gave this joiner slot
};

struct ExchangeTap {
    void (*told)(ExchangeEvent event, int32_t slot, uint32_t mask, const NetMessage* record,
                 void* context); // null: nothing told
    void* context;
};

inline void tellExchange(const ExchangeTap& tap, ExchangeEvent event, int32_t slot, uint32_t mask,
                         const NetMessage* record) {
    if (tap.told) tap.told(event, slot, mask, record, tap.context);
}

struct NetSession {
    NetRole role     = NetRole::NONE;
    NetSocket socket = NO_SOCKET; // host: the listener; joiner: the connection to the host
    HostState host;
    JoinState join;
    DiscoveryResponder responder; // the host's answers to games lists
    DiscoveryBrowser browser;     // the set-up dialog's games list
    RecordAssembly assembly;      // chat lines and the host's arena, arriving in parts
    ExchangeTap tap;              // set after the session starts; a fresh session has none
};
