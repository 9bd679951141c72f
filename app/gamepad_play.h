// The gamepad that plays, read once a step just before the step applies its input: its flight
// flags join the keys' for that step alone, its look, shots and respawn join the mouse's, and
// Back holds the scoreboard as Tab does. The keys' own flags stay the keys'.
#pragma once

#include "app/controls/gamepad_input.h"

struct WorldState;

// Starts reading gamepads; a system that offers none is told once on standard error.
void openGamepads();
// The settings and look direction the pad plays with from now on.
void setGamepadPlay(const GamepadSettings& settings, bool invertPitch);
// The step's input hook (StepSetup::feedInput): adds the pad's input to world.input.
void addGamepadInput(WorldState& world, void* context);
// After the step: the flight flags are the keys' alone again.
void takeBackGamepadFlags(WorldState& world);
