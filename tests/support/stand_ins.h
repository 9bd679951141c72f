// Stand-ins for what the main loop's frame calls besides the world: the network, the sound,
// the platform (clock, cursor, buffer swap), drawing and the failure funnel. Every one is a
// weak definition: a test lists the real libraries it wants BEFORE test_support, and the
// stand-ins fill in only what those leave open. Each records what the frame asked of it.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "tests/support/wire.h"

enum class Call : uint8_t { SEND, LISTENER, SHOT, EXPLOSION };

struct FrameCall {
    Call what;
    Record record; // SEND: the record as it would travel
    float pos[3];  // sounds: where
};

struct StandIns {
    std::vector<FrameCall> calls; // sends and sounds, in the order they came
    int exchanges       = 0;
    int silenceChecks   = 0;
    int cursorCentrings = 0;
    // The clock: the steady clock, or (manualClock) clockMs, which every read moves on by
    // 1 ms and every netWait by the time waited; the frame's own spin then ends too.
    bool manualClock  = false;
    uint32_t clockMs  = 0;
    uint32_t waitedMs = 0;            // what netWait was asked to wait, in all
    std::function<void()> onExchange; // what arrives from the network in netExchange
};

extern StandIns standIns;

void resetStandIns();
std::vector<Record> sentOfType(int32_t type);
int callsOf(Call what);
