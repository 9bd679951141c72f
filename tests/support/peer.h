// The other machine in network tests: a plain blocking loopback socket that speaks the
// record through the tests' own codec, driven byte for byte, with a time limit on every
// wait. A record that arrives in parts is kept until it is whole, so no wait loses bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "tests/support/portable/wire.h"

constexpr int GAME_PORT    = 2345;
constexpr int PEER_WAIT_MS = 3000; // the longest a test waits for bytes that should come

struct Peer {
    int fd                      = -1; // -1: not connected
    uint8_t pending[WIRE_BYTES] = {};
    int pendingLength           = 0;

    Peer() = default;
    ~Peer(); // closes
    Peer(Peer&& other) noexcept;
    Peer& operator=(Peer&& other) noexcept;
    Peer(const Peer&)            = delete;
    Peer& operator=(const Peer&) = delete;

    bool sendRecord(const Record& record);
    bool sendBytes(const uint8_t* bytes, std::size_t length); // all of them, or false
    // The next whole record within waitMs; false (part of one kept) when none completes.
    bool receiveRecord(Record* record, int waitMs = PEER_WAIT_MS);
    // Every byte until none comes for quietMs or the connection ends (a pending part first).
    std::vector<uint8_t> receiveBytes(int quietMs = 100);
    bool nothingWaiting(int waitMs = 20);         // no byte and no close within waitMs
    bool closedByPeer(int waitMs = PEER_WAIT_MS); // reads to the end: true at the close
};

// To 127.0.0.1:port with TCP_NODELAY; a receive buffer in bytes when given (set before
// connecting, so the window stays small). fd is -1 when the connection was refused.
Peer connectPeer(int port = GAME_PORT, int receiveBuffer = 0);
int listenAsHost(
    int port = GAME_PORT); // a listener on 127.0.0.1:port, address reuse on; -1 on failure
Peer acceptPeer(int listener, int waitMs = PEER_WAIT_MS); // fd -1 when nobody connected in time
