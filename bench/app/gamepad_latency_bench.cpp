// From a stick's move to the step input that shows it: a virtual pad of SDL's is pushed
// forward and let go again at uneven moments from a thread of its own, while this thread runs
// the game's loop (every waiting event, then the steps owed with the pad's input, then the
// wait). The step that takes the input sends its records at once, so the figure is also the
// time to the first record that shows the move. Needs nothing but SDL.
//
//   app_gamepad_latency_bench [MOVES]
#include <SDL.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

#include "app/gamepad_play.h"
#include "app/held_keys.h"
#include "net/net_session.h"
#include "step/step_loop.h"
#include "tests/support/portable/world_setup.h"

namespace {
using Clock = std::chrono::steady_clock;

WorldState benchWorld;
NetSession benchNet; // hosting a game nobody joins
StepState benchStep;
StepClock stepClock;

std::atomic<int> moves{0};         // moves made so far
std::atomic<int64_t> movedAtNs{0}; // when the last one was made
int seen = 0;                      // moves the step input has shown
std::vector<double> latenciesMs;

int64_t nowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch())
        .count();
}

// The pad's input, then whether it shows the newest move: forward after an odd move.
void feedAndLook(WorldState& world, void* context) {
    addGamepadInput(world, context);
    const int made = moves.load();
    if (made == seen || (world.input.controls.forward == 1) != (made % 2 == 1)) return;
    latenciesMs.push_back(static_cast<double>(nowNs() - movedAtNs.load()) / 1e6);
    seen = made;
}

bool afterStep(WorldState& world, uint32_t, const StepResult&, const StepReport&, void*) {
    settleTappedKeys(world.input.controls); // as the game does: the keys' flags alone again
    return true;
}

void movePad(SDL_Joystick* pad, int count) {
    for (int k = 1; k <= count; ++k) {
        std::this_thread::sleep_for(std::chrono::microseconds(20000 + (k * 7919) % 40000));
        movedAtNs = nowNs();
        SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_LEFTY, k % 2 ? -32768 : 0);
        moves = k;
    }
}
} // namespace

int main(int argc, char** argv) {
    const int count = argc > 1 ? std::max(2, std::atoi(argv[1])) : 400;
    char problem[PLATFORM_PROBLEM_SIZE];
    if (!platformOpenGamepads(problem, sizeof problem)) {
        std::fprintf(stderr, "%s\n", problem);
        return 1;
    }
    const int index = SDL_JoystickAttachVirtual(
        SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX, SDL_CONTROLLER_BUTTON_MAX, 0);
    SDL_Joystick* pad = SDL_JoystickOpen(index);
    freshWorld(benchWorld);
    placeLocal(benchWorld, 0, {0, 0, 0});
    std::thread mover(movePad, pad, count);
    StepReport report;
    const StepSetup setup{1, feedAndLook, nullptr};
    while (seen < count) {
        InputEvent event;
        while (platformPollEvent(&event)) {
        }
        runStepsOwed(benchWorld, benchNet, benchStep, setup, stepClock, &report,
                     StepLoopHooks{afterStep, nullptr, nullptr});
    }
    mover.join();
    std::sort(latenciesMs.begin(), latenciesMs.end());
    const size_t n = latenciesMs.size();
    double sum     = 0;
    for (double ms : latenciesMs)
        sum += ms;
    std::printf("stick move to the step input that shows it, %zu moves, steps of %u ms:\n", n,
                STEP_MS);
    std::printf("  min %.2f  median %.2f  mean %.2f  p99 %.2f  max %.2f ms\n", latenciesMs[0],
                latenciesMs[n / 2], sum / n, latenciesMs[(n - 1) * 99 / 100], latenciesMs[n - 1]);
    SDL_JoystickClose(pad);
    SDL_Quit();
    return 0;
}
