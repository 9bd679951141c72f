// From an input to the step input that shows it: a key (Up) pressed and let go, the mouse
// moved, or a virtual pad of SDL's pushed forward and let go, at uneven moments from a thread
// of its own, while this thread runs the game's loop (every waiting event through the game's
// own handling, then the steps owed with the pad's input, then the wait). The step that takes
// the input sends its records at once, so the figure is also the time to the first record
// that shows the move. Needs nothing but SDL.
//
//   app_input_latency_bench key|mouse|stick [MOVES]
#include <SDL.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <vector>

#include "app/game_world.h"
#include "app/gamepad_play.h"
#include "app/held_keys.h"
#include "app/look_cursor.h"
#include "app/main_loop.h"
#include "net/net_session.h"
#include "step/step_loop.h"
#include "tests/support/portable/world_setup.h"

namespace {
using Clock = std::chrono::steady_clock;

enum class Source { KEY, MOUSE, STICK };
Source source = Source::KEY;

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

// An odd move presses (or turns), an even one lets go (or stands still).
bool showsMove(const WorldState& world, int made) {
    if (source == Source::MOUSE) return (world.input.turnYaw != 0.0f) == (made % 2 == 1);
    return (world.input.controls.forward == 1) == (made % 2 == 1);
}

// The pad's input, then whether the step input shows the newest move.
void feedAndLook(WorldState& world, void* context) {
    addGamepadInput(world, context);
    const int made = moves.load();
    if (made == seen || !showsMove(world, made)) return;
    latenciesMs.push_back(static_cast<double>(nowNs() - movedAtNs.load()) / 1e6);
    seen = made;
}

bool afterStep(WorldState& world, uint32_t, const StepResult&, const StepReport&, void*) {
    settleTappedKeys(world.input.controls); // as the game's frame does after each step
    centreCursor();
    return true;
}

void pushKey(bool down) {
    SDL_Event event{};
    event.type           = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.state      = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.sym = SDLK_UP;
    SDL_PushEvent(&event);
}

void pushMotion(int dx) {
    SDL_Event event{};
    event.type        = SDL_MOUSEMOTION;
    event.motion.xrel = dx;
    SDL_PushEvent(&event);
}

void move(SDL_Joystick* pad, int count) {
    constexpr int MOTION_PIXELS = 20;
    for (int k = 1; k <= count; ++k) {
        std::this_thread::sleep_for(std::chrono::microseconds(20000 + (k * 7919) % 40000));
        movedAtNs     = nowNs();
        const bool on = k % 2 == 1;
        if (source == Source::KEY) pushKey(on);
        if (source == Source::MOUSE && on) pushMotion(MOTION_PIXELS);
        if (source == Source::STICK)
            SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_LEFTY, on ? -32768 : 0);
        moves = k;
    }
}

bool readSource(const char* word) {
    constexpr struct {
        const char* word;
        Source source;
    } SOURCES[] = {
        {"key",   Source::KEY  },
        {"mouse", Source::MOUSE},
        {"stick", Source::STICK}
    };
    for (const auto& row : SOURCES)
        if (std::strcmp(word, row.word) == 0) {
            source = row.source;
            return true;
        }
    return false;
}
} // namespace

int main(int argc, char** argv) {
    if (argc < 2 || !readSource(argv[1])) {
        std::fprintf(stderr, "usage: app_input_latency_bench key|mouse|stick [MOVES]\n");
        return 2;
    }
    const int count = argc > 2 ? std::max(2, std::atoi(argv[2])) : 400;
    char problem[PLATFORM_PROBLEM_SIZE];
    if (!platformOpenGamepads(problem, sizeof problem)) {
        std::fprintf(stderr, "%s\n", problem);
        return 1;
    }
    const int index = SDL_JoystickAttachVirtual(
        SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX, SDL_CONTROLLER_BUTTON_MAX, 0);
    SDL_Joystick* pad = SDL_JoystickOpen(index);
    freshWorld(gameWorld);
    placeLocal(gameWorld, 0, {0, 0, 0});
    std::thread mover(move, pad, count);
    StepReport report;
    const StepSetup setup{1, feedAndLook, nullptr};
    while (seen < count) {
        InputEvent event;
        while (platformPollEvent(&event))
            handleEvent(event);
        runStepsOwed(gameWorld, benchNet, benchStep, setup, stepClock, &report,
                     StepLoopHooks{afterStep, nullptr, nullptr});
    }
    mover.join();
    std::sort(latenciesMs.begin(), latenciesMs.end());
    const size_t n = latenciesMs.size();
    double sum     = 0;
    for (double ms : latenciesMs)
        sum += ms;
    std::printf("%s to the step input that shows it, %zu moves, steps of %u ms:\n", argv[1], n,
                STEP_MS);
    std::printf("  min %.2f  median %.2f  mean %.2f  p99 %.2f  max %.2f ms\n", latenciesMs[0],
                latenciesMs[n / 2], sum / n, latenciesMs[(n - 1) * 99 / 100], latenciesMs[n - 1]);
    SDL_JoystickClose(pad);
    SDL_Quit();
    return 0;
}
