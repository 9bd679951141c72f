// The entry points the frame update calls, and the network side of shutdown.
#include "net/net_session.h"
#include "net/net.h"

NetSocket netSocket = NO_SOCKET;
NetRole netRole     = NetRole::NONE;

void netExchange(int32_t isServer) {
    if (isServer)
        hostExchange();
    else
        joinExchange();
}

void netSend(const NetMessage& msg) {
    uint8_t record[NET_RECORD_SIZE];
    encodeNetMessage(msg, record);
    if (netRole == NetRole::HOST) hostSend(record);
    if (netRole == NetRole::JOINER) joinSend(record);
}

// No farewell record: the host notices a departure through its countdown. Safe to repeat.
void netShutdown() {
    closeHostPeers();
    socketCloseAll();
    netSocket = NO_SOCKET;
    netRole   = NetRole::NONE;
}
