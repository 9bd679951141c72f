// The loopback peer: blocking sockets, poll for every wait.
#include "tests/support/peer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>
#include <utility>

namespace {
constexpr std::size_t CHUNK = 4096;
constexpr int BACKLOG       = 16;

sockaddr_in loopback(int port) {
    sockaddr_in a{};
    a.sin_family      = AF_INET;
    a.sin_port        = htons(static_cast<uint16_t>(port));
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return a;
}

bool readable(int fd, int waitMs) {
    pollfd p{fd, POLLIN, 0};
    return ::poll(&p, 1, waitMs) > 0;
}

void noDelay(int fd) {
    int one = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
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
    while (pendingLength < WIRE_BYTES && fd >= 0 && readable(fd, waitMs)) {
        ssize_t n = ::recv(fd, pending + pendingLength, WIRE_BYTES - pendingLength, 0);
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
    pendingLength = 0;
    uint8_t chunk[CHUNK];
    while (fd >= 0 && readable(fd, quietMs)) {
        ssize_t n = ::recv(fd, chunk, sizeof chunk, 0);
        if (n <= 0) break;
        all.insert(all.end(), chunk, chunk + n);
    }
    return all;
}

bool Peer::nothingWaiting(int waitMs) {
    return pendingLength == 0 && !readable(fd, waitMs);
}

bool Peer::closedByPeer(int waitMs) {
    uint8_t chunk[CHUNK];
    while (fd >= 0 && readable(fd, waitMs)) {
        if (::recv(fd, chunk, sizeof chunk, 0) <= 0) return true;
    }
    return false;
}

void Peer::resetOnClose() {
    linger l{1, 0};
    setsockopt(fd, SOL_SOCKET, SO_LINGER, &l, sizeof l);
}

Peer connectPeer(int port, int receiveBuffer) {
    Peer p;
    p.fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (receiveBuffer > 0)
        setsockopt(p.fd, SOL_SOCKET, SO_RCVBUF, &receiveBuffer, sizeof receiveBuffer);
    sockaddr_in a = loopback(port);
    if (::connect(p.fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
        ::close(p.fd);
        p.fd = -1;
        return p;
    }
    noDelay(p.fd);
    return p;
}

int listenAsHost(int port) {
    int fd  = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    int one = 1;
    setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    sockaddr_in a = loopback(port);
    if (::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 || ::listen(fd, BACKLOG) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

Peer acceptPeer(int listener, int waitMs) {
    Peer p;
    if (listener < 0 || !readable(listener, waitMs)) return p;
    p.fd = ::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
    if (p.fd >= 0) noDelay(p.fd);
    return p;
}
