// The entry points the main loop calls, each handed to the host's or the joiner's side, and
// the network side of shutdown.
#include "net/net.h"

#include "net/net_host.h"
#include "net/net_join.h"
#include "net/net_session.h"

void netHostStart(char addressText[NET_ADDRESS_TEXT_SIZE]) {
    netShutdown();
    hostOpen(addressText);
}

void netJoinStart(const char* addressText) {
    netShutdown();
    joinOpen(addressText);
}

NetEnding netExchange(int32_t isServer, uint32_t nowMs) {
    if (isServer) {
        hostExchange();
        return NetEnding{};
    }
    return joinExchange(nowMs);
}

void netSend(const NetMessage& msg) {
    uint8_t record[NET_RECORD_SIZE];
    encodeNetMessage(msg, record);
    if (netRole == NetRole::HOST) hostSend(record);
    if (netRole == NetRole::JOINER) joinSend(record);
}

NetEnding checkGlobalTimeout() {
    return joinCheckSilence();
}

void netWait(uint32_t milliseconds) {
    if (netRole == NetRole::HOST) {
        hostWait(milliseconds);
    } else {
        socketWait(nullptr, 0, milliseconds);
    }
}

// No farewell record: the host notices a departure through its countdown. Safe to repeat.
void netShutdown() {
    closeHostPeers();
    socketCloseAll();
    netSocket = NO_SOCKET;
    netRole   = NetRole::NONE;
    joinReset();
}
