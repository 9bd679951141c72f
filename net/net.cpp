// The entry points the main loop calls, each handed to the host's or the joiner's side, and
// the network side of shutdown.
#include "net/net.h"

#include "net/arena_use.h"
#include "net/net_host.h"
#include "net/net_join.h"
#include "net/net_session.h"

bool netHostStart(int port, const char* version, char addressText[NET_ADDRESS_TEXT_SIZE],
                  char problem[NET_ENDING_TEXT_SIZE]) {
    netShutdown();
    return hostOpen(port, version, addressText, problem);
}

void netJoinStart(const char* typed, int defaultPort) {
    netShutdown();
    joinOpen(typed, defaultPort);
}

void netServeDiscovery(uint32_t nowMs) {
    if (netRole == NetRole::HOST) hostServeDiscovery(nowMs);
}

void netJoinTarget(char text[NET_ADDRESS_TEXT_SIZE]) {
    joinTarget(text);
}

NetEnding netExchange(WorldState& world, int32_t isServer, uint32_t nowMs) {
    if (isServer) {
        hostExchange(world, nowMs);
        return NetEnding{};
    }
    return joinExchange(world, nowMs);
}

uint32_t netFreeDroppedSlots(WorldState& world) {
    return hostFreeDroppedSlots(world);
}

void netSend(const NetMessage& msg) {
    uint8_t record[NET_RECORD_SIZE];
    encodeNetMessage(msg, record);
    if (netRole == NetRole::HOST) hostSend(record);
    if (netRole == NetRole::JOINER) joinSend(record);
}

void netSendTo(int32_t slot, const NetMessage& msg) {
    uint8_t record[NET_RECORD_SIZE];
    encodeNetMessage(msg, record);
    if (netRole == NetRole::HOST) hostSendTo(slot, record);
}

void netTellArena(const char* name) {
    hostTellArena(name);
}

uint32_t netTakeWelcomedSlots() {
    return netRole == NetRole::HOST ? hostTakeWelcomedSlots() : 0;
}

NetEnding checkGlobalTimeout() {
    return joinCheckSilence();
}

void netWait(uint32_t nowMs, uint32_t microseconds) {
    if (netRole == NetRole::HOST) {
        hostWait(nowMs, microseconds);
    } else {
        socketWait(nullptr, 0, nullptr, 0, microseconds);
    }
}

// No farewell record: the host notices a departure through its countdown. Safe to repeat.
void netShutdown() {
    closeHostPeers();
    hostClose();
    socketCloseAll();
    netSocket = NO_SOCKET;
    netRole   = NetRole::NONE;
    joinReset();
    resetArenaReceiving();
}

void netHostAsServer(const char* name) {
    hostAsServer(name);
}

bool netPeerAddress(int slot, char text[NET_ADDRESS_TEXT_SIZE]) {
    return hostPeerAddress(slot, text);
}

uint32_t netTakeLeftSlots() {
    return hostTakeLeftSlots();
}
