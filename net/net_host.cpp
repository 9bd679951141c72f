// The host: listening, one accept per frame into the lowest free slot, reading and relaying
// every peer's records, sending its own to every peer, dropping peers that fall silent.
#include "net/net_host.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "net/datagram_socket.h"
#include "net/discovery_responder.h"
#include "net/net_session.h"
#include "world/roster.h"

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

struct ChatBudget {
    bool running;
    uint32_t startMs;
    int given;
};
ChatBudget chatBudget[MAX_PLAYERS];

// What discovery replies tell of this hosting.
int hostPort = NET_PORT;
char hostName[DISCOVERY_NAME_SIZE];
char hostVersion[DISCOVERY_VERSION_SIZE];

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

void acceptOne() {
    NetSocket s = socketAccept(netSocket);
    if (s == NO_SOCKET) return;
    int i = lowestFreeSlot();
    if (i < 0) {
        writeControl(s, MSG_SERVER_FULL, 0);
        socketClose(s);
        return;
    }
    peerSockets[i] = s;
    forgetPlayerInfo(i);
    writeControl(s, MSG_WELCOME, i);
    connSlots[i].active    = 1;
    connSlots[i].countdown = FIRST_COUNTDOWN;
}

void relay(int from, const uint8_t record[NET_RECORD_SIZE]) {
    for (int j = FIRST_PEER_SLOT; j < MAX_PLAYERS; ++j) {
        if (j != from && connSlots[j].active) socketWriteRecord(peerSockets[j], record);
    }
}

bool namesAPlayer(int32_t type) {
    return type == MSG_STATE || type == MSG_ROCKET || type == MSG_PLAYER_INFO || type == MSG_CHAT;
}

// At most CHAT_RELAYS_PER_SECOND chat records a second from one peer go on; the rest are
// dropped, so nobody can flood the others' screens.
bool chatAllowed(int i, uint32_t nowMs) {
    ChatBudget& b = chatBudget[i];
    if (!b.running || nowMs - b.startMs >= CHAT_BUDGET_MS) b = ChatBudget{true, nowMs, 0};
    if (b.given >= CHAT_RELAYS_PER_SECOND) return false;
    ++b.given;
    return true;
}

// A peer speaks only for its own player; records of other kinds pass through untouched.
bool speaksForItself(int i, const NetMessage& msg, uint32_t nowMs) {
    int32_t type = netMessageType(msg);
    if (!namesAPlayer(type)) return true;
    if (netMessageSlot(msg) != i || !netMessageFitsTables(msg)) return false;
    return type != MSG_CHAT || chatAllowed(i, nowMs);
}

// Reads peer i up to its frame's cap. Each record it may pass on is relayed at once; it is
// applied now, or held for the next exchange while the frame waits.
void readPeer(int i, bool applyNow, uint32_t nowMs) {
    HeldRecords& h = held[i];
    uint8_t record[NET_RECORD_SIZE];
    while (h.reads < MAX_READS_PER_PEER && socketReadRecord(peerSockets[i], record)) {
        ++h.reads;
        connSlots[i].countdown = REFILL_COUNTDOWN;
        NetMessage msg         = decodeNetMessage(record);
        if (!speaksForItself(i, msg, nowMs)) continue;
        relay(i, record);
        if (applyNow) {
            applyNetMessage(msg, nowMs);
        } else {
            std::memcpy(h.record[h.count++], record, NET_RECORD_SIZE);
        }
    }
}

void applyHeld(int i, uint32_t nowMs) {
    HeldRecords& h = held[i];
    for (int n = 0; n < h.count; ++n)
        applyNetMessage(decodeNetMessage(h.record[n]), nowMs);
    h.count = 0;
}

int playersInUse() {
    int n = 1; // the host
    for (int i = FIRST_PEER_SLOT; i < MAX_PLAYERS; ++i)
        n += connSlots[i].active != 0;
    return n;
}

void answerDiscovery(uint32_t nowMs) {
    discoveryServe(nowMs, hostName, hostVersion, playersInUse(), hostPort);
}

bool cannotHost(const char* what, int port, int error, char problem[NET_ENDING_TEXT_SIZE]) {
    if (error == EADDRINUSE)
        std::snprintf(problem, NET_ENDING_TEXT_SIZE,
                      "%s port %d is in use: is another game hosting on this machine? Quit it, "
                      "or host on another port (voranis --host --port N).",
                      what, port);
    else
        std::snprintf(problem, NET_ENDING_TEXT_SIZE,
                      "%s port %d cannot be opened (%s): host on another port (voranis --host "
                      "--port N).",
                      what, port, std::strerror(error));
    return false;
}

void dropPeer(int j) {
    playerTable[j].slot = FREE_SLOT;
    connSlots[j].active = 0;
    socketClose(peerSockets[j]);
    peerSockets[j] = NO_SOCKET;
    held[j]        = HeldRecords{};
    chatBudget[j]  = ChatBudget{};
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

void hostServeDiscovery(uint32_t nowMs) {
    answerDiscovery(nowMs);
}

void hostClose() {
    discoveryServeClose();
}

void hostExchange(uint32_t nowMs) {
    answerDiscovery(nowMs);
    acceptOne();
    for (int i = FIRST_PEER_SLOT; i < MAX_PLAYERS; ++i) {
        if (!connSlots[i].active) continue;
        applyHeld(i, nowMs);
        readPeer(i, true, nowMs);
        held[i].reads = 0;
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
        if (connSlots[i].active) readPeer(i, false, nowMs);
    }
    answerDiscovery(nowMs);
}
