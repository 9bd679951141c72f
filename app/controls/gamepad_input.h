// A gamepad's reading as the player's actions and look: the left stick flies, the right stick
// looks, the right trigger fires, the left trigger or shoulder holds vertical, the south button
// respawns and Back holds the scoreboard. Plain rules over the state the platform reads.
#pragma once

#include "app/controls/controls.h"
#include "platform/platform.h"

// A flight flag needs the left stick past half its tilt on that axis: a full tilt at 45
// degrees sets both its flags.
constexpr float PAD_MOVE_TILT = 0.5f;
// Past this a trigger is pulled; below the lower mark it is let go again, so a trigger held
// near one mark cannot chatter.
constexpr float TRIGGER_PULLED = 0.5f;
constexpr float TRIGGER_LET_GO = 0.3f;
// The look's response rises as the tilt past the dead zone to this power: small tilts aim
// finely, full tilt turns at the whole speed.
constexpr float PAD_LOOK_CURVE = 2.0f;

// The presses that count once, as the last reading left them: a pull of the trigger (until it
// is let go below TRIGGER_LET_GO) and the south button. The caller keeps it from one reading
// to the next.
struct GamepadLatches {
    bool fire, respawn;
};

// One reading's worth of input for the step, in the player's actions.
struct GamepadInput {
    bool held[ACTION_COUNT];    // held now: the flight actions and the scoreboard
    bool pressed[ACTION_COUNT]; // pressed since the reading before: FIRE, RESPAWN
    float turnYaw;              // degrees, for the seconds since the reading before
    float turnPitch;
};

struct StickTilt {
    float x, y; // -1..1 each
};
// The right stick's look response to a tilt: none inside the dead zone, then rising along the
// curve to 1 at full tilt, in the tilt's direction. The dead zone is round, so a diagonal aims
// as finely as a straight push.
StickTilt lookResponse(StickTilt tilt, float deadZone); // deadZone: 0..1 of full tilt

// The input the pad gives for `seconds` of play at the player's look speed, dead zone and
// inversion (which turns the look up for the stick pulled down, as for the mouse); latches
// carry the presses across readings.
GamepadInput gamepadInput(const GamepadState& pad, const ControlSettings& controls, float seconds,
                          GamepadLatches& latches);
