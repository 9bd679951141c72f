// The entry points the main loop calls, each handed to the host's or the joiner's side, and
// the network side of shutdown.
#include "net/net.h"

#include "net/net_host.h"
#include "net/net_join.h"
#include "net/net_session.h"

bool netHostStart(NetSession& session, int port, const char* version,
                  char addressText[NET_ADDRESS_TEXT_SIZE], char problem[NET_ENDING_TEXT_SIZE]) {
    netShutdown(session);
    return hostOpen(session, port, version, addressText, problem);
}

void netJoinStart(NetSession& session, const char* typed, int defaultPort) {
    netShutdown(session);
    joinOpen(session, typed, defaultPort);
}

void netServeDiscovery(NetSession& session, uint32_t nowMs) {
    if (session.role == NetRole::HOST) hostServeDiscovery(session, nowMs);
}

void netJoinTarget(const NetSession& session, char text[NET_ADDRESS_TEXT_SIZE]) {
    joinTarget(session, text);
}

NetEnding netExchange(NetSession& session, WorldState& world, int32_t isServer, uint32_t nowMs) {
    if (isServer) {
        hostExchange(session, world, nowMs);
        return NetEnding{};
    }
    return joinExchange(session, world, nowMs);
}

uint32_t netFreeDroppedSlots(NetSession& session, WorldState& world) {
    return hostFreeDroppedSlots(session, world);
}

void netSend(NetSession& session, const NetMessage& msg) {
    uint8_t record[NET_RECORD_SIZE];
    encodeNetMessage(msg, record);
    if (session.role == NetRole::HOST) hostSend(session, record);
    if (session.role == NetRole::JOINER) joinSend(session, record);
}

void netSendTo(NetSession& session, int32_t slot, const NetMessage& msg) {
    uint8_t record[NET_RECORD_SIZE];
    encodeNetMessage(msg, record);
    if (session.role == NetRole::HOST) hostSendTo(session, slot, record);
}

void netTellArena(NetSession& session, const char* name) {
    hostTellArena(session, name);
}

uint32_t netTakeWelcomedSlots(NetSession& session) {
    return session.role == NetRole::HOST ? hostTakeWelcomedSlots(session) : 0;
}

NetEnding checkGlobalTimeout(NetSession& session) {
    return joinCheckSilence(session);
}

void netWait(NetSession& session, uint32_t nowMs, uint32_t microseconds) {
    if (session.role == NetRole::HOST) {
        hostWait(session, nowMs, microseconds);
    } else {
        socketWait(nullptr, 0, nullptr, 0, microseconds);
    }
}

// No farewell record: the host notices a departure through its countdown. Safe to repeat.
void netShutdown(NetSession& session) {
    closeHostPeers(session);
    hostClose(session);
    socketClose(session.socket);
    discoveryBrowseClose(session.browser);
    session = NetSession{};
}

void netHostAsServer(NetSession& session, const char* name) {
    hostAsServer(session, name);
}

bool netPeerAddress(const NetSession& session, int slot, char text[NET_ADDRESS_TEXT_SIZE]) {
    return hostPeerAddress(session, slot, text);
}

uint32_t netTakeLeftSlots(NetSession& session) {
    return hostTakeLeftSlots(session);
}
