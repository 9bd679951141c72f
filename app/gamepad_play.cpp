// addGamepadInput: the pad's reading into the step's input, and out of it after the step.
#include "app/gamepad_play.h"

#include <cstdio>

#include "app/hud_state.h"
#include "world/step_clock.h"
#include "world/world_state.h"

namespace {
constexpr float STEP_SECONDS = STEP_MS / 1000.0f;

struct GamepadPlay {
    GamepadSettings settings;
    bool invertPitch = false;
    GamepadLatches latches{};
    ControlState keysHeld{}; // the keys' flags, while the step holds the pad's with them
    bool keysKept = false;
};
GamepadPlay play;

void addFlag(int32_t& held, int32_t pad) {
    held = held || pad ? 1 : 0;
}
} // namespace

void openGamepads() {
    char problem[PLATFORM_PROBLEM_SIZE];
    if (!platformOpenGamepads(problem, sizeof problem))
        std::fprintf(stderr, "voranis: %s\n", problem);
}

void setGamepadPlay(const GamepadSettings& settings, bool invertPitch) {
    play.settings    = settings;
    play.invertPitch = invertPitch;
}

void addGamepadInput(WorldState& world, void*) {
    GamepadState pad;
    platformReadGamepad(&pad); // none reads as all let go, which lets go of what it held
    const GamepadInput in =
        gamepadInput(pad, play.settings, play.invertPitch, STEP_SECONDS, play.latches);
    StepInput& input = world.input;
    play.keysHeld    = input.controls;
    play.keysKept    = true;
    addFlag(input.controls.forward, in.controls.forward);
    addFlag(input.controls.backward, in.controls.backward);
    addFlag(input.controls.strafeLeft, in.controls.strafeLeft);
    addFlag(input.controls.strafeRight, in.controls.strafeRight);
    addFlag(input.controls.vertical, in.controls.vertical);
    addFlag(input.controls.fire, in.controls.fire); // the step clears it once it fires
    input.turnYaw += in.turnYaw;
    input.turnPitch += in.turnPitch;
    input.respawn = input.respawn || in.respawn;
    if (in.showScoreboard) holdScoreboard(true);
    if (in.hideScoreboard) holdScoreboard(false);
}

void takeBackGamepadFlags(WorldState& world) {
    if (!play.keysKept) return; // the step ended before its input
    play.keysKept          = false;
    ControlState& controls = world.input.controls;
    controls.forward       = play.keysHeld.forward;
    controls.backward      = play.keysHeld.backward;
    controls.strafeLeft    = play.keysHeld.strafeLeft;
    controls.strafeRight   = play.keysHeld.strafeRight;
    controls.vertical      = play.keysHeld.vertical;
}
