// The socket layer: a fixed table of connections, each with the part of a record read so far
// and the bytes the system has not taken yet, over the system's own calls (system_socket.h).
#include "net/socket_layer.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "net/system_socket.h"

namespace {
constexpr int CLOSE_DRAIN_READS   = 16; // reads of what a closing peer already sent
constexpr std::size_t DRAIN_CHUNK = 4096;
constexpr uint32_t LOCAL_HOST     = 0x7F000001u; // 127.0.0.1, when no other address is had

struct Connection {
    bool inUse;
    bool listening;
    bool readEnded;  // the peer closed or the connection failed: nothing more to read
    bool writeEnded; // the peer is gone: nothing more can be sent
    int endError;    // why reading ended: 0 for the peer's own close, else the errno
    SystemSocket fd;
    uint8_t in[NET_RECORD_SIZE]; // the record being completed
    int inLength;
    uint8_t out[SOCKET_QUEUE_BYTES]; // out[outHead, outTail) waits to be sent
    std::size_t outHead;
    std::size_t outTail;
};

Connection connections[SOCKET_TABLE_SIZE];

Connection* find(NetSocket s) {
    if (s < 0 || s >= SOCKET_TABLE_SIZE || !connections[s].inUse) return nullptr;
    return &connections[s];
}

NetSocket freeHandle() {
    for (NetSocket s = 0; s < SOCKET_TABLE_SIZE; ++s) {
        if (!connections[s].inUse) return s;
    }
    return NO_SOCKET;
}

NetSocket adopt(SystemSocket fd, bool listening) {
    NetSocket s = freeHandle();
    if (s == NO_SOCKET) {
        systemSocketClose(fd);
        return NO_SOCKET;
    }
    Connection& c = connections[s];
    c.inUse       = true;
    c.listening   = listening;
    c.readEnded   = false;
    c.writeEnded  = false;
    c.endError    = 0;
    c.fd          = fd;
    c.inLength    = 0;
    c.outHead     = 0;
    c.outTail     = 0;
    return s;
}

// Bytes the system took, 0 when it took none; a gone peer ends writing, never a signal.
std::size_t sendSome(Connection& c, const uint8_t* bytes, std::size_t length) {
    const long n = systemSocketSend(c.fd, bytes, length);
    if (n >= 0) return static_cast<std::size_t>(n);
    if (!systemWouldBlock(systemSocketError())) c.writeEnded = true;
    return 0;
}

std::size_t queued(const Connection& c) {
    return c.outTail - c.outHead;
}

void flushQueue(Connection& c) {
    while (queued(c) > 0 && !c.writeEnded) {
        std::size_t n = sendSome(c, c.out + c.outHead, queued(c));
        if (n == 0) break;
        c.outHead += n;
    }
    if (queued(c) == 0 || c.writeEnded) c.outHead = c.outTail = 0;
}

// The caller has checked that the bytes fit.
void enqueue(Connection& c, const uint8_t* bytes, std::size_t length) {
    if (c.outTail + length > SOCKET_QUEUE_BYTES) {
        std::memmove(c.out, c.out + c.outHead, queued(c));
        c.outTail -= c.outHead;
        c.outHead = 0;
    }
    std::memcpy(c.out + c.outTail, bytes, length);
    c.outTail += length;
}

// Takes what the peer has already sent, so closing does not reset the connection and
// destroy the last bytes we sent before the peer reads them.
void drainInput(Connection& c) {
    uint8_t scratch[DRAIN_CHUNK];
    for (int i = 0; i < CLOSE_DRAIN_READS && !c.readEnded; ++i) {
        if (systemSocketReceive(c.fd, scratch, sizeof scratch) <= 0) break;
    }
}

} // namespace

void socketOpenNetwork() {} // the system calls start what they need themselves

NetSocket socketListen(int port, int* error) {
    *error                = 0;
    const SystemSocket fd = systemSocketOpen(SocketKind::STREAM);
    if (fd == NO_SYSTEM_SOCKET) {
        *error = systemSocketError();
        return NO_SOCKET;
    }
    systemSocketSetOption(fd, SocketOption::RESTART_LISTENING);
    if (!systemSocketBind(fd, port) || !systemSocketListen(fd)) {
        *error = systemSocketError();
        systemSocketClose(fd);
        return NO_SOCKET;
    }
    NetSocket s = adopt(fd, true);
    if (s == NO_SOCKET) *error = EMFILE;
    return s;
}

NetSocket socketAccept(NetSocket listener) {
    Connection* l = find(listener);
    // With the table full the connection stays in the system's queue for a later step.
    if (!l || !l->listening || freeHandle() == NO_SOCKET) return NO_SOCKET;
    const SystemSocket fd = systemSocketAccept(l->fd);
    if (fd == NO_SYSTEM_SOCKET) return NO_SOCKET;
    systemSocketSetOption(fd, SocketOption::NO_DELAY);
    return adopt(fd, false);
}

NetSocket socketConnectTo(uint32_t ipv4, int port) {
    const SystemSocket fd = systemSocketOpen(SocketKind::STREAM);
    if (fd == NO_SYSTEM_SOCKET) return NO_SOCKET;
    systemSocketSetOption(fd, SocketOption::NO_DELAY);
    const int error = systemSocketConnect(fd, ipv4, port);
    NetSocket s     = adopt(fd, false);
    // A connection refused on the spot is kept, ended, so its reason can still be asked.
    if (error != 0 && s != NO_SOCKET) {
        connections[s].readEnded  = true;
        connections[s].writeEnded = true;
        connections[s].endError   = error;
    }
    return s;
}

int socketEndError(NetSocket s) {
    const Connection* c = find(s);
    if (!c) return EBADF;
    return c->readEnded ? c->endError : -1;
}

bool socketReadRecord(NetSocket s, uint8_t record[NET_RECORD_SIZE]) {
    Connection* c = find(s);
    if (!c || c->listening || c->readEnded) return false;
    const long n = systemSocketReceive(c->fd, c->in + c->inLength,
                                       static_cast<std::size_t>(NET_RECORD_SIZE - c->inLength));
    if (n <= 0) {
        const int error = n == 0 ? 0 : systemSocketError();
        if (n == 0 || !systemWouldBlock(error)) {
            c->readEnded = true;
            c->endError  = error;
        }
        return false;
    }
    c->inLength += static_cast<int>(n);
    if (c->inLength < NET_RECORD_SIZE) return false;
    std::memcpy(record, c->in, NET_RECORD_SIZE);
    c->inLength = 0;
    return true;
}

void socketWriteRecord(NetSocket s, const uint8_t record[NET_RECORD_SIZE]) {
    Connection* c = find(s);
    if (!c || c->listening || c->writeEnded) return;
    flushQueue(*c);
    if (c->writeEnded) return;
    if (queued(*c) == 0) {
        std::size_t n = sendSome(*c, record, NET_RECORD_SIZE);
        if (n < NET_RECORD_SIZE && !c->writeEnded) enqueue(*c, record + n, NET_RECORD_SIZE - n);
        return;
    }
    if (queued(*c) + NET_RECORD_SIZE <= SOCKET_QUEUE_BYTES) enqueue(*c, record, NET_RECORD_SIZE);
}

std::size_t socketQueuedBytes(NetSocket s) {
    Connection* c = find(s);
    return c ? queued(*c) : 0;
}

bool socketWait(const NetSocket* sockets, int count, const int* descriptors, int descriptorCount,
                uint32_t microseconds) {
    constexpr int MOST_WATCHED = 2 * SOCKET_TABLE_SIZE;
    SystemSocket watched[MOST_WATCHED];
    int n = 0;
    for (int i = 0; i < count && n < SOCKET_TABLE_SIZE; ++i) {
        const Connection* c = find(sockets[i]);
        if (!c || c->listening || c->readEnded) continue;
        watched[n++] = c->fd;
    }
    for (int i = 0; i < descriptorCount && n < MOST_WATCHED; ++i) {
        if (descriptors[i] >= 0) watched[n++] = descriptors[i];
    }
    return systemSocketsWait(watched, n, microseconds);
}

bool socketPeerAddressText(NetSocket s, char* text, std::size_t size) {
    std::snprintf(text, size, "?");
    const Connection* c = find(s);
    uint32_t ip         = 0;
    int port            = 0;
    if (!c || !systemSocketPeer(c->fd, &ip, &port)) return false;
    std::snprintf(text, size, "%u.%u.%u.%u:%d", ip >> 24, (ip >> 16) & 0xFF, (ip >> 8) & 0xFF,
                  ip & 0xFF, port);
    return true;
}

void socketLocalAddressText(int port, char* text, std::size_t size) {
    constexpr int MOST_INTERFACES   = 32;
    constexpr uint32_t LOOPBACK_NET = 127;
    SystemInterface interfaces[MOST_INTERFACES];
    const int count = systemInterfaces(interfaces, MOST_INTERFACES);
    uint32_t ip     = LOCAL_HOST;
    for (int i = 0; i < count; ++i) {
        if (interfaces[i].loopback || (interfaces[i].address >> 24) == LOOPBACK_NET) continue;
        ip = interfaces[i].address;
        break;
    }
    std::snprintf(text, size, "%u.%u.%u.%u:%d", ip >> 24, (ip >> 16) & 0xFF, (ip >> 8) & 0xFF,
                  ip & 0xFF, port);
}

void socketClose(NetSocket s) {
    Connection* c = find(s);
    if (!c) return;
    if (!c->listening) {
        flushQueue(*c);
        drainInput(*c);
        systemSocketShutdownWrite(c->fd);
    }
    systemSocketClose(c->fd);
    c->inUse = false;
}

void socketCloseAll() {
    for (NetSocket s = 0; s < SOCKET_TABLE_SIZE; ++s)
        socketClose(s);
}
