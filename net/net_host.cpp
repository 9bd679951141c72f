// The host: listening, one accept per frame into the lowest free slot, reading and relaying
// every peer's records, sending its own to every peer, dropping peers that fall silent.
#include "net/net_host.h"
#include "net/net.h"
#include "net/net_session.h"

ConnSlot connSlots[MAX_PLAYERS];
NetSocket peerSockets[MAX_PLAYERS] = {NO_SOCKET, NO_SOCKET, NO_SOCKET, NO_SOCKET,
                                      NO_SOCKET, NO_SOCKET, NO_SOCKET, NO_SOCKET};

namespace {
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

void readPeer(int i) {
    uint8_t record[NET_RECORD_SIZE];
    for (int n = 0; n < MAX_READS_PER_PEER; ++n) {
        if (!socketReadRecord(peerSockets[i], record)) return;
        connSlots[i].countdown = REFILL_COUNTDOWN;
        NetMessage msg         = decodeNetMessage(record);
        if (!speaksForItself(i, msg)) continue;
        applyNetMessage(msg);
        relay(i, record);
    }
}

void dropPeer(int j) {
    playerTable[j].slot = FREE_SLOT;
    connSlots[j].active = 0;
    socketClose(peerSockets[j]);
    peerSockets[j] = NO_SOCKET;
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
    for (NetSocket& s : peerSockets) {
        socketClose(s);
        s = NO_SOCKET;
    }
}

void netHostStart(char addressText[NET_ADDRESS_TEXT_SIZE]) {
    netShutdown();
    socketOpenNetwork();
    netSocket = socketListen(NET_PORT);
    netRole   = NetRole::HOST;
    socketLocalAddressText(NET_PORT, addressText, NET_ADDRESS_TEXT_SIZE);
}

void hostExchange() {
    acceptOne();
    for (int i = FIRST_PEER_SLOT; i < MAX_PLAYERS; ++i) {
        if (connSlots[i].active) readPeer(i);
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
