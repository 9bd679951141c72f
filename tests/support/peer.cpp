// The loopback peer: blocking sockets, poll for every wait.
#include "tests/support/peer.h"

#include <arpa/inet.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <unistd.h>

#include <cstring>
#include <utility>

namespace {
bool readable(int fd, int waitMs) {
    pollfd p{fd, POLLIN, 0};
    return fd >= 0 && ::poll(&p, 1, waitMs) > 0;
}

// A TCP socket and 127.0.0.1:port, to connect or to bind.
int loopbackSocket(int port, sockaddr_in* a) {
    *a = sockaddr_in{AF_INET, htons(static_cast<uint16_t>(port)), {htonl(INADDR_LOOPBACK)}, {}};
    return ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
}

Peer adopt(int fd) {
    Peer p;
    int one = 1;
    if (fd >= 0) setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    p.fd = fd;
    return p;
}
} // namespace

Peer::~Peer() {
    if (fd >= 0) ::close(fd);
}

Peer::Peer(Peer&& other) noexcept {
    *this = std::move(other);
}

Peer& Peer::operator=(Peer&& other) noexcept {
    std::swap(fd, other.fd);
    std::swap(pending, other.pending);
    std::swap(pendingLength, other.pendingLength);
    return *this;
}

bool Peer::sendBytes(const uint8_t* bytes, std::size_t length) {
    return fd >= 0 && ::send(fd, bytes, length, MSG_NOSIGNAL) == static_cast<ssize_t>(length);
}

bool Peer::sendRecord(const Record& record) {
    return sendBytes(record.data(), record.size());
}

bool Peer::receiveRecord(Record* record, int waitMs) {
    while (pendingLength < WIRE_BYTES && readable(fd, waitMs)) {
        const ssize_t n = ::recv(fd, pending + pendingLength, WIRE_BYTES - pendingLength, 0);
        if (n <= 0) return false;
        pendingLength += static_cast<int>(n);
    }
    if (pendingLength < WIRE_BYTES) return false;
    std::memcpy(record->data(), pending, WIRE_BYTES);
    pendingLength = 0;
    return true;
}

std::vector<uint8_t> Peer::receiveBytes(int quietMs) {
    std::vector<uint8_t> all(pending, pending + pendingLength);
    uint8_t chunk[4096];
    ssize_t n     = 0;
    pendingLength = 0;
    while (readable(fd, quietMs) && (n = ::recv(fd, chunk, sizeof chunk, 0)) > 0)
        all.insert(all.end(), chunk, chunk + n);
    return all;
}

bool Peer::nothingWaiting(int waitMs) {
    return pendingLength == 0 && !readable(fd, waitMs);
}

bool Peer::closedByPeer(int waitMs) {
    uint8_t chunk[4096];
    while (readable(fd, waitMs))
        if (::recv(fd, chunk, sizeof chunk, 0) <= 0) return true;
    return false;
}

Peer connectPeer(int port, int receiveBuffer) {
    sockaddr_in a;
    int fd = loopbackSocket(port, &a);
    if (receiveBuffer > 0)
        setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &receiveBuffer, sizeof receiveBuffer);
    if (::connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0) return adopt(fd);
    ::close(fd);
    return Peer{};
}

int listenAsHost(int port) {
    sockaddr_in a;
    const int fd = loopbackSocket(port, &a), one = 1;
    setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    if (::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 && ::listen(fd, 16) == 0)
        return fd;
    ::close(fd);
    return -1;
}

Peer acceptPeer(int listener, int waitMs) {
    return adopt(readable(listener, waitMs) ? ::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC)
                                            : -1);
}
