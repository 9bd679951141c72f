// The host: listening, one accept per frame into the lowest free slot, reading and relaying
// every peer's records, sending its own to every peer, dropping peers that fall silent.
#include "net/net_host.h"

#include <cstring>

#include "net/net_session.h"

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
    writeControl(s, MSG_WELCOME, i);
    connSlots[i].active    = 1;
    connSlots[i].countdown = FIRST_COUNTDOWN;
}

void relay(int from, const uint8_t record[NET_RECORD_SIZE]) {
    for (int j = FIRST_PEER_SLOT; j < MAX_PLAYERS; ++j) {
        if (j != from && connSlots[j].active) socketWriteRecord(peerSockets[j], record);
    }
}

// A peer speaks only for its own player; records of other kinds pass through untouched.
bool speaksForItself(int i, const NetMessage& msg) {
    int32_t type = netMessageType(msg);
    if (type != MSG_STATE && type != MSG_ROCKET) return true;
    return netMessageSlot(msg) == i && netMessageFitsTables(msg);
}

// Reads peer i up to its frame's cap. Each record it may pass on is relayed at once; it is
// applied now, or held for the next exchange while the frame waits.
void readPeer(int i, bool applyNow) {
    HeldRecords& h = held[i];
    uint8_t record[NET_RECORD_SIZE];
    while (h.reads < MAX_READS_PER_PEER && socketReadRecord(peerSockets[i], record)) {
        ++h.reads;
        connSlots[i].countdown = REFILL_COUNTDOWN;
        NetMessage msg         = decodeNetMessage(record);
        if (!speaksForItself(i, msg)) continue;
        relay(i, record);
        if (applyNow) {
            applyNetMessage(msg);
        } else {
            std::memcpy(h.record[h.count++], record, NET_RECORD_SIZE);
        }
    }
}

void applyHeld(int i) {
    HeldRecords& h = held[i];
    for (int n = 0; n < h.count; ++n)
        applyNetMessage(decodeNetMessage(h.record[n]));
    h.count = 0;
}

void dropPeer(int j) {
    playerTable[j].slot = FREE_SLOT;
    connSlots[j].active = 0;
    socketClose(peerSockets[j]);
    peerSockets[j] = NO_SOCKET;
    held[j]        = HeldRecords{};
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

void hostOpen(char addressText[NET_ADDRESS_TEXT_SIZE]) {
    socketOpenNetwork();
    netSocket = socketListen(NET_PORT);
    netRole   = NetRole::HOST;
    socketLocalAddressText(NET_PORT, addressText, NET_ADDRESS_TEXT_SIZE);
}

void hostExchange() {
    acceptOne();
    for (int i = FIRST_PEER_SLOT; i < MAX_PLAYERS; ++i) {
        if (!connSlots[i].active) continue;
        applyHeld(i);
        readPeer(i, true);
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

void hostWait(uint32_t milliseconds) {
    NetSocket watched[MAX_PLAYERS];
    int count = 0;
    for (int i = FIRST_PEER_SLOT; i < MAX_PLAYERS; ++i) {
        if (connSlots[i].active && held[i].reads < MAX_READS_PER_PEER)
            watched[count++] = peerSockets[i];
    }
    if (!socketWait(watched, count, milliseconds)) return;
    for (int i = FIRST_PEER_SLOT; i < MAX_PLAYERS; ++i) {
        if (connSlots[i].active) readPeer(i, false);
    }
}
