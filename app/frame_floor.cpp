// waitFrameFloor: the network's wait, then a short spin.
#include "app/frame_floor.h"

#include "app/platform.h"
#include "net/net.h"

uint32_t frameStart = 0;

namespace {
constexpr uint32_t MICROSECONDS_PER_MS = 1000;
} // namespace

// The network waits until the very microsecond the millisecond clock reaches the floor, so the
// frame neither ends early nor spins; arrivals wake it earlier, and it goes on waiting.
void waitFrameFloor() {
    for (;;) {
        const uint64_t nowUs   = platformMicroseconds();
        const uint32_t nowMs   = static_cast<uint32_t>(nowUs / MICROSECONDS_PER_MS);
        const uint32_t elapsed = nowMs - frameStart;
        if (elapsed >= FRAME_FLOOR_MS) return;
        const uint32_t intoThisMs = static_cast<uint32_t>(nowUs % MICROSECONDS_PER_MS);
        const uint32_t leftUs     = (FRAME_FLOOR_MS - elapsed) * MICROSECONDS_PER_MS - intoThisMs;
        netWait(nowMs, leftUs);
    }
}
