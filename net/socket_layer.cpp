// The socket layer over POSIX: a fixed table of connections, each with the part of a record
// read so far and the bytes the system has not taken yet.
#include "net/socket_layer.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {
constexpr int LISTEN_BACKLOG      = 16;
constexpr int CLOSE_DRAIN_READS   = 16; // reads of what a closing peer already sent
constexpr std::size_t DRAIN_CHUNK = 4096;

struct Connection {
    bool inUse;
    bool listening;
    bool readEnded;  // the peer closed or the connection failed: nothing more to read
    bool writeEnded; // the peer is gone: nothing more can be sent
    int endError;    // why reading ended: 0 for the peer's own close, else the errno
    int fd;
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

NetSocket adopt(int fd, bool listening) {
    NetSocket s = freeHandle();
    if (s == NO_SOCKET) {
        ::close(fd);
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

bool isWouldBlock(int error) {
    return error == EAGAIN || error == EWOULDBLOCK || error == EINTR;
}

void makeNonBlocking(int fd) {
    int flags = fcntl(fd, F_GETFL, 0);
    fcntl(fd, F_SETFL, (flags < 0 ? 0 : flags) | O_NONBLOCK);
    fcntl(fd, F_SETFD, FD_CLOEXEC);
}

// Records are tiny and wanted at once: never hold one back for an acknowledgement.
void prepareConnection(int fd) {
    makeNonBlocking(fd);
    int one = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
}

// Bytes the system took, 0 when it took none; a gone peer ends writing, never a signal.
std::size_t sendSome(Connection& c, const uint8_t* bytes, std::size_t length) {
    ssize_t n = ::send(c.fd, bytes, length, MSG_NOSIGNAL);
    if (n >= 0) return static_cast<std::size_t>(n);
    if (!isWouldBlock(errno)) c.writeEnded = true;
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
        if (::recv(c.fd, scratch, sizeof scratch, 0) <= 0) break;
    }
}

} // namespace

void socketOpenNetwork() {} // POSIX sockets need no start-up

NetSocket socketListen(int port, int* error) {
    *error = 0;
    int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0) {
        *error = errno;
        return NO_SOCKET;
    }
    int one = 1;
    setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    sockaddr_in address{};
    address.sin_family      = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_ANY);
    address.sin_port        = htons(static_cast<uint16_t>(port));
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(fd, LISTEN_BACKLOG) != 0) {
        *error = errno;
        ::close(fd);
        return NO_SOCKET;
    }
    makeNonBlocking(fd);
    NetSocket s = adopt(fd, true);
    if (s == NO_SOCKET) *error = EMFILE;
    return s;
}

NetSocket socketAccept(NetSocket listener) {
    Connection* l = find(listener);
    // With the table full the connection stays in the system's queue for a later frame.
    if (!l || !l->listening || freeHandle() == NO_SOCKET) return NO_SOCKET;
    int fd = ::accept(l->fd, nullptr, nullptr);
    if (fd < 0) return NO_SOCKET;
    prepareConnection(fd);
    return adopt(fd, false);
}

NetSocket socketConnectTo(uint32_t ipv4, int port) {
    int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0) return NO_SOCKET;
    prepareConnection(fd);
    sockaddr_in address{};
    address.sin_family      = AF_INET;
    address.sin_addr.s_addr = htonl(ipv4);
    address.sin_port        = htons(static_cast<uint16_t>(port));
    const bool failed = ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 &&
                        errno != EINPROGRESS;
    const int error = errno;
    NetSocket s     = adopt(fd, false);
    // A connection refused on the spot is kept, ended, so its reason can still be asked.
    if (failed && s != NO_SOCKET) {
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
    ssize_t n = ::recv(c->fd, c->in + c->inLength, NET_RECORD_SIZE - c->inLength, 0);
    if (n <= 0) {
        if (n == 0 || !isWouldBlock(errno)) {
            c->readEnded = true;
            c->endError  = n == 0 ? 0 : errno;
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
    pollfd watched[MOST_WATCHED];
    nfds_t n = 0;
    for (int i = 0; i < count && n < SOCKET_TABLE_SIZE; ++i) {
        const Connection* c = find(sockets[i]);
        if (!c || c->listening || c->readEnded) continue;
        watched[n++] = pollfd{c->fd, POLLIN, 0};
    }
    for (int i = 0; i < descriptorCount && n < MOST_WATCHED; ++i) {
        if (descriptors[i] >= 0) watched[n++] = pollfd{descriptors[i], POLLIN, 0};
    }
    constexpr uint32_t MICROSECONDS_PER_SECOND = 1000000;
    const timespec timeout{static_cast<time_t>(microseconds / MICROSECONDS_PER_SECOND),
                           static_cast<long>(microseconds % MICROSECONDS_PER_SECOND) * 1000};
    return ::ppoll(n > 0 ? watched : nullptr, n, &timeout, nullptr) > 0;
}

bool socketPeerAddressText(NetSocket s, char* text, std::size_t size) {
    std::snprintf(text, size, "?");
    const Connection* c = find(s);
    sockaddr_in peer{};
    socklen_t length = sizeof peer;
    if (!c || ::getpeername(c->fd, reinterpret_cast<sockaddr*>(&peer), &length) != 0 ||
        peer.sin_family != AF_INET)
        return false;
    char address[INET_ADDRSTRLEN];
    inet_ntop(AF_INET, &peer.sin_addr, address, sizeof address);
    std::snprintf(text, size, "%s:%d", address, ntohs(peer.sin_port));
    return true;
}

void socketLocalAddressText(int port, char* text, std::size_t size) {
    char address[INET_ADDRSTRLEN] = "127.0.0.1";
    ifaddrs* interfaces           = nullptr;
    if (::getifaddrs(&interfaces) == 0) {
        for (ifaddrs* i = interfaces; i; i = i->ifa_next) {
            if (!i->ifa_addr || i->ifa_addr->sa_family != AF_INET) continue;
            if (i->ifa_flags & IFF_LOOPBACK) continue;
            const auto* ip = reinterpret_cast<const sockaddr_in*>(i->ifa_addr);
            if ((ntohl(ip->sin_addr.s_addr) >> 24) == 127) continue;
            inet_ntop(AF_INET, &ip->sin_addr, address, sizeof address);
            break;
        }
        ::freeifaddrs(interfaces);
    }
    std::snprintf(text, size, "%s:%d", address, port);
}

void socketClose(NetSocket s) {
    Connection* c = find(s);
    if (!c) return;
    if (!c->listening) {
        flushQueue(*c);
        drainInput(*c);
        ::shutdown(c->fd, SHUT_WR);
    }
    ::close(c->fd);
    c->inUse = false;
}

void socketCloseAll() {
    for (NetSocket s = 0; s < SOCKET_TABLE_SIZE; ++s)
        socketClose(s);
}
