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

bool held(const HeldActions& actions, Action action) {
    return actions.placesDown[static_cast<int>(action)] != 0;
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
    const GamepadInput in   = gamepadInput(pad, gameSetup.controls, STEP_SECONDS, latches);
    const bool boardWasHeld = held(gamepadHeldActions, Action::SCOREBOARD);
    for (int a = 0; a < ACTION_COUNT; ++a)
        gamepadHeldActions.placesDown[a] = in.held[a] ? 1 : 0;
    StepInput& input = world.input;
    composeGameControls(input.controls);
    if (in.pressed[static_cast<int>(Action::FIRE)]) input.controls.fire = 1; // as a click
    if (in.pressed[static_cast<int>(Action::RESPAWN)]) input.respawn = true;
    input.turnYaw += in.turnYaw;
    input.turnPitch += in.turnPitch;
    // Shown again each step Back is held, so letting go of a key for it does not hide it; let
    // go of Back, it stays while a key holds it.
    if (held(gamepadHeldActions, Action::SCOREBOARD)) holdScoreboard(true);
    if (boardWasHeld && !held(gamepadHeldActions, Action::SCOREBOARD))
        holdScoreboard(held(gameHeldActions, Action::SCOREBOARD));
}
