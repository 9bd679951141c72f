// The other machine in network tests: a plain blocking loopback socket that the test drives
// byte for byte, with time limits on every wait.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "net/net_message.h"

constexpr int TEST_WAIT_MS = 2000; // longest a test waits for bytes that should come

struct PeerSocket {
    int fd = -1;
    ~PeerSocket();
    PeerSocket() = default;
    PeerSocket(PeerSocket&& other) noexcept;
    PeerSocket& operator=(PeerSocket&& other) noexcept;
    PeerSocket(const PeerSocket&)            = delete;
    PeerSocket& operator=(const PeerSocket&) = delete;

    void sendBytes(const uint8_t* bytes, std::size_t length);
    void sendMessage(const NetMessage& msg);
    // Exactly one whole record within the wait; fails the test otherwise.
    NetMessage receiveMessage();
    // Every byte that arrives within waitMs (stops early at a closed connection).
    std::vector<uint8_t> receiveAll(int waitMs);
    bool nothingWaiting(int waitMs = 20);
    bool closedByPeer(int waitMs = TEST_WAIT_MS); // reads to the end; true at a close
};

// 127.0.0.1:2345, TCP_NODELAY; a receive buffer in bytes when given (set before connecting).
PeerSocket connectToHost(int receiveBuffer = 0);
int listenAsHost(); // a listener on 127.0.0.1:2345
PeerSocket acceptJoiner(int listener);
void settle(); // lets loopback traffic and handshakes finish

NetMessage stateMessage(int32_t slot, int32_t killer, int32_t health, float x);
NetMessage rocketMessage(int32_t slot, int32_t index, int32_t life, float x);
bool sameBytes(const NetMessage& a, const NetMessage& b);
