// addGamepadInput: the pad's reading into the step's input.
#include "app/gamepad_play.h"

#include <cstdio>

#include "app/controls/gamepad_input.h"
#include "app/game_setup.h"
#include "app/held_keys.h"
#include "app/hud_state.h"
#include "world/step_clock.h"
#include "world/world_state.h"

namespace {
constexpr float STEP_SECONDS = STEP_MS / 1000.0f;

GamepadLatches latches{}; // the pad's presses, from one step to the next

void addFlag(int32_t& held, int32_t pad) {
    held = held || pad ? 1 : 0;
}
} // namespace

void openGamepads() {
    char problem[PLATFORM_PROBLEM_SIZE];
    if (!platformOpenGamepads(problem, sizeof problem))
        std::fprintf(stderr, "voranis: %s\n", problem);
}

void addGamepadInput(WorldState& world, void*) {
    GamepadState pad;
    platformReadGamepad(&pad); // none reads as all let go, which lets go of what it held
    const GamepadInput in = gamepadInput(pad, gameSetup.controls, STEP_SECONDS, latches);
    StepInput& input      = world.input;
    addFlag(input.controls.forward, in.controls.forward);
    addFlag(input.controls.backward, in.controls.backward);
    addFlag(input.controls.strafeLeft, in.controls.strafeLeft);
    addFlag(input.controls.strafeRight, in.controls.strafeRight);
    addFlag(input.controls.vertical, in.controls.vertical);
    addFlag(input.controls.fire, in.controls.fire); // the step clears it once it fires
    input.turnYaw += in.turnYaw;
    input.turnPitch += in.turnPitch;
    input.respawn = input.respawn || in.respawn;
    // Shown again each step Back is held, so letting go of a key for it does not hide it; let
    // go of Back, it stays while a key holds it.
    if (in.scoreboard) holdScoreboard(true);
    if (in.hideScoreboard)
        holdScoreboard(gameHeldActions.placesDown[static_cast<int>(Action::SCOREBOARD)] != 0);
}
