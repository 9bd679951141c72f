// waitFrameFloor: the network's wait, then a short spin.
#include "app/frame_floor.h"

#include "app/platform.h"
#include "net/net.h"

uint32_t frameStart = 0;

namespace {
// The wait hands the network all but this many milliseconds, then spins: a wait may
// overshoot, a spin of the last millisecond costs little.
constexpr uint32_t FLOOR_SPIN_MS = 1;
} // namespace

void waitFrameFloor() {
    for (;;) {
        const uint32_t elapsed = platformMilliseconds() - frameStart;
        if (elapsed >= FRAME_FLOOR_MS) return;
        const uint32_t left = FRAME_FLOOR_MS - elapsed;
        if (left > FLOOR_SPIN_MS) netWait(frameStart + elapsed, left - FLOOR_SPIN_MS);
    }
}
