// The host: listening, one accept per step into the lowest free slot, reading and relaying
// every peer's records, sending its own to every peer, dropping peers that fall silent.
#include "net/net_host.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "net/datagram_socket.h"
#include "net/discovery_responder.h"
#include "net/record_rules.h"
#include "net/record_words.h"
#include "world/world_state.h"

namespace {
void writeControl(NetSocket s, int32_t type, int32_t slot) {
    uint8_t record[NET_RECORD_SIZE];
    encodeNetMessage(makeControlMessage(type, slot), record);
    socketWriteRecord(s, record);
}

int lowestFreeSlot(const HostState& host) {
    for (int i = FIRST_PEER_SLOT; i < MAX_PLAYERS; ++i) {
        if (!host.connSlots[i].active) return i;
    }
    return -1;
}

void acceptOne(NetSession& session, WorldState& world) {
    HostState& host = session.host;
    NetSocket s     = socketAccept(session.socket);
    if (s == NO_SOCKET) return;
    int i = lowestFreeSlot(host);
    if (i < 0) {
        writeControl(s, MSG_SERVER_FULL, 0);
        socketClose(s);
        return;
    }
    host.peerSockets[i] = s;
    hostTakeSlot(session, world, i);
    writeControl(s, MSG_WELCOME, i);
    host.connSlots[i].active    = 1;
    host.connSlots[i].countdown = FIRST_COUNTDOWN;
}

void relay(const HostState& host, int from, const uint8_t record[NET_RECORD_SIZE]) {
    for (int j = FIRST_PEER_SLOT; j < MAX_PLAYERS; ++j) {
        if (j != from && host.connSlots[j].active) socketWriteRecord(host.peerSockets[j], record);
    }
}

// A type's budget for this second; the records past it are dropped.
bool withinBudget(HostState& host, int i, int rule, uint32_t nowMs) {
    RecordBudget& b = host.budget[i];
    if (!b.running || nowMs - b.startMs >= RECORD_BUDGET_MS) b = RecordBudget{true, nowMs, {}};
    if (b.given[rule] >= RECORD_RULES[rule].perSecond) return false;
    ++b.given[rule];
    return true;
}

// What the host passes on from peer i, by the type's row: records of unknown types go through
// untouched, a peer speaks only for its own player, never as the host, and within its budget.
bool mayPassOn(HostState& host, int i, const NetMessage& msg, uint32_t nowMs) {
    const int rule = recordRuleIndex(netMessageType(msg));
    if (rule < 0) return true;
    const RecordRule& r = RECORD_RULES[rule];
    if (r.sender == RecordSender::HOST_ONLY) return false;
    if (r.sender == RecordSender::OWN_SLOT && (netMessageSlot(msg) != i || !r.fits(msg)))
        return false;
    return r.perSecond == 0 || withinBudget(host, i, rule, nowMs);
}

// Reads peer i up to its step's cap. Each record it may pass on is relayed at once; it is
// applied now, or held for the next exchange while the step waits.
void readPeer(NetSession& session, int i, WorldState* applyNow, uint32_t nowMs) {
    HostState& host = session.host;
    HeldRecords& h  = host.held[i];
    uint8_t record[NET_RECORD_SIZE];
    while (h.reads < MAX_READS_PER_PEER && socketReadRecord(host.peerSockets[i], record)) {
        ++h.reads;
        host.connSlots[i].countdown = REFILL_COUNTDOWN;
        NetMessage msg              = decodeNetMessage(record);
        if (!mayPassOn(host, i, msg, nowMs)) continue;
        relay(host, i, record);
        if (applyNow) {
            hostApplyRecord(session, *applyNow, msg, nowMs);
        } else {
            std::memcpy(h.record[h.count++], record, NET_RECORD_SIZE);
        }
    }
}

void applyHeld(NetSession& session, WorldState& world, int i, uint32_t nowMs) {
    HeldRecords& h = session.host.held[i];
    for (int n = 0; n < h.count; ++n)
        hostApplyRecord(session, world, decodeNetMessage(h.record[n]), nowMs);
    h.count = 0;
}

int playersInUse(const HostState& host) {
    int n = host.hasShip ? 1 : 0;
    for (int i = FIRST_PEER_SLOT; i < MAX_PLAYERS; ++i)
        n += host.connSlots[i].active != 0;
    return n;
}

void answerDiscovery(NetSession& session, uint32_t nowMs) {
    const HostState& host = session.host;
    // A dedicated server holds one player fewer: slot 0 is its own, with no ship.
    const int capacity = host.hasShip ? MAX_PLAYERS : MAX_PLAYERS - FIRST_PEER_SLOT;
    discoveryServe(session.responder, nowMs, host.name, host.version, playersInUse(host), host.port,
                   host.arena, capacity);
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

void dropPeer(HostState& host, int j) {
    host.droppedSlots |= 1u << j;
    host.connSlots[j].active = 0;
    socketClose(host.peerSockets[j]);
    host.peerSockets[j] = NO_SOCKET;
    host.held[j]        = HeldRecords{};
    host.budget[j]      = RecordBudget{};
}
} // namespace

void hostApplyRecord(NetSession& session, WorldState& world, const NetMessage& msg,
                     uint32_t nowMs) {
    tellExchange(session.tap, ExchangeEvent::RECEIVED, netMessageSlot(msg), 0, &msg);
    applyNetMessage(world, session.assembly, msg, nowMs);
    if (netMessageType(msg) == MSG_STATE && netMessageFitsTables(msg))
        countStateKill(world, netMessageSlot(msg), bitsInt(msg.word[W_KILLER]),
                       bitsInt(msg.word[W_HEALTH]));
}

void hostTakeSlot(NetSession& session, WorldState& world, int32_t slot) {
    if (!isValidSlot(slot)) return;
    tellExchange(session.tap, ExchangeEvent::WELCOMED, slot, 0, nullptr);
    forgetPlayerInfo(world.roster, slot);
    session.host.welcomedSlots |= 1u << slot;
}

void closeHostPeers(NetSession& session) {
    HostState& host = session.host;
    for (int i = 0; i < MAX_PLAYERS; ++i) {
        socketClose(host.peerSockets[i]);
        host.peerSockets[i] = NO_SOCKET;
        host.held[i]        = HeldRecords{};
    }
}

bool hostOpen(NetSession& session, int port, const char* version,
              char addressText[NET_ADDRESS_TEXT_SIZE], char problem[NET_ENDING_TEXT_SIZE]) {
    socketOpenNetwork();
    socketLocalAddressText(port, addressText, NET_ADDRESS_TEXT_SIZE);
    int error      = 0;
    session.socket = socketListen(port, &error);
    if (session.socket == NO_SOCKET) return cannotHost("TCP", port, error, problem);
    char reason[DISCOVERY_REASON_SIZE];
    if (!discoveryServeOpen(session.responder, DISCOVERY_PORT, reason, sizeof reason)) {
        std::snprintf(problem, NET_ENDING_TEXT_SIZE,
                      "%s: players on the network could not find this game. Quit the program "
                      "that holds it.",
                      reason);
        return false;
    }
    HostState& host = session.host;
    session.role    = NetRole::HOST;
    host.port       = port;
    datagramHostName(host.name, sizeof host.name);
    std::snprintf(host.version, sizeof host.version, "%s", version);
    return true;
}

void hostTellArena(NetSession& session, const char* name) {
    std::snprintf(session.host.arena, sizeof session.host.arena, "%s", name);
}

void hostServeDiscovery(NetSession& session, uint32_t nowMs) {
    answerDiscovery(session, nowMs);
}

void hostClose(NetSession& session) {
    discoveryServeClose(session.responder);
    session.host.hasShip = true;
}

void hostAsServer(NetSession& session, const char* name) {
    session.host.hasShip = false;
    std::snprintf(session.host.name, sizeof session.host.name, "%s", name);
}

bool hostPeerAddress(const NetSession& session, int i, char text[NET_ADDRESS_TEXT_SIZE]) {
    if (i < FIRST_PEER_SLOT || i >= MAX_PLAYERS || !session.host.connSlots[i].active) {
        std::snprintf(text, NET_ADDRESS_TEXT_SIZE, "?");
        return false;
    }
    return socketPeerAddressText(session.host.peerSockets[i], text, NET_ADDRESS_TEXT_SIZE);
}

uint32_t hostTakeLeftSlots(NetSession& session) {
    const uint32_t left    = session.host.leftSlots;
    session.host.leftSlots = 0;
    return left;
}

void hostExchange(NetSession& session, WorldState& world, uint32_t nowMs) {
    HostState& host      = session.host;
    const uint32_t freed = hostFreeDroppedSlots(session, world);
    if (freed != 0) tellExchange(session.tap, ExchangeEvent::FREED, 0, freed, nullptr);
    answerDiscovery(session, nowMs);
    acceptOne(session, world);
    for (int i = FIRST_PEER_SLOT; i < MAX_PLAYERS; ++i) {
        if (!host.connSlots[i].active) continue;
        applyHeld(session, world, i, nowMs);
        readPeer(session, i, &world, nowMs);
        host.held[i].reads = 0;
        // A peer that closed its end has left: its slot is free at once, not after the
        // silence count.
        if (socketEndError(host.peerSockets[i]) >= 0) {
            host.leftSlots |= 1u << i;
            dropPeer(host, i);
        }
    }
}

void hostSend(NetSession& session, const uint8_t record[NET_RECORD_SIZE]) {
    HostState& host = session.host;
    for (int j = FIRST_PEER_SLOT; j < MAX_PLAYERS; ++j) {
        if (!host.connSlots[j].active) continue;
        socketWriteRecord(host.peerSockets[j], record);
        host.connSlots[j].countdown -= 1;
        if (host.connSlots[j].countdown <= 0) dropPeer(host, j);
    }
}

void hostSendTo(NetSession& session, int32_t slot, const uint8_t record[NET_RECORD_SIZE]) {
    const HostState& host = session.host;
    if (slot < FIRST_PEER_SLOT || slot >= MAX_PLAYERS || !host.connSlots[slot].active) return;
    socketWriteRecord(host.peerSockets[slot], record);
}

uint32_t hostTakeWelcomedSlots(NetSession& session) {
    const uint32_t welcomed    = session.host.welcomedSlots;
    session.host.welcomedSlots = 0;
    return welcomed;
}

void hostWait(NetSession& session, uint32_t nowMs, uint32_t microseconds) {
    const HostState& host = session.host;
    NetSocket watched[MAX_PLAYERS];
    int count = 0;
    for (int i = FIRST_PEER_SLOT; i < MAX_PLAYERS; ++i) {
        if (host.connSlots[i].active && host.held[i].reads < MAX_READS_PER_PEER)
            watched[count++] = host.peerSockets[i];
    }
    const int discovery = datagramDescriptor(discoveryServeSocket(session.responder));
    if (!socketWait(watched, count, &discovery, 1, microseconds)) return;
    for (int i = FIRST_PEER_SLOT; i < MAX_PLAYERS; ++i) {
        if (host.connSlots[i].active) readPeer(session, i, nullptr, nowMs);
    }
    answerDiscovery(session, nowMs);
}

uint32_t hostFreeDroppedSlots(NetSession& session, WorldState& world) {
    const uint32_t dropped = session.host.droppedSlots;
    for (int j = 0; j < MAX_PLAYERS; ++j) {
        if (dropped & (1u << j)) world.players[j].slot = FREE_SLOT;
    }
    session.host.droppedSlots = 0;
    return dropped;
}
