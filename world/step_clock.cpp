// Step accounting: a pure function of the clock it is given.
#include "world/step_clock.h"

namespace {
// How far nowMs lies past dueMs; negative while it is still ahead.
int32_t pastDue(uint32_t nowMs, uint32_t dueMs) {
    return static_cast<int32_t>(nowMs - dueMs);
}
} // namespace

StepsDue takeStepsDue(StepClock& clock, uint32_t nowMs) {
    if (!clock.started) {
        clock.started    = true;
        clock.nextStepMs = nowMs + STEP_MS;
        return StepsDue{1, nowMs};
    }
    const int32_t late = pastDue(nowMs, clock.nextStepMs);
    if (late < 0) return StepsDue{0, clock.nextStepMs};
    const uint32_t owed = static_cast<uint32_t>(late) / STEP_MS + 1;
    if (owed > static_cast<uint32_t>(MOST_STEPS_IN_A_ROW)) {
        const uint32_t first = nowMs - (MOST_STEPS_IN_A_ROW - 1) * STEP_MS;
        clock.nextStepMs     = nowMs + STEP_MS;
        return StepsDue{MOST_STEPS_IN_A_ROW, first};
    }
    const StepsDue due{static_cast<int>(owed), clock.nextStepMs};
    clock.nextStepMs += owed * STEP_MS;
    return due;
}

uint32_t msUntilNextStep(const StepClock& clock, uint32_t nowMs) {
    if (!clock.started) return 0;
    const int32_t late = pastDue(nowMs, clock.nextStepMs);
    return late >= 0 ? 0 : static_cast<uint32_t>(-late);
}
