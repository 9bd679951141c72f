// The game's time in fixed steps on the wall clock: every machine runs a step each 15 ms
// whatever its drawing costs, so speeds, fire rates and rocket flight agree between them.
#pragma once

#include <cstdint>

constexpr uint32_t STEP_MS        = 15;
constexpr int MOST_STEPS_IN_A_ROW = 8; // past that, a late machine lets the time go

struct StepClock {
    bool started;
    uint32_t nextStepMs; // when the next step falls due, on the millisecond clock
};

// The steps owed at nowMs, and the clock time each stands for: first, first + STEP_MS, ...
struct StepsDue {
    int count; // 0 to MOST_STEPS_IN_A_ROW
    uint32_t firstMs;
};

// Takes the steps owed at nowMs off the clock. The first call owes one step, now. When more
// than MOST_STEPS_IN_A_ROW are owed, that many run and the rest of the time is let go: the
// next step falls due one step after now. The clock may wrap; a step is due when nowMs has
// reached its time in 32-bit difference.
StepsDue takeStepsDue(StepClock& clock, uint32_t nowMs);

// Milliseconds until the next step falls due; 0 when one is due already.
uint32_t msUntilNextStep(const StepClock& clock, uint32_t nowMs);
