// A blocking loopback socket that plays the other machine in network tests.
#include "tests/net/peer_socket.h"

#include <arpa/inet.h>
#include <chrono>
#include <cstring>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace {
sockaddr_in loopback2345() {
    sockaddr_in a{};
    a.sin_family      = AF_INET;
    a.sin_port        = htons(2345);
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return a;
}

bool readable(int fd, int waitMs) {
    pollfd p{fd, POLLIN, 0};
    return ::poll(&p, 1, waitMs) > 0;
}

uint32_t floatBits(float f) {
    uint32_t w;
    std::memcpy(&w, &f, sizeof w);
    return w;
}
} // namespace

PeerSocket::~PeerSocket() {
    if (fd >= 0) ::close(fd);
}

PeerSocket::PeerSocket(PeerSocket&& other) noexcept : fd(other.fd) {
    other.fd = -1;
}

PeerSocket& PeerSocket::operator=(PeerSocket&& other) noexcept {
    std::swap(fd, other.fd);
    return *this;
}

void PeerSocket::sendBytes(const uint8_t* bytes, std::size_t length) {
    ASSERT_EQ(::send(fd, bytes, length, MSG_NOSIGNAL), static_cast<ssize_t>(length));
}

void PeerSocket::sendMessage(const NetMessage& msg) {
    uint8_t bytes[NET_RECORD_SIZE];
    encodeNetMessage(msg, bytes);
    sendBytes(bytes, sizeof bytes);
}

NetMessage PeerSocket::receiveMessage() {
    uint8_t bytes[NET_RECORD_SIZE];
    std::size_t got = 0;
    while (got < sizeof bytes && readable(fd, TEST_WAIT_MS)) {
        ssize_t n = ::recv(fd, bytes + got, sizeof bytes - got, 0);
        if (n <= 0) break;
        got += static_cast<std::size_t>(n);
    }
    EXPECT_EQ(got, sizeof bytes) << "no whole record arrived";
    if (got != sizeof bytes) return makeControlMessage(-1, -1);
    return decodeNetMessage(bytes);
}

std::vector<uint8_t> PeerSocket::receiveAll(int waitMs) {
    std::vector<uint8_t> all;
    uint8_t chunk[4096];
    while (readable(fd, waitMs)) {
        ssize_t n = ::recv(fd, chunk, sizeof chunk, 0);
        if (n <= 0) break;
        all.insert(all.end(), chunk, chunk + n);
    }
    return all;
}

bool PeerSocket::nothingWaiting(int waitMs) {
    return !readable(fd, waitMs);
}

bool PeerSocket::closedByPeer(int waitMs) {
    uint8_t chunk[4096];
    while (readable(fd, waitMs)) {
        ssize_t n = ::recv(fd, chunk, sizeof chunk, 0);
        if (n <= 0) return true;
    }
    return false;
}

PeerSocket connectToHost(int receiveBuffer) {
    PeerSocket p;
    p.fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (receiveBuffer > 0)
        setsockopt(p.fd, SOL_SOCKET, SO_RCVBUF, &receiveBuffer, sizeof receiveBuffer);
    sockaddr_in a = loopback2345();
    EXPECT_EQ(::connect(p.fd, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
    int one = 1;
    setsockopt(p.fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    settle();
    return p;
}

int listenAsHost() {
    int fd  = ::socket(AF_INET, SOCK_STREAM, 0);
    int one = 1;
    setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    sockaddr_in a = loopback2345();
    EXPECT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
    EXPECT_EQ(::listen(fd, 8), 0);
    return fd;
}

PeerSocket acceptJoiner(int listener) {
    PeerSocket p;
    EXPECT_TRUE(readable(listener, TEST_WAIT_MS)) << "the joiner never connected";
    p.fd    = ::accept(listener, nullptr, nullptr);
    int one = 1;
    setsockopt(p.fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    return p;
}

void settle() {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
}

NetMessage stateMessage(int32_t slot, int32_t killer, int32_t health, float x) {
    NetMessage m = makeControlMessage(MSG_STATE, slot);
    m.word[2]    = static_cast<uint32_t>(killer);
    m.word[3]    = static_cast<uint32_t>(health);
    m.word[4]    = floatBits(x);
    m.word[5]    = floatBits(2.0f);
    m.word[6]    = floatBits(-3.0f);
    m.word[7]    = floatBits(45.0f);
    m.word[8]    = floatBits(-10.0f);
    m.word[9]    = 0xDEADBEEF;
    return m;
}

NetMessage rocketMessage(int32_t slot, int32_t index, int32_t life, float x) {
    NetMessage m = makeControlMessage(MSG_ROCKET, slot);
    m.word[2]    = static_cast<uint32_t>(index);
    m.word[3]    = static_cast<uint32_t>(life);
    m.word[4]    = floatBits(x);
    m.word[5]    = floatBits(0.5f);
    m.word[6]    = floatBits(0.25f);
    m.word[7]    = floatBits(0.275f);
    m.word[8]    = floatBits(0.0f);
    m.word[9]    = floatBits(-0.125f);
    return m;
}

bool sameBytes(const NetMessage& a, const NetMessage& b) {
    return std::memcmp(a.word, b.word, sizeof a.word) == 0;
}
