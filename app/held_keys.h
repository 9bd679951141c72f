// The actions as the steps see them: an action is held while any of its inputs is down, and
// a tap shorter than a step still counts for the next step. Every source of held actions
// meets in composeGameControls, the one writer of the step's movement flags.
#pragma once

#include <cstdint>

#include "app/controls/controls.h"
#include "world/control_state.h"

struct HeldActions {
    uint8_t placesDown[ACTION_COUNT];    // a bit for each of the action's inputs held down
    bool pressedSinceStep[ACTION_COUNT]; // went down since the last step
};

// The input in place (0 or 1) of the action went down or up.
void pressAction(HeldActions& held, Action action, int place);
void releaseAction(HeldActions& held, Action action, int place);
// Lets go of every action at once (the chat line opens).
void releaseEveryAction(HeldActions& held);
// Down now, or pressed since the last step.
bool actionHeld(const HeldActions& held, Action action);
// The movement flags of the step's controls from the held actions; the shot is left alone
// (a press sets it, the step clears it).
void composeControls(const HeldActions& held, ControlState& controls);
// After each step: taps the step has seen are let go.
void settleTappedActions(HeldActions& held);

// The game window's held actions, which its window procedure keeps.
extern HeldActions gameHeldActions;
// The step's movement flags from everything the player holds, after every input and step.
void composeGameControls(ControlState& controls);
// After each step: taps let go, and the step's controls composed again.
void settleTappedKeys(ControlState& controls);
