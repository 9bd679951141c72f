// The responder: one socket, this hosting's id and a fixed table of what was answered in the
// current second, so the port cannot be used to multiply anyone's traffic.
#include "net/discovery_responder.h"

#include <cstdio>
#include <random>

#include "net/discovery_protocol.h"
#include "world/world_state.h"

namespace {
bool takeReply(ReplyBudget& b, uint32_t source, uint32_t nowMs) {
    if (!b.running || nowMs - b.startMs >= DISCOVERY_BUDGET_MS) {
        b         = ReplyBudget{};
        b.running = true;
        b.startMs = nowMs;
    }
    if (b.total >= DISCOVERY_REPLIES_PER_SECOND) return false;
    int i = 0;
    while (i < b.sources && b.source[i] != source)
        ++i;
    if (i == b.sources) {
        b.source[i] = source;
        b.given[i]  = 0;
        ++b.sources;
    }
    if (b.given[i] >= DISCOVERY_REPLIES_PER_SOURCE) return false;
    ++b.given[i];
    ++b.total;
    return true;
}
} // namespace

bool discoveryServeOpen(DiscoveryResponder& responder, int udpPort, char* reason,
                        std::size_t reasonSize) {
    discoveryServeClose(responder);
    char why[REASON_SIZE];
    responder.socket    = datagramOpen(udpPort, why, sizeof why);
    responder.hostingId = std::random_device{}();
    responder.budget    = ReplyBudget{};
    if (responder.socket == NO_DATAGRAM)
        std::snprintf(reason, reasonSize,
                      "%s, so players on the LAN cannot find this game: close the program "
                      "holding it, or tell them this machine's address",
                      why);
    return responder.socket != NO_DATAGRAM;
}

void discoveryServe(DiscoveryResponder& responder, uint32_t nowMs, const char* hostName,
                    const char* version, int playersInUse, int tcpPort, const char* arena,
                    int capacity) {
    if (responder.socket == NO_DATAGRAM) return;
    DiscoveryReply reply{};
    reply.hostingId      = responder.hostingId;
    reply.tcpPort        = tcpPort;
    reply.playersInUse   = playersInUse;
    reply.playerCapacity = capacity;
    std::snprintf(reply.version, sizeof reply.version, "%s", version ? version : "");
    std::snprintf(reply.hostName, sizeof reply.hostName, "%s", hostName ? hostName : "");
    std::snprintf(reply.arena, sizeof reply.arena, "%s", arena ? arena : "");
    uint8_t in[DISCOVERY_DATAGRAM_CAPACITY];
    uint8_t out[DISCOVERY_REPLY_SIZE];
    for (int read = 0; read < DISCOVERY_READS_PER_SERVE; ++read) {
        DatagramAddress from{};
        int length = datagramReceive(responder.socket, in, sizeof in, from);
        if (length < 0) break;
        if (!decodeDiscoveryQuery(in, static_cast<std::size_t>(length), reply.nonce)) continue;
        if (!takeReply(responder.budget, from.ip, nowMs)) continue;
        encodeDiscoveryReply(reply, out);
        datagramSend(responder.socket, from, out, sizeof out);
    }
}

DatagramSocket discoveryServeSocket(const DiscoveryResponder& responder) {
    return responder.socket;
}

void discoveryServeClose(DiscoveryResponder& responder) {
    datagramClose(responder.socket);
    responder.socket = NO_DATAGRAM;
}
