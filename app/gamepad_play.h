// The gamepad that plays, read once a step just before the step applies its input: its held
// actions meet the keys' in the step's movement flags (gamepadHeldActions, until the next
// reading), its look, shots and respawn join the mouse's, and Back holds the scoreboard as
// Tab does.
#pragma once

struct WorldState;

// Starts reading gamepads; a system that offers none is told once on standard error.
void openGamepads();
// The step's input hook (StepSetup::feedInput): adds the pad's input to world.input, with
// the player's controls (gameSetup.controls).
void addGamepadInput(WorldState& world, void* context);
