// gamepadInput: sticks, triggers and buttons into flight flags, a look turn and presses.
#include "app/controls/gamepad_input.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr float PERCENT = 100.0f;

int32_t flag(bool on) {
    return on ? 1 : 0;
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
    in.controls.forward     = flag(pad.leftY < -PAD_MOVE_TILT);
    in.controls.backward    = flag(pad.leftY > PAD_MOVE_TILT);
    in.controls.strafeLeft  = flag(pad.leftX < -PAD_MOVE_TILT);
    in.controls.strafeRight = flag(pad.leftX > PAD_MOVE_TILT);
    in.controls.vertical    = flag(pad.leftShoulder || pad.leftTrigger > TRIGGER_PULLED);

    const float deadZone = static_cast<float>(controls.padDeadZone) / PERCENT;
    const StickTilt look = lookResponse(StickTilt{pad.rightX, pad.rightY}, deadZone);
    const float degrees  = static_cast<float>(controls.padLookSpeed) * seconds;
    in.turnYaw           = look.x * degrees;
    in.turnPitch         = (controls.invertPitch ? -look.y : look.y) * degrees;

    const bool fire   = triggerHeld(pad.rightTrigger, latches.fire);
    in.controls.fire  = flag(fire && !latches.fire);
    in.respawn        = pad.south && !latches.respawn;
    in.scoreboard     = pad.back;
    in.hideScoreboard = !pad.back && latches.scoreboard;
    latches           = GamepadLatches{fire, pad.south, pad.back};
    return in;
}
