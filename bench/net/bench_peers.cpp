// Loopback peers for the network benchmarks.
#include "bench/net/bench_peers.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

int connectPeer() {
    int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family      = AF_INET;
    a.sin_port        = htons(2345);
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
        ::close(fd);
        return -1;
    }
    int one = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    return fd;
}

bool readRecord(int fd, NetMessage& msg, int waitMs) {
    uint8_t bytes[NET_RECORD_SIZE];
    int got = 0;
    while (got < NET_RECORD_SIZE) {
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, waitMs) <= 0) return false;
        ssize_t n = ::recv(fd, bytes + got, NET_RECORD_SIZE - got, 0);
        if (n <= 0) return false;
        got += static_cast<int>(n);
    }
    msg = decodeNetMessage(bytes);
    return true;
}

void writeRecord(int fd, const NetMessage& msg) {
    uint8_t bytes[NET_RECORD_SIZE];
    encodeNetMessage(msg, bytes);
    ::send(fd, bytes, sizeof bytes, MSG_NOSIGNAL);
}

void drainPeer(int fd) {
    uint8_t chunk[8192];
    while (::recv(fd, chunk, sizeof chunk, MSG_DONTWAIT) > 0) {
    }
}
