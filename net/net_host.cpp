// The host: listening, one accept per frame into the lowest free slot, reading and relaying
// every peer's records, sending its own to every peer, dropping peers that fall silent.
#include "net/net_host.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "net/datagram_socket.h"
#include "net/discovery_responder.h"
#include "net/net_session.h"
#include "net/record_rules.h"
#include "net/record_words.h"
#include "world/world_state.h"

ConnSlot connSlots[MAX_PLAYERS];
NetSocket peerSockets[MAX_PLAYERS] = {NO_SOCKET, NO_SOCKET, NO_SOCKET, NO_SOCKET,
                                      NO_SOCKET, NO_SOCKET, NO_SOCKET, NO_SOCKET};

namespace {
// Records a peer sent while the host waited out its frame: relayed at once, applied at the
// next exchange, so the host's own world sees them exactly when it would have read them.
struct HeldRecords {
    int reads; // records read from the peer since the last exchange, the held ones included
    int count;
    uint8_t record[MAX_READS_PER_PEER][NET_RECORD_SIZE];
};

HeldRecords held[MAX_PLAYERS];

// How many records of each rate-limited type one peer has had passed on this second.
struct RecordBudget {
    bool running;
    uint32_t startMs;
    int given[RECORD_RULES_MAX];
};
RecordBudget budget[MAX_PLAYERS];

uint32_t droppedSlots  = 0;    // one bit a slot, until the world hears of it
uint32_t leftSlots     = 0;    // of those, the peers that closed their connection
uint32_t welcomedSlots = 0;    // one bit a slot, until the host's step sends them the arena
bool hostHasShip       = true; // false on a dedicated server

// What discovery replies tell of this hosting.
int hostPort = NET_PORT;
char hostName[DISCOVERY_NAME_SIZE];
char hostVersion[DISCOVERY_VERSION_SIZE];
char hostArena[DISCOVERY_ARENA_SIZE]; // what the games list shows of this hosting

void writeControl(NetSocket s, int32_t type, int32_t slot) {
    uint8_t record[NET_RECORD_SIZE];
    encodeNetMessage(makeControlMessage(type, slot), record);
    socketWriteRecord(s, record);
}

int lowestFreeSlot() {
    for (int i = FIRST_PEER_SLOT; i < MAX_PLAYERS; ++i) {
        if (!connSlots[i].active) return i;
    }
    return -1;
}

void acceptOne(WorldState& world) {
    NetSocket s = socketAccept(netSocket);
    if (s == NO_SOCKET) return;
    int i = lowestFreeSlot();
    if (i < 0) {
        writeControl(s, MSG_SERVER_FULL, 0);
        socketClose(s);
        return;
    }
    peerSockets[i] = s;
    forgetPlayerInfo(world.roster, i);
    writeControl(s, MSG_WELCOME, i);
    welcomedSlots |= 1u << i;
    connSlots[i].active    = 1;
    connSlots[i].countdown = FIRST_COUNTDOWN;
}

void relay(int from, const uint8_t record[NET_RECORD_SIZE]) {
    for (int j = FIRST_PEER_SLOT; j < MAX_PLAYERS; ++j) {
        if (j != from && connSlots[j].active) socketWriteRecord(peerSockets[j], record);
    }
}

// A type's budget for this second; the records past it are dropped.
bool withinBudget(int i, int rule, uint32_t nowMs) {
    RecordBudget& b = budget[i];
    if (!b.running || nowMs - b.startMs >= RECORD_BUDGET_MS) b = RecordBudget{true, nowMs, {}};
    if (b.given[rule] >= RECORD_RULES[rule].perSecond) return false;
    ++b.given[rule];
    return true;
}

// What the host passes on from peer i, by the type's row: records of unknown types go through
// untouched, a peer speaks only for its own player, never as the host, and within its budget.
bool mayPassOn(int i, const NetMessage& msg, uint32_t nowMs) {
    const int rule = recordRuleIndex(netMessageType(msg));
    if (rule < 0) return true;
    const RecordRule& r = RECORD_RULES[rule];
    if (r.sender == RecordSender::HOST_ONLY) return false;
    if (r.sender == RecordSender::OWN_SLOT && (netMessageSlot(msg) != i || !r.fits(msg)))
        return false;
    return r.perSecond == 0 || withinBudget(i, rule, nowMs);
}

// Kills are counted here, where every peer's accepted state record is applied, from the
// victim's own record.
void hostApply(WorldState& world, const NetMessage& msg, uint32_t nowMs) {
    applyNetMessage(world, msg, nowMs);
    if (netMessageType(msg) == MSG_STATE && netMessageFitsTables(msg))
        countStateKill(world, netMessageSlot(msg), bitsInt(msg.word[W_KILLER]),
                       bitsInt(msg.word[W_HEALTH]));
}

// Reads peer i up to its frame's cap. Each record it may pass on is relayed at once; it is
// applied now, or held for the next exchange while the frame waits.
void readPeer(int i, WorldState* applyNow, uint32_t nowMs) {
    HeldRecords& h = held[i];
    uint8_t record[NET_RECORD_SIZE];
    while (h.reads < MAX_READS_PER_PEER && socketReadRecord(peerSockets[i], record)) {
        ++h.reads;
        connSlots[i].countdown = REFILL_COUNTDOWN;
        NetMessage msg         = decodeNetMessage(record);
        if (!mayPassOn(i, msg, nowMs)) continue;
        relay(i, record);
        if (applyNow) {
            hostApply(*applyNow, msg, nowMs);
        } else {
            std::memcpy(h.record[h.count++], record, NET_RECORD_SIZE);
        }
    }
}

void applyHeld(WorldState& world, int i, uint32_t nowMs) {
    HeldRecords& h = held[i];
    for (int n = 0; n < h.count; ++n)
        hostApply(world, decodeNetMessage(h.record[n]), nowMs);
    h.count = 0;
}

int playersInUse() {
    int n = hostHasShip ? 1 : 0;
    for (int i = FIRST_PEER_SLOT; i < MAX_PLAYERS; ++i)
        n += connSlots[i].active != 0;
    return n;
}

void answerDiscovery(uint32_t nowMs) {
    // A dedicated server holds one player fewer: slot 0 is its own, with no ship.
    const int capacity = hostHasShip ? MAX_PLAYERS : MAX_PLAYERS - FIRST_PEER_SLOT;
    discoveryServe(nowMs, hostName, hostVersion, playersInUse(), hostPort, hostArena, capacity);
}

bool cannotHost(const char* what, int port, int error, char problem[NET_ENDING_TEXT_SIZE]) {
    if (error == EADDRINUSE)
        std::snprintf(problem, NET_ENDING_TEXT_SIZE,
                      "%s port %d is in use: is another game hosting on this machine? Quit it, "
                      "or host on another port (--port N).",
                      what, port);
    else
        std::snprintf(problem, NET_ENDING_TEXT_SIZE,
                      "%s port %d cannot be opened (%s): host on another port (--port N).", what,
                      port, std::strerror(error));
    return false;
}

void dropPeer(int j) {
    droppedSlots |= 1u << j;
    connSlots[j].active = 0;
    socketClose(peerSockets[j]);
    peerSockets[j] = NO_SOCKET;
    held[j]        = HeldRecords{};
    budget[j]      = RecordBudget{};
}
} // namespace

void resetConnSlots() {
    closeHostPeers();
    for (ConnSlot& c : connSlots) {
        c.active    = 0;
        c.countdown = RESET_COUNTDOWN;
    }
}

void closeHostPeers() {
    for (int i = 0; i < MAX_PLAYERS; ++i) {
        socketClose(peerSockets[i]);
        peerSockets[i] = NO_SOCKET;
        held[i]        = HeldRecords{};
    }
}

bool hostOpen(int port, const char* version, char addressText[NET_ADDRESS_TEXT_SIZE],
              char problem[NET_ENDING_TEXT_SIZE]) {
    socketOpenNetwork();
    socketLocalAddressText(port, addressText, NET_ADDRESS_TEXT_SIZE);
    int error = 0;
    netSocket = socketListen(port, &error);
    if (netSocket == NO_SOCKET) return cannotHost("TCP", port, error, problem);
    char reason[DISCOVERY_REASON_SIZE];
    if (!discoveryServeOpen(DISCOVERY_PORT, reason, sizeof reason)) {
        std::snprintf(problem, NET_ENDING_TEXT_SIZE,
                      "%s: players on the network could not find this game. Quit the program "
                      "that holds it.",
                      reason);
        return false;
    }
    netRole  = NetRole::HOST;
    hostPort = port;
    datagramHostName(hostName, sizeof hostName);
    std::snprintf(hostVersion, sizeof hostVersion, "%s", version);
    return true;
}

void hostTellArena(const char* name) {
    std::snprintf(hostArena, sizeof hostArena, "%s", name);
}

void hostServeDiscovery(uint32_t nowMs) {
    answerDiscovery(nowMs);
}

void hostClose() {
    discoveryServeClose();
    hostHasShip = true;
}

void hostAsServer(const char* name) {
    hostHasShip = false;
    std::snprintf(hostName, sizeof hostName, "%s", name);
}

bool hostPeerAddress(int i, char text[NET_ADDRESS_TEXT_SIZE]) {
    if (i < FIRST_PEER_SLOT || i >= MAX_PLAYERS || !connSlots[i].active) {
        std::snprintf(text, NET_ADDRESS_TEXT_SIZE, "?");
        return false;
    }
    return socketPeerAddressText(peerSockets[i], text, NET_ADDRESS_TEXT_SIZE);
}

uint32_t hostTakeLeftSlots() {
    const uint32_t left = leftSlots;
    leftSlots           = 0;
    return left;
}

void hostExchange(WorldState& world, uint32_t nowMs) {
    hostFreeDroppedSlots(world);
    answerDiscovery(nowMs);
    acceptOne(world);
    for (int i = FIRST_PEER_SLOT; i < MAX_PLAYERS; ++i) {
        if (!connSlots[i].active) continue;
        applyHeld(world, i, nowMs);
        readPeer(i, &world, nowMs);
        held[i].reads = 0;
        // A peer that closed its end has left: its slot is free at once, not after the
        // silence count.
        if (socketEndError(peerSockets[i]) >= 0) {
            leftSlots |= 1u << i;
            dropPeer(i);
        }
    }
}

void hostSend(const uint8_t record[NET_RECORD_SIZE]) {
    for (int j = FIRST_PEER_SLOT; j < MAX_PLAYERS; ++j) {
        if (!connSlots[j].active) continue;
        socketWriteRecord(peerSockets[j], record);
        connSlots[j].countdown -= 1;
        if (connSlots[j].countdown <= 0) dropPeer(j);
    }
}

void hostSendTo(int32_t slot, const uint8_t record[NET_RECORD_SIZE]) {
    if (slot < FIRST_PEER_SLOT || slot >= MAX_PLAYERS || !connSlots[slot].active) return;
    socketWriteRecord(peerSockets[slot], record);
}

uint32_t hostTakeWelcomedSlots() {
    const uint32_t welcomed = welcomedSlots;
    welcomedSlots           = 0;
    return welcomed;
}

void hostWait(uint32_t nowMs, uint32_t microseconds) {
    NetSocket watched[MAX_PLAYERS];
    int count = 0;
    for (int i = FIRST_PEER_SLOT; i < MAX_PLAYERS; ++i) {
        if (connSlots[i].active && held[i].reads < MAX_READS_PER_PEER)
            watched[count++] = peerSockets[i];
    }
    const int discovery = datagramDescriptor(discoveryServeSocket());
    if (!socketWait(watched, count, &discovery, 1, microseconds)) return;
    for (int i = FIRST_PEER_SLOT; i < MAX_PLAYERS; ++i) {
        if (connSlots[i].active) readPeer(i, nullptr, nowMs);
    }
    answerDiscovery(nowMs);
}

uint32_t hostFreeDroppedSlots(WorldState& world) {
    const uint32_t dropped = droppedSlots;
    for (int j = 0; j < MAX_PLAYERS; ++j) {
        if (dropped & (1u << j)) world.players[j].slot = FREE_SLOT;
    }
    droppedSlots = 0;
    return dropped;
}
