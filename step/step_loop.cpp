// runStepsOwed: the step clock's debt paid, then the wait.
#include "step/step_loop.h"

#include "step/step_wait.h"

bool runStepsOwed(WorldState& world, NetSession& net, StepState& state, const StepSetup& setup,
                  StepClock& clock, StepReport* report, const StepLoopHooks& hooks) {
    const StepsDue due = takeStepsDue(clock, stepClockMs(setup));
    for (int k = 0; k < due.count; ++k) {
        const uint32_t stepMs   = due.firstMs + static_cast<uint32_t>(k) * STEP_MS;
        const StepResult result = runStep(world, net, state, setup, stepMs, report);
        if (!hooks.afterStep(world, stepMs, result, *report, hooks.context)) return false;
    }
    if (hooks.afterSteps) hooks.afterSteps(due.count, hooks.context);
    waitUntilStep(net, setup, clock.nextStepMs);
    return true;
}
