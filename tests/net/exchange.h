// Runs the game's network exchanges until done() holds (true), the game ends (false, with
// the ending in ended when given) or the wait is over (false).
#pragma once

#include <chrono>
#include <functional>
#include <thread>

#include "net/net.h"
#include "tests/support/peer.h"

inline bool exchangeUntil(int32_t isServer, const std::function<bool()>& done,
                          NetEnding* ended = nullptr) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(PEER_WAIT_MS);
    do {
        const NetEnding e = netExchange(isServer, 0);
        if (e.exitCode != 0 && ended) *ended = e;
        if (e.exitCode != 0) return false;
        if (done()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    } while (std::chrono::steady_clock::now() < end);
    return false;
}
