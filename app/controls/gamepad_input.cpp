// gamepadInput: sticks, triggers and buttons into held and pressed actions and a look turn.
#include "app/controls/gamepad_input.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr float PERCENT = 100.0f;

int row(Action action) {
    return static_cast<int>(action);
}

// A trigger is pulled past TRIGGER_PULLED and stays pulled until it falls below
// TRIGGER_LET_GO.
bool triggerHeld(float trigger, bool wasHeld) {
    return trigger > (wasHeld ? TRIGGER_LET_GO : TRIGGER_PULLED);
}
} // namespace

StickTilt lookResponse(StickTilt tilt, float deadZone) {
    const float length = std::hypot(tilt.x, tilt.y);
    if (length <= deadZone) return StickTilt{0.0f, 0.0f};
    const float past     = (std::min(length, 1.0f) - deadZone) / (1.0f - deadZone);
    const float response = std::pow(past, PAD_LOOK_CURVE);
    return StickTilt{tilt.x / length * response, tilt.y / length * response};
}

GamepadInput gamepadInput(const GamepadState& pad, const ControlSettings& controls, float seconds,
                          GamepadLatches& latches) {
    GamepadInput in{};
    in.held[row(Action::FORWARD)]    = pad.leftY < -PAD_MOVE_TILT;
    in.held[row(Action::BACKWARD)]   = pad.leftY > PAD_MOVE_TILT;
    in.held[row(Action::LEFT)]       = pad.leftX < -PAD_MOVE_TILT;
    in.held[row(Action::RIGHT)]      = pad.leftX > PAD_MOVE_TILT;
    in.held[row(Action::VERTICAL)]   = pad.leftShoulder || pad.leftTrigger > TRIGGER_PULLED;
    in.held[row(Action::SCOREBOARD)] = pad.back;

    const bool fire                  = triggerHeld(pad.rightTrigger, latches.fire);
    in.pressed[row(Action::FIRE)]    = fire && !latches.fire;
    in.pressed[row(Action::RESPAWN)] = pad.south && !latches.respawn;
    latches                          = GamepadLatches{fire, pad.south};

    const float deadZone = static_cast<float>(controls.padDeadZone) / PERCENT;
    const StickTilt look = lookResponse(StickTilt{pad.rightX, pad.rightY}, deadZone);
    const float degrees  = static_cast<float>(controls.padLookSpeed) * seconds;
    in.turnYaw           = look.x * degrees;
    in.turnPitch         = (controls.invertPitch ? -look.y : look.y) * degrees;
    return in;
}
