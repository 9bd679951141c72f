// waitUntilStep: the network's wait, to the microsecond.
#include "step/step_wait.h"

#include "net/net.h"
#include "platform/platform.h"
#include "step/game_step.h"

namespace {
constexpr uint32_t MICROSECONDS_PER_MS = 1000;

uint64_t clockUs(const StepSetup& setup) {
    return setup.clockUs ? setup.clockUs(setup.context) : platformMicroseconds();
}
} // namespace

uint32_t stepClockMs(const StepSetup& setup) {
    return setup.clockUs ? static_cast<uint32_t>(clockUs(setup) / MICROSECONDS_PER_MS)
                         : platformMilliseconds();
}

// The network waits until the very microsecond the millisecond clock reaches the step, so
// the wait neither ends early nor spins; arrivals wake it earlier, and it goes on waiting.
void waitUntilStep(NetSession& net, const StepSetup& setup, uint32_t dueMs) {
    for (;;) {
        const uint64_t nowUs = clockUs(setup);
        const uint32_t nowMs = static_cast<uint32_t>(nowUs / MICROSECONDS_PER_MS);
        const int32_t left   = static_cast<int32_t>(dueMs - nowMs);
        if (left <= 0) return;
        const uint32_t intoThisMs = static_cast<uint32_t>(nowUs % MICROSECONDS_PER_MS);
        const uint32_t waitUs     = static_cast<uint32_t>(left) * MICROSECONDS_PER_MS - intoThisMs;
        if (setup.wait)
            setup.wait(nowMs, waitUs, setup.context);
        else
            netWait(net, nowMs, waitUs);
    }
}
