// A gamepad's reading as the step's input: the left stick flies, the right stick looks, the
// right trigger fires, the left trigger or shoulder holds vertical, the south button respawns
// and Back holds the scoreboard. Plain rules over the state the platform reads.
#pragma once

#include "platform/platform.h"
#include "world/control_state.h"

constexpr float PAD_LOOK_LOWEST   = 30.0f; // degrees a second at full tilt
constexpr float PAD_LOOK_HIGHEST  = 720.0f;
constexpr float PAD_LOOK_DEFAULT  = 180.0f;
constexpr float DEAD_ZONE_LOWEST  = 0.0f; // of a stick's full tilt
constexpr float DEAD_ZONE_HIGHEST = 0.5f;
constexpr float DEAD_ZONE_DEFAULT = 0.15f;
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

struct GamepadSettings {
    float lookSpeed = PAD_LOOK_DEFAULT;  // degrees a second at full tilt of the right stick
    float deadZone  = DEAD_ZONE_DEFAULT; // the right stick's tilt that counts as centred
};

// What the last reading held, for the presses that count once: a pull of the trigger, a press
// of the south button or of Back. The caller keeps it from one reading to the next.
struct GamepadLatches {
    bool fire, respawn, scoreboard;
};

// One reading's worth of input for the step.
struct GamepadInput {
    ControlState controls; // the flight flags held; fire is set by a new pull only
    float turnYaw;         // degrees, for the seconds since the reading before
    float turnPitch;
    bool respawn;        // the south button went down
    bool scoreboard;     // Back is held
    bool hideScoreboard; // Back came up (or the pad went)
};

struct StickTilt {
    float x, y; // -1..1 each
};
// The right stick's look response to a tilt: none inside the dead zone, then rising along the
// curve to 1 at full tilt, in the tilt's direction. The dead zone is round, so a diagonal aims
// as finely as a straight push.
StickTilt lookResponse(StickTilt tilt, float deadZone);

// The input the pad gives for `seconds` of play; latches carry the presses across readings.
// Inverted pitch turns the look up for the stick pulled down, as it does for the mouse.
GamepadInput gamepadInput(const GamepadState& pad, const GamepadSettings& settings,
                          bool invertPitch, float seconds, GamepadLatches& latches);
