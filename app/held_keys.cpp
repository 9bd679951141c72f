// Held actions into control flags, with taps kept until a step has seen them.
#include "app/held_keys.h"

HeldActions gameHeldActions = {};

namespace {
struct MovementRow {
    Action action;
    int32_t ControlState::*flag;
};
constexpr MovementRow MOVEMENT[] = {
    {Action::FORWARD,  &ControlState::forward    },
    {Action::BACKWARD, &ControlState::backward   },
    {Action::LEFT,     &ControlState::strafeLeft },
    {Action::RIGHT,    &ControlState::strafeRight},
    {Action::VERTICAL, &ControlState::vertical   },
};

int row(Action action) {
    return static_cast<int>(action);
}

uint8_t placeBit(int place) {
    return static_cast<uint8_t>(1u << place);
}
} // namespace

void pressAction(HeldActions& held, Action action, int place) {
    held.placesDown[row(action)] |= placeBit(place);
    held.pressedSinceStep[row(action)] = true;
}

void releaseAction(HeldActions& held, Action action, int place) {
    held.placesDown[row(action)] &= static_cast<uint8_t>(~placeBit(place));
}

void releaseEveryAction(HeldActions& held) {
    held = HeldActions{};
}

bool actionHeld(const HeldActions& held, Action action) {
    return held.placesDown[row(action)] != 0 || held.pressedSinceStep[row(action)];
}

void composeControls(const HeldActions& held, ControlState& controls) {
    for (const MovementRow& m : MOVEMENT)
        controls.*m.flag = actionHeld(held, m.action) ? 1 : 0;
}

void settleTappedActions(HeldActions& held) {
    for (bool& pressed : held.pressedSinceStep)
        pressed = false;
}

void composeGameControls(ControlState& controls) {
    composeControls(gameHeldActions, controls);
}

void settleTappedKeys(ControlState& controls) {
    settleTappedActions(gameHeldActions);
    composeGameControls(controls);
}
